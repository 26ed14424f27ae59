#include "engine/Nodes.h"

#include <cmath>
#include <limits>
#include <vector>

#include "engine/MathLib.h"
#include "engine/MemoryStore.h"
#include "engine/NumberFormat.h"

namespace NCalculatorText {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kE = 2.718281828459045;

bool Succeeded() { return engineState.succeeded; }

bool GuardedAdd(double a, double b, double& result) {
    result = a + b;
    if (!std::isfinite(result)) ReportDiagnostic(Overflow, result);
    return Succeeded();
}

bool GuardedSubtract(double a, double b, double& result) {
    result = a - b;
    if (!std::isfinite(result)) ReportDiagnostic(Overflow, result);
    return Succeeded();
}

bool GuardedMultiply(double a, double b, double& result) {
    result = a * b;
    if (!std::isfinite(result)) {
        ReportDiagnostic(Overflow, result);
    } else if (result == 0 && a != 0 && b != 0) {
        ReportDiagnostic(Underflow, 0);
    }
    return Succeeded();
}

bool GuardedDivide(double a, double b, double& result) {
    if (b == 0) {
        ReportDiagnostic(Singularity, 0);
        return false;
    }
    result = a / b;
    if (!std::isfinite(result)) {
        ReportDiagnostic(Overflow, result);
    } else if (result == 0 && a != 0) {
        ReportDiagnostic(Underflow, 0);
    }
    return Succeeded();
}

// A sum inside a formula: only a non-finite value is an error.
bool CheckedSum(double sum) {
    if (!std::isfinite(sum)) ReportDiagnostic(Overflow, sum);
    return Succeeded();
}

bool AngleToRadians(double& x) {
    const AngleUnit unit = engineState.angleUnit;
    if (unit != Degrees && unit != Grads) return Succeeded();
    double y = 0;
    if (!GuardedMultiply(x, kPi, y)) return false;
    return GuardedDivide(y, unit == Degrees ? 180.0 : 200.0, x);
}

bool RadiansToAngle(double& x) {
    const AngleUnit unit = engineState.angleUnit;
    if (unit != Degrees && unit != Grads) return Succeeded();
    double y = 0;
    if (!GuardedMultiply(x, unit == Degrees ? 180.0 : 200.0, y)) return false;
    return GuardedDivide(y, kPi, x);
}

// Beyond this the product x*x (or (x+1)(x-1)) is infinite while the inverse
// hyperbolic function is a modest number: log|x| + log 2.
double LargeArgumentLog(double x) { return MathLog(std::fabs(x)) + MathLog(2.0); }

// arch for y >= 1, domain already checked.
void ArchSteps(double y, double& value) {
    const double a = y + 1;
    if (!CheckedSum(a)) return;
    const double b = y - 1;
    if (!CheckedSum(b)) return;
    const double p = a * b;
    if (!std::isfinite(p)) {
        value = LargeArgumentLog(y);
        return;
    }
    if (p == 0 && a != 0 && b != 0) {
        ReportDiagnostic(Underflow, 0);
        if (!Succeeded()) return;
    }
    const double s = MathSqrt(p);
    if (!Succeeded()) return;
    if (!GuardedAdd(y, s, value)) return;
    value = MathLog(value);
}

// arsh; a negative argument is mirrored, since sqrt(x*x+1) + x cancels there.
void ArshSteps(double x, double& value) {
    const bool negative = x < 0;
    if (negative) x = -x;
    const double q = x * x;
    if (!std::isfinite(q)) {
        value = LargeArgumentLog(x);
    } else {
        if (q == 0 && x != 0) ReportDiagnostic(Underflow, 0);
        const double t = q + 1;
        if (!CheckedSum(t)) return;
        const double v = MathSqrt(t) + x;
        if (!CheckedSum(v)) return;
        value = MathLog(v);
        if (!Succeeded()) return;
    }
    if (negative) value = -value;
}

// 1/cosh or 1/sinh: an overflowing argument gives 0 with a warning.
void ReciprocalHyperbolic(double (*function)(double), double x, double& value) {
    engineState.suppressOverflow = true;
    const double h = function(x);
    engineState.suppressOverflow = false;
    value = h;
    if (engineState.lastDiagnostic == Overflow) {
        ReportDiagnostic(Underflow, 0);
        value = 0;
    } else if (Succeeded()) {
        GuardedDivide(1, h, value);
    }
}

// The common steps of artanh and arcoth: 0.5 * log(a / b).
void ArthSteps(double a, double b, double& value) {
    if (!CheckedSum(a) || !CheckedSum(b)) return;
    double v = 0;
    if (!GuardedDivide(a, b, v)) return;
    v = MathLog(v);
    if (!Succeeded()) return;
    GuardedMultiply(0.5, v, value);
}

// A frame entered while a chain of nodes evaluates without recursion.
struct ChainFrame {
    CNode* node = nullptr;
    OperationCode savedOperation = OpNone;
};

}  // namespace

// ---------------------------------------------------------------------------
// Frames

bool CFramedNode::Evaluate(double& value) {
    EngineState& state = engineState;
    const OperationCode saved = state.operation;
    const CNode* savedNode = state.frameNode;
    state.operation = Code();
    state.frameNode = this;
    state.suppressOverflow = false;
    double args[2] = {0, 0};
    bool ok = true;
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (!children[i]->Evaluate(args[i])) {
            ok = false;
            break;
        }
    }
    if (ok) {
        // A child's frame has been left: this node is the one in progress again.
        state.frameNode = this;
        Compute(args, value);
    }
    state.operation = saved;
    state.frameNode = savedNode;
    state.suppressOverflow = false;
    return state.succeeded;
}

bool CBinaryNode::Evaluate(double& value) {
    if (!chainedLeft) return CFramedNode::Evaluate(value);
    return EvaluateChain(value);
}

// Apart, so that the list of frames is on the stack only for a chain, not at
// every level of deeply nested brackets.
[[gnu::noinline]] bool CBinaryNode::EvaluateChain(double& value) {
    // Entering every frame of the chain top-down, as the recursion would.
    EngineState& state = engineState;
    GrowingList<ChainFrame, 16> chain;
    const CNode* savedNode = state.frameNode;
    for (CNode* node = this; node->chainedLeft; node = node->children[0].get()) {
        chain.push_back(ChainFrame{node, state.operation});
        state.operation = static_cast<CBinaryNode*>(node)->Code();
        state.suppressOverflow = false;
    }
    double left = 0;
    bool ok = chain.back().node->children[0]->Evaluate(left);
    for (std::size_t i = chain.size(); i-- > 0;) {
        auto* node = static_cast<CBinaryNode*>(chain[i].node);
        if (ok) {
            double args[2] = {left, 0};
            if (node->children[1]->Evaluate(args[1])) {
                state.frameNode = node;
                node->Compute(args, left);
            }
        }
        state.operation = chain[i].savedOperation;
        state.suppressOverflow = false;
        ok = state.succeeded;
    }
    state.frameNode = savedNode;
    value = left;
    return state.succeeded;
}

// ---------------------------------------------------------------------------
// Operators

void CNodePlus::Compute(const double* args, double& value) { GuardedAdd(args[0], args[1], value); }
void CNodeMinus::Compute(const double* args, double& value) {
    GuardedSubtract(args[0], args[1], value);
}
void CNodeMul::Compute(const double* args, double& value) {
    GuardedMultiply(args[0], args[1], value);
}
void CNodeDiv::Compute(const double* args, double& value) {
    GuardedDivide(args[0], args[1], value);
}
void CNodePow::Compute(const double* args, double& value) { value = MathPow(args[0], args[1]); }

// ---------------------------------------------------------------------------
// Leaves

bool CNodeNumber::Evaluate(double& result) {
    // A finite literal says nothing: its frame would only be entered and left.
    if (!std::isfinite(value)) return CFramedNode::Evaluate(result);
    result = value;
    engineState.suppressOverflow = false;
    return engineState.succeeded;
}

void CNodeNumber::Compute(const double*, double& result) {
    result = value;
    if (!std::isfinite(result)) ReportDiagnostic(Overflow, result);
}

bool CNodePi::Evaluate(double& value) {
    value = kPi;
    return true;
}

bool CNodeE::Evaluate(double& value) {
    value = kE;
    return true;
}

bool CNodeResult::Evaluate(double& value) {
    value = lastResult;
    return true;
}

// ---------------------------------------------------------------------------
// Memory

bool CNodeMemory::Parse() {
    std::u16string_view content = operands[0];
    if (!ExpandPlaceholder(content)) return false;
    operands[0] = content;
    // The name keeps its inner spaces: take it from the expression as given,
    // prepared as the rest was (tabs and line breaks out, brackets and minus
    // signs unified), then trimmed.
    const BracketTableData& table = BracketTable;
    const auto open = static_cast<std::size_t>(table.IndexOf(content.data()) - 1);
    const std::size_t close = open + content.size() + 1;
    const auto sourceOpen = static_cast<std::size_t>(table.textIndex[open]);
    const auto sourceClose = static_cast<std::size_t>(table.textIndex[close]);
    name.clear();
    for (std::size_t i = sourceOpen + 1; i < sourceClose; ++i) {
        const char16_t c = table.source[i];
        switch (c) {
            case u'\t':
            case u'\n':
            case u'\r':
                break;
            case u'[':
            case u'{':
                name.push_back(u'(');
                break;
            case u']':
            case u'}':
                name.push_back(u')');
                break;
            case u'\u2212':
                name.push_back(u'-');
                break;
            default:
                name.push_back(c);
                break;
        }
    }
    std::size_t begin = 0;
    std::size_t end = name.size();
    while (end > begin && IsWideSpace(name[end - 1])) --end;
    while (begin < end && IsWideSpace(name[begin])) ++begin;
    name = name.substr(begin, end - begin);
    return true;
}

void CNodeMemory::Compute(const double*, double& value) {
    double stored = 0;
    if (MemoryStore::Instance().Read(name, stored)) {
        value = stored;
    } else {
        ReportDiagnostic(UninitializedMemory, 0);
        value = 0;
    }
}

bool CNodeStore::ParseOperands(std::size_t first) {
    for (std::size_t i = first; i < operands.size(); ++i) {
        // The target is a memory reference and nothing else.
        const bool parsed = i == 0 ? ParseOperand(operands[0]) : ParseMemory(operands[1]);
        if (!parsed || !children.back()->Parse()) return false;
    }
    return true;
}

const std::u16string& CNodeStore::TargetName() const {
    return static_cast<const CNodeMemory*>(children[1].get())->name;
}

bool CNodeStore::Evaluate(double& value) {
    GrowingList<CNodeStore*, 16> chain;
    for (CNode* node = this; node->chainedLeft; node = node->children[0].get()) {
        chain.push_back(static_cast<CNodeStore*>(node));
    }
    CNodeStore* bottom =
        chain.empty() ? this : static_cast<CNodeStore*>(chain.back()->children[0].get());
    double stored = 0;
    if (bottom->children[0]->Evaluate(stored)) {
        MemoryStore::Instance().Assign(bottom->TargetName(), stored);
        value = stored;
        for (std::size_t i = chain.size(); i-- > 0 && engineState.succeeded;) {
            MemoryStore::Instance().Assign(chain[i]->TargetName(), stored);
        }
    }
    return engineState.succeeded;
}

// ---------------------------------------------------------------------------
// Codeless unary nodes

bool CNodeChangeSign::Evaluate(double& value) {
    double x = 0;
    if (!children[0]->Evaluate(x)) return false;
    value = -x;
    return true;
}

bool CNodeAbs::Evaluate(double& value) {
    double x = 0;
    if (!children[0]->Evaluate(x)) return false;
    // The sign of zero goes too: abs(-0) is 0, not "-0".
    value = x < 0 ? -x : (x == 0 ? 0.0 : x);
    return true;
}

bool CNodeSign::Evaluate(double& value) {
    double x = 0;
    if (!children[0]->Evaluate(x)) return false;
    value = x < 0 ? -1.0 : (x > 0 ? 1.0 : 0.0);
    return true;
}

// ---------------------------------------------------------------------------
// Elementary functions

void CNodeSqrt::Compute(const double* args, double& value) { value = MathSqrt(args[0]); }
void CNodeExp::Compute(const double* args, double& value) { value = MathExp(args[0]); }
void CNodeLn::Compute(const double* args, double& value) { value = MathLog(args[0]); }
void CNodeLg::Compute(const double* args, double& value) { value = MathLog10(args[0]); }

void CNodeFactorial::Compute(const double* args, double& value) {
    const double x = args[0];
    if (x < 0 || x != std::floor(x)) {
        ReportDiagnostic(NotDefined, x);
        value = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    if (x > 170) {
        value = std::numeric_limits<double>::infinity();
        ReportDiagnostic(Overflow, value);
        return;
    }
    double r = 1;
    const int n = static_cast<int>(x);
    for (int i = 2; i <= n; ++i) r *= i;
    // 23! and above are not exact in a double.
    if (x > 22) ReportDiagnostic(PartialLoss, r);
    value = r;
}

// Trigonometric functions take angles in the current unit.

void CNodeSin::Compute(const double* args, double& value) {
    double x = args[0];
    if (!AngleToRadians(x)) return;
    value = (x == kPi || x == -kPi) ? 0.0 : MathSin(x);
}

void CNodeCos::Compute(const double* args, double& value) {
    double x = args[0];
    if (!AngleToRadians(x)) return;
    value = MathCos(x);
}

void CNodeTg::Compute(const double* args, double& value) {
    double x = args[0];
    if (!AngleToRadians(x)) return;
    value = MathTan(x);
}

void CNodeCtg::Compute(const double* args, double& value) {
    double x = args[0];
    if (!AngleToRadians(x)) return;
    const double y = kHalfPi - x;
    if (!std::isfinite(y)) ReportDiagnostic(Overflow, y);
    if (Succeeded()) value = MathTan(y);
}

void CNodeSec::Compute(const double* args, double& value) {
    double x = args[0];
    if (!AngleToRadians(x)) return;
    const double c = MathCos(x);
    if (!Succeeded()) return;
    if (c == 0) {
        ReportDiagnostic(Singularity, x);
    } else {
        GuardedDivide(1, c, value);
    }
}

void CNodeCosec::Compute(const double* args, double& value) {
    double x = args[0];
    if (!AngleToRadians(x)) return;
    const double s = MathSin(x);
    if (!Succeeded()) return;
    if (s == 0) {
        ReportDiagnostic(Singularity, x);
    } else {
        GuardedDivide(1, s, value);
    }
}

void CNodeArcSin::Compute(const double* args, double& value) {
    value = MathAsin(args[0]);
    if (Succeeded()) RadiansToAngle(value);
}

void CNodeArcCos::Compute(const double* args, double& value) {
    value = MathAcos(args[0]);
    if (Succeeded()) RadiansToAngle(value);
}

void CNodeArcTg::Compute(const double* args, double& value) {
    value = MathAtan(args[0]);
    if (Succeeded()) RadiansToAngle(value);
}

void CNodeArcCtg::Compute(const double* args, double& value) {
    value = kHalfPi - MathAtan(args[0]);
    RadiansToAngle(value);
}

void CNodeArcSec::Compute(const double* args, double& value) {
    const double x = args[0];
    if (-1 < x && x < 1) {
        ReportDiagnostic(NotDefined, x);
        return;
    }
    if (!GuardedDivide(1, x, value)) return;
    value = MathAcos(value);
    if (Succeeded()) RadiansToAngle(value);
}

void CNodeArcCosec::Compute(const double* args, double& value) {
    const double x = args[0];
    if (-1 < x && x < 1) {
        ReportDiagnostic(NotDefined, x);
        return;
    }
    if (!GuardedDivide(1, x, value)) return;
    value = MathAsin(value);
    if (Succeeded()) RadiansToAngle(value);
}

// Hyperbolic functions.

void CNodeCh::Compute(const double* args, double& value) { value = MathCosh(args[0]); }
void CNodeSh::Compute(const double* args, double& value) { value = MathSinh(args[0]); }
void CNodeTh::Compute(const double* args, double& value) { value = MathTanh(args[0]); }

void CNodeCth::Compute(const double* args, double& value) {
    const double t = MathTanh(args[0]);
    value = t;
    if (Succeeded()) GuardedDivide(1, t, value);
}

void CNodeSech::Compute(const double* args, double& value) {
    ReciprocalHyperbolic(MathCosh, args[0], value);
}
void CNodeCsch::Compute(const double* args, double& value) {
    ReciprocalHyperbolic(MathSinh, args[0], value);
}

// Inverse hyperbolic functions.

void CNodeArCh::Compute(const double* args, double& value) {
    const double x = args[0];
    if (x < 1) {
        ReportDiagnostic(NotDefined, x);
        return;
    }
    ArchSteps(x, value);
}

void CNodeArSh::Compute(const double* args, double& value) { ArshSteps(args[0], value); }

void CNodeArTh::Compute(const double* args, double& value) {
    const double x = args[0];
    if (x < -1 || x > 1) {
        ReportDiagnostic(NotDefined, x);
    } else if (x == -1 || x == 1) {
        ReportDiagnostic(Singularity, x);
    } else {
        ArthSteps(x + 1, 1 - x, value);
    }
}

void CNodeArCth::Compute(const double* args, double& value) {
    const double x = args[0];
    if (-1 < x && x < 1) {
        ReportDiagnostic(NotDefined, x);
    } else if (x == -1 || x == 1) {
        ReportDiagnostic(Singularity, x);
    } else {
        ArthSteps(x + 1, x - 1, value);
    }
}

void CNodeArSch::Compute(const double* args, double& value) {
    const double x = args[0];
    if (x < 0 || x > 1) {
        ReportDiagnostic(NotDefined, x);
        return;
    }
    double y = 0;
    if (!GuardedDivide(1, x, y)) return;
    ArchSteps(y, value);
}

void CNodeArCsch::Compute(const double* args, double& value) {
    double y = 0;
    if (!GuardedDivide(1, args[0], y)) return;
    ArshSteps(y, value);
}

}  // namespace NCalculatorText

// The node classes of the expression tree.
#pragma once

#include <string>

#include "engine/Diagnostics.h"
#include "engine/Parcer.h"

namespace NCalculatorText {

// A node with an operation code: evaluates inside the common frame (the code
// set while its children and its own computation run).
class CFramedNode : public CNode {
public:
    explicit CFramedNode(OperationCode code) { frameCode_ = static_cast<uint8_t>(code); }
    bool Evaluate(double& value) override;
    // Kept in the node rather than asked of it: every frame needs it.
    OperationCode Code() const { return static_cast<OperationCode>(frameCode_); }
    // Own computation once every child answered true; args are their values.
    virtual void Compute(const double* args, double& value) = 0;
};

// Infix operators; long runs of them form left-deep chains.
class CBinaryNode : public CFramedNode {
public:
    using CFramedNode::CFramedNode;
    bool Evaluate(double& value) override;

private:
    bool EvaluateChain(double& value);
};

class CNodePlus final : public CBinaryNode {
public:
    CNodePlus() : CBinaryNode(OpAddition) {}
    void Compute(const double* args, double& value) override;
};

class CNodeMinus final : public CBinaryNode {
public:
    CNodeMinus() : CBinaryNode(OpSubtraction) {}
    void Compute(const double* args, double& value) override;
};

class CNodeMul final : public CBinaryNode {
public:
    CNodeMul() : CBinaryNode(OpMultiplication) {}
    void Compute(const double* args, double& value) override;
};

class CNodeDiv final : public CBinaryNode {
public:
    CNodeDiv() : CBinaryNode(OpDivision) {}
    void Compute(const double* args, double& value) override;
};

class CNodePow final : public CBinaryNode {
public:
    CNodePow() : CBinaryNode(OpPower) {}
    void Compute(const double* args, double& value) override;
};

class CNodeNumber final : public CFramedNode {
public:
    // The value is read as the literal is recognized.
    bool Parse() override { return true; }
    bool Evaluate(double& value) override;
    CNodeNumber() : CFramedNode(OpNumber) {}
    void Compute(const double* args, double& value) override;
    double value = 0.0;
};

class CNodePi final : public CNode {
public:
    bool Parse() override { return true; }
    bool Evaluate(double& value) override;
};

class CNodeE final : public CNode {
public:
    bool Parse() override { return true; }
    bool Evaluate(double& value) override;
};

class CNodeResult final : public CNode {
public:
    bool Parse() override { return true; }
    bool Evaluate(double& value) override;
};

class CNodeMemory final : public CFramedNode {
public:
    bool Parse() override;
    CNodeMemory() : CFramedNode(OpMemory) {}
    void Compute(const double* args, double& value) override;
    std::u16string name;
    static constexpr bool kHoldsMemory = true;
};

class CNodeStore final : public CNode {
public:
    bool Evaluate(double& value) override;

protected:
    bool ParseOperands(std::size_t first) override;

private:
    const std::u16string& TargetName() const;
};

// Codeless unary nodes.
class CNodeChangeSign final : public CNode {
public:
    bool Evaluate(double& value) override;
};

class CNodeAbs final : public CNode {
public:
    bool Evaluate(double& value) override;
};

class CNodeSign final : public CNode {
public:
    bool Evaluate(double& value) override;
};

#define NUMERA_FUNCTION_NODE(ClassName, OperationName)            \
    class ClassName final : public CFramedNode {                  \
    public:                                                       \
        ClassName() : CFramedNode(OperationName) {}               \
        void Compute(const double* args, double& value) override; \
    }

NUMERA_FUNCTION_NODE(CNodeSqrt, OpSquareRoot);
NUMERA_FUNCTION_NODE(CNodeFactorial, OpFactorial);
NUMERA_FUNCTION_NODE(CNodeExp, OpExponent);
NUMERA_FUNCTION_NODE(CNodeLn, OpNaturalLogarithm);
NUMERA_FUNCTION_NODE(CNodeLg, OpDecimalLogarithm);
NUMERA_FUNCTION_NODE(CNodeSin, OpSine);
NUMERA_FUNCTION_NODE(CNodeCos, OpCosine);
NUMERA_FUNCTION_NODE(CNodeTg, OpTangent);
NUMERA_FUNCTION_NODE(CNodeCtg, OpCotangent);
NUMERA_FUNCTION_NODE(CNodeSec, OpSecant);
NUMERA_FUNCTION_NODE(CNodeCosec, OpCosecant);
NUMERA_FUNCTION_NODE(CNodeArcSin, OpArcsine);
NUMERA_FUNCTION_NODE(CNodeArcCos, OpArccosine);
NUMERA_FUNCTION_NODE(CNodeArcTg, OpArctangent);
NUMERA_FUNCTION_NODE(CNodeArcCtg, OpArccotangent);
NUMERA_FUNCTION_NODE(CNodeArcSec, OpArcsecant);
NUMERA_FUNCTION_NODE(CNodeArcCosec, OpArccosecant);
NUMERA_FUNCTION_NODE(CNodeCh, OpHyperbolicCosine);
NUMERA_FUNCTION_NODE(CNodeSh, OpHyperbolicSine);
NUMERA_FUNCTION_NODE(CNodeTh, OpHyperbolicTangent);
NUMERA_FUNCTION_NODE(CNodeCth, OpHyperbolicCotangent);
NUMERA_FUNCTION_NODE(CNodeSech, OpHyperbolicSecant);
NUMERA_FUNCTION_NODE(CNodeCsch, OpHyperbolicCosecant);
NUMERA_FUNCTION_NODE(CNodeArCh, OpArchyperbolicCosine);
NUMERA_FUNCTION_NODE(CNodeArSh, OpArchyperbolicSine);
NUMERA_FUNCTION_NODE(CNodeArTh, OpArchyperbolicTangent);
NUMERA_FUNCTION_NODE(CNodeArCth, OpArchyperbolicCotangent);
NUMERA_FUNCTION_NODE(CNodeArSch, OpArchyperbolicSecant);
NUMERA_FUNCTION_NODE(CNodeArCsch, OpArchyperbolicCosecant);

#undef NUMERA_FUNCTION_NODE

}  // namespace NCalculatorText

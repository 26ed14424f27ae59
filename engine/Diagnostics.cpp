#include "engine/Diagnostics.h"

#include "engine/NumberFormat.h"

namespace NCalculatorText {

EngineState engineState;

namespace {

constexpr const char16_t* kContexts[] = {
    u"None",
    u"Number",
    u"Division",
    u"Multiplication",
    u"Addition",
    u"Subtraction",
    u"Sine",
    u"Cosine",
    u"Tangent",
    u"Cotangent",
    u"Secant",
    u"Cosecant",
    u"Arcsine",
    u"Arccosine",
    u"Arctangent",
    u"Arccotangent",
    u"Arcsecant",
    u"Arccosecant",
    u"Hyperbolic cosine",
    u"Hyperbolic sine",
    u"Hyperbolic tangent",
    u"Hyperbolic cotangent",
    u"Hyperbolic secant",
    u"Hyperbolic cosecant",
    u"Archyperbolic cosine",
    u"Archyperbolic sine",
    u"Archyperbolic tangent",
    u"Archyperbolic cotangent",
    u"Archyperbolic secant",
    u"Archyperbolic cosecant",
    u"Natural logarithm",
    u"Decimal logarithm",
    u"Power",
    u"Exponent",
    u"Factorial",
    u"Memory",
    u"Square root",
};

constexpr int32_t kContextCount = static_cast<int32_t>(sizeof(kContexts) / sizeof(kContexts[0]));

int32_t NormalizeKind(int32_t kind) { return (kind >= 0 && kind <= 7) ? kind : UnknownError; }

}  // namespace

const char16_t* OperationContext(int32_t code) {
    if (code >= 0 && code < kContextCount) return kContexts[code];
    return u"Undefined";
}

int32_t DiagnosticSeverity(int32_t kind) {
    switch (NormalizeKind(kind)) {
        case UninitializedMemory:
        case Underflow:
        case PartialLoss:
        case TotalLoss:
            return 0;
        default:
            return 1;
    }
}

std::u16string DescribeDiagnostic(int32_t kind, double value, int32_t operation) {
    switch (NormalizeKind(kind)) {
        case SyntaxError:
            return u"Syntax error";
        case UninitializedMemory:
            return u"Uninitialized memory used, value forced to 0";
        case Overflow:
            return std::u16string(u"Operation resulted in overflow, too big ") +
                   (value > 0 ? u"positive" : u"negative") + u" number returned";
        case Underflow:
            return u"Operation resulted in underflow, result accepted as " + FormatPrecise(value);
        case NotDefined:
            return u"Function is not defined for " + FormatPrecise(value);
        case Singularity:
            return std::u16string(operation == OpDivision ? u"Operation" : u"Function") +
                   u" has singularity at " + FormatPrecise(value);
        case PartialLoss:
            return u"Operation resulted in partial loss of precision, result accepted as " +
                   FormatPrecise(value);
        case TotalLoss:
            return u"Operation resulted in total loss of precision, result accepted as " +
                   FormatPrecise(value);
        default:
            return u"Unknown error";
    }
}

void ReportDiagnostic(int32_t kind, double value) {
    const int32_t normalized = NormalizeKind(kind);
    engineState.lastDiagnostic = static_cast<DiagnosticKind>(normalized);
    if (normalized == Overflow && engineState.suppressOverflow) return;

    const int32_t severity = DiagnosticSeverity(normalized);
    if (severity == 1) engineState.succeeded = false;
    if (engineState.observer != nullptr) engineState.observer->Reported(severity);
    if (engineState.logReceiver == nullptr) return;

    const std::u16string description = DescribeDiagnostic(normalized, value, engineState.operation);
    const Diagnostic record{severity, OperationContext(engineState.operation), description.c_str()};
    engineState.logReceiver->AddMessage(record);
}

int OnMathError(const MathErrorReport& report) {
    switch (report.type) {
        case MathDomain:
            ReportDiagnostic(NotDefined, report.arg1);
            break;
        case MathSingularity:
            ReportDiagnostic(Singularity, report.arg1);
            break;
        case MathOverflow:
            ReportDiagnostic(Overflow, report.retval);
            break;
        case MathUnderflow:
            ReportDiagnostic(Underflow, report.retval);
            break;
        case MathTotalLoss:
            ReportDiagnostic(TotalLoss, report.retval);
            break;
        case MathPartialLoss:
            ReportDiagnostic(PartialLoss, report.retval);
            break;
        default:
            break;
    }
    return 1;
}

void ResetEngineState(AngleUnit unit) {
    engineState.succeeded = true;
    engineState.operation = OpNone;
    engineState.lastDiagnostic = NoDiagnostic;
    engineState.suppressOverflow = false;
    if (engineState.logReceiver != nullptr) engineState.logReceiver->Clear();
    engineState.angleUnit = unit;
}

}  // namespace NCalculatorText

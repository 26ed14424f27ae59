// Diagnostics of the expression engine: kinds, operation codes, the engine
// state and the receiver interface the log panel implements.
#pragma once

#include <cstdint>
#include <string>

namespace NCalculatorText {

enum DiagnosticKind : int32_t {
    SyntaxError = 0,
    UninitializedMemory = 1,
    Overflow = 2,
    Underflow = 3,
    NotDefined = 4,
    Singularity = 5,
    PartialLoss = 6,
    TotalLoss = 7,
    NoDiagnostic = 8,
    UnknownError = 9,
};

enum OperationCode : int32_t {
    OpNone = 0,
    OpNumber = 1,
    OpDivision = 2,
    OpMultiplication = 3,
    OpAddition = 4,
    OpSubtraction = 5,
    OpSine = 6,
    OpCosine = 7,
    OpTangent = 8,
    OpCotangent = 9,
    OpSecant = 10,
    OpCosecant = 11,
    OpArcsine = 12,
    OpArccosine = 13,
    OpArctangent = 14,
    OpArccotangent = 15,
    OpArcsecant = 16,
    OpArccosecant = 17,
    OpHyperbolicCosine = 18,
    OpHyperbolicSine = 19,
    OpHyperbolicTangent = 20,
    OpHyperbolicCotangent = 21,
    OpHyperbolicSecant = 22,
    OpHyperbolicCosecant = 23,
    OpArchyperbolicCosine = 24,
    OpArchyperbolicSine = 25,
    OpArchyperbolicTangent = 26,
    OpArchyperbolicCotangent = 27,
    OpArchyperbolicSecant = 28,
    OpArchyperbolicCosecant = 29,
    OpNaturalLogarithm = 30,
    OpDecimalLogarithm = 31,
    OpPower = 32,
    OpExponent = 33,
    OpFactorial = 34,
    OpMemory = 35,
    OpSquareRoot = 36,
};

enum AngleUnit : int32_t {
    Radians = 0,
    Degrees = 1,
    Grads = 2,
};

// Handed to the receiver for the duration of one AddMessage call only.
struct Diagnostic {
    int32_t severity;             // 1 error, 0 warning
    const char16_t* context;      // NUL-terminated
    const char16_t* description;  // NUL-terminated
};

class ILogReceiver {
public:
    virtual void AddMessage(const Diagnostic& record) = 0;
    virtual void Clear() = 0;

protected:
    ~ILogReceiver() = default;
};

class CNode;

// Told of every diagnostic as it is reported (suppressed ones excluded),
// beside the log receiver: the driver learns from it where each came from.
class IDiagnosticObserver {
public:
    virtual void Reported(int32_t severity) = 0;

protected:
    ~IDiagnosticObserver() = default;
};

struct EngineState {
    bool succeeded = true;
    OperationCode operation = OpNone;
    DiagnosticKind lastDiagnostic = NoDiagnostic;
    bool suppressOverflow = false;
    AngleUnit angleUnit = Radians;
    ILogReceiver* logReceiver = nullptr;
    // The node whose operation is in progress (the one `operation` names),
    // while a tree evaluates.
    const CNode* frameNode = nullptr;
    IDiagnosticObserver* observer = nullptr;
};

// The one process-wide engine state.
extern EngineState engineState;

// Records and reports one diagnostic (kinds outside 0..7 become UnknownError).
void ReportDiagnostic(int32_t kind, double value);

// What a math library function reports when it meets an error.
enum MathErrorType : int32_t {
    MathDomain = 1,
    MathSingularity = 2,
    MathOverflow = 3,
    MathUnderflow = 4,
    MathTotalLoss = 5,
    MathPartialLoss = 6,
};

struct MathErrorReport {
    int32_t type;
    const char* name;
    double arg1;
    double arg2;
    double retval;
};

// The math-error handler; always answers 1 (handled).
int OnMathError(const MathErrorReport& report);

// Context text of an operation code ("Undefined" for unknown codes).
const char16_t* OperationContext(int32_t code);

// 1 for errors, 0 for warnings.
int32_t DiagnosticSeverity(int32_t kind);

// The formatted description text of a diagnostic.
std::u16string DescribeDiagnostic(int32_t kind, double value, int32_t operation);

// Resets the state at the start of a run: flags, log receiver, angle unit.
void ResetEngineState(AngleUnit unit);

}  // namespace NCalculatorText

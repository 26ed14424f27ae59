// Diagnostic kinds, their texts and contexts, the math-error handler and the
// engine state a run leaves behind.
#include <cmath>
#include <limits>

#include "tests/engine/EngineTestSupport.h"

namespace engine_test {
namespace {

using namespace NCalculatorText;

constexpr double kInf = std::numeric_limits<double>::infinity();

// Puts the state where a run would have it just before the report.
void PrepareState(int32_t operation) {
    engineState.succeeded = true;
    engineState.operation = static_cast<OperationCode>(operation);
    engineState.lastDiagnostic = NoDiagnostic;
    engineState.suppressOverflow = false;
}

struct ReportCase {
    const char* name;
    int32_t kind;
    double value;
    int32_t operation;
    Logged expected;
    DiagnosticKind recorded;
};
void PrintTo(const ReportCase& row, std::ostream* out) { *out << row.name; }

class ReportDiagnosticTest : public EngineTestWithParam<ReportCase> {};

TEST_P(ReportDiagnosticTest, ReportsKindText) {
    const ReportCase& row = GetParam();
    PrepareState(row.operation);
    ReportDiagnostic(row.kind, row.value);
    EXPECT_EQ(log.messages, std::vector<Logged>{row.expected});
    EXPECT_EQ(engineState.lastDiagnostic, row.recorded);
    // Only errors clear the flag.
    EXPECT_EQ(engineState.succeeded, row.expected.severity == 0);
    EXPECT_EQ(engineState.operation, row.operation);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, ReportDiagnosticTest, ::testing::Values(
    ReportCase{"syntax_error", 0, 0.0, 0, Error("None", "Syntax error"), SyntaxError},
    ReportCase{"uninitialized_memory", 1, 0.0, 35,
               Warning("Memory", "Uninitialized memory used, value forced to 0"), UninitializedMemory},
    ReportCase{"overflow_positive", 2, kInf, 3, Overflowed("Multiplication", true), Overflow},
    ReportCase{"overflow_negative", 2, -kInf, 4, Overflowed("Addition", false), Overflow},
    ReportCase{"overflow_zero_says_negative", 2, 0.0, 4, Overflowed("Addition", false), Overflow},
    ReportCase{"overflow_finite_positive", 2, 5.0, 33, Overflowed("Exponent", true), Overflow},
    ReportCase{"underflow_zero", 3, 0.0, 33, Underflowed("Exponent"), Underflow},
    ReportCase{"underflow_denormal", 3, 1e-310, 32,
               Warning("Power",
                       "Operation resulted in underflow, result accepted as 9.9999999999999694493e-311"),
               Underflow},
    ReportCase{"not_defined_tenth", 4, 0.1, 16,
               Error("Arcsecant", "Function is not defined for 0.10000000000000000555"), NotDefined},
    ReportCase{"not_defined_negative", 4, -2.5, 34, Error("Factorial", "Function is not defined for -2.5"),
               NotDefined},
    ReportCase{"singularity_in_division", 5, 0.0, 2, Error("Division", "Operation has singularity at 0"),
               Singularity},
    ReportCase{"singularity_in_function", 5, 1.0, 26,
               Error("Archyperbolic tangent", "Function has singularity at 1"), Singularity},
    ReportCase{"singularity_in_unknown_operation", 5, 0.0, 99,
               Error("Undefined", "Function has singularity at 0"), Singularity},
    ReportCase{"partial_loss", 6, 1e300, 32,
               Warning("Power",
                       "Operation resulted in partial loss of precision, result accepted as "
                       "1.0000000000000000525e+300"),
               PartialLoss},
    ReportCase{"total_loss", 7, 2.0, 6,
               Warning("Sine", "Operation resulted in total loss of precision, result accepted as 2"),
               TotalLoss},
    ReportCase{"unknown_kind_twelve", 12, 0.0, 0, Error("None", "Unknown error"), UnknownError},
    ReportCase{"unknown_kind_nine", 9, 0.0, 0, Error("None", "Unknown error"), UnknownError},
    ReportCase{"no_diagnostic_kind_is_unknown", 8, 0.0, 0, Error("None", "Unknown error"), UnknownError},
    ReportCase{"negative_kind_is_unknown", -1, 0.0, 0, Error("None", "Unknown error"), UnknownError},
    ReportCase{"unknown_kind_names_operation", 12, 3.0, 30, Error("Natural logarithm", "Unknown error"),
               UnknownError}
), RowName());
// clang-format on

struct ContextCase {
    const char* name;
    int32_t operation;
    const char* context;
};
void PrintTo(const ContextCase& row, std::ostream* out) { *out << row.name; }

class OperationContextTest : public EngineTestWithParam<ContextCase> {};

TEST_P(OperationContextTest, NamesTheOperation) {
    const ContextCase& row = GetParam();
    PrepareState(row.operation);
    ReportDiagnostic(SyntaxError, 0.0);
    EXPECT_EQ(log.messages, std::vector<Logged>{Error(row.context, "Syntax error")});
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Codes, OperationContextTest, ::testing::Values(
    ContextCase{"none", 0, "None"},
    ContextCase{"number", 1, "Number"},
    ContextCase{"division", 2, "Division"},
    ContextCase{"multiplication", 3, "Multiplication"},
    ContextCase{"addition", 4, "Addition"},
    ContextCase{"subtraction", 5, "Subtraction"},
    ContextCase{"sine", 6, "Sine"},
    ContextCase{"cosine", 7, "Cosine"},
    ContextCase{"tangent", 8, "Tangent"},
    ContextCase{"cotangent", 9, "Cotangent"},
    ContextCase{"secant", 10, "Secant"},
    ContextCase{"cosecant", 11, "Cosecant"},
    ContextCase{"arcsine", 12, "Arcsine"},
    ContextCase{"arccosine", 13, "Arccosine"},
    ContextCase{"arctangent", 14, "Arctangent"},
    ContextCase{"arccotangent", 15, "Arccotangent"},
    ContextCase{"arcsecant", 16, "Arcsecant"},
    ContextCase{"arccosecant", 17, "Arccosecant"},
    ContextCase{"hyperbolic_cosine", 18, "Hyperbolic cosine"},
    ContextCase{"hyperbolic_sine", 19, "Hyperbolic sine"},
    ContextCase{"hyperbolic_tangent", 20, "Hyperbolic tangent"},
    ContextCase{"hyperbolic_cotangent", 21, "Hyperbolic cotangent"},
    ContextCase{"hyperbolic_secant", 22, "Hyperbolic secant"},
    ContextCase{"hyperbolic_cosecant", 23, "Hyperbolic cosecant"},
    ContextCase{"archyperbolic_cosine", 24, "Archyperbolic cosine"},
    ContextCase{"archyperbolic_sine", 25, "Archyperbolic sine"},
    ContextCase{"archyperbolic_tangent", 26, "Archyperbolic tangent"},
    ContextCase{"archyperbolic_cotangent", 27, "Archyperbolic cotangent"},
    ContextCase{"archyperbolic_secant", 28, "Archyperbolic secant"},
    ContextCase{"archyperbolic_cosecant", 29, "Archyperbolic cosecant"},
    ContextCase{"natural_logarithm", 30, "Natural logarithm"},
    ContextCase{"decimal_logarithm", 31, "Decimal logarithm"},
    ContextCase{"power", 32, "Power"},
    ContextCase{"exponent", 33, "Exponent"},
    ContextCase{"factorial", 34, "Factorial"},
    ContextCase{"memory", 35, "Memory"},
    ContextCase{"square_root", 36, "Square root"},
    ContextCase{"first_unknown_code", 37, "Undefined"},
    ContextCase{"negative_code", -1, "Undefined"},
    ContextCase{"large_code", 1000, "Undefined"}
), RowName());
// clang-format on

struct MathErrorCase {
    const char* name;
    MathErrorReport report;
    std::vector<Logged> expected;
    DiagnosticKind recorded;
};
void PrintTo(const MathErrorCase& row, std::ostream* out) { *out << row.name; }

class MathErrorTest : public EngineTestWithParam<MathErrorCase> {};

TEST_P(MathErrorTest, TurnsReportIntoDiagnostic) {
    const MathErrorCase& row = GetParam();
    PrepareState(OpNaturalLogarithm);
    EXPECT_EQ(OnMathError(row.report), 1);
    EXPECT_EQ(log.messages, row.expected);
    EXPECT_EQ(engineState.lastDiagnostic, row.recorded);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Types, MathErrorTest, ::testing::Values(
    MathErrorCase{"domain_passes_argument", {1, "log", -4.0, 0.0, kNaN},
                  {Error("Natural logarithm", "Function is not defined for -4")}, NotDefined},
    MathErrorCase{"singularity_passes_argument", {2, "log", 0.0, 0.0, -kInf},
                  {Error("Natural logarithm", "Function has singularity at 0")}, Singularity},
    MathErrorCase{"overflow_passes_returned_value", {3, "exp", 1000.0, 0.0, kInf},
                  {Overflowed("Natural logarithm", true)}, Overflow},
    MathErrorCase{"overflow_to_minus_infinity", {3, "sinh", -1000.0, 0.0, -kInf},
                  {Overflowed("Natural logarithm", false)}, Overflow},
    MathErrorCase{"underflow_passes_returned_value", {4, "exp", -1000.0, 0.0, 0.0},
                  {Underflowed("Natural logarithm")}, Underflow},
    MathErrorCase{"total_loss", {5, "sin", 1e300, 0.0, 0.5},
                  {Warning("Natural logarithm",
                           "Operation resulted in total loss of precision, result accepted as 0.5")},
                  TotalLoss},
    MathErrorCase{"partial_loss", {6, "tan", 1e18, 0.0, 1.5},
                  {Warning("Natural logarithm",
                           "Operation resulted in partial loss of precision, result accepted as 1.5")},
                  PartialLoss},
    MathErrorCase{"unknown_type_zero", {0, "log", 1.0, 0.0, 1.0}, {}, NoDiagnostic},
    MathErrorCase{"unknown_type_seven", {7, "log", 1.0, 0.0, 1.0}, {}, NoDiagnostic}
), RowName());
// clang-format on

TEST_F(EngineTest, SuppressedOverflowIsOnlyRecorded) {
    PrepareState(OpHyperbolicSecant);
    engineState.suppressOverflow = true;
    ReportDiagnostic(Overflow, kInf);
    EXPECT_TRUE(log.messages.empty());
    EXPECT_EQ(engineState.lastDiagnostic, Overflow);
    EXPECT_TRUE(engineState.succeeded);

    // Other kinds still go through while overflow is suppressed.
    ReportDiagnostic(NotDefined, 3.0);
    EXPECT_EQ(log.messages,
              std::vector<Logged>{Error("Hyperbolic secant", "Function is not defined for 3")});
    EXPECT_FALSE(engineState.succeeded);
}

TEST_F(EngineTest, DiagnosticsWithoutReceiverStillUpdateState) {
    engineState.logReceiver = nullptr;
    PrepareState(OpNone);
    ReportDiagnostic(UninitializedMemory, 0.0);
    EXPECT_TRUE(engineState.succeeded);
    EXPECT_EQ(engineState.lastDiagnostic, UninitializedMemory);
    ReportDiagnostic(12, 0.0);
    EXPECT_FALSE(engineState.succeeded);
    EXPECT_EQ(engineState.lastDiagnostic, UnknownError);
}

TEST_F(EngineTest, FailingRunWithoutReceiverStops) {
    engineState.logReceiver = nullptr;
    const RunResult run = Run("1+1; 1/0 = 4; 2+2", -1);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.text, "1+1=2; 1/0  ; 2+2");
    EXPECT_EQ(run.position, -1);
    EXPECT_FALSE(engineState.succeeded);
    EXPECT_EQ(engineState.lastDiagnostic, Singularity);
    EXPECT_TRUE(log.messages.empty());
}

struct StateCase {
    const char* name;
    std::string text;
    bool ok;
    bool succeeded;
    DiagnosticKind lastDiagnostic;
};
void PrintTo(const StateCase& row, std::ostream* out) { *out << row.name; }

class RunStateTest : public EngineTestWithParam<StateCase> {};

TEST_P(RunStateTest, LeavesStateBehind) {
    const StateCase& row = GetParam();
    // Leftovers of an earlier run that the reset must undo.
    engineState.succeeded = false;
    engineState.operation = OpArccosecant;
    engineState.lastDiagnostic = Overflow;
    engineState.suppressOverflow = true;

    const RunResult run = Run(row.text);
    EXPECT_EQ(run.ok, row.ok);
    EXPECT_EQ(engineState.succeeded, row.succeeded);
    EXPECT_EQ(engineState.lastDiagnostic, row.lastDiagnostic);
    EXPECT_EQ(engineState.operation, OpNone);
    EXPECT_FALSE(engineState.suppressOverflow);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Runs, RunStateTest, ::testing::Values(
    StateCase{"clean_run", "1+1", true, true, NoDiagnostic},
    StateCase{"warning_run", "mem[q]+1", true, true, UninitializedMemory},
    StateCase{"evaluation_error", "sin(1)+1/0", false, false, Singularity},
    StateCase{"error_inside_function", "sin(sqrt(-1))", false, false, NotDefined},
    StateCase{"syntax_error", "2+", false, false, SyntaxError},
    StateCase{"suppressed_overflow_becomes_underflow", "sech(1000)", true, true, Underflow},
    StateCase{"unterminated_comment", "1 /* 2", false, false, SyntaxError},
    StateCase{"nothing_to_calculate", ";;", true, true, NoDiagnostic}
), RowName());
// clang-format on

TEST_F(EngineTest, EveryRunClearsTheLogFirst) {
    Run("mem[q]");
    EXPECT_EQ(log.clears, 1);
    EXPECT_EQ(log.messages.size(), 1u);
    const RunResult second = Run("1+1");
    EXPECT_EQ(log.clears, 2);
    EXPECT_TRUE(second.log.empty());
    Run("/* open");
    EXPECT_EQ(log.clears, 3);
    EXPECT_EQ(log.messages, std::vector<Logged>{SyntaxFailure()});
}

TEST_F(EngineTest, AngleUnitFollowsPreference) {
    const std::pair<uint32_t, AngleUnit> rows[] = {
        {0, Radians}, {1, Degrees}, {2, Grads}, {3, Radians}, {0xFFFFFFFFu, Radians}};
    for (const auto& [preference, unit] : rows) {
        Preferences.TrigonometricUnits = preference;
        Run("1");
        EXPECT_EQ(engineState.angleUnit, unit) << "preference " << preference;
    }
}

TEST_F(EngineTest, WarningsDoNotStopTheRun) {
    const RunResult run = Run("mem[a]+1; 1e-200*1e-200; fact(23)/1e22", -1);
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.text, "mem[a]+1=1; 1e-200*1e-200=0; fact(23)/1e22=2.585201673888497975");
    EXPECT_EQ(run.position, Units(run.text));
    EXPECT_EQ(run.log,
              (std::vector<Logged>{
                  Warning("Memory", "Uninitialized memory used, value forced to 0"),
                  Underflowed("Multiplication"),
                  Warning("Factorial",
                          "Operation resulted in partial loss of precision, result accepted as "
                          "2.5852016738884978213e+22")}));
}

TEST_F(EngineTest, RunReportsAtMostOneErrorAndItIsLast) {
    const RunResult run = Run("mem[a]; 1/0; 2/0", -1);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.text, "mem[a]=0; 1/0; 2/0");
    EXPECT_EQ(run.log, (std::vector<Logged>{
                           Warning("Memory", "Uninitialized memory used, value forced to 0"),
                           Error("Division", "Operation has singularity at 0")}));
}

}  // namespace
}  // namespace engine_test

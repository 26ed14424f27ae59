// Evaluation of the node tree: guarded arithmetic, angle units, the math
// library's error conditions and the functions built on the logarithm.
#include "tests/engine/EngineTestSupport.h"

namespace engine_test {
namespace {

constexpr uint32_t kRad = 0;
constexpr uint32_t kDeg = 1;
constexpr uint32_t kGrad = 2;

constexpr const char* kPi = "3.141592653589793116";
constexpr const char* kHalfPi = "1.570796326794896558";
constexpr const char* kTanHalfPi = "16331239353195370";

Logged NotDefinedFor(std::string context, std::string value) {
    return Error(std::move(context), "Function is not defined for " + value);
}

Logged FunctionSingularity(std::string context, std::string value) {
    return Error(std::move(context), "Function has singularity at " + value);
}

Logged DivisionByZero() { return Error("Division", "Operation has singularity at 0"); }

class EvaluationTest : public ExpressionTest {};

TEST_P(EvaluationTest, Calculates) { Check(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, EvaluationTest, ::testing::Values(
    Fails("division_by_zero", "1/0", {DivisionByZero()}),
    Gives("cotangent_of_zero", "ctg(0)", kTanHalfPi),
    Gives("sine_of_pi", "sin(pi)", "0"),
    Gives("sine_of_180_degrees", "sin(180)", "0", {}, kDeg),
    Gives("sine_of_30_degrees", "sin(30)", "0.4999999999999999445", {}, kDeg),
    Gives("cosine_of_90_degrees", "cos(90)", "6.123233995736766036e-17", {}, kDeg),
    Fails("arcsine_of_two", "asin(2)", {NotDefinedFor("Arcsine", "2")}),
    Fails("arcsecant_of_half", "arcsec(0.5)", {NotDefinedFor("Arcsecant", "0.5")}),
    Gives("arctangent_in_degrees", "atan(1)", "45", {}, kDeg),
    Gives("arctangent_in_grads", "atan(1)", "50", {}, kGrad),
    Gives("factorial_of_five", "fact(5)", "120"),
    Gives("factorial_of_zero", "fact(0)", "1"),
    Fails("factorial_of_fraction", "fact(2.5)", {NotDefinedFor("Factorial", "2.5")}),
    Fails("factorial_of_negative", "fact(-1)", {NotDefinedFor("Factorial", "-1")}),
    Gives("factorial_of_23_is_inexact", "fact(23)", "2.585201673888497821e+22",
          {Warning("Factorial",
                   "Operation resulted in partial loss of precision, result accepted as "
                   "2.5852016738884978213e+22")}),
    Fails("factorial_of_171", "fact(171)", {Overflowed("Factorial", true)}),
    Gives("sign_of_negative_zero", "sign(-0)", "0"),
    Gives("abs_of_negative", "abs(-3)", "3"),
    Gives("negated_zero", "-(0)", "-0"),
    Fails("artanh_of_one", "arth(1)", {FunctionSingularity("Archyperbolic tangent", "1")}),
    Fails("artanh_of_two", "arth(2)", {NotDefinedFor("Archyperbolic tangent", "2")}),
    Fails("arcoth_of_half", "arcth(0.5)", {NotDefinedFor("Archyperbolic cotangent", "0.5")}),
    Fails("arsech_of_zero", "arsch(0)", {FunctionSingularity("Archyperbolic secant", "0")}),
    Gives("sech_of_large", "sech(1000)", "0", {Underflowed("Hyperbolic secant")}),
    Gives("csch_of_large_negative", "csch(-1000)", "0", {Underflowed("Hyperbolic cosecant")}),
    Fails("product_overflow", "1e308*10", {Overflowed("Multiplication", true)}),
    Fails("negative_product_overflow", "(-1e308)*10", {Overflowed("Multiplication", false)}),
    Fails("negation_applies_to_product", "-1e308*10", {Overflowed("Multiplication", true)}),
    Gives("product_underflow", "1e-200*1e-200", "0", {Underflowed("Multiplication")}),
    Fails("logarithm_of_zero", "ln(0)", {FunctionSingularity("Natural logarithm", "0")}),
    Fails("root_of_negative", "sqrt(-4)", {NotDefinedFor("Square root", "-4")})
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(GuardedArithmetic, EvaluationTest, ::testing::Values(
    Fails("sum_overflow", "1e308+1e308", {Overflowed("Addition", true)}),
    Fails("difference_overflow_negative", "-1e308-1e308", {Overflowed("Subtraction", false)}),
    Fails("difference_overflow_positive", "1e308-(-1e308)", {Overflowed("Subtraction", true)}),
    Fails("quotient_overflow", "1e308/1e-10", {Overflowed("Division", true)}),
    Fails("negative_quotient_overflow", "(-1e308)/1e-10", {Overflowed("Division", false)}),
    Gives("quotient_underflow", "1e-308/1e100", "0", {Underflowed("Division")}),
    Gives("half_of_smallest_denormal", "5e-324/2", "0", {Underflowed("Division")}),
    Gives("product_rounds_to_zero", "5e-324*0.5", "0", {Underflowed("Multiplication")}),
    Gives("zero_dividend_is_no_underflow", "0/5", "0"),
    Gives("zero_factor_is_no_underflow", "0*1e-200", "0"),
    Fails("zero_by_zero", "0/0", {DivisionByZero()}),
    Fails("divisor_negative_zero", "1/(-0)", {DivisionByZero()}),
    Fails("divisor_computed_zero", "5/(1-1)", {DivisionByZero()}),
    Fails("failure_in_left_operand_stops", "1/0+sqrt(-1)", {DivisionByZero()}),
    Fails("failure_in_right_operand_names_its_operation", "1+sqrt(-1)",
          {NotDefinedFor("Square root", "-1")}),
    Gives("abs_of_negative_zero_is_zero", "abs(-0)", "0"),
    Gives("abs_of_negative_zero_product", "abs(-1*0)", "0"),
    Gives("negative_zero_literal", "-0", "-0"),
    Gives("third", "1/3", "0.3333333333333333148")
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Factorial, EvaluationTest, ::testing::Values(
    Gives("one", "fact(1)", "1"),
    Gives("twenty_two_is_exact", "fact(22)", "1.12400072777760768e+21"),
    Gives("largest", "fact(170)", "7.257415615307994045e+306",
          {Warning("Factorial",
                   "Operation resulted in partial loss of precision, result accepted as "
                   "7.2574156153079940454e+306")}),
    Fails("fraction_above_limit", "fact(170.5)", {NotDefinedFor("Factorial", "170.5")}),
    Fails("huge_integer", "fact(1e300)", {Overflowed("Factorial", true)})
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(AngleUnits, EvaluationTest, ::testing::Values(
    Gives("rad_sine_of_minus_pi", "sin(-pi)", "0", {}, kRad),
    Gives("rad_cosine_of_pi", "cos(pi)", "-1", {}, kRad),
    Gives("rad_tangent_of_half_pi", "tg(pi/2)", kTanHalfPi, {}, kRad),
    Gives("rad_secant_of_half_pi", "sec(pi/2)", kTanHalfPi, {}, kRad),
    Gives("rad_cosecant_of_pi", "cosec(pi)", "8165619676597685", {}, kRad),
    Gives("rad_arcsine", "asin(1)", kHalfPi, {}, kRad),
    Gives("rad_arcsecant_of_minus_one", "arcsec(-1)", kPi, {}, kRad),
    Gives("rad_arccotangent_of_zero", "arcctg(0)", kHalfPi, {}, kRad),
    Gives("unknown_unit_is_radians", "sin(1)", "0.8414709848078965049", {}, 7),
    Gives("deg_cosine_of_60", "cos(60)", "0.500000000000000111", {}, kDeg),
    Gives("deg_tangent_of_45", "tg(45)", "0.999999999999999889", {}, kDeg),
    Gives("deg_cotangent_of_45", "ctg(45)", "0.999999999999999889", {}, kDeg),
    Gives("deg_cotangent_of_90", "ctg(90)", "0", {}, kDeg),
    Gives("deg_tangent_of_90", "tg(90)", kTanHalfPi, {}, kDeg),
    Gives("deg_secant_of_60", "sec(60)", "1.999999999999999556", {}, kDeg),
    Gives("deg_secant_of_90", "sec(90)", kTanHalfPi, {}, kDeg),
    Gives("deg_cosecant_of_30", "cosec(30)", "2.000000000000000444", {}, kDeg),
    Gives("deg_cosecant_of_180", "cosec(180)", "8165619676597685", {}, kDeg),
    Gives("deg_sine_of_minus_180", "sin(-180)", "0", {}, kDeg),
    Gives("deg_sine_of_360", "sin(360)", "-2.449293598294706414e-16", {}, kDeg),
    Gives("deg_arcsine", "asin(0.5)", "30.00000000000000355", {}, kDeg),
    Gives("deg_arccosine", "acos(0.5)", "60.00000000000000711", {}, kDeg),
    Gives("deg_arccotangent", "arcctg(1)", "45", {}, kDeg),
    Gives("deg_arcsecant", "arcsec(2)", "60.00000000000000711", {}, kDeg),
    Gives("deg_arccosecant", "arccosec(2)", "30.00000000000000355", {}, kDeg),
    Gives("deg_arctangent_of_huge", "atan(1e308)", "90", {}, kDeg),
    Gives("deg_hyperbolic_ignores_unit", "sh(1)", "1.175201193643801378", {}, kDeg),
    Fails("deg_conversion_overflow", "sin(1e308)", {Overflowed("Sine", true)}, kDeg),
    Fails("deg_conversion_overflow_negative", "sin(-1e308)", {Overflowed("Sine", false)}, kDeg),
    Gives("deg_conversion_underflow", "sin(5e-324)", "0", {Underflowed("Sine")}, kDeg),
    Gives("grad_sine_of_50", "sin(50)", "0.7071067811865474617", {}, kGrad),
    Gives("grad_sine_of_200", "sin(200)", "0", {}, kGrad),
    Gives("grad_cosine_of_100", "cos(100)", "6.123233995736766036e-17", {}, kGrad),
    Gives("grad_tangent_of_50", "tg(50)", "0.999999999999999889", {}, kGrad),
    Gives("grad_cotangent_of_50", "ctg(50)", "0.999999999999999889", {}, kGrad),
    Gives("grad_secant_of_100", "sec(100)", kTanHalfPi, {}, kGrad),
    Gives("grad_cosecant_of_100", "cosec(100)", "1", {}, kGrad),
    Gives("grad_arcsine", "asin(0.5)", "33.3333333333333357", {}, kGrad),
    Gives("grad_arccosine", "acos(0.5)", "66.6666666666666714", {}, kGrad),
    Gives("grad_arccotangent", "arcctg(1)", "50", {}, kGrad),
    Gives("grad_arcsecant", "arcsec(2)", "66.6666666666666714", {}, kGrad),
    Gives("grad_arccosecant", "arccosec(2)", "33.3333333333333357", {}, kGrad),
    Fails("grad_conversion_overflow", "cos(1e308)", {Overflowed("Cosine", true)}, kGrad)
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Trigonometry, EvaluationTest, ::testing::Values(
    Fails("cosecant_of_zero", "cosec(0)", {FunctionSingularity("Cosecant", "0")}),
    Fails("cosecant_of_negative_zero", "cosec(-0)", {FunctionSingularity("Cosecant", "-0")}),
    Gives("arcsecant_of_one", "arcsec(1)", "0"),
    Fails("arcsecant_of_zero", "arcsec(0)", {NotDefinedFor("Arcsecant", "0")}),
    Fails("arcsecant_of_minus_half", "arcsec(-0.5)", {NotDefinedFor("Arcsecant", "-0.5")}),
    Fails("arcsecant_of_tenth", "arcsec(0.1)",
          {NotDefinedFor("Arcsecant", "0.10000000000000000555")}),
    Fails("arccosecant_of_tenth", "arccosec(0.1)",
          {NotDefinedFor("Arccosecant", "0.10000000000000000555")}),
    Fails("arcsine_below_range", "asin(-1.5)", {NotDefinedFor("Arcsine", "-1.5")}),
    Fails("arccosine_above_range", "acos(2)", {NotDefinedFor("Arccosine", "2")})
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(MathLibrary, EvaluationTest, ::testing::Values(
    Gives("root_of_zero", "sqrt(0)", "0"),
    Gives("root_of_negative_zero", "sqrt(-0)", "-0"),
    Gives("root_of_two", "sqrt(2)", "1.414213562373095145"),
    Fails("logarithm_of_negative", "ln(-1)", {NotDefinedFor("Natural logarithm", "-1")}),
    Fails("logarithm_of_negative_zero", "ln(-0)", {FunctionSingularity("Natural logarithm", "-0")}),
    Fails("decimal_logarithm_of_negative", "lg(-1)", {NotDefinedFor("Decimal logarithm", "-1")}),
    Fails("decimal_logarithm_of_zero", "lg(0)", {FunctionSingularity("Decimal logarithm", "0")}),
    Fails("log_of_zero", "log(0)", {FunctionSingularity("Decimal logarithm", "0")}),
    Fails("cube_root_of_negative_by_power", "(-8)^(1/3)", {NotDefinedFor("Power", "-8")}),
    Fails("square_root_of_negative_by_power", "(-2)^0.5", {NotDefinedFor("Power", "-2")}),
    Fails("zero_to_negative_power", "0^(-1)", {FunctionSingularity("Power", "0")}),
    Fails("zero_to_negative_fraction", "0^(-0.5)", {FunctionSingularity("Power", "0")}),
    Gives("zero_to_zero", "0^0", "1"),
    Gives("negative_base_integer_exponent", "(-8)^3", "-512"),
    Fails("power_overflow", "2^1024", {Overflowed("Power", true)}),
    Fails("power_overflow_negative", "(-2)^1025", {Overflowed("Power", false)}),
    Gives("power_underflow", "2^(-1080)", "0", {Underflowed("Power")}),
    Fails("exponent_overflow", "exp(1000)", {Overflowed("Exponent", true)}),
    Gives("exponent_underflow", "exp(-1000)", "0", {Underflowed("Exponent")}),
    Gives("exponent_near_limit", "exp(709)", "8.218407461554972385e+307"),
    Gives("exponent_of_zero", "exp(0)", "1"),
    Fails("sinh_overflow", "sh(1000)", {Overflowed("Hyperbolic sine", true)}),
    Fails("sinh_overflow_negative", "sh(-1000)", {Overflowed("Hyperbolic sine", false)}),
    Fails("cosh_overflow", "ch(1000)", {Overflowed("Hyperbolic cosine", true)}),
    Fails("cosh_overflow_negative_argument", "ch(-1000)", {Overflowed("Hyperbolic cosine", true)}),
    Gives("tanh_saturates", "th(1000)", "1"),
    Gives("coth_saturates", "cth(1000)", "1"),
    Gives("coth_saturates_negative", "cth(-1000)", "-1"),
    Fails("coth_of_zero", "cth(0)", {FunctionSingularity("Hyperbolic cotangent", "0")})
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(HyperbolicReciprocals, EvaluationTest, ::testing::Values(
    Gives("sech_of_large_negative", "sech(-1000)", "0", {Underflowed("Hyperbolic secant")}),
    Gives("csch_of_large", "csch(1000)", "0", {Underflowed("Hyperbolic cosecant")}),
    Gives("sech_just_below_overflow", "sech(710)", "8.952572451350259545e-309"),
    Gives("sech_of_zero", "sech(0)", "1"),
    Fails("csch_of_zero", "csch(0)", {FunctionSingularity("Hyperbolic cosecant", "0")}),
    Gives("sech_warning_does_not_stop_the_sum", "sech(1000)+sech(0)", "1",
          {Underflowed("Hyperbolic secant")})
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(InverseHyperbolic, EvaluationTest, ::testing::Values(
    Gives("arsh_of_minus_1e10", "arsh(-1e10)", "-23.71899811050040086"),
    Gives("arsh_of_minus_1000", "arsh(-1000)", "-7.600902709541988322"),
    Gives("arsh_of_minus_one", "arsh(-1)", "-0.8813735870195429367"),
    Gives("arsh_of_zero", "arsh(0)", "0"),
    Gives("arsh_square_still_finite", "arsh(1e154)", "355.2912515016429893"),
    Gives("arsh_square_not_finite", "arsh(1.5e154)", "355.6967166097511495"),
    Gives("arsh_of_1e200", "arsh(1e200)", "461.2101657793691061"),
    Gives("arsh_of_minus_1e200", "arsh(-1e200)", "-461.2101657793691061"),
    Gives("arsh_of_largest_double", "arsh(1.7976931348623157e308)", "710.4758600739438634"),
    Gives("arsh_of_tiny_warns_square_underflow", "arsh(1e-200)", "0",
          {Underflowed("Archyperbolic sine")}),
    Gives("arch_of_one", "arch(1)", "0"),
    Fails("arch_below_one", "arch(0.5)", {NotDefinedFor("Archyperbolic cosine", "0.5")}),
    Gives("arch_product_not_finite", "arch(1.5e154)", "355.6967166097511495"),
    Gives("arch_of_1e200", "arch(1e200)", "461.2101657793691061"),
    Gives("arch_of_1e300", "arch(1e300)", "691.4686750787735718"),
    Gives("arth_of_zero", "arth(0)", "0"),
    Gives("arth_of_minus_half", "arth(-0.5)", "-0.5493061443340548911"),
    Fails("arth_of_minus_one", "arth(-1)", {FunctionSingularity("Archyperbolic tangent", "-1")}),
    Gives("arcth_of_minus_two", "arcth(-2)", "-0.5493061443340548911"),
    Fails("arcth_of_one", "arcth(1)", {FunctionSingularity("Archyperbolic cotangent", "1")}),
    Fails("arcth_of_minus_one", "arcth(-1)", {FunctionSingularity("Archyperbolic cotangent", "-1")}),
    Fails("arcth_of_zero", "arcth(0)", {NotDefinedFor("Archyperbolic cotangent", "0")}),
    Gives("arsch_of_one", "arsch(1)", "0"),
    Gives("arsch_of_tiny", "arsch(1e-200)", "461.2101657793691061"),
    Fails("arsch_of_negative", "arsch(-0.1)",
          {NotDefinedFor("Archyperbolic secant", "-0.10000000000000000555")}),
    Fails("arsch_above_one", "arsch(2)", {NotDefinedFor("Archyperbolic secant", "2")}),
    Gives("arcsch_of_minus_two", "arcsch(-2)", "-0.4812118250596034708"),
    Gives("arcsch_of_minus_tiny", "arcsch(-1e-10)", "-23.71899811050040086"),
    Gives("arcsch_of_1e_minus_200", "arcsch(1e-200)", "461.2101657793691061"),
    Gives("arcsch_of_minus_1e_minus_200", "arcsch(-1e-200)", "-461.2101657793691061"),
    Fails("arcsch_of_zero", "arcsch(0)", {FunctionSingularity("Archyperbolic cosecant", "0")})
), RowName());
// clang-format on

}  // namespace
}  // namespace engine_test

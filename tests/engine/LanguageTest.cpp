// The expression language: precedence, signs, numbers, names, brackets and
// the characters the parser treats specially. Every case goes through the
// driver as a one-cell text.
#include <memory>

#include "engine/Nodes.h"
#include "tests/engine/EngineTestSupport.h"

namespace engine_test {
namespace {

using namespace NCalculatorText;

constexpr const char* kPi = "3.141592653589793116";
constexpr const char* kE = "2.718281828459045091";

class LanguageTest : public ExpressionTest {};

TEST_P(LanguageTest, Calculates) { Check(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Basics, LanguageTest, ::testing::Values(
    Gives("sum_before_product", "2+3*4", "14"),
    Gives("round_brackets", "(2+3)*4", "20"),
    Gives("square_and_curly_brackets", "[2+3]*{4}", "20"),
    Gives("round_closed_by_square", "(2+3]*4", "20"),
    Gives("power_left_associative", "2^3^2", "64"),
    Gives("minus_left_associative", "1-2-3", "-4"),
    Gives("division_left_associative", "2/4/2", "0.25"),
    Gives("negation_looser_than_power", "-2^2", "-4"),
    Gives("negation_tighter_than_plus", "-2+3", "1"),
    Gives("negated_bracket", "-(-3)", "3"),
    Gives("bracketed_negative_factor", "2*(-3)", "-6"),
    NoParse("sign_after_times", "2*-3"),
    Gives("exponent", "1e3", "1000"),
    Gives("negative_exponent", "1.5e-3", "0.001500000000000000031"),
    Gives("comma_separator", "1,5", "1.5"),
    NoParse("upper_case_exponent", "1E3"),
    NoParse("exponent_without_digits", "1e"),
    NoParse("fraction_in_exponent", "1e3.5"),
    NoParse("two_points", "1.2.3"),
    Gives("negation_of_small_number", "-1e-5", "-1.000000000000000082e-05"),
    NoParse("negation_of_bad_number", "-5e"),
    Gives("e_minus_one", "e-1", "1.718281828459045091"),
    Gives("two_e_minus_one_is_a_number", "2e-1", "0.2000000000000000111"),
    Gives("two_times_e_minus_one", "2*e-1", "4.436563656918090182"),
    Gives("plus_number", "+5", "5"),
    Gives("plus_pi", "+pi", kPi),
    NoParse("plus_bracket", "+(5)"),
    Gives("function_round", "sin(0)", "0"),
    Gives("function_square", "sin[0]", "0"),
    Gives("function_curly_after_space", "sin {0}", "0"),
    Gives("function_name_with_space", "s in (0)", "0"),
    NoParse("function_without_brackets", "sin0"),
    NoParse("function_with_two_groups", "sin(0)(1)"),
    NoParse("implicit_product_with_function", "2sin(0)"),
    Gives("root_sign", "√(4)", "2"),
    NoParse("root_sign_without_brackets", "√4"),
    Gives("pi_sign", "π", kPi),
    NoParse("implicit_product_with_pi_sign", "2π"),
    NoParse("dollar_after_valid_expression", "1+1$"),
    NoParse("dollar_alone", "$"),
    NoParse("typed_placeholder", "$0$"),
    NoParse("typed_placeholder_as_argument", "sin($0$)"),
    NoParse("dollar_between_numbers", "2*3$4")
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Precedence, LanguageTest, ::testing::Values(
    Gives("mixed_sum_and_product", "2+3*4-5", "9"),
    Gives("power_before_product", "2*3^2", "18"),
    Gives("power_then_product", "2^3*2", "16"),
    Gives("three_divisions", "8/4/2", "1"),
    Gives("times_then_divide", "2*3/4", "1.5"),
    Gives("divide_then_times", "8/2*4", "16"),
    Gives("divide_then_times_same_value", "6/3*2", "4"),
    Gives("times_then_divide_same_value", "2*6/3", "4"),
    Gives("minus_then_plus", "10-2+3", "11"),
    Gives("minus_then_plus_small", "2-3+4", "3"),
    Gives("alternating_sum", "1-2+3-4", "-2"),
    Gives("minus_product", "2-3*4", "-10"),
    Gives("three_factors", "2*3*4", "24"),
    Gives("negated_product", "-2*3", "-6"),
    Gives("negation_then_minus", "-3-2", "-5"),
    Gives("bracketed_power", "2^(3^2)", "512"),
    Gives("square_root_by_power", "2^0.5", "1.414213562373095145"),
    Gives("negated_power", "-2^0.5", "-1.414213562373095145"),
    Gives("two_groups", "(2+3)*(4-1)", "15"),
    Gives("double_brackets", "((2))", "2"),
    Gives("negated_pi", "-pi", "-3.141592653589793116"),
    Gives("negated_e", "-e", "-2.718281828459045091"),
    Gives("power_of_function", "sin(0)^2", "0"),
    Gives("function_as_exponent", "2^sin(0)", "1"),
    Gives("negated_function_gives_negative_zero", "-sin(0)", "-0"),
    Gives("nested_functions", "sin(cos(0))", "0.8414709848078965049"),
    Gives("triple_negation", "-(-(-(1)))", "-1"),
    Gives("negative_zero_product", "0*(-1)", "-0"),
    Gives("negative_zero_plus_zero", "(-0)+0", "0")
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Signs, LanguageTest, ::testing::Values(
    NoParse("double_minus", "--3"),
    NoParse("minus_after_plus", "1+-2"),
    NoParse("minus_after_power", "2^-1"),
    NoParse("double_plus", "++5"),
    NoParse("plus_minus", "+-5"),
    NoParse("minus_plus", "-+5"),
    NoParse("plus_after_plus_with_space", "3+ +5"),
    NoParse("plus_after_times", "2*+3"),
    NoParse("minus_alone", "-"),
    NoParse("plus_alone", "+"),
    NoParse("plus_function", "+sin(1)"),
    NoParse("plus_memory_reference", "+mem[a]"),
    NoParse("trailing_plus", "2+"),
    NoParse("leading_times", "*3"),
    Gives("plus_number_times", "+5*2", "10"),
    Gives("plus_number_plus", "+5+5", "10"),
    Gives("plus_pi_sign", "+π", kPi),
    Gives("plus_e", "+e", kE),
    Gives("plus_exponent_sign", "2e+3", "2000"),
    Gives("exponent_sign_then_plus", "2e+3+1", "2001"),
    Gives("exponent_signs_around_minus", "1e-3-1e-3", "0"),
    Gives("negated_bracket_simple", "-(2)", "-2")
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Numbers, LanguageTest, ::testing::Values(
    Gives("comma_two_decimals", "1,25", "1.25"),
    Gives("trailing_point", "5.", "5"),
    Gives("leading_point", ".5", "0.5"),
    Gives("trailing_comma", "1,", "1"),
    Gives("leading_comma", ",5", "0.5"),
    Gives("spaces_inside_number", "1 000", "1000"),
    Gives("spaces_around_exponent", "1 e 3", "1000"),
    Gives("leading_zeros", "007", "7"),
    Gives("point_and_exponent", "1.5e3", "1500"),
    Gives("comma_and_signed_exponent", "1,5e+2", "150"),
    Gives("plus_exponent", "1e+5", "100000"),
    Gives("exponent_leading_zero", "1e05", "100000"),
    Gives("leading_point_exponent", ".5e-3", "0.0005000000000000000104"),
    Gives("trailing_point_exponent", "2.e-5", "2.000000000000000164e-05"),
    Gives("trailing_point_positive_exponent", "1.e5", "100000"),
    Gives("leading_point_positive_exponent", ".5e5", "50000"),
    Gives("twenty_digits", "12345678901234567890", "1.234567890123456717e+19"),
    Gives("largest_exponent", "1e308", "1.000000000000000011e+308"),
    Gives("smallest_denormal", "5e-324", "4.940656458412465442e-324"),
    Gives("literal_below_range_is_zero", "1e-400", "0"),
    Gives("point_one_plus_point_two", "0.1+0.2", "0.3000000000000000444"),
    Gives("ten_to_twenty_one", "1e21", "1e+21"),
    Gives("nineteen_digits_stay_fixed", "1e18", "1000000000000000000"),
    Gives("twenty_digits_use_exponent", "1e19", "1e+19"),
    Gives("ten_thousandth_stays_fixed", "1e-4", "0.0001000000000000000048"),
    Gives("hundred_thousandth_uses_exponent", "1e-5", "1.000000000000000082e-05"),
    Gives("beyond_exact_integers", "2^53+1", "9007199254740992"),
    Gives("eighteen_digit_literal", "123456789012345678", "123456789012345680"),
    Gives("e_plus_e", "e+e", "5.436563656918090182"),
    Fails("literal_beyond_range", "1e309", {Overflowed("Number", true)}),
    Fails("negated_literal_beyond_range", "-1e309", {Overflowed("Number", true)}),
    NoParse("comma_then_point", "1,2.3"),
    NoParse("point_then_comma", "1.,5"),
    NoParse("comma_in_exponent", "1e3,5"),
    NoParse("point_after_exponent", "1e5."),
    NoParse("two_exponents", "1e5e"),
    NoParse("hexadecimal", "0x10"),
    NoParse("underscore", "1_000"),
    NoParse("point_alone", "."),
    NoParse("comma_alone", ","),
    NoParse("plus_point", "+."),
    NoParse("exponent_sign_then_e", "2e+e")
), RowName());
// clang-format on

// Digits are required before the "e" and after its sign.
// clang-format off
INSTANTIATE_TEST_SUITE_P(ExponentDigits, LanguageTest, ::testing::Values(
    NoParse("no_mantissa", "e5"),
    NoParse("point_without_mantissa_digits", ".e5"),
    NoParse("plus_without_mantissa", "+e5"),
    NoParse("plus_sign_without_exponent_digits", "1e+"),
    NoParse("minus_sign_without_exponent_digits", "1e-"),
    NoParse("other_minus_sign_without_exponent_digits", "2e-"),
    NoParse("negated_exponent_without_mantissa", "-e5"),
    NoParse("point_exponent_without_mantissa", ".e+5"),
    Gives("e_minus_five_is_a_difference", "e-5", "-2.281718171540954909"),
    Gives("e_plus_five_is_a_sum", "e+5", "7.718281828459044647"),
    Gives("e_alone", "e", kE)
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Keywords, LanguageTest, ::testing::Values(
    Gives("sqrt", "sqrt(16)", "4"),
    Gives("root_sign", "√(16)", "4"),
    Gives("abs", "abs(-2.5)", "2.5"),
    Gives("sign_negative", "sign(-7)", "-1"),
    Gives("sign_positive", "sign(3)", "1"),
    Gives("sign_zero", "sign(0)", "0"),
    Gives("fact", "fact(5)", "120"),
    Gives("exp", "exp(1)", kE),
    Gives("ln", "ln(2)", "0.6931471805599452862"),
    Gives("lg", "lg(1000)", "3"),
    Gives("log_is_decimal", "log(100)", "2"),
    Gives("sin", "sin(1)", "0.8414709848078965049"),
    Gives("cos", "cos(1)", "0.540302305868139765"),
    Gives("tan", "tan(1)", "1.557407724654902292"),
    Gives("tg", "tg(1)", "1.557407724654902292"),
    Gives("cot", "cot(1)", "0.6420926159343306461"),
    Gives("ctg", "ctg(1)", "0.6420926159343306461"),
    Gives("sec", "sec(1)", "1.850815717680925454"),
    Gives("csc", "csc(1)", "1.188395105778121241"),
    Gives("cosec", "cosec(1)", "1.188395105778121241"),
    Gives("asin", "asin(0.5)", "0.5235987755982989267"),
    Gives("arcsin", "arcsin(0.5)", "0.5235987755982989267"),
    Gives("acos", "acos(0.5)", "1.047197551196597853"),
    Gives("arccos", "arccos(0.5)", "1.047197551196597853"),
    Gives("atan", "atan(1)", "0.785398163397448279"),
    Gives("arctan", "arctan(1)", "0.785398163397448279"),
    Gives("arctg", "arctg(1)", "0.785398163397448279"),
    Gives("arccot", "arccot(1)", "0.785398163397448279"),
    Gives("arcctg", "arcctg(1)", "0.785398163397448279"),
    Gives("arcsec", "arcsec(2)", "1.047197551196597853"),
    Gives("arccsc", "arccsc(2)", "0.5235987755982989267"),
    Gives("arccosec", "arccosec(2)", "0.5235987755982989267"),
    Gives("sinh", "sinh(1)", "1.175201193643801378"),
    Gives("sh", "sh(1)", "1.175201193643801378"),
    Gives("cosh", "cosh(1)", "1.543080634815243712"),
    Gives("ch", "ch(1)", "1.543080634815243712"),
    Gives("tanh", "tanh(1)", "0.761594155955764851"),
    Gives("th", "th(1)", "0.761594155955764851"),
    Gives("coth", "coth(1)", "1.313035285499331462"),
    Gives("cth", "cth(1)", "1.313035285499331462"),
    Gives("sech", "sech(1)", "0.6480542736638854606"),
    Gives("csch", "csch(1)", "0.8509181282393215584"),
    Gives("arsinh", "arsinh(1)", "0.8813735870195429367"),
    Gives("arsh", "arsh(1)", "0.8813735870195429367"),
    Gives("arcosh", "arcosh(2)", "1.316957896924816573"),
    Gives("arch", "arch(2)", "1.316957896924816573"),
    Gives("artanh", "artanh(0.5)", "0.5493061443340548911"),
    Gives("arth", "arth(0.5)", "0.5493061443340548911"),
    Gives("arcoth", "arcoth(2)", "0.5493061443340548911"),
    Gives("arcth", "arcth(2)", "0.5493061443340548911"),
    Gives("arsech", "arsech(0.5)", "1.316957896924816573"),
    Gives("arsch", "arsch(0.5)", "1.316957896924816573"),
    Gives("arcsch", "arcsch(2)", "0.4812118250596034708"),
    Gives("pi", "pi", kPi),
    Gives("comma_decimal_in_argument", "sin(1,2)", "0.9320390859672262884"),
    Gives("keyword_split_by_space", "arc sin(1)", "1.570796326794896558")
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(UnknownNames, LanguageTest, ::testing::Values(
    NoParse("capital_function", "Sin(1)"),
    NoParse("upper_case_function", "SIN(1)"),
    NoParse("upper_case_pi", "PI"),
    NoParse("capital_pi", "Pi"),
    NoParse("upper_case_e", "E"),
    NoParse("capital_sqrt", "Sqrt(4)"),
    NoParse("upper_case_log", "LOG(10)"),
    NoParse("capital_mem", "Mem[a]"),
    NoParse("upper_case_rslt", "RSLT"),
    NoParse("capital_result", "Result"),
    NoParse("arcsinh", "arcsinh(1)"),
    NoParse("arccosh", "arccosh(2)"),
    NoParse("arctanh", "arctanh(0.5)"),
    NoParse("arccoth", "arccoth(2)"),
    NoParse("factorial_sign", "2!"),
    NoParse("percent_sign", "5%"),
    NoParse("empty_argument", "sin()"),
    NoParse("text_after_group", "sin(1)2"),
    NoParse("doubled_keyword", "sinsin(1)"),
    NoParse("prefixed_keyword", "xsin(1)"),
    NoParse("e_as_function", "e(1)"),
    NoParse("pi_as_function", "pi(1)"),
    NoParse("implicit_product_with_pi", "2pi"),
    NoParse("pi_then_e", "pie"),
    NoParse("e_twice", "ee"),
    NoParse("mem_alone", "mem"),
    NoParse("letter", "a"),
    NoParse("word", "abc"),
    NoParse("implicit_product_with_group", "2(3)"),
    NoParse("two_groups_side_by_side", "(2)(3)"),
    NoParse("root_with_two_groups", "sqrt(4)(2)")
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Brackets, LanguageTest, ::testing::Values(
    Gives("round_closed_by_square", "(1+2]", "3"),
    Gives("curly_closed_by_round", "{1+2)", "3"),
    Gives("square_closed_by_curly", "[1+2}", "3"),
    Gives("nested_mixed", "((1+2)*[3+4])", "21"),
    Gives("three_kinds_nested", "{[(1)]}", "1"),
    Gives("groups_in_precedence", "(1)+(2)*(3)", "7"),
    Gives("function_square_curly", "sin[0}", "0"),
    NoParse("unclosed", "(2+3"),
    NoParse("reversed", ")2("),
    NoParse("misplaced", "2)+(3"),
    NoParse("empty_group", "()"),
    NoParse("open_alone", "("),
    NoParse("close_alone", ")"),
    NoParse("one_open_too_many", "(()"),
    NoParse("one_close_too_many", "(1))")
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Characters, LanguageTest, ::testing::Values(
    Gives("times_sign", "2×3", "6"),
    Gives("division_sign", "6÷4", "1.5"),
    Gives("minus_sign", "5−2", "3"),
    Gives("minus_sign_negation", "−2^2", "-4"),
    Gives("minus_sign_in_exponent", "1e−5", "1.000000000000000082e-05"),
    Gives("rightmost_of_times_and_division_sign", "8÷2×4", "16"),
    Gives("rightmost_of_division_and_times_sign", "2×3÷4", "1.5"),
    Gives("pi_sign_factor", "2*π", "6.283185307179586232"),
    Gives("root_sign_nine", "√(9)", "3"),
    Gives("root_sign_space", "√ (9)", "3")
), RowName());
// clang-format on

// The tree the parser builds: which class each form becomes.
using NodeCheck = bool (*)(const CNode*);

template <typename T>
bool IsA(const CNode* node) {
    return dynamic_cast<const T*>(node) != nullptr;
}

struct ShapeCase {
    const char* name;
    std::u16string text;
    NodeCheck top;
};
void PrintTo(const ShapeCase& row, std::ostream* out) { *out << row.name; }

class ParseShapeTest : public EngineTestWithParam<ShapeCase> {};

TEST_P(ParseShapeTest, BuildsTopNode) {
    const ShapeCase& row = GetParam();
    CNode root;
    ASSERT_TRUE(root.ParseText(row.text));
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_TRUE(row.top(root.children[0].get()));
    // Parsing alone reports nothing.
    EXPECT_TRUE(log.messages.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Forms, ParseShapeTest, ::testing::Values(
    ShapeCase{"store", u"5->mem[a]", &IsA<CNodeStore>},
    ShapeCase{"plus", u"1-2+3", &IsA<CNodePlus>},
    ShapeCase{"minus", u"1+2-3", &IsA<CNodeMinus>},
    ShapeCase{"change_sign", u"-2*3", &IsA<CNodeChangeSign>},
    ShapeCase{"mul", u"6/3*2", &IsA<CNodeMul>},
    ShapeCase{"div", u"6*3/2", &IsA<CNodeDiv>},
    ShapeCase{"pow", u"2^3", &IsA<CNodePow>},
    ShapeCase{"memory", u"mem[a]", &IsA<CNodeMemory>},
    ShapeCase{"memory_long", u"memory[a]", &IsA<CNodeMemory>},
    ShapeCase{"result", u"result", &IsA<CNodeResult>},
    ShapeCase{"rslt", u"rslt", &IsA<CNodeResult>},
    ShapeCase{"pi", u"pi", &IsA<CNodePi>},
    ShapeCase{"pi_sign", u"\u03c0", &IsA<CNodePi>},
    ShapeCase{"e", u"e", &IsA<CNodeE>},
    ShapeCase{"number", u"1e5", &IsA<CNodeNumber>},
    ShapeCase{"group_expands_in_place", u"(((7)))", &IsA<CNodeNumber>},
    ShapeCase{"sqrt", u"sqrt(1)", &IsA<CNodeSqrt>},
    ShapeCase{"root_sign", u"\u221a(1)", &IsA<CNodeSqrt>},
    ShapeCase{"abs", u"abs(1)", &IsA<CNodeAbs>},
    ShapeCase{"sign", u"sign(1)", &IsA<CNodeSign>},
    ShapeCase{"fact", u"fact(1)", &IsA<CNodeFactorial>},
    ShapeCase{"exp", u"exp(1)", &IsA<CNodeExp>},
    ShapeCase{"ln", u"ln(1)", &IsA<CNodeLn>},
    ShapeCase{"lg", u"lg(1)", &IsA<CNodeLg>},
    ShapeCase{"log", u"log(1)", &IsA<CNodeLg>},
    ShapeCase{"sin", u"sin(1)", &IsA<CNodeSin>},
    ShapeCase{"cos", u"cos(1)", &IsA<CNodeCos>},
    ShapeCase{"tan", u"tan(1)", &IsA<CNodeTg>},
    ShapeCase{"tg", u"tg(1)", &IsA<CNodeTg>},
    ShapeCase{"cot", u"cot(1)", &IsA<CNodeCtg>},
    ShapeCase{"ctg", u"ctg(1)", &IsA<CNodeCtg>},
    ShapeCase{"sec", u"sec(1)", &IsA<CNodeSec>},
    ShapeCase{"csc", u"csc(1)", &IsA<CNodeCosec>},
    ShapeCase{"cosec", u"cosec(1)", &IsA<CNodeCosec>},
    ShapeCase{"asin", u"asin(1)", &IsA<CNodeArcSin>},
    ShapeCase{"arcsin", u"arcsin(1)", &IsA<CNodeArcSin>},
    ShapeCase{"acos", u"acos(1)", &IsA<CNodeArcCos>},
    ShapeCase{"arccos", u"arccos(1)", &IsA<CNodeArcCos>},
    ShapeCase{"atan", u"atan(1)", &IsA<CNodeArcTg>},
    ShapeCase{"arctan", u"arctan(1)", &IsA<CNodeArcTg>},
    ShapeCase{"arctg", u"arctg(1)", &IsA<CNodeArcTg>},
    ShapeCase{"arccot", u"arccot(1)", &IsA<CNodeArcCtg>},
    ShapeCase{"arcctg", u"arcctg(1)", &IsA<CNodeArcCtg>},
    ShapeCase{"arcsec", u"arcsec(1)", &IsA<CNodeArcSec>},
    ShapeCase{"arccsc", u"arccsc(1)", &IsA<CNodeArcCosec>},
    ShapeCase{"arccosec", u"arccosec(1)", &IsA<CNodeArcCosec>},
    ShapeCase{"sinh", u"sinh(1)", &IsA<CNodeSh>},
    ShapeCase{"sh", u"sh(1)", &IsA<CNodeSh>},
    ShapeCase{"cosh", u"cosh(1)", &IsA<CNodeCh>},
    ShapeCase{"ch", u"ch(1)", &IsA<CNodeCh>},
    ShapeCase{"tanh", u"tanh(1)", &IsA<CNodeTh>},
    ShapeCase{"th", u"th(1)", &IsA<CNodeTh>},
    ShapeCase{"coth", u"coth(1)", &IsA<CNodeCth>},
    ShapeCase{"cth", u"cth(1)", &IsA<CNodeCth>},
    ShapeCase{"sech", u"sech(1)", &IsA<CNodeSech>},
    ShapeCase{"csch", u"csch(1)", &IsA<CNodeCsch>},
    ShapeCase{"arsinh", u"arsinh(1)", &IsA<CNodeArSh>},
    ShapeCase{"arsh", u"arsh(1)", &IsA<CNodeArSh>},
    ShapeCase{"arcosh", u"arcosh(1)", &IsA<CNodeArCh>},
    ShapeCase{"arch", u"arch(1)", &IsA<CNodeArCh>},
    ShapeCase{"artanh", u"artanh(1)", &IsA<CNodeArTh>},
    ShapeCase{"arth", u"arth(1)", &IsA<CNodeArTh>},
    ShapeCase{"arcoth", u"arcoth(1)", &IsA<CNodeArCth>},
    ShapeCase{"arcth", u"arcth(1)", &IsA<CNodeArCth>},
    ShapeCase{"arsech", u"arsech(1)", &IsA<CNodeArSch>},
    ShapeCase{"arsch", u"arsch(1)", &IsA<CNodeArSch>},
    ShapeCase{"arcsch", u"arcsch(1)", &IsA<CNodeArCsch>}
), RowName());
// clang-format on

TEST_F(EngineTest, LiteralParseConvertsCommaAndSign) {
    struct Row {
        std::u16string text;
        double value;
    };
    const Row rows[] = {{u"1,25", 1.25}, {u"+2.5e-3", 2.5e-3}, {u"5.", 5.0}, {u",5", 0.5}};
    for (const Row& row : rows) {
        CNode root;
        ASSERT_TRUE(root.ParseText(row.text)) << ToUtf8(row.text);
        const auto* number = dynamic_cast<const CNodeNumber*>(root.children[0].get());
        ASSERT_NE(number, nullptr) << ToUtf8(row.text);
        EXPECT_EQ(number->value, row.value) << ToUtf8(row.text);
    }
}

TEST_F(EngineTest, ChainsAreLeftDeep) {
    CNode root;
    ASSERT_TRUE(root.ParseText(u"1-2-3"));
    const CNode* top = root.children[0].get();
    ASSERT_TRUE(IsA<CNodeMinus>(top));
    ASSERT_EQ(top->children.size(), 2u);
    EXPECT_TRUE(IsA<CNodeMinus>(top->children[0].get()));
    EXPECT_TRUE(IsA<CNodeNumber>(top->children[1].get()));
}

TEST_F(EngineTest, StoreHasValueThenTarget) {
    CNode root;
    ASSERT_TRUE(root.ParseText(u"1+2->mem[ x y ]"));
    const CNode* store = root.children[0].get();
    ASSERT_TRUE(IsA<CNodeStore>(store));
    ASSERT_EQ(store->children.size(), 2u);
    EXPECT_TRUE(IsA<CNodePlus>(store->children[0].get()));
    const auto* target = dynamic_cast<const CNodeMemory*>(store->children[1].get());
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(ToUtf8(target->name), "x y");
}

TEST_F(EngineTest, ParseFailuresReportNothing) {
    for (const std::u16string text : {u"2+", u"(2+3", u"Sin(1)", u"$", u"", u"5->x"}) {
        CNode root;
        EXPECT_FALSE(root.ParseText(text)) << ToUtf8(text);
    }
    EXPECT_TRUE(log.messages.empty());
}

}  // namespace
}  // namespace engine_test

// The preparing pass and the operator scan that every form reuses, the node
// arena, the scratch copy read cell by cell, the short literal conversion and
// the allocation-free formatting: each checked against an independent oracle
// or against texts and logs fixed in advance.
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

#include "engine/FileText.h"
#include "engine/NumberFormat.h"
#include "engine/Parcer.h"
#include "tests/engine/EngineTestSupport.h"

namespace engine_test {
namespace {

using namespace NCalculatorText;

struct ScanRow {
    const char* name;
    std::string text;
    int32_t position;
    std::string calculated;  // the whole text afterwards
    int32_t newPosition;     // -2: the end of the new text
    bool ok;
    std::vector<Logged> log;
};
void PrintTo(const ScanRow& row, std::ostream* out) { *out << row.name; }

std::string Nest(int levels, const std::string& core) {
    return std::string(static_cast<std::size_t>(levels), '(') + core +
           std::string(static_cast<std::size_t>(levels), ')');
}

const Logged kUninitialized = Warning("Memory", "Uninitialized memory used, value forced to 0");

const ScanRow kScanRows[] = {
    // An exponent's sign is no operator, but still the "-" of "->".
    {"exponent_sign_before_arrow", "2e->mem[a]", -1, "2e->mem[a]", -1, false, {SyntaxFailure()}},
    {"exponent_then_store",
     "1e-5->mem[b];mem[b]*1e5",
     -1,
     "1e-5->mem[b]=1.000000000000000082e-05;mem[b]*1e5=1",
     -2,
     true,
     {}},
    {"constant_e_minus_then_store",
     "e-1->mem[c]",
     -1,
     "e-1->mem[c]=1.718281828459045091",
     -2,
     true,
     {}},
    {"signs_around_exponents",
     "2e+3-1e-3+.5e1",
     -1,
     "2e+3-1e-3+.5e1=2004.999000000000024",
     -2,
     true,
     {}},
    {"point_then_exponent", "2.e-1*3", -1, "2.e-1*3=0.6000000000000000888", -2, true, {}},
    {"negated_e_minus_one", "-e-1", -1, "-e-1=-3.718281828459045091", -2, true, {}},
    {"arrow_in_front", "->mem[a]", -1, "->mem[a]", -1, false, {SyntaxFailure()}},
    {"sign_before_arrow", "1-->mem[a]", -1, "1-->mem[a]", -1, false, {SyntaxFailure()}},
    {"two_stores", "7->mem[a]->mem[b];mem[b]", -1, "7->mem[a]->mem[b]=7;mem[b]=7", -2, true, {}},
    // Names are prepared as the expression is: tabs out, brackets and minus unified.
    {"name_loses_its_tab",
     "5->mem[ a\tb ];mem[ab]+mem[a b]",
     -1,
     "5->mem[ a\tb ]=5;mem[ab]+mem[a b]=5",
     -2,
     true,
     {kUninitialized}},
    {"name_brackets_unified", "5->mem[{x}];mem[(x)]", -1, "5->mem[{x}]=5;mem[(x)]=5", -2, true, {}},
    {"name_minus_unified",
     "3->mem[x\u2212y];mem[x-y]",
     -1,
     "3->mem[x\u2212y]=3;mem[x-y]=3",
     -2,
     true,
     {}},
    {"the_other_signs",
     "sin(pi)+\u221A(4)\u00D73\u00F72\u22121",
     -1,
     "sin(pi)+\u221A(4)\u00D73\u00F72\u22121=2",
     -2,
     true,
     {}},
    {"empty_expression", "=", -1, "", -1, false, {SyntaxFailure()}},
    // The copy is read a cell at a time: a ";" in a comment separates nothing.
    {"separator_in_comment", "1;/*;*/2", -1, "1=1;/*;*/2=2", -2, true, {}},
    {"comment_across_lines", "1/*\n;*/+1;2//;\n+3", -1, "1/*\n;*/+1=2;2//;\n+3=5", -2, true, {}},
    {"position_in_comment", "1;/*;*/2", 3, "1;/*;*/2=2", -2, true, {}},
    {"result_before_comment", "1/*;*/;2", 0, "1=1/*;*/;2", 9, true, {}},
    {"unclosed_comment", "1;2/*;3", -1, "1;2/*;3", -1, false, {SyntaxFailure()}},
    // The nesting limit, exactly.
    {"deepest_nesting", Nest(2000, "1"), -1, Nest(2000, "1") + "=1", -2, true, {}},
    {"one_level_too_deep", Nest(2001, "1"), -1, Nest(2001, "1"), -1, false, {SyntaxFailure()}},
    {"two_nestings_at_the_limit",
     Nest(2000, "1") + "+" + Nest(2000, "2"),
     -1,
     Nest(2000, "1") + "+" + Nest(2000, "2") + "=3",
     -2,
     true,
     {}},
    // As many closing brackets as opening ones, in the wrong order.
    {"close_before_open", ")1(", -1, ")1(", -1, false, {SyntaxFailure()}},
    {"closed_too_early", "(1))+((2)", -1, "(1))+((2)", -1, false, {SyntaxFailure()}},
    {"arrow_after_exponent", "2e->mem[a]", -1, "2e->mem[a]", -1, false, {SyntaxFailure()}},
    {"deepest_nesting_in_a_name",
     "4->mem[" + Nest(1999, "") + "];mem[" + Nest(1999, "") + "]",
     -1,
     "4->mem[" + Nest(1999, "") + "]=4;mem[" + Nest(1999, "") + "]=4",
     -2,
     true,
     {}},
};

using ScanTest = EngineTestWithParam<ScanRow>;

TEST_P(ScanTest, CalculatesAsBefore) {
    const ScanRow& row = GetParam();
    const RunResult result = Run(row.text, row.position);
    EXPECT_EQ(result.ok, row.ok);
    EXPECT_EQ(result.text, row.calculated);
    const int32_t expected = row.newPosition == -2   ? Units(result.text)
                             : row.newPosition == -1 ? row.position
                                                     : row.newPosition;
    EXPECT_EQ(result.position, expected);
    EXPECT_EQ(result.log, row.log);
}

INSTANTIATE_TEST_SUITE_P(Rows, ScanTest, ::testing::ValuesIn(kScanRows), RowName());

// Long cells one after another in one run share the arena: every cell must
// come out whole, the long ones and the short ones after them.
TEST_F(EngineTest, ArenaServesLongThenShortCells) {
    std::string text;
    std::string expected;
    for (int i = 0; i < 3; ++i) {
        std::string chain = "1";
        for (int k = 0; k < 30000; ++k) chain += "+1";
        text += chain + ";2*3;";
        expected += chain + "=30001;2*3=6;";
    }
    const RunResult result = Run(text);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.text == expected);
    EXPECT_TRUE(result.log.empty());
}

// An empty expression parsed by a table that has never held one.
TEST_F(EngineTest, EmptyExpressionOnAFreshTable) {
    BracketTable = BracketTableData{};
    CNode root;
    EXPECT_FALSE(root.ParseText(u""));
    EXPECT_FALSE(root.ParseText(u" \t"));
    EXPECT_TRUE(root.ParseText(u"1"));
}

// Short literals take a conversion of their own; it must round exactly as
// the C library's strtod does, on both sides of its limits (15 digits,
// powers of ten up to 22).
TEST(ParseDecimalTest, AgreesWithStrtod) {
    std::vector<std::string> literals = {
        "0",
        "0.0",
        "5.",
        ".5",
        "0.1",
        "123456789012345",
        "1234567890123456",
        "9007199254740993",
        "1e22",
        "1e23",
        "1.5e-22",
        "1.5e-23",
        "0.000000000000000000001",
        "000000000000000000001.5",
        "0e999999",
        "1e400",
        "1e-400",
        "7e+0",
        "2.5e-3",
    };
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 20000; ++i) {
        std::string s;
        const int digits = 1 + static_cast<int>(random() % 18);
        const int point = static_cast<int>(random() % (digits + 2));
        for (int d = 0; d < digits; ++d) {
            if (d == point) s += '.';
            s += static_cast<char>('0' + random() % 10);
        }
        if (random() % 2 != 0) {
            s += 'e';
            const int sign = static_cast<int>(random() % 3);
            if (sign == 1) s += '-';
            if (sign == 2) s += '+';
            s += std::to_string(random() % 30);
        }
        literals.push_back(s);
    }
    for (const std::string& literal : literals) {
        const double expected = std::strtod(literal.c_str(), nullptr);
        const double actual = ParseDecimal(literal);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(expected), std::bit_cast<std::uint64_t>(actual))
            << literal << ": " << actual << " instead of " << expected;
    }
}

// "%.19g" and "%.20g" without allocation, as the C library prints them.
TEST(FormatGeneralToTest, AgreesWithSnprintf) {
    std::vector<double> values = {0.0,     -0.0,   0.1,     1e21,         -1e-300, DBL_MAX,
                                  DBL_MIN, 5e-324, 1.0 / 3, 5000050000.0, -2.5,    1e15};
    std::mt19937_64 random(7);
    for (int i = 0; i < 5000; ++i) {
        uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) values.push_back(value);
    }
    // Everyday magnitudes, where the digits come from exact integer
    // arithmetic: ties (an odd number over a power of two, 1 + 2^-19 has
    // twenty digits ending in 5), the neighbours of powers of ten, integers.
    for (int shift = 0; shift < 64; shift += 3) {
        for (uint64_t odd = 1; odd < 4000; odd += 2) values.push_back(std::ldexp(odd, -shift));
    }
    for (int power = -12; power <= 22; ++power) {
        const double ten = std::pow(10.0, power);
        values.insert(values.end(), {ten, std::nextafter(ten, 0.0), std::nextafter(ten, 1e300)});
    }
    for (int i = 0; i < 5000; ++i) {
        values.push_back(
            -std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 100)));
        values.push_back(static_cast<double>(random() % 100000000) /
                         static_cast<double>(1 + random() % 9999));
    }
    for (const double value : values) {
        for (const int precision : {19, 20, 15, 1}) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "%.*g", precision, value);
            char16_t out[kFormatCapacity];
            const std::size_t length = FormatGeneralTo(value, precision, out);
            EXPECT_EQ(ToUtf8(std::u16string_view(out, length)), expected);
        }
    }
}

// The eight-byte ASCII runs of the UTF-8 conversions, broken by a multibyte
// character at every offset.
TEST(Utf8RunsTest, MultibyteAtEveryOffset) {
    for (std::size_t offset = 0; offset < 20; ++offset) {
        for (const char* multibyte : {"\xC3\x97", "\xE2\x88\x9A", "\xF0\x9F\x98\x80"}) {
            const std::string bytes = std::string(offset, 'a') + multibyte + std::string(9, 'b');
            std::u16string text;
            ASSERT_TRUE(DecodeUtf8(bytes, text)) << offset;
            const std::u16string expected =
                std::u16string(offset, u'a') + FromUtf8(multibyte) + std::u16string(9, u'b');
            EXPECT_TRUE(text == expected) << offset;
            EXPECT_EQ(EncodeUtf8(text), bytes) << offset;
            // Cut after the lead byte: never valid.
            EXPECT_FALSE(DecodeUtf8(bytes.substr(0, offset + 1), text)) << offset;
        }
    }
}

}  // namespace
}  // namespace engine_test

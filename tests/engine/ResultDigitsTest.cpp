// How results show their digits: the four choices, their stored and
// command-line forms, and the driver writing results under the preference.
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

#include "engine/NumberFormat.h"
#include "tests/engine/EngineTestSupport.h"

namespace engine_test {
namespace {

using namespace NCalculatorText;

constexpr ResultDigits kExact{};
constexpr ResultDigits kShortest{ResultDigits::Shortest, 0};
constexpr ResultDigits Sig(int n) { return {ResultDigits::Significant, n}; }
constexpr ResultDigits Fix(int n) { return {ResultDigits::Decimals, n}; }

constexpr double kInf = std::numeric_limits<double>::infinity();

struct FormatCase {
    double value;
    ResultDigits digits;
    const char* expected;
};

std::string Formatted(double value, ResultDigits digits) {
    char16_t out[kFormatCapacity];
    return ToUtf8(std::u16string_view(out, FormatResultTo(value, digits, out)));
}

TEST(ResultDigitsTest, FormatsEachChoice) {
    const FormatCase rows[] = {
        // Exact is "%.19g" itself.
        {89.9, kExact, "89.90000000000000568"},
        {-0.0, kExact, "-0"},
        {1e19, kExact, "1e+19"},
        // Shortest: the digits that read back, laid out as "%.19g" lays them.
        {89.9, kShortest, "89.9"},
        {0.07, kShortest, "0.07"},
        {0.1 + 0.2, kShortest, "0.30000000000000004"},
        {18829.2, kShortest, "18829.2"},
        {-0.0, kShortest, "-0"},
        {1e18, kShortest, "1000000000000000000"},
        {1e19, kShortest, "1e+19"},
        {0.0001, kShortest, "0.0001"},
        {1.5e-5, kShortest, "1.5e-05"},
        {5e-324, kShortest, "5e-324"},
        {DBL_MAX, kShortest, "1.7976931348623157e+308"},
        {-kInf, kShortest, "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), kShortest, "nan"},
        // Significant digits round the shortest form half away from zero.
        {18829.2, Sig(3), "18800"},
        {0.125, Sig(2), "0.13"},
        {-0.125, Sig(2), "-0.13"},
        {99.95, Sig(3), "100"},
        {9.5, Sig(1), "10"},
        // Never more digits than Shortest ("%.17g" would add a 3).
        {2.0 / 3, Sig(17), "0.6666666666666666"},
        {1e-300 / 3, Sig(3), "3.33e-301"},
        {-0.0, Sig(5), "-0"},
        // Decimals: fixed, zeros kept; ties away from zero on the shortest form.
        {89.9, Fix(2), "89.90"},
        {2.675, Fix(2), "2.68"},
        {1.005, Fix(2), "1.01"},
        {0.5, Fix(0), "1"},
        {-2.5, Fix(0), "-3"},
        {9.995, Fix(2), "10.00"},
        {0.006, Fix(2), "0.01"},
        {123.456, Fix(15), "123.456000000000000"},
        {1234.5e15, Fix(1), "1234500000000000000.0"},
        // Nothing left but zero: no sign, whatever the value's sign.
        {-0.001, Fix(2), "0.00"},
        {-0.0, Fix(2), "0.00"},
        {1e-20, Fix(3), "0.000"},
        {0.0, Fix(0), "0"},
        // Too large for fixed digits: as Shortest.
        {1e19, Fix(2), "1e+19"},
        {-DBL_MAX, Fix(2), "-1.7976931348623157e+308"},
        {kInf, Fix(2), "inf"},
    };
    for (const FormatCase& row : rows) {
        EXPECT_EQ(Formatted(row.value, row.digits), row.expected)
            << row.value << " mode " << int(row.digits.mode) << " count " << row.digits.count;
    }
}

// Shortest reads back as the same double with as few significant digits as
// any correctly rounded form can have; 17 significant digits always read back.
TEST(ResultDigitsTest, ShortestRoundTripsRandomDoubles) {
    std::mt19937_64 random(2026);
    int checked = 0;
    while (checked < 20000) {
        const uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        if (checked % 2 == 1) value = std::ldexp(static_cast<double>(bits >> 40), -20);
        ++checked;

        const std::string shortest = Formatted(value, kShortest);
        const double back = std::strtod(shortest.c_str(), nullptr);
        ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << shortest;

        int fewest = 1;
        for (char printed[40];; ++fewest) {
            std::snprintf(printed, sizeof printed, "%.*e", fewest - 1, value);
            if (std::strtod(printed, nullptr) == value) break;
        }
        int significant = 0;
        bool leading = true;
        for (const char c : shortest.substr(0, shortest.find('e'))) {
            if (c < '0' || c > '9' || (leading && c == '0')) continue;
            leading = false;
            ++significant;
        }
        // Trailing zeros of an integer are not significant.
        const std::size_t e = shortest.find('e');
        if (e == std::string::npos && shortest.find('.') == std::string::npos && value != 0) {
            for (std::size_t i = shortest.size(); i > 0 && shortest[i - 1] == '0'; --i)
                --significant;
        }
        ASSERT_EQ(significant, value == 0 ? 0 : fewest) << shortest;

        const std::string seventeen = Formatted(value, Sig(17));
        const double back17 = std::strtod(seventeen.c_str(), nullptr);
        ASSERT_EQ(std::memcmp(&back17, &value, sizeof value), 0) << seventeen;
    }
}

TEST(ResultDigitsTest, StoredAndCommandLineForms) {
    struct Row {
        const char* text;
        bool valid;
        ResultDigits digits;
        uint32_t code;
    };
    const Row rows[] = {
        {"exact", true, kExact, 0},  {"shortest", true, kShortest, 1},
        {"sig1", true, Sig(1), 101}, {"sig17", true, Sig(17), 117},
        {"fix0", true, Fix(0), 200}, {"fix15", true, Fix(15), 215},
        {"sig0", false, {}, 100},    {"sig18", false, {}, 118},
        {"fix16", false, {}, 216},   {"fixed2", false, {}, 2},
        {"sig", false, {}, 99},      {"Exact", false, {}, 0xFFFFFFFF},
        {"fix-1", false, {}, 199},   {"", false, {}, 300},
    };
    for (const Row& row : rows) {
        ResultDigits parsed{ResultDigits::Decimals, 99};
        EXPECT_EQ(ParseResultDigits(row.text, parsed), row.valid) << row.text;
        ResultDigits decoded{ResultDigits::Decimals, 99};
        EXPECT_EQ(ResultDigitsFromCode(row.code, decoded), row.valid) << row.code;
        if (!row.valid) continue;
        EXPECT_EQ(parsed, row.digits) << row.text;
        EXPECT_EQ(decoded, row.digits) << row.code;
        EXPECT_EQ(ResultDigitsCode(row.digits), row.code) << row.text;
    }
}

// The driver writes results under the preference; an invalid code is Exact.
TEST_F(EngineTest, ResultsFollowTheDigitsPreference) {
    const struct {
        uint32_t code;
        const char* expected;
    } rows[] = {
        {0, "89.9*1=89.90000000000000568; 0.1+0.2=0.3000000000000000444"},
        {1, "89.9*1=89.9; 0.1+0.2=0.30000000000000004"},
        {104, "89.9*1=89.9; 0.1+0.2=0.3"},
        {202, "89.9*1=89.90; 0.1+0.2=0.30"},
        {7, "89.9*1=89.90000000000000568; 0.1+0.2=0.3000000000000000444"},
    };
    for (const auto& row : rows) {
        Preferences.ResultDigits = row.code;
        const RunResult run = Run("89.9*1=1; 0.1+0.2");
        EXPECT_TRUE(run.ok);
        EXPECT_EQ(run.text, row.expected) << row.code;
        // The value itself keeps every digit.
        EXPECT_EQ(lastResult, 0.1 + 0.2);
    }
}

}  // namespace
}  // namespace engine_test

// The engine's elementary functions against MPFR: every result must be the
// double nearest the exact value (ties to even). Hard arguments, whose
// exact values lie extremely close to a midpoint between two doubles, must
// also show that the first, faster evaluation left them to the second.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/MathLibExact.h"
#include "tests/support/MpfrReference.h"

namespace {

namespace em = NCalculatorText::exactmath;
using em::Function;
using mpfr_reference::MidpointDistance;
using mpfr_reference::Name;
using mpfr_reference::Rounded;
using mpfr_reference::SameDouble;

double Call(Function f, double a, double b = 0) {
    switch (f) {
        case Function::Exp:
            return em::Exp(a);
        case Function::Log:
            return em::Log(a);
        case Function::Log10:
            return em::Log10(a);
        case Function::Pow:
            return em::Pow(a, b);
        case Function::Sin:
            return em::Sin(a);
        case Function::Cos:
            return em::Cos(a);
        case Function::Tan:
            return em::Tan(a);
        case Function::Asin:
            return em::Asin(a);
        case Function::Acos:
            return em::Acos(a);
        case Function::Atan:
            return em::Atan(a);
        case Function::Sinh:
            return em::Sinh(a);
        case Function::Cosh:
            return em::Cosh(a);
        case Function::Tanh:
            return em::Tanh(a);
    }
    return 0;
}

std::string Describe(Function f, double a, double b, double got, double want) {
    char text[200];
    if (f == Function::Pow)
        std::snprintf(text, sizeof text, "pow(%a, %a) = %a, nearest %a", a, b, got, want);
    else
        std::snprintf(text, sizeof text, "%s(%a) = %a, nearest %a", Name(f), a, got, want);
    return text;
}

// The argument within `span` doubles of seed whose value lies closest to a midpoint.
double ClosestToMidpoint(Function f, double seed, int span) {
    double best = seed, bestDistance = 0;
    double x = seed;
    for (int i = 0; i < span; ++i) x = std::nextafter(x, -INFINITY);
    for (int i = 0; i <= 2 * span; ++i, x = std::nextafter(x, INFINITY)) {
        const double d = MidpointDistance(f, x);
        if (i == 0 || d < bestDistance) best = x, bestDistance = d;
    }
    return best;
}

struct HardRow {
    const char* name;
    Function f;
    double a, b;
    int span;         // > 0: search the closest argument within span doubles of a
    double distance;  // the exact value lies within 2^distance ulp of a midpoint
    int phase;        // the evaluation that must decide it (3: the 226-bit one)
};

// The constructed rows follow the series at small arguments: for
// f(x) = x + c x^3 + ..., the argument where c x^3 is half an ulp of x
// puts the value on a midpoint up to the spacing of the doubles there.
const HardRow kHardRows[] = {
    // 1 + 2^-53 + 2^-107 + ...: just above the midpoint after 1.
    {"exp_of_2^-53", Function::Exp, 0x1p-53, 0, 0, -50, 3},
    {"exp_of_-2^-54", Function::Exp, -0x1p-54, 0, 0, -50, 3},
    {"exp_of_3*2^-53", Function::Exp, 0x3p-53, 0, 0, -50, 3},
    // cosh 2^-26 = 1 + 2^-53 + 2^-106 / 24 + ...
    {"cosh_of_2^-26", Function::Cosh, 0x1p-26, 0, 0, -50, 3},
    {"cos_near_2^-26.5", Function::Cos, 0x1.6a09e667f3bcdp-27, 0, 8, -45, 3},
    {"sin_near_cbrt(3*2^-78)", Function::Sin, 0x1.7137449123ef6p-26, 0, 8, -45, 3},
    {"asin_near_cbrt(3*2^-78)", Function::Asin, 0x1.7137449123ef6p-26, 0, 8, -45, 3},
    {"sinh_near_cbrt(3*2^-78)", Function::Sinh, 0x1.7137449123ef6p-26, 0, 8, -45, 3},
    {"tan_near_cbrt(1.5*2^-78)", Function::Tan, 0x1.250bfe1b082f5p-26, 0, 8, -45, 3},
    {"atan_near_cbrt(1.5*2^-78)", Function::Atan, 0x1.250bfe1b082f5p-26, 0, 8, -45, 3},
    {"tanh_near_cbrt(1.5*2^-78)", Function::Tanh, 0x1.250bfe1b082f5p-26, 0, 8, -45, 3},
    // Exact midpoints of pow, decided by the tie rule: 94906267^2 and 208065^3
    // have 54 significant bits, 2^-1075 is half the smallest subnormal. A
    // square is the product a * a, rounded by the hardware.
    {"pow_94906267_squared", Function::Pow, 94906267, 2, 0, -1e8, 0},
    {"pow_208065_cubed", Function::Pow, 208065, 3, 0, -1e8, 3},
    {"pow_208065^2_to_1.5", Function::Pow, 43291044225, 1.5, 0, -1e8, 3},
    {"pow_2_to_-1075", Function::Pow, 2, -1075, 0, 1, 3},
    {"pow_0.5_to_1075", Function::Pow, 0.5, 1075, 0, 1, 3},
    {"pow_-208065_cubed", Function::Pow, -208065, 3, 0, -1e8, 3},
};

TEST(MathLibHardCases, AreRoundedCorrectlyByThe226BitEvaluation) {
    for (const HardRow& row : kHardRows) {
        SCOPED_TRACE(row.name);
        const double a = row.span ? ClosestToMidpoint(row.f, row.a, row.span) : row.a;
        const double want = Rounded(row.f, a, row.b);
        const double got = Call(row.f, a, row.b);
        EXPECT_TRUE(SameDouble(got, want)) << Describe(row.f, a, row.b, got, want);
        if (std::fabs(want) >= 0x1p-1022) {
            EXPECT_LE(MidpointDistance(row.f, a, row.b), row.distance) << "not a hard case: " << a;
        }
        EXPECT_EQ(em::DecidingPhase(row.f, a, row.b), row.phase);
    }
}

// Published and well-known difficult arguments, and the special values.
struct Row {
    Function f;
    double a, b;
};

const Row kKnownRows[] = {
    // log of 110101100.01010000101101000000100111001000101011101110 (binary):
    // 60 ones follow the rounding bit.
    {Function::Log, 0x1.ac50b409c8aeep+8, 0},
    // The double nearest a multiple of pi/2 (6381956970095103 * 2^797), and
    // arguments that need every bit of the reduction.
    {Function::Sin, 0x1.6ac5b262ca1ffp+849, 0},
    {Function::Cos, 0x1.6ac5b262ca1ffp+849, 0},
    {Function::Tan, 0x1.6ac5b262ca1ffp+849, 0},
    {Function::Sin, 1e22, 0},
    {Function::Cos, 1e22, 0},
    {Function::Sin, 4538558959190020, 0},
    {Function::Sin, 1e300, 0},
    {Function::Cos, 1.7976931348623157e308, 0},
    {Function::Tan, 1.5707963267948966, 0},
    {Function::Cos, 1.5707963267948966, 0},
    {Function::Sin, 3.141592653589793, 0},
    {Function::Tan, -0x1.921fb54442d18p+1, 0},
    {Function::Cos, 0x1.921fb54442d18p-1, 0},
    {Function::Tanh, 1.0085394552954257, 0},
    // Overflow and underflow thresholds, subnormal results.
    {Function::Exp, 709.782712893384, 0},
    {Function::Exp, 709.7827128933841, 0},
    {Function::Exp, -745.1332191019411, 0},
    {Function::Exp, -745.1332191019412, 0},
    {Function::Exp, -708.3964185322641, 0},
    {Function::Exp, -740.5, 0},
    {Function::Sinh, 710.4758600739439, 0},
    {Function::Sinh, 710.475860073944, 0},
    {Function::Cosh, -710.4758600739439, 0},
    {Function::Pow, 10, -323.5},
    {Function::Pow, 2, 1023.9999999999999},
    {Function::Pow, 0.9999999999999999, -1e18},
    {Function::Pow, 1.0000000000000002, 3e15},
    {Function::Pow, -2, -1073},
    {Function::Pow, -2, 1023},
    {Function::Pow, 10, 22},
    {Function::Pow, 10, 23},
    {Function::Pow, 4, 0.5},
    {Function::Pow, 8, 1.0 / 3},
    // Inverse functions at the ends of their domains.
    {Function::Asin, 1, 0},
    {Function::Asin, -0.9999999999999999, 0},
    {Function::Acos, -1, 0},
    {Function::Acos, 0.9999999999999999, 0},
    {Function::Acos, -0.5, 0},
    {Function::Acos, 0x1p-60, 0},
    {Function::Atan, 1e300, 0},
    {Function::Atan, -1, 0},
    {Function::Atan, INFINITY, 0},
    {Function::Log, 4.9406564584124654e-324, 0},
    {Function::Log, 0.9999999999999999, 0},
    {Function::Log, 1.0000000000000002, 0},
    {Function::Log10, 1e22, 0},
    {Function::Log10, 1e-300, 0},
    {Function::Log10, 1.7976931348623157e308, 0},
    // Zeros keep their sign where the function is odd.
    {Function::Sin, -0.0, 0},
    {Function::Tan, -0.0, 0},
    {Function::Atan, -0.0, 0},
    {Function::Sinh, -0.0, 0},
    {Function::Tanh, -0.0, 0},
    {Function::Asin, -0.0, 0},
    {Function::Tanh, -30, 0},
    {Function::Sin, -4.9406564584124654e-324, 0},
    {Function::Cos, 4.9406564584124654e-324, 0},
};

TEST(MathLibKnownCases, MatchMpfr) {
    for (const Row& row : kKnownRows) {
        const double want = Rounded(row.f, row.a, row.b);
        const double got = Call(row.f, row.a, row.b);
        EXPECT_TRUE(SameDouble(got, want)) << Describe(row.f, row.a, row.b, got, want);
    }
}

// Seeded random arguments over the whole range of each function: random bit
// patterns (every exponent equally likely) and uniform draws in the range
// where the function is neither constant nor out of range.
struct RangeRow {
    Function f;
    double lo, hi;
    bool positiveOnly;
};

const RangeRow kRanges[] = {
    {Function::Exp, -746, 710, false},  {Function::Log, 0, 4, true},
    {Function::Log10, 0, 4, true},      {Function::Sin, -10, 10, false},
    {Function::Cos, -10, 10, false},    {Function::Tan, -10, 10, false},
    {Function::Asin, -1, 1, false},     {Function::Acos, -1, 1, false},
    {Function::Atan, -10, 10, false},   {Function::Sinh, -711, 711, false},
    {Function::Cosh, -711, 711, false}, {Function::Tanh, -20, 20, false},
};

TEST(MathLibRandom, EveryResultIsTheNearestDouble) {
    constexpr int kPerFunction = 6000;
    std::mt19937_64 random(20261210);
    for (const RangeRow& range : kRanges) {
        int wrong = 0;
        for (int i = 0; i < kPerFunction; ++i) {
            double x;
            if (i % 2 == 0) {
                const std::uint64_t bits = random() & 0x7fefffffffffffffull;  // finite
                std::memcpy(&x, &bits, sizeof x);
                if (!range.positiveOnly && (random() & 1)) x = -x;
            } else {
                x = std::uniform_real_distribution<double>(range.lo, range.hi)(random);
            }
            const double want = Rounded(range.f, x), got = Call(range.f, x);
            if (!SameDouble(got, want) && ++wrong <= 5)
                ADD_FAILURE() << Describe(range.f, x, 0, got, want);
        }
        EXPECT_EQ(wrong, 0) << Name(range.f);
    }
}

// The fast evaluation decides most roundings from its error bound alone: the
// bound must hold, with room to spare (every error at most half of it), over
// the ranges its kernels take apart (table indices, exponents, quadrants,
// the two sides of 1 for atan, tanh's and sinh's lower ends).
struct BoundRow {
    Function f;
    double lo, hi;  // uniform draws
    double b;       // pow's exponent; NaN: uniform in [-40, 40]
};

const BoundRow kBoundRows[] = {
    {Function::Exp, -708, 708, 0},     {Function::Exp, -1, 1, 0},
    {Function::Log, 1e-300, 1e300, 0}, {Function::Log, 0.5, 2, 0},
    {Function::Log10, 0.5, 2, 0},      {Function::Log, 1.4, 3, 0},
    {Function::Log10, 0.3, 0.75, 0},   {Function::Log10, 1e-300, 1e300, 0},
    {Function::Sin, -1e5, 1e5, 0},     {Function::Sin, -7, 7, 0},
    {Function::Sin, -0.05, 0.05, 0},   {Function::Cos, -7e5, 7e5, 0},
    {Function::Cos, -7, 7, 0},         {Function::Sin, -1e22, 1e22, 0},
    {Function::Cos, -1e300, 1e300, 0}, {Function::Sin, 7e5, 1e7, 0},
    {Function::Cos, -3e6, -7e5, 0},    {Function::Atan, -3, 3, 0},
    {Function::Atan, -1e6, 1e6, 0},    {Function::Atan, -0.02, 0.02, 0},
    {Function::Sinh, 0.25, 30, 0},     {Function::Sinh, 300, 708, 0},
    {Function::Cosh, 0, 3, 0},         {Function::Tanh, 1e-8, 0.125, 0},
    {Function::Sinh, 1e-8, 0.25, 0},   {Function::Tanh, 0.001, 0.01, 0},
    {Function::Sinh, 0.001, 0.01, 0},  {Function::Tanh, 0.125, 0.6, 0},
    {Function::Tanh, 0.5, 19.1, 0},    {Function::Pow, 0, 100, 3},
    {Function::Pow, 0, 100, 1.5},      {Function::Pow, 1e-10, 1e10, -7.5},
    {Function::Pow, 0, 100, NAN},
};

TEST(MathLibFastEvaluation, StaysWithinHalfItsErrorBound) {
    std::mt19937_64 random(31337);
    for (const BoundRow& row : kBoundRows) {
        int applied = 0;
        double worst = 0, worstA = 0;
        for (int i = 0; i < 4000; ++i) {
            const double a = std::uniform_real_distribution<double>(row.lo, row.hi)(random);
            const double b =
                std::isnan(row.b) ? std::uniform_real_distribution<double>(-40, 40)(random) : row.b;
            double hi, lo, eps;
            int e;
            if (!em::FastEvaluation(row.f, a, b, hi, lo, e, eps)) continue;
            ++applied;
            const double ratio = mpfr_reference::RelativeError(row.f, a, b, hi, lo, e) / eps;
            if (ratio > worst) worst = ratio, worstA = a;
        }
        EXPECT_GT(applied, 3000) << Name(row.f) << " from " << row.lo;
        EXPECT_LE(worst, 0.5) << Name(row.f) << "(" << worstA << ") errs by " << worst
                              << " of its bound";
    }
}

TEST(MathLibRandom, PowIsTheNearestDouble) {
    std::mt19937_64 random(707);
    int wrong = 0;
    for (int i = 0; i < 12000; ++i) {
        double a, b;
        switch (i % 4) {
            case 0:  // any magnitudes whose power stays near the range
                a = std::ldexp(std::uniform_real_distribution<double>(0.5, 1)(random),
                               int(random() % 2000) - 1000);
                b = std::uniform_real_distribution<double>(-1100, 1100)(random) /
                    std::max(1, std::abs(std::ilogb(a)));
                break;
            case 1:  // bases near 1, large exponents
                a = 1 + std::uniform_real_distribution<double>(-1e-6, 1e-6)(random);
                b = std::uniform_real_distribution<double>(-1e8, 1e8)(random);
                break;
            case 2:  // integer and half-integer exponents, negative bases where defined
                a = -std::uniform_real_distribution<double>(0, 100)(random);
                b = double(int(random() % 200) - 100) / ((i / 4) % 2 ? 2 : 1);
                if (b != std::floor(b)) a = -a;
                break;
            default:
                a = std::uniform_real_distribution<double>(0, 100)(random);
                b = std::uniform_real_distribution<double>(-60, 60)(random);
        }
        const double want = Rounded(Function::Pow, a, b), got = em::Pow(a, b);
        if (!SameDouble(got, want) && ++wrong <= 5)
            ADD_FAILURE() << Describe(Function::Pow, a, b, got, want);
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace

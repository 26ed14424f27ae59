#include "engine/MathLib.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "engine/Diagnostics.h"
#include "engine/MathLibExact.h"

namespace NCalculatorText {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Report(MathErrorType type, const char* name, double a, double b, double result) {
    OnMathError(MathErrorReport{type, name, a, b, result});
    return result;
}

bool IsTiny(double r) { return std::fabs(r) < DBL_MIN; }

// Overflow and underflow of a result computed from finite arguments.
double CheckRange(const char* name, double a, double b, double r, bool mayUnderflow) {
    if (std::isinf(r)) return Report(MathOverflow, name, a, b, r);
    if (mayUnderflow && IsTiny(r)) return Report(MathUnderflow, name, a, b, r);
    return r;
}

}  // namespace

double MathSqrt(double x) {
    if (x < 0) return Report(MathDomain, "sqrt", x, 0, kNaN);
    return std::sqrt(x);
}

double MathLog(double x) {
    if (x < 0) return Report(MathDomain, "log", x, 0, kNaN);
    if (x == 0) return Report(MathSingularity, "log", x, 0, -HUGE_VAL);
    return exactmath::Log(x);
}

double MathLog10(double x) {
    if (x < 0) return Report(MathDomain, "log10", x, 0, kNaN);
    if (x == 0) return Report(MathSingularity, "log10", x, 0, -HUGE_VAL);
    return exactmath::Log10(x);
}

double MathExp(double x) {
    if (std::isnan(x)) return x;
    return CheckRange("exp", x, 0, exactmath::Exp(x), true);
}

double MathPow(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return exactmath::Pow(a, b);
    if (a < 0 && std::isfinite(b) && b != std::floor(b))
        return Report(MathDomain, "pow", a, b, kNaN);
    if (a == 0 && b < 0) return Report(MathSingularity, "pow", a, b, exactmath::Pow(a, b));
    const double r = exactmath::Pow(a, b);
    if (!std::isfinite(a) || !std::isfinite(b)) return r;
    // An exact zero power (0^b) is no underflow.
    return CheckRange("pow", a, b, r, a != 0);
}

double MathSin(double x) { return exactmath::Sin(x); }
double MathCos(double x) { return exactmath::Cos(x); }
double MathTan(double x) { return exactmath::Tan(x); }

double MathAsin(double x) {
    if (x < -1 || x > 1) return Report(MathDomain, "asin", x, 0, kNaN);
    return exactmath::Asin(x);
}

double MathAcos(double x) {
    if (x < -1 || x > 1) return Report(MathDomain, "acos", x, 0, kNaN);
    return exactmath::Acos(x);
}

double MathAtan(double x) { return exactmath::Atan(x); }

double MathSinh(double x) {
    if (!std::isfinite(x)) return exactmath::Sinh(x);
    return CheckRange("sinh", x, 0, exactmath::Sinh(x), false);
}

double MathCosh(double x) {
    if (!std::isfinite(x)) return exactmath::Cosh(x);
    return CheckRange("cosh", x, 0, exactmath::Cosh(x), false);
}

double MathTanh(double x) { return exactmath::Tanh(x); }

}  // namespace NCalculatorText

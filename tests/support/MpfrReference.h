// The correctly rounded values that the engine's functions must return,
// computed by MPFR, and how close an exact value comes to a midpoint
// between two doubles. Header-only; link libmpfr.
#pragma once

#include <mpfr.h>

#include <cmath>
#include <cstring>
#include <string>

#include "engine/MathLibExact.h"

namespace mpfr_reference {

using NCalculatorText::exactmath::Function;

inline const char* Name(Function f) {
    static const char* const names[] = {"exp",  "log",  "log10", "pow",  "sin",  "cos", "tan",
                                        "asin", "acos", "atan",  "sinh", "cosh", "tanh"};
    return names[static_cast<int>(f)];
}

// Computes f(a[, b]) into r, rounded to r's precision; returns MPFR's ternary value.
inline int Evaluate(Function f, mpfr_ptr r, mpfr_srcptr a, mpfr_srcptr b) {
    switch (f) {
        case Function::Exp:
            return mpfr_exp(r, a, MPFR_RNDN);
        case Function::Log:
            return mpfr_log(r, a, MPFR_RNDN);
        case Function::Log10:
            return mpfr_log10(r, a, MPFR_RNDN);
        case Function::Pow:
            return mpfr_pow(r, a, b, MPFR_RNDN);
        case Function::Sin:
            return mpfr_sin(r, a, MPFR_RNDN);
        case Function::Cos:
            return mpfr_cos(r, a, MPFR_RNDN);
        case Function::Tan:
            return mpfr_tan(r, a, MPFR_RNDN);
        case Function::Asin:
            return mpfr_asin(r, a, MPFR_RNDN);
        case Function::Acos:
            return mpfr_acos(r, a, MPFR_RNDN);
        case Function::Atan:
            return mpfr_atan(r, a, MPFR_RNDN);
        case Function::Sinh:
            return mpfr_sinh(r, a, MPFR_RNDN);
        case Function::Cosh:
            return mpfr_cosh(r, a, MPFR_RNDN);
        case Function::Tanh:
            return mpfr_tanh(r, a, MPFR_RNDN);
    }
    return 0;
}

// The double nearest f(a[, b]) (ties to even), subnormals and overflow included.
inline double Rounded(Function f, double a, double b = 0) {
    const mpfr_exp_t emin = mpfr_get_emin(), emax = mpfr_get_emax();
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    mpfr_t x, y, r;
    mpfr_inits2(53, x, y, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(x, a, MPFR_RNDN);
    mpfr_set_d(y, b, MPFR_RNDN);
    int t = Evaluate(f, r, x, y);
    t = mpfr_check_range(r, t, MPFR_RNDN);
    mpfr_subnormalize(r, t, MPFR_RNDN);
    const double d = mpfr_get_d(r, MPFR_RNDN);
    mpfr_clears(x, y, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_emin(emin);
    mpfr_set_emax(emax);
    return d;
}

// log2 of the distance between f(a[, b]) and the nearest midpoint between
// two doubles, in units of the result's last place (-1 means a quarter of
// an ulp away; -60, 2^-60 ulp). Normal results only.
inline double MidpointDistance(Function f, double a, double b = 0) {
    mpfr_t x, y, r, m;
    mpfr_inits2(600, x, y, r, m, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(x, a, MPFR_RNDN);
    mpfr_set_d(y, b, MPFR_RNDN);
    Evaluate(f, r, x, y);
    // ulp of the result: 2^(exponent - 53); scale so that doubles are integers.
    const mpfr_exp_t e = mpfr_get_exp(r);
    mpfr_mul_2si(m, r, 53 - e, MPFR_RNDN);  // in [2^52, 2^53)
    mpfr_abs(m, m, MPFR_RNDN);
    mpfr_t frac;
    mpfr_init2(frac, 600);
    mpfr_frac(frac, m, MPFR_RNDN);
    mpfr_sub_d(frac, frac, 0.5, MPFR_RNDN);
    mpfr_abs(frac, frac, MPFR_RNDN);
    const double d = mpfr_zero_p(frac) ? -1e9 : std::log2(mpfr_get_d(frac, MPFR_RNDN));
    mpfr_clears(x, y, r, m, frac, static_cast<mpfr_ptr>(nullptr));
    return d;
}

// |(hi + lo) 2^e - f(a[, b])| / |f(a[, b])|, the exact value to 300 bits.
inline double RelativeError(Function f, double a, double b, double hi, double lo, int e) {
    mpfr_t x, y, r, v;
    mpfr_inits2(300, x, y, r, v, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(x, a, MPFR_RNDN);
    mpfr_set_d(y, b, MPFR_RNDN);
    Evaluate(f, r, x, y);
    mpfr_set_d(v, hi, MPFR_RNDN);
    mpfr_add_d(v, v, lo, MPFR_RNDN);
    mpfr_mul_2si(v, v, e, MPFR_RNDN);
    mpfr_sub(v, v, r, MPFR_RNDN);
    mpfr_div(v, v, r, MPFR_RNDN);
    const double d = std::fabs(mpfr_get_d(v, MPFR_RNDN));
    mpfr_clears(x, y, r, v, static_cast<mpfr_ptr>(nullptr));
    return d;
}

inline bool SameDouble(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace mpfr_reference

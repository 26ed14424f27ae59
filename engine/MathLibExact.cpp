#include "engine/MathLibExact.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "engine/MathLibTables.h"

// The arithmetic below relies on every operation being rounded once, to its
// own type: the engine is compiled without contraction into fused
// multiply-adds and without fast-math (engine/CMakeLists.txt).

namespace NCalculatorText::exactmath {

namespace {

using f128 = __float128;
__extension__ typedef unsigned __int128 U128;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// --- the two working precisions ----------------------------------------------

template <class T>
struct Prec;

template <>
struct Prec<double> {
    static constexpr int kIndex = 0;
    static constexpr int kBits = 53;
    static double Splitter() { return 134217729.0; }  // 2^27 + 1
    // Bound of the relative error of every evaluation in this precision: the
    // operations' own errors sum to below 2^-95 (each double-word operation
    // errs by at most 2^-102 relative, and no evaluation chains more than a
    // few dozen of them); the rest is margin.
    static double Eps() { return 0x1p-80; }
    // Orders of the series and the levels evaluated in plain doubles.
    static constexpr int kExpTerms = 11, kExpPlainFrom = 6;
    static constexpr int kTrigTerms = 8, kTrigPlainFrom = 4;
    static constexpr int kNewtonSteps = 1;
    static constexpr int kWindowWords = 4;
};

template <>
struct Prec<f128> {
    static constexpr int kIndex = 1;
    static constexpr int kBits = 113;
    static f128 Splitter() { return f128(0x1p57) + 1; }
    static f128 Eps() { return f128(0x1p-190); }
    static constexpr int kExpTerms = 20, kExpPlainFrom = 10;
    static constexpr int kTrigTerms = 14, kTrigPlainFrom = 7;
    static constexpr int kNewtonSteps = 3;
    static constexpr int kWindowWords = 7;
};

// 2^n as a T, for |n| up to about 2000.
template <class T>
T Pow2(int n) {
    if (n > 1000) return T(std::ldexp(1.0, 1000)) * T(std::ldexp(1.0, n - 1000));
    if (n < -1000) return T(std::ldexp(1.0, -1000)) * T(std::ldexp(1.0, n + 1000));
    return T(std::ldexp(1.0, n));
}

template <class T>
T Abs(T a) {
    return a < 0 ? -a : a;
}

// --- double-word arithmetic ----------------------------------------------------
// A value hi + lo with |lo| <= ulp(hi) / 2. The algorithms and their error
// bounds are those of Joldes, Muller and Popescu, "Tight and rigorous error
// bounds for basic building blocks of double-word arithmetic" (2017).

template <class T>
struct DW {
    T hi, lo;
};

template <class T>
DW<T> FastTwoSum(T a, T b) {
    const T s = a + b;
    return {s, b - (s - a)};
}

template <class T>
DW<T> TwoSum(T a, T b) {
    const T s = a + b;
    const T bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// Dekker's exact product (no fused multiply-add: the same bits everywhere).
template <class T>
DW<T> TwoProd(T a, T b) {
    const T p = a * b;
    const T ca = Prec<T>::Splitter() * a;
    const T ah = ca - (ca - a), al = a - ah;
    const T cb = Prec<T>::Splitter() * b;
    const T bh = cb - (cb - b), bl = b - bh;
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

template <class T>
DW<T> D(T a) {
    return {a, T(0)};
}

template <class T>
DW<T> Neg(DW<T> a) {
    return {-a.hi, -a.lo};
}

template <class T>
DW<T> Scale(DW<T> a, T pow2) {
    return {a.hi * pow2, a.lo * pow2};
}

template <class T>
DW<T> Add(DW<T> x, DW<T> y) {
    const DW<T> s = TwoSum(x.hi, y.hi), t = TwoSum(x.lo, y.lo);
    const DW<T> v = FastTwoSum(s.hi, s.lo + t.hi);
    return FastTwoSum(v.hi, t.lo + v.lo);
}

template <class T>
DW<T> Add(DW<T> x, T y) {
    const DW<T> s = TwoSum(x.hi, y);
    return FastTwoSum(s.hi, x.lo + s.lo);
}

template <class T>
DW<T> Sub(DW<T> x, DW<T> y) {
    return Add(x, Neg(y));
}

template <class T>
DW<T> Mul(DW<T> x, T y) {
    const DW<T> c = TwoProd(x.hi, y);
    const DW<T> t = FastTwoSum(c.hi, x.lo * y);
    return FastTwoSum(t.hi, t.lo + c.lo);
}

template <class T>
DW<T> Mul(DW<T> x, DW<T> y) {
    const DW<T> c = TwoProd(x.hi, y.hi);
    return FastTwoSum(c.hi, c.lo + (x.hi * y.lo + x.lo * y.hi));
}

template <class T>
DW<T> Div(DW<T> x, T y) {
    const T th = x.hi / y;
    const DW<T> p = TwoProd(th, y);
    const T d = ((x.hi - p.hi) - p.lo) + x.lo;
    return FastTwoSum(th, d / y);
}

template <class T>
DW<T> Div(DW<T> x, DW<T> y) {
    const T th = x.hi / y.hi;
    const DW<T> r = Mul(y, th);
    const T d = (x.hi - r.hi) + (x.lo - r.lo);
    return FastTwoSum(th, d / y.hi);
}

// sqrt(a) for a > 0 by Newton's iteration from the double square root.
template <class T>
DW<T> Sqrt(DW<T> a) {
    DW<T> y = D(T(std::sqrt(double(a.hi))));
    for (int i = 0; i < Prec<T>::kNewtonSteps; ++i) {
        const DW<T> e = Sub(a, Mul(y, y));
        y = Add(y, Div(e, y.hi * 2));
    }
    return y;
}

template <class T>
DW<T> Constant(const double (&c)[2][2][3]) {
    const auto& p = c[Prec<T>::kIndex];
    return {T(p[0][0]) + T(p[0][1]) + T(p[0][2]), T(p[1][0]) + T(p[1][1]) + T(p[1][2])};
}

template <class T>
T Part(const double (&p)[3]) {
    return T(p[0]) + T(p[1]) + T(p[2]);
}

// --- rounding to a double -------------------------------------------------------

// The integer nearest a (ties to even), for |a| < 2^(bits - 1).
template <class T>
T RoundToInteger(T a) {
    const T big = Pow2<T>(Prec<T>::kBits - 1);
    if (Abs(a) >= big) return a;
    return a >= 0 ? (a + big) - big : (a - big) + big;
}

bool IsEven(double d) {
    int ex;
    return (std::uint64_t(std::ldexp(std::frexp(d, &ex), 53)) & 1) == 0;
}

// Rounds v * 2^k, whose exact value lies within eps * |v| of it, to the
// nearest double. Answers false when the error bound leaves the rounding
// open (unless force is set: then v itself is rounded).
template <class T>
bool RoundScaled(DW<T> v, int k, T eps, bool force, double& out) {
    if (v.hi == 0) {
        out = 0;
        return true;
    }
    const T err = force ? T(0) : eps * Abs(v.hi) * 2;
    const int e = std::ilogb(double(v.hi)) + k;
    if (e >= -1021) {
        // Normal range: round to 53 bits, then scale (exactly, or to infinity).
        const double d = double(v.hi);
        const DW<T> r = TwoSum(v.hi - T(d), v.lo);
        const double up = std::nextafter(d, kInf), down = std::nextafter(d, -kInf);
        const T distUp = ((T(up) - T(d)) / 2 - r.hi) - r.lo;
        const T distDown = ((T(d) - T(down)) / 2 + r.hi) + r.lo;
        double result;
        if (distUp > err && distDown > err) {
            result = d;
        } else if (distUp < -err) {
            result = up;
        } else if (distDown < -err) {
            result = down;
        } else if (force) {
            // Exactly on a midpoint: the even neighbour.
            result = IsEven(d) ? d : distUp <= 0 ? up : down;
        } else {
            return false;
        }
        out = std::ldexp(result, k);
        return true;
    }
    // Below 2^-1021 the doubles are the multiples of 2^-1074: round v * 2^(k + 1074)
    // to an integer.
    const T scale = Pow2<T>(k + 1074);
    const DW<T> s = Scale(v, scale);
    const T n = RoundToInteger(s.hi);
    const DW<T> r = TwoSum(s.hi - n, s.lo);
    const T errS = force ? T(0) : eps * Abs(s.hi) * 2;
    const T distUp = (T(0.5) - r.hi) - r.lo;
    const T distDown = (T(0.5) + r.hi) + r.lo;
    T result;
    if (distUp > errS && distDown > errS) {
        result = n;
    } else if (distUp < -errS) {
        result = n + 1;
    } else if (distDown < -errS) {
        result = n - 1;
    } else if (force) {
        result = RoundToInteger(n / 2) * 2 == n ? n : distUp <= 0 ? n + 1 : n - 1;
    } else {
        return false;
    }
    out = std::ldexp(double(result), -1074);
    return true;
}

// --- kernels ----------------------------------------------------------------------

// e^t - 1 for |t| <= 0.36, with a relative error of a few units of the
// double-word precision: the series at t / 256, then eight doublings
// (1 + p)^2 - 1 = 2p + p^2.
template <class T>
DW<T> Expm1Small(DW<T> t) {
    const DW<T> u = Scale(t, T(0x1p-8));
    // Horner's scheme for 1 + u/2 (1 + u/3 (1 + ...)); the deepest levels
    // are small enough for plain arithmetic.
    T tail = 1;
    for (int n = Prec<T>::kExpTerms; n > Prec<T>::kExpPlainFrom; --n) tail = 1 + tail * u.hi / T(n);
    DW<T> q = D(tail);
    for (int n = Prec<T>::kExpPlainFrom; n >= 2; --n) q = Add(Div(Mul(q, u), T(n)), T(1));
    DW<T> p = Mul(q, u);
    for (int i = 0; i < 8; ++i) p = Add(Scale(p, T(2)), Mul(p, p));
    return p;
}

// e^x = (1 + p) * 2^k, |x| < 1400.
template <class T>
DW<T> ExpReduced(DW<T> x, int& k) {
    const double kd = std::floor(double(x.hi) * 1.4426950408889634 + 0.5);
    k = int(kd);
    const auto& split = kLn2Split[Prec<T>::kIndex];
    const T tk = T(kd);
    // x - k ln 2 with ln 2 in three parts: the first product is exact and
    // cancels exactly against x.
    DW<T> r = TwoSum(x.hi - tk * Part<T>(split[0]), x.lo);
    r = Sub(r, TwoProd(tk, Part<T>(split[1])));
    r = Add(r, -(tk * Part<T>(split[2])));
    return Expm1Small(r);
}

// e^x - 1 for |x| < 1400 (relative error bounded also near 0).
template <class T>
DW<T> Expm1(DW<T> x) {
    int k;
    const DW<T> p = ExpReduced(x, k);
    if (k == 0) return p;
    const T pk = Pow2<T>(k);
    return Add(Scale(p, pk), pk - 1);
}

// A double approximation of log(m), m in [0.7, 1.42], with a relative error
// below 2^-48: 2 atanh((m - 1) / (m + 1)) by its series.
double LogApprox(double m) {
    const double u = (m - 1) / (m + 1), u2 = u * u;
    double s = 1.0 / 21;
    for (int n = 19; n >= 1; n -= 2) s = 1.0 / n + u2 * s;
    return 2 * u * s;
}

// log(m) for m in [0.7, 1.42] by Newton's iteration on e^y = m, written so
// that the relative error stays bounded near m = 1:
// y' = y + (m - 1) + m (e^-y - 1).
template <class T>
DW<T> LogMantissa(double m) {
    DW<T> y = D(T(LogApprox(m)));
    const T tm = T(m);
    const T m1 = T(m - 1);  // exact
    for (int i = 0; i < Prec<T>::kNewtonSteps; ++i) {
        const DW<T> e = Expm1(Neg(y));
        y = Add(y, Add(Mul(e, tm), m1));
    }
    return y;
}

// log(x) for finite x > 0.
template <class T>
DW<T> LogPositive(double x) {
    int e = 0;
    if (x < 0x1p-1022) {
        x *= 0x1p54;
        e = -54;
    }
    int ex;
    double m = std::frexp(x, &ex);  // m in [0.5, 1)
    e += ex;
    if (m < 0.70710678118654757) {
        m *= 2;
        --e;
    }
    const DW<T> lm = LogMantissa<T>(m);
    if (e == 0) return lm;
    return Add(Mul(Constant<T>(kLn2), T(e)), lm);
}

// sin and cos of r, |r| <= pi/4 (a little more is harmless): the series at
// r / 32, then five doublings.
template <class T>
void SinCosSmall(DW<T> r, DW<T>& s, DW<T>& c) {
    const DW<T> t = Scale(r, T(0x1p-5));
    const DW<T> t2 = Mul(t, t);
    // sin t = t (1 - t^2/(2*3) (1 - t^2/(4*5) (...))), cos t = 1 - t^2/(1*2) (1 - ...)
    T ps = 1, pc = 1;
    for (int n = Prec<T>::kTrigTerms; n > Prec<T>::kTrigPlainFrom; --n) {
        ps = 1 - ps * t2.hi / T((2 * n) * (2 * n + 1));
        pc = 1 - pc * t2.hi / T((2 * n - 1) * (2 * n));
    }
    DW<T> qs = D(ps), qc = D(pc);
    for (int n = Prec<T>::kTrigPlainFrom; n >= 1; --n) {
        qs = Add(Neg(Div(Mul(qs, t2), T((2 * n) * (2 * n + 1)))), T(1));
        qc = Add(Neg(Div(Mul(qc, t2), T((2 * n - 1) * (2 * n)))), T(1));
    }
    s = Mul(qs, t);
    c = qc;
    for (int i = 0; i < 5; ++i) {
        const DW<T> s2 = Scale(Mul(s, c), T(2));
        c = Add(Neg(Scale(Mul(s, s), T(2))), T(1));
        s = s2;
    }
}

// 64 bits of 2/pi from bit `offset` on (bit 0 being the first after the
// point); zeros before the point.
std::uint64_t TwoOverPiWord(int offset) {
    constexpr int kWords = int(sizeof kTwoOverPiBits / sizeof kTwoOverPiBits[0]);
    if (offset <= -64) return 0;
    if (offset < 0) return kTwoOverPiBits[0] >> -offset;
    const int w = offset / 64, sh = offset % 64;
    if (w >= kWords) return 0;
    const std::uint64_t hi = kTwoOverPiBits[w];
    const std::uint64_t lo = w + 1 < kWords ? kTwoOverPiBits[w + 1] : 0;
    return sh ? (hi << sh) | (lo >> (64 - sh)) : hi;
}

// n bits (n <= 64) of the big-endian word array g from bit pos on.
std::uint64_t Bits(const std::uint64_t* g, int words, int pos, int n) {
    const int w = pos / 64, sh = pos % 64;
    const std::uint64_t a = w < words ? g[w] : 0, b = w + 1 < words ? g[w + 1] : 0;
    const std::uint64_t v = sh ? (a << sh) | (b >> (64 - sh)) : a;
    return n == 64 ? v : v >> (64 - n);
}

// p bits of g from bit pos on, as an integer-valued T.
template <class T>
T BitsAsT(const std::uint64_t* g, int words, int pos) {
    constexpr int p = Prec<T>::kBits;
    if constexpr (p <= 64) {
        return T(Bits(g, words, pos, p));
    } else {
        return T(Bits(g, words, pos, 64)) * Pow2<T>(p - 64) + T(Bits(g, words, pos + 64, p - 64));
    }
}

// Exact reduction (Payne and Hanek) of |x| >= pi/4: |x| = (4j + q) pi/2 + r,
// |r| <= pi/4, r to the working precision.
template <class T>
DW<T> ReduceHalfPi(double ax, int& q) {
    int ex;
    const double fr = std::frexp(ax, &ex);
    const std::uint64_t m = std::uint64_t(std::ldexp(fr, 53));
    const int e = ex - 53;  // ax = m 2^e
    // Bits of 2/pi with weight 2^(e - j) >= 4 give multiples of 4 and are
    // skipped; the window follows (256 bits for doubles, 448 for the second
    // precision): y = 4 m (0.window) = x 2/pi mod 4, to 2^-200 or better.
    constexpr int kW = Prec<T>::kWindowWords;
    std::uint64_t window[kW];
    for (int i = 0; i < kW; ++i) window[i] = TwoOverPiWord(e - 2 + 64 * i);
    // p = m * window, little-endian words.
    std::uint64_t p[kW + 1];
    U128 carry = 0;
    for (int i = 0; i < kW; ++i) {
        carry += static_cast<U128>(m) * window[kW - 1 - i];
        p[i] = std::uint64_t(carry);
        carry >>= 64;
    }
    p[kW] = std::uint64_t(carry);
    // y = p 2^-(64 kW - 2): the two bits above the point are the quadrant; the
    // fraction, shifted to the top, into g (big-endian).
    q = int((p[kW - 1] >> 62) & 3);
    std::uint64_t g[kW];
    for (int i = 0; i < kW; ++i) {
        const int src = kW - 1 - i;
        g[i] = (p[src] << 2) | (src > 0 ? p[src - 1] >> 62 : 0);
    }
    bool negative = false;
    if (g[0] >> 63) {
        // Fraction >= 1/2: the next quadrant, r negative (1 - fraction).
        q = (q + 1) & 3;
        negative = true;
        U128 c = 1;
        for (int i = kW - 1; i >= 0; --i) {
            c += ~g[i];
            g[i] = std::uint64_t(c);
            c >>= 64;
        }
    }
    int z = 0;
    while (z < 64 * kW && g[z / 64] == 0) z += 64;
    if (z < 64 * kW) z += std::countl_zero(g[z / 64]);
    constexpr int bits = Prec<T>::kBits;
    if (z + 2 * bits > 64 * kW) return D(T(0));  // cannot happen for a double
    const T hi = BitsAsT<T>(g, kW, z) * Pow2<T>(-(z + bits));
    const T lo = BitsAsT<T>(g, kW, z + bits) * Pow2<T>(-(z + 2 * bits));
    const DW<T> f = FastTwoSum(hi, lo);
    const DW<T> r = Mul(f, Constant<T>(kHalfPi));
    return negative ? Neg(r) : r;
}

// sin and cos of |x| (x finite).
template <class T>
void SinCos(double ax, DW<T>& s, DW<T>& c) {
    int q = 0;
    const DW<T> r = ax <= 0.78 ? D(T(ax)) : ReduceHalfPi<T>(ax, q);
    DW<T> sr, cr;
    SinCosSmall(r, sr, cr);
    switch (q) {
        case 0:
            s = sr, c = cr;
            break;
        case 1:
            s = cr, c = Neg(sr);
            break;
        case 2:
            s = Neg(sr), c = Neg(cr);
            break;
        default:
            s = Neg(cr), c = sr;
            break;
    }
}

// A double approximation of atan(a), 0 <= a <= 1, relative error below
// 2^-48: two halvings atan(a) = 2 atan(a / (1 + sqrt(1 + a^2))), then the series.
double AtanApprox(double a) {
    for (int i = 0; i < 2; ++i) a = a / (1 + std::sqrt(1 + a * a));
    const double a2 = a * a;
    double s = 1.0 / 23;
    for (int n = 21; n >= 1; n -= 2) s = 1.0 / n - a2 * s;
    return 4 * a * s;
}

// Scales y and x alike so that the larger is near 1: the exact products of
// the double-word arithmetic stay far from overflow.
template <class T>
void RatioScale(DW<T>& y, DW<T>& x) {
    const double m = double(y.hi > x.hi ? y.hi : x.hi);
    if (m > 0x1p400 || m < 0x1p-400) {
        const T f = Pow2<T>(-std::ilogb(m));
        y = Scale(y, f);
        x = Scale(x, f);
    }
}

// The angle in [0, pi/2] whose tangent is y / x (x, y >= 0, not both 0), by
// Newton's iteration on the tangent from a double approximation:
// theta' = theta + f/g, f = y cos theta - x sin theta, g = y sin theta + x cos theta
// (f/g = tan(target - theta), so each step cubes the error).
template <class T>
DW<T> Angle(DW<T> y, DW<T> x) {
    if (y.hi > x.hi) return Sub(Constant<T>(kHalfPi), Angle(x, y));
    RatioScale(y, x);
    if (y.hi == 0) return D(T(0));
    DW<T> theta = D(T(AtanApprox(double(y.hi) / double(x.hi))));
    const int steps = Prec<T>::kIndex == 0 ? 1 : 2;
    for (int i = 0; i < steps; ++i) {
        DW<T> s, c;
        SinCosSmall(theta, s, c);
        const DW<T> f = Sub(Mul(y, c), Mul(x, s));
        const DW<T> g = Add(Mul(y, s), Mul(x, c));
        theta = Add(theta, Div(f, g));
    }
    return theta;
}

// sqrt(1 - x^2) for |x| <= 1, with 1 - x^2 formed exactly enough.
template <class T>
DW<T> Cofunction(double ax) {
    DW<T> d;
    if (ax >= 0.5)
        d = Mul(TwoSum(T(1), T(ax)), T(1 - ax));  // 1 - ax is exact
    else
        d = Add(Neg(TwoProd(T(ax), T(ax))), T(1));
    if (d.hi == 0) return d;
    return Sqrt(d);
}

// --- the first evaluation: doubles and tables -------------------------------------
// Most arguments are decided here, in a few dozen operations. Each result is
// a double-word with a relative error bounded as stated (the sum of the
// rounding errors of the steps and of the truncated series, with a margin).

using DD = DW<double>;

// e^z = 2^e 2^(j/128) (1 + p), |z| < 750: z = (128 e + j) ln2/128 + r,
// |r| < 2^-8.4; p = e^r - 1 = x + plo with x = r rounded.
struct ExpParts {
    int e;
    double th, tl;  // 2^(j/128)
    double x, plo;
};

ExpParts QuickExpParts(DD z) {
    const double kd = std::floor(z.hi * 184.66496523378731 + 0.5);  // 128 / ln 2
    const int k = int(kd);
    const int j = k & 127;
    const double rh = z.hi - kd * kLn2Over128[0];  // exact
    const DD p2 = TwoProd(kd, kLn2Over128[1]);
    DD r = TwoSum(rh, -p2.hi);
    r = FastTwoSum(r.hi, r.lo + ((z.lo - p2.lo) - kd * kLn2Over128[2]));
    const double x = r.hi;
    // e^r - 1 = x + (r.lo + x r.lo + q), q = x^2/2 + x^3/6 + ... + x^6/720
    const double q =
        x * x * (0.5 + x * (1.0 / 6 + x * (1.0 / 24 + x * (1.0 / 120 + x * (1.0 / 720)))));
    return {(k - j) / 128, kExp2Table[j][0], kExp2Table[j][1], x, r.lo + x * r.lo + q};
}

// e^z = (hi + lo) 2^e, |z| < 750. Relative error below 2^-66.
DD QuickExp(DD z, int& e) {
    const ExpParts p = QuickExpParts(z);
    e = p.e;
    const DD s = TwoProd(p.th, p.x);
    const DD v = FastTwoSum(p.th, s.hi);
    return FastTwoSum(v.hi, v.lo + (s.lo + (p.tl + (p.th * p.plo + p.tl * p.x))));
}

// e^x - 1 for |x| <= 2, as (2^e T - 1) + 2^e T p: relative error below 2^-64
// (the two parts cancel by at most a factor of three).
DD QuickExpm1(double x) {
    const ExpParts p = QuickExpParts(D(x));
    const double f = std::ldexp(1.0, p.e);
    const DD a = TwoSum(p.th * f, -1.0);  // both exact
    const DD s = TwoProd(p.th * f, p.x);
    const DD b = FastTwoSum(s.hi, s.lo + f * (p.th * p.plo + p.tl * p.x + p.tl));
    return Add(a, b);
}

// x = m 2^e with m in [1, 2), for finite x > 0.
[[gnu::always_inline]] inline double Mantissa(double x, int& e) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    e = 0;
    if (bits < (std::uint64_t(1) << 52)) {  // subnormal
        bits = std::bit_cast<std::uint64_t>(x * 0x1p54);
        e = -54;
    }
    e += int(bits >> 52) - 1023;
    return std::bit_cast<double>((bits & 0xfffffffffffffull) | 0x3ff0000000000000ull);
}

// log(1 + z) - z + z^2/2 for |z| < 2^-7 (to below 2^-80 |z|): z^3/3 - z^4/4 + ... - z^10/10.
double Log1pTail(double z, double z2) {
    return z * z2 *
           (1.0 / 3 -
            z * (0.25 - z * (0.2 - z * (1.0 / 6 -
                                        z * (1.0 / 7 - z * (0.125 - z * (1.0 / 9 - z * 0.1)))))));
}

// log x for finite x > 0. Absolute error below 2^-74 + 2^-100 |log x|, relative
// error below 2^-66: x = 2^e m, m in [0.707, 1.414); m = c (1 + z) with c from
// the table (1/c rounded, -log(1/c) to 106 bits), |z| < 2^-7.4.
DD QuickLog(double x) {
    int e;
    double m = Mantissa(x, e);
    if (m >= 1.4142135623730951) {
        m *= 0.5;
        ++e;
    }
    const int i = int(m * 128);  // 90..181
    DD l;
    if (i == 127 || i == 128) {
        const double z = m - 1;  // exact
        const DD z2 = TwoProd(z, z);
        const DD w = TwoSum(z, -0.5 * z2.hi);
        l = FastTwoSum(w.hi, w.lo + (Log1pTail(z, z2.hi) - 0.5 * z2.lo));
    } else {
        const double* t = kLogTable[i - 90];
        const DD p = TwoProd(m, t[0]);
        const DD z = FastTwoSum(p.hi - 1, p.lo);  // p.hi - 1 exact
        const DD z2 = TwoProd(z.hi, z.hi);
        const DD w = TwoSum(z.hi, -0.5 * z2.hi);
        // log(1 + z.hi + z.lo) = log(1 + z.hi) + z.lo (1 - z.hi) + ...
        const DD l1 =
            FastTwoSum(w.hi, w.lo + (Log1pTail(z.hi, z2.hi) - 0.5 * z2.lo + (z.lo - z.hi * z.lo)));
        l = Add(DD{t[1], t[2]}, l1);
    }
    if (e == 0) return l;
    const double ed = e;
    const DD el = TwoSum(ed * kLn2Split[0][0][0], l.hi);  // e * (42-bit part) exact
    return FastTwoSum(el.hi, el.lo + (l.lo + ed * kLn2Split[0][1][0]));
}

// sin and cos of r, 0 <= r <= pi/4 + 2^-20: r = j/64 + t, |t| <= 1/128, and
// the addition formulas with sin(j/64), cos(j/64) from the table. Relative
// error below 2^-66.
void QuickSinCos(DD r, DD* s, DD* c) {
    const int j = int(r.hi * 64 + 0.5);              // NOLINT(bugprone-incorrect-roundings): r >= 0
    const DD t = FastTwoSum(r.hi - j / 64.0, r.lo);  // first difference exact
    const double th = t.hi, t2 = th * th;
    // sin t = th + sinTail, cos t = 1 + cosM1
    const double sinTail =
        t.lo + th * t2 * (-1.0 / 6 + t2 * (1.0 / 120 + t2 * (-1.0 / 5040 + t2 * (1.0 / 362880))));
    const double cosM1 =
        -(0.5 * t2 + th * t.lo) + t2 * t2 * (1.0 / 24 + t2 * (-1.0 / 720 + t2 * (1.0 / 40320)));
    if (j == 0) {
        if (s) *s = FastTwoSum(th, sinTail);
        if (c) *c = FastTwoSum(1.0, cosM1);
        return;
    }
    const double sh = kSinCosTable[j][0], sl = kSinCosTable[j][1];
    const double ch = kSinCosTable[j][2], cl = kSinCosTable[j][3];
    if (s) {
        // sin(a + t) = sin a (1 + cosM1) + cos a sin t
        const DD a = TwoProd(ch, th);
        const DD sv = TwoSum(sh, a.hi);
        *s = FastTwoSum(sv.hi, sv.lo + (a.lo + (sl + (sh * cosM1 + ch * sinTail + cl * th))));
    }
    if (c) {
        // cos(a + t) = cos a (1 + cosM1) - sin a sin t
        const DD b = TwoProd(sh, th);
        const DD cv = TwoSum(ch, -b.hi);
        *c = FastTwoSum(cv.hi, cv.lo + (-b.lo + (cl + (ch * cosM1 - sh * sinTail - sl * th))));
    }
}

// |x| = k pi/2 + r for |x| < 2^19 (Cody and Waite): pi/2 in parts of 33, 33
// and 53 bits, so that k times the first two is exact; absolute error below
// 2^-103. Answers false where r is too small for that to be a relative error
// of 2^-73: the exact reduction takes those.
bool QuickReduce(double ax, DD& r, int& q) {
    if (ax > 0x1p19) return false;
    const double kd = std::floor(ax * 0.63661977236758134 + 0.5);
    const DD s = TwoSum(ax - kd * 0x1.921fb54400000p+0, -(kd * 0x1.0b4611a600000p-34));  // exact
    r = Sub(s, TwoProd(kd, 0x1.3198a2e037073p-69));
    q = int(kd) & 3;
    return std::fabs(r.hi) >= 0x1p-30;
}

// sin and cos of |x| (x finite), relative error below 2^-65; only those
// asked for (s or c may be null).
void QuickSinCosOf(double ax, DD* s, DD* c) {
    int q = 0;
    DD r = D(ax);
    if (ax > 0.78 && !QuickReduce(ax, r, q)) r = ReduceHalfPi<double>(ax, q);
    const bool negative = r.hi < 0;
    if (negative) r = Neg(r);
    // sin x is +-sin r for even quadrants and +-cos r for odd ones; cos x the other.
    const bool odd = q & 1;
    DD sr{0, 0}, cr{0, 0};
    QuickSinCos(r, (s && !odd) || (c && odd) ? &sr : nullptr,
                (s && odd) || (c && !odd) ? &cr : nullptr);
    if (negative) sr = Neg(sr);
    switch (q) {
        case 0:
            if (s) *s = sr;
            if (c) *c = cr;
            break;
        case 1:
            if (s) *s = cr;
            if (c) *c = Neg(sr);
            break;
        case 2:
            if (s) *s = Neg(sr);
            if (c) *c = Neg(cr);
            break;
        default:
            if (s) *s = Neg(cr);
            if (c) *c = sr;
            break;
    }
}

// atan y for 0 <= y <= 1 (a double-word): y = j/64 + d, and
// atan y = atan(j/64) + atan(d / (1 + y j/64)), |t| <= 2^-7. Relative error below 2^-66.
DD QuickAtanUnit(DD y) {
    const int j = int(y.hi * 64 + 0.5);  // NOLINT(bugprone-incorrect-roundings): y >= 0
    DD t = y;
    if (j > 0) {
        const double cj = j / 64.0;
        const DD num = FastTwoSum(y.hi - cj, y.lo);  // first difference exact
        const DD p = TwoProd(y.hi, cj);
        const DD den = FastTwoSum(1.0, p.hi);
        t = Div(num, FastTwoSum(den.hi, den.lo + (p.lo + y.lo * cj)));
    }
    const double th = t.hi, t2 = th * th;
    const double tail =
        t.lo +
        th * t2 * (-1.0 / 3 + t2 * (0.2 + t2 * (-1.0 / 7 + t2 * (1.0 / 9 + t2 * (-1.0 / 11)))));
    if (j == 0) return FastTwoSum(th, tail);
    const DD v = TwoSum(kAtanTable[j][0], th);
    return FastTwoSum(v.hi, v.lo + (kAtanTable[j][1] + tail));
}

// The angle in [0, pi/2] whose tangent is y / x (x, y >= 0, not both 0).
DD QuickAngle(DD y, DD x) {
    RatioScale(y, x);
    if (y.hi <= x.hi) return QuickAtanUnit(x.hi == 1 && x.lo == 0 ? y : Div(y, x));
    return Sub(Constant<double>(kHalfPi), QuickAtanUnit(Div(x, y)));
}

// e^ax and e^-ax scaled alike: e^ax = plus 2^e, e^-ax = minus 2^e.
void QuickExpPair(double ax, DD& plus, DD& minus, int& e) {
    plus = QuickExp(D(ax), e);
    minus = D(0.0);
    if (ax <= 26) {
        int e2;
        const DD m = QuickExp(D(-ax), e2);
        minus = Scale(m, std::ldexp(1.0, e2 - e));
    }
}

// The rounding test of the first evaluation: RoundScaled's, on the bits of
// the double, for results in the normal range.
bool QuickRound(DD v, int k, double eps, double& out) {
    const double a = std::fabs(v.hi);
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(a);
    const int biased = int(bits >> 52);
    const int e = biased - 1023 + k;
    if (biased <= 53 || biased >= 2046 || e < -1021 || e > 1023 || k < -1022 || k > 1023)
        return RoundScaled(v, k, eps, false, out);
    const double ulp = std::bit_cast<double>(std::uint64_t(biased - 52) << 52);
    const double halfUp = 0.5 * ulp;
    const double halfDown =
        (bits & 0xfffffffffffffull) ? halfUp : 0.25 * ulp;  // below a power of 2
    const double lo = v.hi < 0 ? -v.lo : v.lo;
    const double err = eps * a * 2;
    if (!(lo < halfUp - err && lo > err - halfDown)) return false;
    out = k == 0 ? v.hi : v.hi * std::bit_cast<double>(std::uint64_t(k + 1023) << 52);
    return true;
}

bool EvalQuick(Function f, double a, double b, double& out) {
    int e;
    DD s, c;
    switch (f) {
        case Function::Exp: {
            const DD v = QuickExp(D(a), e);
            return QuickRound(v, e, 0x1p-63, out);
        }
        case Function::Log:
            return QuickRound(QuickLog(a), 0, 0x1p-62, out);
        case Function::Log10:
            return QuickRound(Mul(QuickLog(a), Constant<double>(kInvLn10)), 0, 0x1p-62, out);
        case Function::Pow: {
            const DD z = Mul(QuickLog(std::fabs(a)), b);
            const DD v = QuickExp(z, e);
            return QuickRound(v, e, 0x1p-64 + std::fabs(b) * 0x1p-72, out);
        }
        case Function::Sin:
            QuickSinCosOf(a, &s, nullptr);
            return QuickRound(s, 0, 0x1p-62, out);
        case Function::Cos:
            QuickSinCosOf(a, nullptr, &c);
            return QuickRound(c, 0, 0x1p-62, out);
        case Function::Tan:
            QuickSinCosOf(a, &s, &c);
            return QuickRound(Div(s, c), 0, 0x1p-61, out);
        case Function::Atan:
            return QuickRound(QuickAngle(D(a), D(1.0)), 0, 0x1p-62, out);
        case Function::Asin:
            return QuickRound(QuickAngle(D(a), Cofunction<double>(a)), 0, 0x1p-62, out);
        case Function::Acos: {
            const DD theta = QuickAngle(Cofunction<double>(std::fabs(a)), D(std::fabs(a)));
            return QuickRound(a < 0 ? Sub(Constant<double>(kPi), theta) : theta, 0, 0x1p-62, out);
        }
        case Function::Sinh:
        case Function::Cosh:
        case Function::Tanh: {
            if (a < 1) {
                // From e^x - 1 (E), without cancellation: sinh = (E + E/(E + 1))/2,
                // cosh = 1 + E^2/(2 (E + 1)), tanh = E2/(E2 + 2) with E2 = e^2x - 1.
                if (f == Function::Tanh) {
                    const DD e2 = QuickExpm1(2 * a);
                    return QuickRound(Div(e2, Add(e2, 2.0)), 0, 0x1p-61, out);
                }
                const DD em = QuickExpm1(a);
                const DD ep = Add(em, 1.0);
                const DD v = f == Function::Sinh ? Scale(Add(em, Div(em, ep)), 0.5)
                                                 : Add(Scale(Div(Mul(em, em), ep), 0.5), 1.0);
                return QuickRound(v, 0, 0x1p-61, out);
            }
            // From 1 on the two exponentials cancel by at most a factor 1.4.
            DD plus, minus;
            QuickExpPair(a, plus, minus, e);
            if (f == Function::Sinh) return QuickRound(Sub(plus, minus), e - 1, 0x1p-62, out);
            if (f == Function::Cosh) return QuickRound(Add(plus, minus), e - 1, 0x1p-62, out);
            return QuickRound(Div(Sub(plus, minus), Add(plus, minus)), 0, 0x1p-61, out);
        }
    }
    return false;
}

// --- the functions, one evaluation in precision T --------------------------------
// Each answers whether the rounding was decided (always, when force is set).

template <class T>
bool EvalExp(double x, bool force, double& out) {
    int k;
    const DW<T> p = ExpReduced(D(T(x)), k);
    return RoundScaled(Add(p, T(1)), k, Prec<T>::Eps(), force, out);
}

template <class T>
bool EvalLog(double x, bool force, double& out) {
    return RoundScaled(LogPositive<T>(x), 0, Prec<T>::Eps(), force, out);
}

template <class T>
bool EvalLog10(double x, bool force, double& out) {
    return RoundScaled(Mul(LogPositive<T>(x), Constant<T>(kInvLn10)), 0, Prec<T>::Eps(), force,
                       out);
}

// |a|^b for finite a != 0, finite b, where the result is neither far out of
// range nor trivial; the sign is the caller's.
template <class T>
bool EvalPow(double a, double b, bool force, double& out) {
    const DW<T> z = Mul(LogPositive<T>(std::fabs(a)), T(b));
    int k;
    const DW<T> p = ExpReduced(z, k);
    return RoundScaled(Add(p, T(1)), k, Prec<T>::Eps(), force, out);
}

template <class T>
bool EvalSinh(double ax, bool force, double& out) {
    if (ax < 1) {
        // (E + E / (E + 1)) / 2, E = e^x - 1
        const DW<T> e = Expm1(D(T(ax)));
        const DW<T> v = Scale(Add(e, Div(e, Add(e, T(1)))), T(0.5));
        return RoundScaled(v, 0, Prec<T>::Eps(), force, out);
    }
    int k;
    const DW<T> m = Add(ExpReduced(D(T(ax)), k), T(1));  // e^x = m 2^k
    // sinh x = 2^(k-1) (m - 2^-2k / m)
    const DW<T> v = Sub(m, Div(D(Pow2<T>(-2 * k)), m));
    return RoundScaled(v, k - 1, Prec<T>::Eps(), force, out);
}

template <class T>
bool EvalCosh(double ax, bool force, double& out) {
    if (ax < 1) {
        // 1 + E^2 / (2 (E + 1))
        const DW<T> e = Expm1(D(T(ax)));
        const DW<T> v = Add(Scale(Div(Mul(e, e), Add(e, T(1))), T(0.5)), T(1));
        return RoundScaled(v, 0, Prec<T>::Eps(), force, out);
    }
    int k;
    const DW<T> m = Add(ExpReduced(D(T(ax)), k), T(1));
    const DW<T> v = Add(m, Div(D(Pow2<T>(-2 * k)), m));
    return RoundScaled(v, k - 1, Prec<T>::Eps(), force, out);
}

template <class T>
bool EvalTanh(double ax, bool force, double& out) {
    // E / (E + 2), E = e^2x - 1
    const DW<T> e = Expm1(D(T(2 * ax)));
    return RoundScaled(Div(e, Add(e, T(2))), 0, Prec<T>::Eps(), force, out);
}

template <class T>
bool EvalSin(double ax, bool force, double& out) {
    DW<T> s, c;
    SinCos<T>(ax, s, c);
    return RoundScaled(s, 0, Prec<T>::Eps(), force, out);
}

template <class T>
bool EvalCos(double ax, bool force, double& out) {
    DW<T> s, c;
    SinCos<T>(ax, s, c);
    return RoundScaled(c, 0, Prec<T>::Eps(), force, out);
}

template <class T>
bool EvalTan(double ax, bool force, double& out) {
    DW<T> s, c;
    SinCos<T>(ax, s, c);
    return RoundScaled(Div(s, c), 0, Prec<T>::Eps(), force, out);
}

template <class T>
bool EvalAtan(double ax, bool force, double& out) {
    return RoundScaled(Angle(D(T(ax)), D(T(1))), 0, Prec<T>::Eps(), force, out);
}

template <class T>
bool EvalAsin(double ax, bool force, double& out) {
    return RoundScaled(Angle(D(T(ax)), Cofunction<T>(ax)), 0, Prec<T>::Eps(), force, out);
}

template <class T>
bool EvalAcos(double x, bool force, double& out) {
    const DW<T> theta = Angle(Cofunction<T>(std::fabs(x)), D(T(std::fabs(x))));
    const DW<T> v = x < 0 ? Sub(Constant<T>(kPi), theta) : theta;
    return RoundScaled(v, 0, Prec<T>::Eps(), force, out);
}

// --- exact results of pow ----------------------------------------------------------

using Big = std::vector<std::uint32_t>;  // little-endian

Big BigMul(const Big& a, const Big& b) {
    Big r(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::uint64_t c = 0;
        for (std::size_t j = 0; j < b.size(); ++j) {
            c += std::uint64_t(a[i]) * b[j] + r[i + j];
            r[i + j] = std::uint32_t(c);
            c >>= 32;
        }
        r[i + b.size()] = std::uint32_t(c);
    }
    while (r.size() > 1 && r.back() == 0) r.pop_back();
    return r;
}

// base^n, or an empty number once it exceeds maxWords words.
Big BigPow(std::uint64_t base, std::uint64_t n, std::size_t maxWords) {
    Big r{1}, b{std::uint32_t(base), std::uint32_t(base >> 32)};
    if (b[1] == 0) b.pop_back();
    while (n) {
        if (n & 1) r = BigMul(r, b);
        if (r.size() > maxWords) return {};
        n >>= 1;
        if (n) b = BigMul(b, b);
        if (b.size() > 2 * maxWords) return {};
    }
    return r;
}

// An odd integer and an exponent: v = odd * 2^exp (v > 0, finite).
void OddAndExponent(double v, std::uint64_t& odd, int& exp) {
    int ex;
    const double fr = std::frexp(v, &ex);
    odd = std::uint64_t(std::ldexp(fr, 53));
    exp = ex - 53;
    while (!(odd & 1)) odd >>= 1, ++exp;
}

// Whether |a|^b equals oddM * 2^expM exactly.
bool PowIsExactly(double a, double b, std::uint64_t oddM, long expM) {
    std::uint64_t oddA;
    int expA;
    OddAndExponent(std::fabs(a), oddA, expA);
    // b = n / 2^j with n odd (or b an integer).
    int j = 0;
    double n = b;
    while (n != std::floor(n) && j < 8) n *= 2, ++j;
    if (n != std::floor(n) || std::fabs(n) > 0x1p20) return false;
    const long ni = long(n);
    // |a|^n = M^(2^j): the odd parts and the exponents agree.
    if (long(expA) * ni != expM * (1L << j)) return false;
    if (oddA == 1 || oddM == 1) return oddA == 1 && oddM == 1;
    if (ni < 0) return false;
    const Big lhs = BigPow(oddA, std::uint64_t(ni), 256);
    const Big rhs = BigPow(oddM, std::uint64_t(1) << j, 256);
    return !lhs.empty() && lhs == rhs;
}

// When the 226-bit value of |a|^b lies on a midpoint between two doubles
// within its error, decides whether it is exactly that midpoint; if so,
// answers the double that the tie rounds to.
bool PowExactTie(double a, double b, double& out) {
    int k;
    const DW<f128> z = Mul(LogPositive<f128>(std::fabs(a)), f128(b));
    const DW<f128> m = Add(ExpReduced(z, k), f128(1));
    // The midpoint nearest m * 2^k, as odd * 2^exp.
    const int e = std::ilogb(double(m.hi)) + k;
    const int ulpExp = e >= -1021 ? e - 52 : -1074;
    // value / ulp, rounded to the nearest half-integer
    const DW<f128> units = Scale(m, Pow2<f128>(k - ulpExp));
    const f128 twice = RoundToInteger(units.hi * 2 + units.lo * 2);
    if (RoundToInteger(twice / 2) * 2 == twice) return false;  // nearest is no midpoint
    const auto oddM = static_cast<std::uint64_t>(twice);       // < 2^55
    if (!PowIsExactly(a, b, oddM, long(ulpExp) - 1)) return false;
    // A tie: the even neighbour.
    const std::uint64_t below = (oddM - 1) / 2, above = (oddM + 1) / 2;
    const std::uint64_t even = (below & 1) ? above : below;
    out = std::ldexp(double(even), ulpExp);
    return true;
}

// --- the fast evaluation ------------------------------------------------------------
// The first try for the usual arguments: table-driven kernels in doubles with
// a few exact products, no library calls, and a rounding test of four
// additions. Each gives the value as (hi + lo) 2^e with a bound eps of its
// error relative to |hi| (the sum of the rounding errors and the truncated
// series, analysed term by term, with a margin of at least two); where a
// kernel does not apply it answers false and the evaluations above decide.

struct FastValue {
    double hi, lo, eps;
    int e;
};

constexpr double kShifter = 0x1.8p52;  // a + kShifter - kShifter rounds a to an integer

// The integer nearest a (|a| < 2^51), as a double and as an integer.
[[gnu::always_inline]] inline double RoundToInt(double a, std::int64_t& n) {
    const double t = a + kShifter;
    n = std::bit_cast<std::int64_t>(t) - std::bit_cast<std::int64_t>(kShifter);
    return t - kShifter;
}

// TwoProd(a, b) for a table's a whose split (head, tail) the table holds:
// the same operations, less the split of a.
[[gnu::always_inline]] inline DD TwoProdSplit(double a, const double (&split)[2], double b) {
    const double p = a * b;
    const double cb = Prec<double>::Splitter() * b;
    const double bh = cb - (cb - b), bl = b - bh;
    return {p, ((split[0] * bh - p) + split[0] * bl + split[1] * bh) + split[1] * bl};
}

// 2^n for -1022 <= n <= 1023.
[[gnu::always_inline]] inline double TwoTo(int n) {
    return std::bit_cast<double>(std::uint64_t(n + 1023) << 52);
}

// The double nearest (hi + lo) 2^e, when every value within eps |hi| 2^e of
// it rounds alike and the result is a normal double. |lo| must be below |hi|
// in exponent: the normalisation makes lo smaller than half an ulp of hi, so
// that adding the bound to it rounds by less than 2^-105 |hi|. Kernels whose
// lo is below 2^-50 |hi| already (a sum of parts of double-words) skip it:
// the addition then rounds by less than 2^-103 |hi|.
template <bool kNormalised = false>
[[gnu::always_inline]] inline bool Decide(const FastValue& v, double& out) {
    const DD n = kNormalised ? DD{v.hi, v.lo} : FastTwoSum(v.hi, v.lo);
    const double err = std::fabs(n.hi) * v.eps;
    const double up = n.hi + (n.lo + err), down = n.hi + (n.lo - err);
    if (up != down) return false;
    out = v.e == 0 ? up : up * TwoTo(v.e);
    return true;
}

// e^(xh + xl) = (hi + lo) 2^e for |xh| < 708.3, |xl| <= 2^-40; hi + lo in
// [0.99, 2.01]. xh = (128 e + j) ln2/128 + r, |r| < 2^-8.4, and
// e^x = 2^e 2^(j/128) (1 + p), p = e^r - 1 = rh + plo. Absolute error below
// 2^-66.8: the rounding of q (2^-68.2 after the product with 2^(j/128)), of
// plo's two additions (2^-69), of the product th plo and the last addition
// (2^-70 each), tl plo left out (2^-70.7) and the series' remainder (2^-70).
[[gnu::always_inline]] inline FastValue FastExpKernel(double xh, double xl) {
    std::int64_t k;
    const double kd = RoundToInt(xh * 0x1.71547652b82fep+7, k);  // 128 / ln 2
    // kd times the first two parts is exact (|kd| < 2^17), the difference to
    // xh too (Sterbenz); TwoSum keeps the next difference exact.
    const double a = xh - kd * kLn2Over128Parts[0];
    const DD r = TwoSum(a, -(kd * kLn2Over128Parts[1]));
    const double rh = r.hi, rl = r.lo + (xl - kd * kLn2Over128Parts[2]);
    const double q =
        rh * rh * (0.5 + rh * (1.0 / 6 + rh * (1.0 / 24 + rh * (1.0 / 120 + rh * (1.0 / 720)))));
    // e^(rh + rl) - 1 = rh + rl + rl rh (1 + rh/2) + q + ...
    const double plo = rl + (rl * rh * (1 + 0.5 * rh) + q);
    const int j = int(k & 127);
    const double th = kExp2Table[j][0], tl = kExp2Table[j][1];
    // (th + tl)(1 + rh + plo) = th + th rh + (th plo + tl rh + tl) + ...
    const DD p = TwoProdSplit(th, kExp2Split[j], rh);
    const DD s = FastTwoSum(th, p.hi);
    // lo is up to 2^-16.7: renormalised, so that the callers' quotients see a
    // small second part.
    const DD v = FastTwoSum(s.hi, th * plo + (tl * rh + (tl + (p.lo + s.lo))));
    return {v.hi, v.lo, 0x1p-65, int(k >> 7)};
}

[[gnu::always_inline]] inline bool FastExp(double x, FastValue& v) {
    if (!(std::fabs(x) < 708.3)) return false;
    v = FastExpKernel(x, 0);
    return true;
}

// e^x - 1 for 0 < x <= 0.26, with a relative error below 2^-69: as in
// FastExpKernel (here k = j <= 48, e = 0), but e^x - 1 = (th - 1) + tl +
// (th + tl) p, th - 1 exact, and p = rh + rh^2/2 + s with rh^2 exact, so that
// every rounded term is below 2^-25 |r|: the errors stay near 2^-78 absolute
// against a value of at least 2^-8.5 (k >= 1), or near 2^-70 |r| (k = 0).
[[gnu::always_inline]] inline DD FastExpm1(double x) {
    std::int64_t k;
    const double kd = RoundToInt(x * 0x1.71547652b82fep+7, k);  // 128 / ln 2
    const double a = x - kd * kLn2Over128Parts[0];              // exact
    const DD r = TwoSum(a, -(kd * kLn2Over128Parts[1]));
    const double rh = r.hi, rl = r.lo - kd * kLn2Over128Parts[2];
    const DD z = TwoProd(rh, rh);
    const double s =
        rl + (rl * rh +
              (0.5 * z.lo +
               rh * z.hi *
                   (1.0 / 6 +
                    rh * (1.0 / 24 + rh * (1.0 / 120 + rh * (1.0 / 720 + rh * (1.0 / 5040)))))));
    const double th = kExp2Table[k][0], tl = kExp2Table[k][1];
    const DD ph = TwoProdSplit(th, kExp2Split[k], rh),
             qh = TwoProdSplit(th, kExp2Split[k], 0.5 * z.hi);
    const DD s1 = TwoSum(th - 1, ph.hi), s2 = TwoSum(s1.hi, qh.hi);
    return FastTwoSum(
        s2.hi, s2.lo + (s1.lo + (ph.lo + (qh.lo + (tl + (th * s + tl * (rh + 0.5 * z.hi)))))));
}

// c + e for a double c >= |e.hi| (exponents ordered), to about 2^-105.
[[gnu::always_inline]] inline DD PlusConstant(double c, DD e) {
    const DD s = FastTwoSum(c, e.hi);
    return {s.hi, s.lo + e.lo};
}

// n / d for double-words, to about 2^-104.
[[gnu::always_inline]] inline DD Quotient(DD n, DD d) {
    const double q = n.hi / d.hi;
    const DD p = TwoProd(q, d.hi);
    // n.hi - p.hi is exact (Sterbenz)
    return {q, (((n.hi - p.hi) - p.lo) + (n.lo - q * d.lo)) / d.hi};
}

// cosh and sinh from e^x = E 2^e and e^-x = 2^-e / E, for 2^-28 <= x < 708.3
// (sinh from x >= 1/4). Each exponential errs by less than 2^-66.8
// relatively; their sum cannot cancel, their difference by at most
// coth(1/4) = 4.08 (2^-64.8).
[[gnu::always_inline]] inline bool FastCoshSinh(double x, bool sinh, FastValue& v) {
    if (!(x < 708.3)) return false;
    if (sinh && x < 0.25) {
        // (E + E / (E + 1)) / 2, E = e^x - 1: no cancellation, the error of E
        // and 2^-100 for the rest.
        const DD e = FastExpm1(x);
        const DD q = Quotient(e, PlusConstant(1.0, e)), t = TwoSum(e.hi, q.hi);
        v = {t.hi, t.lo + (e.lo + q.lo), 0x1p-66, -1};
        return true;
    }
    const FastValue ex = FastExpKernel(x, 0);
    v = {ex.hi, ex.lo, sinh ? 0x1.6a09e667f3bcdp-64 : 0x1p-65, ex.e - 1};
    if (ex.e > 40) return true;  // e^-2x below 2^-80: no part of the result
    // 1 / (hi + lo) = ih + il
    const double ih = 1 / ex.hi;
    const DD p = TwoProd(ih, ex.hi);
    const double il = (((1 - p.hi) - p.lo) - ih * ex.lo) / ex.hi;  // 1 - p.hi exact
    const double f = sinh ? -TwoTo(-2 * ex.e) : TwoTo(-2 * ex.e);
    // |ih f| <= hi / E^2 < hi: the exponents are ordered.
    const DD s = FastTwoSum(ex.hi, ih * f);
    v.hi = s.hi;
    v.lo = s.lo + (ex.lo + il * f);
    return true;
}

// tanh x = (1 - u) / (1 + u), u = e^-2x, for 1/8 <= x <= 19.1. u errs by
// less than 2^-66.8 relatively; the quotient carries that as at most
// 2u / ((1 + u)^2 tanh x) < 3.96 times as much (at x = 1/8): 2^-64.8. Below
// 1/8: E / (E + 2), E = e^2x - 1 (2^-69), and the quotient's 2^-100.
[[gnu::always_inline]] inline bool FastTanh(double x, FastValue& v) {
    if (x < 0.125 && x >= 0x1p-28) {
        const DD e = FastExpm1(2 * x), q = Quotient(e, PlusConstant(2.0, e));
        v = {q.hi, q.lo, 0x1p-66, 0};
        return true;
    }
    if (!(x >= 0.125 && x <= 19.1)) return false;
    const FastValue ex = FastExpKernel(-2 * x, 0);
    const double f = TwoTo(ex.e);  // e in [-56, -1]
    const double uh = ex.hi * f, ul = ex.lo * f;
    const DD n = FastTwoSum(1.0, -uh), d = FastTwoSum(1.0, uh);  // u < 1
    const double nl = n.lo - ul, dl = d.lo + ul;
    const double th = n.hi / d.hi;
    const DD p = TwoProd(th, d.hi);
    // n.hi - p.hi is exact (Sterbenz)
    const double tl = (((n.hi - p.hi) - p.lo) + (nl - th * dl)) / d.hi;
    v = {th, tl, 0x1p-63, 0};
    return true;
}

// x = k pi/128 + r for finite |x| >= 2^19 (Payne and Hanek): x 128/pi mod 256
// is 64 (x 2/pi mod 4), the product of x's integer significand m and 192
// bits of 2/pi from those of weight below 4 / 2^e on (e the exponent of x's
// last bit). The 2/pi bits left out make the fraction f (r = f pi/128,
// |f| <= 1/2) err by less than 2^-131; with |f| >= 2^-40 (smaller f go to
// the exact reduction) r is good to a relative 2^-90.
[[gnu::always_inline]] inline bool FastReduceLarge(double x, std::int64_t& k, DD& r) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x) & 0x7fffffffffffffffull;
    const std::uint64_t m = (bits & 0xfffffffffffffull) | (std::uint64_t(1) << 52);
    const int e = int(bits >> 52) - 1075;
    const U128 p0 = static_cast<U128>(m) * TwoOverPiWord(e + 126);
    U128 c = (p0 >> 64) + static_cast<U128>(m) * TwoOverPiWord(e + 62);
    const std::uint64_t p1 = std::uint64_t(c);
    const std::uint64_t p2 = std::uint64_t((c >> 64) + static_cast<U128>(m) * TwoOverPiWord(e - 2));
    // p2 p1 p0: x 2/pi mod 4 with the point after the top two bits; the top
    // eight bits are k mod 256, the rest the fraction f.
    k = std::int64_t(p2 >> 56);
    std::uint64_t f1 = (p2 << 8) | (p1 >> 56), f0 = (p1 << 8) | (std::uint64_t(p0) >> 56);
    const bool negative = f1 >> 63;
    if (negative) {
        // f >= 1/2: the next multiple, r = -(1 - f) (the complement is short by 2^-128)
        ++k;
        f1 = ~f1;
        f0 = ~f0;
    }
    if (f1 < (std::uint64_t(1) << 24)) return false;
    const int z = std::countl_zero(f1);
    const std::uint64_t g1 = z ? (f1 << z) | (f0 >> (64 - z)) : f1, g0 = f0 << z;
    const double scale = TwoTo(-64 - z);
    const DD f = {double(g1 & ~std::uint64_t(0x7ff)) * scale,  // exact
                  (double(g1 & 0x7ff) + double(g0) * 0x1p-64) * scale};
    r = Mul(f, DD{kPi[0][0][0] * 0x1p-7, kPi[0][1][0] * 0x1p-7});
    if (negative) r = Neg(r);
    if (x < 0) k = -k, r = Neg(r);
    return true;
}

// sin x (shift 0) or cos x = sin(x + pi/2) (shift 64): x = k pi/128 + r,
// |r| <= pi/256, for |x| < 1.5 2^19 by Cody and Waite (pi/128 in three
// parts, the first two of 28 bits: k times them is exact, |k| < 2^25; r to
// within 2^-92.4), beyond by FastReduceLarge. With (S, C) = (sin, cos)((k +
// shift) pi/128) from the table, the value is S cos r + C sin r. Relative
// error below 2^-64: S times the error of cos r - 1 (2^-66) and of its
// product and the last addition (2^-67 each), at most twice that where S
// and C sin r cancel.
[[gnu::always_inline]] inline bool FastSinCos(double x, int shift, FastValue& v) {
    std::int64_t k;
    DD r;
    if (std::fabs(x) < 0x1.8p19) {
        const double kd = RoundToInt(x * 0x1.45f306dc9c883p+5, k);  // 128 / pi
        const double a = x - kd * kPiOver128[0];                    // exact
        const DD s = TwoSum(a, -(kd * kPiOver128[1]));
        // Not renormalised: |r.lo| < 2^-40, so that r.lo^2 and r.lo r^4 stay
        // far below the bound (r.lo r^3 does not: the series take it).
        r = {s.hi, s.lo - kd * kPiOver128[2]};
        // Where S = 0 the value is +-sin r: the reduction's error must stay
        // small against r.
        if (((k + shift) & 127) == 0 && std::fabs(r.hi) < 0x1p-22) return false;
    } else if (!(std::fabs(x) <= 0x1.fffffffffffffp+1023) || !FastReduceLarge(x, k, r)) {
        return false;
    }
    const int i = int((k + shift) & 255);
    const double sh = kSinPi128[i][0], sl = kSinPi128[i][1];
    const double ch = kSinPi128[(i + 64) & 255][0], cl = kSinPi128[(i + 64) & 255][1];
    const double rh = r.hi, z = rh * rh;
    // sin r = rh + st + rl (1 - z/2), cos r = 1 + ct, ct = cos rh - 1 - rl sin rh
    // (small terms first)
    const double st = rh * z * (-1.0 / 6 + z * (1.0 / 120 + z * (-1.0 / 5040)));
    const double ct =
        -0.5 * z + (z * z * (1.0 / 24 + z * (-1.0 / 720 + z * (1.0 / 40320))) - r.lo * (rh + st));
    const DD p = TwoProdSplit(ch, kSinPi128Split[(i + 64) & 255], rh);
    const DD m = FastTwoSum(sh, p.hi);  // |sh| >= 2 |p.hi| or sh = 0
    const double small =
        ch * (r.lo * (1 - 0.5 * z) + st) + (cl * rh + (sl * ct + (sl + (p.lo + m.lo))));
    v = {m.hi, sh * ct + small, 0x1.6a09e667f3bcdp-63, 0};
    return true;
}

// atan |x| for 2^-28 <= |x| < 2^500: y = |x| or 1/|x| (a double-word),
// y = c + d with c = j/64, atan y = atan c + atan t, t = d / (1 + c y),
// |t| <= 2^-7; atan |x| = atan y, or pi/2 - atan y from 1 on. Relative error
// below 2^-66.5: the tail t^3/3 - ... rounds by 2^-52.8 t z at most, which is
// 2^-66.8 of the value for j = 0, |t| near 2^-7 (less elsewhere).
[[gnu::always_inline]] inline bool FastAtan(double x, FastValue& v) {
    const double ax = std::fabs(x);
    if (!(ax < 0x1p500)) return false;
    const bool co = ax > 1;
    double yh = ax, yl = 0;
    if (co) {
        yh = 1 / ax;
        const DD p = TwoProd(yh, ax);
        yl = ((1 - p.hi) - p.lo) / ax;  // 1 - p.hi exact
    }
    const int j = int(yh * 64 + 0.5);  // NOLINT(bugprone-incorrect-roundings): yh >= 0
    const double c = j * 0x1p-6;
    const double nh = yh - c;  // exact
    // c has at most 7 significant bits: c times yh without its last 7 bits is exact.
    const double y1 =
        std::bit_cast<double>(std::bit_cast<std::uint64_t>(yh) & ~std::uint64_t(0x7f));
    const DD d = FastTwoSum(1.0, c * y1);
    const double dl = d.lo + c * ((yh - y1) + yl);
    // t = (nh + yl) / (d.hi + dl) = th + tl
    const double th = nh / d.hi;
    const DD p = TwoProd(th, d.hi);
    const double tl = (((nh - p.hi) - p.lo) + (yl - th * dl)) / d.hi;  // nh - p.hi exact
    const double z = th * th;
    const double tail = th * z * (-1.0 / 3 + z * (0.2 + z * (-1.0 / 7 + z * (1.0 / 9))));
    const double* base = co ? kAtanCoTable[j] : kAtanTable[j];
    const double sign = co ? -1 : 1;
    const DD m = FastTwoSum(base[0], sign * th);  // |base| >= 2 |th| or base = 0
    v = {m.hi, m.lo + (base[1] + sign * (tl + tail)), 0x1p-64, 0};
    if (x < 0) v.hi = -v.hi, v.lo = -v.lo;
    return true;
}

// log x and log10 x for finite x > 0. x = 2^e m, m in [0.707, 1.414): for
// e = 0 QuickLog's value with its bound (relative 2^-61). Otherwise |log x|
// >= ln2 - log(sqrt 2) = 0.346, and QuickLog's table step (m times the
// table's 1/c exactly, 1 + z, |z| < 2^-7.4) needs no exact square: log x =
// e ln2 - log(1/c) + z - z^2/2 + ... with z^2 (z^8 the last term) rounding
// by 2^-67.2 absolutely and the rest below 2^-69: relative 2^-65.5.
[[gnu::always_inline]] inline bool FastLog(double x, bool decimal, FastValue& v) {
    int e;
    double m = Mantissa(x, e);
    if (m >= 1.4142135623730951) m *= 0.5, ++e;
    DD l;
    if (e == 0) {
        l = QuickLog(x);
        v.eps = 0x1p-61;
    } else {
        const double* t = kLogTable[int(m * 128) - 90];
        const DD p = TwoProd(m, t[0]);
        const double zh = p.hi - 1, zl = p.lo;  // exact
        const double rest =
            zh * zh *
                (-0.5 + zh * (1.0 / 3 +
                              zh * (-0.25 +
                                    zh * (0.2 + zh * (-1.0 / 6 + zh * (1.0 / 7 + zh * -0.125)))))) +
            (zl - zh * zl);
        const double ed = e;
        const DD a = TwoSum(t[1], zh);
        const DD b = FastTwoSum(ed * kLn2Split[0][0][0], a.hi);  // exact product, |e ln2| > |a.hi|
        l = {b.hi, b.lo + (a.lo + (t[2] + (ed * kLn2Split[0][1][0] + rest)))};
        v.eps = 0x1.6a09e667f3bcdp-64;
    }
    if (decimal) l = Mul(l, Constant<double>(kInvLn10));
    v.hi = l.hi, v.lo = l.lo, v.e = 0;
    return true;
}

// |a|^b = e^(b log|a|) where that stays within 2^-1021..2^1021: log|a| to an
// absolute 2^-74, so the product errs by |b| 2^-74 more.
bool FastPow(double a, double b, FastValue& v) {
    const DD z = Mul(QuickLog(std::fabs(a)), b);
    if (!(std::fabs(z.hi) < 708.3)) return false;
    v = FastExpKernel(z.hi, z.lo);
    v.eps = 0x1p-63 + std::fabs(b) * 0x1p-71;
    return true;
}

// |a|^b for b a multiple of 1/2 up to 16 in magnitude, by products of
// double-words (each with an error below 2^-104) from |a| or its square root;
// |a| within 2^-56..2^56, so that no product leaves the normal range.
[[gnu::always_inline]] inline bool SmallPower(double a, double b, FastValue& v) {
    const double twice = 2 * b;
    std::int64_t n2;
    if (!(std::fabs(b) <= 16) || RoundToInt(twice, n2) != twice) return false;
    const int n = int(std::fabs(b));
    DD p = D(a);
    int steps = 0;
    if (n2 & 1) {
        // a half-integer: sqrt a + (a - s^2) / 2s, a - s^2 exact
        const double s = std::sqrt(a);
        const DD q = TwoProd(s, s);
        p = {s, ((a - q.hi) - q.lo) / (2 * s)};
        steps = 2;
        for (int i = 0; i < n; ++i) p = Mul(p, a);
    } else {
        for (int i = 1; i < n; ++i) p = Mul(p, a);
    }
    steps += n;
    if (b < 0) p = Div(D(1.0), p), steps += 8;
    v = {p.hi, p.lo, (steps + 2) * 0x1p-100, 0};
    return true;
}

// --- Ziv's strategy -------------------------------------------------------------------

template <class Eval>
double Ziv(Function f, double a, double b, Eval eval, int* phase) {
    double out;
    if (EvalQuick(f, a, b, out)) {
        if (phase) *phase = 1;
        return out;
    }
    if (eval.template operator()<double>(false, out)) {
        if (phase) *phase = 2;
        return out;
    }
    if (eval.template operator()<f128>(false, out)) {
        if (phase) *phase = 3;
        return out;
    }
    // Beyond the hardest cases known for these functions: only an exact
    // midpoint could get here, and pow handles those before.
    if (phase) *phase = 4;
    eval.template operator()<f128>(true, out);
    return out;
}

#define EVAL(fn, ...) \
    [&]<class T>(bool force, double& out) { return fn<T>(__VA_ARGS__, force, out); }

// Below this magnitude sin, tan, asin, atan, sinh and tanh round to x itself
// and cos and cosh to 1: the next term of the series is below a quarter of
// an ulp (|x^3| / 3 < 2^-56 |x|), and the value is never a midpoint.
constexpr double kTiny = 0x1p-28;

// The fast evaluation's result, where it decided.
[[gnu::always_inline]] inline double Fast(double out, int* phase) {
    if (phase) *phase = 1;
    return out;
}

// Ziv's evaluations, out of line: the fast path stays small.
template <class Slow>
[[gnu::noinline]] double Slowly(Slow slow) {
    return slow();
}

[[gnu::always_inline]] inline double ExpImpl(double x, int* phase) {
    if (std::isnan(x)) return x;
    if (x > 709.8) return kInf;  // e^x > DBL_MAX + ulp/2 from 709.7827...
    if (x < -745.2) return 0;    // e^x < 2^-1075 below -745.133...
    if (std::fabs(x) < 0x1p-54) return 1;
    FastValue v;
    double out;
    if (FastExp(x, v) && Decide<true>(v, out)) return Fast(out, phase);
    return Slowly([&] { return Ziv(Function::Exp, x, 0, EVAL(EvalExp, x), phase); });
}

[[gnu::always_inline]] inline double LogImpl(double x, bool decimal, int* phase) {
    if (std::isnan(x) || x < 0) return kNaN;
    if (x == 0) return -kInf;
    if (std::isinf(x)) return x;
    if (x == 1) return 0;
    FastValue v;
    double out;
    if (FastLog(x, decimal, v) && Decide(v, out)) return Fast(out, phase);
    return Slowly([&] {
        return decimal ? Ziv(Function::Log10, x, 0, EVAL(EvalLog10, x), phase)
                       : Ziv(Function::Log, x, 0, EVAL(EvalLog, x), phase);
    });
}

bool IsOddInteger(double b) {
    return std::fabs(b) < 0x1p53 && b == std::floor(b) && (static_cast<std::int64_t>(b) & 1) != 0;
}

double PowSlow(double a, double b, int* phase);

[[gnu::always_inline]] inline double PowImpl(double a, double b, int* phase) {
    // The special values as C99 gives them.
    if (b == 0 || a == 1) return 1;
    if (std::isnan(a) || std::isnan(b)) return kNaN;
    // Correctly rounded by IEEE arithmetic itself, also at the special values.
    if (b == 2) return a * a;
    if (b == 0.5 && a > 0) return std::sqrt(a);
    const double aa = std::fabs(a);
    double r;
    if (aa >= 0x1p-56 && aa <= 0x1p56 && std::fabs(b) <= 16) {
        // A multiple of 1/2 (an odd integer: 2b = 2 mod 4), not of a negative base
        // unless an integer.
        std::int64_t n2;
        FastValue v;
        if (RoundToInt(2 * b, n2) == 2 * b && !(a < 0 && (n2 & 1))) {
            if (b == 1) return a;
            if (b == -1) return 1 / a;
            if (SmallPower(aa, b, v) && Decide<true>(v, r))
                return Fast(a < 0 && (n2 & 3) == 2 ? -r : r, phase);
        }
    }
    return Slowly([&] { return PowSlow(a, b, phase); });
}

double PowSlow(double a, double b, int* phase) {
    const bool oddB = IsOddInteger(b);
    if (a == 0) {
        const double zero = oddB ? a : 0.0;
        return b < 0 ? 1 / zero : zero;
    }
    if (std::isinf(b)) {
        const double aa = std::fabs(a);
        if (aa == 1) return 1;
        return (aa > 1) == (b > 0) ? kInf : 0;
    }
    if (std::isinf(a)) {
        const double mag = b < 0 ? 0 : kInf;
        return a < 0 && oddB ? -mag : mag;
    }
    if (a < 0 && b != std::floor(b)) return kNaN;
    const double sign = a < 0 && oddB ? -1 : 1;
    if (b == 1) return a;
    // Far out of range: |a|^b = 2^z, z = b log2|a| with log2|a| estimated to a
    // relative 2^-23 (2 atanh(u) / ln 2 to its u^7 term).
    int ea;
    double ma = Mantissa(std::fabs(a), ea);
    if (ma >= 1.4142135623730951) ma *= 0.5, ++ea;
    const double u = (ma - 1) / (ma + 1), u2 = u * u;
    const double z = b * (ea + 2.8853900817779268 * u * (1 + u2 * (1.0 / 3 + u2 * (0.2 + u2 / 7))));
    if (z > 1025) return sign * kInf;
    if (z < -1080) return sign * 0.0;
    if (b == -1) return 1 / a;
    double r;
    int ph;
    FastValue v;
    if (std::fabs(z) < 900 && std::abs(ea) < 900 && SmallPower(std::fabs(a), b, v) &&
        Decide(v, r)) {
        if (phase) *phase = 1;
        return sign * r;
    }
    if (FastPow(a, b, v) ? Decide(v, r) : EvalQuick(Function::Pow, a, b, r)) {
        ph = 1;
    } else if (EvalPow<double>(a, b, false, r)) {
        ph = 2;
    } else if (EvalPow<f128>(a, b, false, r) || PowExactTie(a, b, r)) {
        ph = 3;
    } else {
        ph = 4;
        EvalPow<f128>(a, b, true, r);
    }
    if (phase) *phase = ph;
    return sign * r;
}

template <class Odd>
double OddFunction(double x, Odd f) {
    return x < 0 ? -f(-x) : f(x);
}

[[gnu::always_inline]] inline double SinImpl(double x, int* phase) {
    if (!std::isfinite(x)) return kNaN;
    if (std::fabs(x) < kTiny) return x;
    FastValue v;
    double out;
    if (FastSinCos(x, 0, v) && Decide(v, out)) return Fast(out, phase);
    return Slowly([&] {
        return OddFunction(
            x, [&](double ax) { return Ziv(Function::Sin, ax, 0, EVAL(EvalSin, ax), phase); });
    });
}

[[gnu::always_inline]] inline double CosImpl(double x, int* phase) {
    if (!std::isfinite(x)) return kNaN;
    if (std::fabs(x) < kTiny) return 1;
    FastValue v;
    double out;
    if (FastSinCos(x, 64, v) && Decide(v, out)) return Fast(out, phase);
    const double ax = std::fabs(x);
    return Slowly([&] { return Ziv(Function::Cos, ax, 0, EVAL(EvalCos, ax), phase); });
}

double TanImpl(double x, int* phase) {
    if (!std::isfinite(x)) return kNaN;
    if (std::fabs(x) < kTiny) return x;
    return OddFunction(
        x, [&](double ax) { return Ziv(Function::Tan, ax, 0, EVAL(EvalTan, ax), phase); });
}

double AsinImpl(double x, int* phase) {
    if (std::isnan(x) || std::fabs(x) > 1) return kNaN;
    if (std::fabs(x) < kTiny) return x;
    return OddFunction(
        x, [&](double ax) { return Ziv(Function::Asin, ax, 0, EVAL(EvalAsin, ax), phase); });
}

double AcosImpl(double x, int* phase) {
    if (std::isnan(x) || std::fabs(x) > 1) return kNaN;
    if (x == 1) return 0;
    return Ziv(Function::Acos, x, 0, EVAL(EvalAcos, x), phase);
}

[[gnu::always_inline]] inline double AtanImpl(double x, int* phase) {
    if (std::isnan(x)) return x;
    if (std::fabs(x) < kTiny) return x;
    FastValue v;
    double out;
    if (FastAtan(x, v) && Decide(v, out)) return Fast(out, phase);
    if (std::isinf(x)) x = x > 0 ? 0x1p1023 : -0x1p1023;  // rounds to +-pi/2 as well
    return Slowly([&] {
        return OddFunction(
            x, [&](double ax) { return Ziv(Function::Atan, ax, 0, EVAL(EvalAtan, ax), phase); });
    });
}

[[gnu::always_inline]] inline double SinhImpl(double x, int* phase) {
    if (!std::isfinite(x)) return x;
    if (std::fabs(x) < kTiny) return x;
    // sinh x > DBL_MAX + ulp/2 from 710.4758...
    if (std::fabs(x) > 710.48) return x > 0 ? kInf : -kInf;
    FastValue v;
    double out;
    if (FastCoshSinh(std::fabs(x), true, v) && Decide<true>(v, out))
        return Fast(x < 0 ? -out : out, phase);
    return Slowly([&] {
        return OddFunction(
            x, [&](double ax) { return Ziv(Function::Sinh, ax, 0, EVAL(EvalSinh, ax), phase); });
    });
}

[[gnu::always_inline]] inline double CoshImpl(double x, int* phase) {
    if (std::isnan(x)) return x;
    const double ax = std::fabs(x);
    if (ax < kTiny) return 1;
    if (ax > 710.48) return kInf;
    FastValue v;
    double out;
    if (FastCoshSinh(ax, false, v) && Decide<true>(v, out)) return Fast(out, phase);
    return Slowly([&] { return Ziv(Function::Cosh, ax, 0, EVAL(EvalCosh, ax), phase); });
}

[[gnu::always_inline]] inline double TanhImpl(double x, int* phase) {
    if (std::isnan(x)) return x;
    if (std::fabs(x) < kTiny) return x;
    // 1 - tanh x < 2 e^-2x < 2^-54 from 27.5 ln 2 = 19.06 on: above the midpoint
    // below 1, so the value rounds to 1.
    if (std::fabs(x) > 19.1) return x > 0 ? 1 : -1;
    FastValue v;
    double out;
    if (FastTanh(std::fabs(x), v) && Decide<true>(v, out)) return Fast(x < 0 ? -out : out, phase);
    return Slowly([&] {
        return OddFunction(
            x, [&](double ax) { return Ziv(Function::Tanh, ax, 0, EVAL(EvalTanh, ax), phase); });
    });
}

}  // namespace

double Exp(double x) { return ExpImpl(x, nullptr); }
double Log(double x) { return LogImpl(x, false, nullptr); }
double Log10(double x) { return LogImpl(x, true, nullptr); }
double Pow(double a, double b) { return PowImpl(a, b, nullptr); }
double Sin(double x) { return SinImpl(x, nullptr); }
double Cos(double x) { return CosImpl(x, nullptr); }
double Tan(double x) { return TanImpl(x, nullptr); }
double Asin(double x) { return AsinImpl(x, nullptr); }
double Acos(double x) { return AcosImpl(x, nullptr); }
double Atan(double x) { return AtanImpl(x, nullptr); }
double Sinh(double x) { return SinhImpl(x, nullptr); }
double Cosh(double x) { return CoshImpl(x, nullptr); }
double Tanh(double x) { return TanhImpl(x, nullptr); }

int DecidingPhase(Function f, double a, double b) {
    int phase = 0;
    switch (f) {
        case Function::Exp:
            ExpImpl(a, &phase);
            break;
        case Function::Log:
            LogImpl(a, false, &phase);
            break;
        case Function::Log10:
            LogImpl(a, true, &phase);
            break;
        case Function::Pow:
            PowImpl(a, b, &phase);
            break;
        case Function::Sin:
            SinImpl(a, &phase);
            break;
        case Function::Cos:
            CosImpl(a, &phase);
            break;
        case Function::Tan:
            TanImpl(a, &phase);
            break;
        case Function::Asin:
            AsinImpl(a, &phase);
            break;
        case Function::Acos:
            AcosImpl(a, &phase);
            break;
        case Function::Atan:
            AtanImpl(a, &phase);
            break;
        case Function::Sinh:
            SinhImpl(a, &phase);
            break;
        case Function::Cosh:
            CoshImpl(a, &phase);
            break;
        case Function::Tanh:
            TanhImpl(a, &phase);
            break;
    }
    return phase;
}

bool FastEvaluation(Function f, double a, double b, double& hi, double& lo, int& e, double& eps) {
    FastValue v;
    bool applies = false;
    switch (f) {
        case Function::Exp:
            applies = FastExp(a, v);
            break;
        case Function::Log:
        case Function::Log10:
            applies = a > 0 && a < kInf && FastLog(a, f == Function::Log10, v);
            break;
        case Function::Pow: {
            const double aa = std::fabs(a);
            applies = aa >= 0x1p-56 && aa <= 0x1p56 ? SmallPower(aa, b, v) : false;
            if (!applies && aa > 0 && aa < kInf) applies = FastPow(a, b, v);
            break;
        }
        case Function::Sin:
        case Function::Cos:
            applies = FastSinCos(a, f == Function::Cos ? 64 : 0, v);
            break;
        case Function::Atan:
            applies = std::fabs(a) >= kTiny && FastAtan(a, v);
            break;
        case Function::Sinh:
        case Function::Cosh:
            applies = std::fabs(a) >= kTiny && FastCoshSinh(std::fabs(a), f == Function::Sinh, v);
            break;
        case Function::Tanh:
            applies = FastTanh(std::fabs(a), v);
            break;
        default:
            break;
    }
    if (applies) hi = v.hi, lo = v.lo, e = v.e, eps = v.eps;
    return applies;
}

}  // namespace NCalculatorText::exactmath

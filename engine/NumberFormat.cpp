#include "engine/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

#include "engine/Preferences.h"

namespace NCalculatorText {

std::string FormatGeneral(double value, int precision) {
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value,
                                      std::chars_format::general, precision);
    if (result.ec != std::errc()) return std::string();
    return std::string(buffer, result.ptr);
}

namespace {

// Exact 128-bit products where the compiler has them; elsewhere the library
// formats every value.
#if defined(__SIZEOF_INT128__)
#define NUMERA_EXACT_DIGITS 1
__extension__ typedef unsigned __int128 Wide;

constexpr uint64_t kTenTo[] = {1ULL,
                               10ULL,
                               100ULL,
                               1000ULL,
                               10000ULL,
                               100000ULL,
                               1000000ULL,
                               10000000ULL,
                               100000000ULL,
                               1000000000ULL,
                               10000000000ULL,
                               100000000000ULL,
                               1000000000000ULL,
                               10000000000000ULL,
                               100000000000000ULL,
                               1000000000000000ULL,
                               10000000000000000ULL,
                               100000000000000000ULL,
                               1000000000000000000ULL,
                               10000000000000000000ULL};

constexpr uint64_t kFiveTo[] = {1ULL,
                                5ULL,
                                25ULL,
                                125ULL,
                                625ULL,
                                3125ULL,
                                15625ULL,
                                78125ULL,
                                390625ULL,
                                1953125ULL,
                                9765625ULL,
                                48828125ULL,
                                244140625ULL,
                                1220703125ULL,
                                6103515625ULL,
                                30517578125ULL,
                                152587890625ULL,
                                762939453125ULL,
                                3814697265625ULL,
                                19073486328125ULL,
                                95367431640625ULL,
                                476837158203125ULL,
                                2384185791015625ULL,
                                11920928955078125ULL,
                                59604644775390625ULL,
                                298023223876953125ULL,
                                1490116119384765625ULL,
                                7450580596923828125ULL};

// n / 2^shift rounded to nearest, ties to even (shift 1..127).
uint64_t ShiftRounded(Wide n, int shift) {
    const Wide quotient = n >> shift;
    const Wide rest = n - (quotient << shift);
    const Wide half = Wide{1} << (shift - 1);
    const bool up = rest > half || (rest == half && (quotient & 1) != 0);
    return static_cast<uint64_t>(quotient + (up ? 1 : 0));
}

// The value m * 2^q times 10^k, rounded to an integer, ties to even; false
// when the exact product does not fit the arithmetic here.
bool ScaledRounded(uint64_t m, int q, int k, uint64_t& out) {
    if (k >= 0) {
        if (k > 27) return false;  // 5^27 * 2^53 still fits 128 bits
        Wide n = Wide{m} * kFiveTo[k];
        const int shift = q + k;  // the power of two left over
        if (shift >= 0) {
            if (shift > 60 || n >> (127 - shift) != 0) return false;
            n <<= shift;
            if (n >> 64 != 0) return false;
            out = static_cast<uint64_t>(n);
            return true;
        }
        if (shift < -127) return false;
        const Wide quotient = n >> -shift;
        if (quotient >> 64 != 0) return false;
        out = ShiftRounded(n, -shift);
        return true;
    }
    // A large value: m * 2^q (an integer) divided by 10^-k.
    if (-k > 19 || q < 0 || q > 74) return false;
    const Wide n = Wide{m} << q;
    const Wide divisor = kTenTo[-k];
    const Wide quotient = n / divisor;
    if (quotient >> 64 != 0) return false;
    const Wide rest = n - quotient * divisor;
    const bool up = 2 * rest > divisor || (2 * rest == divisor && (quotient & 1) != 0);
    out = static_cast<uint64_t>(quotient) + (up ? 1 : 0);
    return true;
}

// The shortest cases of printf "%.<precision>g" (precision 1 to 19) of a
// positive normal double done by exact integer arithmetic: the digits, correctly
// rounded (ties to even, as printf), and the decimal exponent. False when the
// value lies beyond what the arithmetic here covers.
bool SignificantDigits(double value, int precision, uint64_t& digits, int& exponent) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0 || biased == 0x7FF) return false;
    const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
    const int q = biased - 1075;
    // value lies in [2^(q+52), 2^(q+53)): an estimate of floor(log10(value)),
    // corrected below.
    int x = ((q + 52) * 78913) >> 18;  // 78913 / 2^18 is just below log10(2)
    const uint64_t low = kTenTo[precision - 1];
    const uint64_t high = kTenTo[precision];
    for (int attempt = 0; attempt < 3; ++attempt) {
        uint64_t d = 0;
        if (!ScaledRounded(m, q, precision - 1 - x, d)) return false;
        if (d >= high) {
            ++x;
        } else if (d < low) {
            --x;
        } else {
            digits = d;
            exponent = x;
            return true;
        }
    }
    return false;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// printf "%.<precision>g" from the digits and exponent of a positive value.
std::size_t LayOut(bool negative, uint64_t digits, int exponent, int precision, char16_t* out) {
    char text[20];
    for (int i = precision; i > 0;) {
        if (i >= 2) {
            const auto pair = static_cast<std::size_t>(digits % 100) * 2;
            digits /= 100;
            text[--i] = kDigitPairs[pair + 1];
            text[--i] = kDigitPairs[pair];
        } else {
            text[--i] = static_cast<char>('0' + digits % 10);
            digits /= 10;
        }
    }
    int used = precision;  // significant digits left after trailing zeros go
    while (used > 1 && text[used - 1] == '0') --used;
    char16_t* p = out;
    if (negative) *p++ = '-';
    if (exponent < -4 || exponent >= precision) {
        *p++ = text[0];
        if (used > 1) {
            *p++ = '.';
            for (int i = 1; i < used; ++i) *p++ = text[i];
        }
        *p++ = 'e';
        *p++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude >= 100) *p++ = static_cast<char>('0' + magnitude / 100);
        *p++ = static_cast<char16_t>('0' + magnitude / 10 % 10);
        *p++ = static_cast<char16_t>('0' + magnitude % 10);
    } else if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i) *p++ = text[i];
        if (used > exponent + 1) {
            *p++ = '.';
            for (int i = exponent + 1; i < used; ++i) *p++ = text[i];
        }
    } else {
        *p++ = '0';
        *p++ = '.';
        for (int i = -1; i > exponent; --i) *p++ = '0';
        for (int i = 0; i < used; ++i) *p++ = text[i];
    }
    return static_cast<std::size_t>(p - out);
}
#endif

}  // namespace

std::size_t FormatGeneralTo(double value, int precision, char16_t* out) {
#if defined(NUMERA_EXACT_DIGITS)
    uint64_t digits = 0;
    int exponent = 0;
    if (precision >= 1 && precision <= 19 && value != 0 &&
        SignificantDigits(std::fabs(value), precision, digits, exponent)) {
        return LayOut(std::signbit(value), digits, exponent, precision, out);
    }
#endif
    char buffer[kFormatCapacity];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value,
                                      std::chars_format::general, precision);
    if (result.ec != std::errc()) return 0;
    const auto length = static_cast<std::size_t>(result.ptr - buffer);
    for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<unsigned char>(buffer[i]);
    return length;
}

std::u16string FormatGeneral16(double value, int precision) {
    char16_t buffer[kFormatCapacity];
    return std::u16string(buffer, FormatGeneralTo(value, precision, buffer));
}

bool ResultDigitsFromCode(uint32_t code, ResultDigits& digits) {
    if (code == 0 || code == 1) {
        digits = {code == 0 ? ResultDigits::Exact : ResultDigits::Shortest, 0};
        return true;
    }
    if (code >= 101 && code <= 117) {
        digits = {ResultDigits::Significant, static_cast<int>(code - 100)};
        return true;
    }
    if (code >= 200 && code <= 215) {
        digits = {ResultDigits::Decimals, static_cast<int>(code - 200)};
        return true;
    }
    return false;
}

uint32_t ResultDigitsCode(ResultDigits digits) {
    switch (digits.mode) {
        case ResultDigits::Shortest:
            return 1;
        case ResultDigits::Significant:
            return 100 + static_cast<uint32_t>(std::clamp(digits.count, 1, 17));
        case ResultDigits::Decimals:
            return 200 + static_cast<uint32_t>(std::clamp(digits.count, 0, 15));
        default:
            return 0;
    }
}

bool ParseResultDigits(std::string_view text, ResultDigits& digits) {
    if (text == "exact" || text == "shortest") {
        digits = {text == "exact" ? ResultDigits::Exact : ResultDigits::Shortest, 0};
        return true;
    }
    const bool significant = text.substr(0, 3) == "sig";
    if (!significant && text.substr(0, 3) != "fix") return false;
    const std::string_view number = text.substr(3);
    if (number.empty() || number.size() > 2) return false;
    int count = 0;
    for (const char c : number) {
        if (c < '0' || c > '9') return false;
        count = count * 10 + (c - '0');
    }
    if (significant ? count < 1 || count > 17 : count > 15) return false;
    digits = {significant ? ResultDigits::Significant : ResultDigits::Decimals, count};
    return true;
}

ResultDigits CurrentResultDigits() {
    ResultDigits digits;
    if (!ResultDigitsFromCode(Preferences.ResultDigits, digits)) digits = ResultDigits{};
    return digits;
}

namespace {

// A positive decimal d0.d1d2... times 10^exponent; no digits means zero.
struct DecimalDigits {
    char digits[24];
    int count = 0;
    int exponent = 0;
};

// The shortest digits that read back as `magnitude` (positive, finite).
DecimalDigits ShortestDigits(double magnitude) {
    char text[40];
    const auto written =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
    DecimalDigits decimal;
    const char* p = text;
    for (; p < written.ptr && *p != 'e'; ++p)
        if (*p != '.') decimal.digits[decimal.count++] = *p;
    int exponent = 0;
    bool negative = false;
    for (++p; p < written.ptr; ++p) {
        if (*p == '-') negative = true;
        if (*p >= '0' && *p <= '9') exponent = exponent * 10 + (*p - '0');
    }
    decimal.exponent = negative ? -exponent : exponent;
    while (decimal.count > 1 && decimal.digits[decimal.count - 1] == '0') --decimal.count;
    return decimal;
}

// Keeps the first `keep` digits, rounding half away from zero; trailing zeros go.
void RoundDigits(DecimalDigits& decimal, int keep) {
    if (keep >= decimal.count) return;
    if (keep < 0) {
        decimal.count = 0;
        return;
    }
    const bool up = decimal.digits[keep] >= '5';
    decimal.count = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && decimal.digits[i] == '9') decimal.digits[i--] = '0';
        if (i >= 0) {
            ++decimal.digits[i];
        } else {
            // 9.99 -> 10.0, or nothing kept and at least half a unit: one
            // unit of the next power.
            decimal.digits[0] = '1';
            decimal.count = 1;
            ++decimal.exponent;
        }
    }
    while (decimal.count > 0 && decimal.digits[decimal.count - 1] == '0') --decimal.count;
}

char16_t* WriteExponent(char16_t* p, int exponent) {
    *p++ = u'e';
    *p++ = exponent < 0 ? u'-' : u'+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100) *p++ = static_cast<char16_t>(u'0' + magnitude / 100);
    *p++ = static_cast<char16_t>(u'0' + magnitude / 10 % 10);
    *p++ = static_cast<char16_t>(u'0' + magnitude % 10);
    return p;
}

// The layout of "%.19g" with the digits given (at least one).
char16_t* LayOutGeneral(const DecimalDigits& decimal, char16_t* p) {
    const int e = decimal.exponent;
    const int n = decimal.count;
    if (e < -4 || e >= 19) {
        *p++ = static_cast<char16_t>(decimal.digits[0]);
        if (n > 1) {
            *p++ = u'.';
            for (int i = 1; i < n; ++i) *p++ = static_cast<char16_t>(decimal.digits[i]);
        }
        return WriteExponent(p, e);
    }
    if (e >= 0) {
        for (int i = 0; i <= e; ++i) *p++ = static_cast<char16_t>(i < n ? decimal.digits[i] : '0');
        if (n > e + 1) {
            *p++ = u'.';
            for (int i = e + 1; i < n; ++i) *p++ = static_cast<char16_t>(decimal.digits[i]);
        }
        return p;
    }
    *p++ = u'0';
    *p++ = u'.';
    for (int i = -1; i > e; --i) *p++ = u'0';
    for (int i = 0; i < n; ++i) *p++ = static_cast<char16_t>(decimal.digits[i]);
    return p;
}

// `decimals` digits after the point (exponent below 19, so at most 37 units).
char16_t* LayOutFixed(const DecimalDigits& decimal, int decimals, char16_t* p) {
    const int e = decimal.exponent;
    const auto digit = [&decimal](int i) {
        return static_cast<char16_t>(i >= 0 && i < decimal.count ? decimal.digits[i] : '0');
    };
    if (e >= 0) {
        for (int i = 0; i <= e; ++i) *p++ = digit(i);
    } else {
        *p++ = u'0';
    }
    if (decimals > 0) {
        *p++ = u'.';
        for (int place = 1; place <= decimals; ++place) *p++ = digit(e + place);
    }
    return p;
}

}  // namespace

std::size_t FormatResultTo(double value, ResultDigits digits, char16_t* out) {
    if (digits.mode == ResultDigits::Exact || !std::isfinite(value))
        return FormatGeneralTo(value, 19, out);
    char16_t* p = out;
    if (value == 0) {
        if (digits.mode == ResultDigits::Decimals)
            return static_cast<std::size_t>(
                LayOutFixed(DecimalDigits{}, std::clamp(digits.count, 0, 15), p) - out);
        if (std::signbit(value)) *p++ = u'-';
        *p++ = u'0';
        return static_cast<std::size_t>(p - out);
    }
    DecimalDigits decimal = ShortestDigits(std::fabs(value));
    switch (digits.mode) {
        case ResultDigits::Significant:
            RoundDigits(decimal, std::clamp(digits.count, 1, 17));
            break;
        case ResultDigits::Decimals:
            if (decimal.exponent >= 19) break;  // written as Shortest
            RoundDigits(decimal, decimal.exponent + 1 + std::clamp(digits.count, 0, 15));
            // A value that rounds to zero shows no sign.
            if (value < 0 && decimal.count > 0) *p++ = u'-';
            return static_cast<std::size_t>(
                LayOutFixed(decimal, std::clamp(digits.count, 0, 15), p) - out);
        default:
            break;
    }
    if (value < 0) *p++ = u'-';
    return static_cast<std::size_t>(LayOutGeneral(decimal, p) - out);
}

std::u16string FormatResult(double value, ResultDigits digits) {
    char16_t buffer[kFormatCapacity];
    return std::u16string(buffer, FormatResultTo(value, digits, buffer));
}

namespace {

// Decimal order of magnitude of a literal that from_chars found out of range:
// positive means too large (infinity), otherwise too small (zero).
bool LiteralIsHuge(std::string_view text) {
    long long pointPosition = -1;
    long long digitIndex = 0;
    long long firstNonZero = -1;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            pointPosition = digitIndex;
        } else if (c >= '0' && c <= '9') {
            if (c != '0' && firstNonZero < 0) firstNonZero = digitIndex;
            ++digitIndex;
        } else {
            break;
        }
    }
    if (pointPosition < 0) pointPosition = digitIndex;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (exponent < 1000000000LL) exponent = exponent * 10 + (text[i] - '0');
        }
        if (negative) exponent = -exponent;
    }
    if (firstNonZero < 0) return false;
    return pointPosition - firstNonZero - 1 + exponent > 0;
}

}  // namespace

namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The literals of everyday sums: at most 15 significant digits and a power of
// ten within 10^22. Both the digits and the power are exact doubles then, so
// one multiplication or division rounds correctly, as the full conversion
// would. False for anything else. `comma` is the other decimal point the text
// may use, if any.
template <typename Char>
bool ParseShortDecimal(std::basic_string_view<Char> text, Char comma, double& value) {
    uint64_t mantissa = 0;
    int digits = 0;
    int scale = 0;  // the power of ten the mantissa stands at
    bool point = false;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const Char c = text[i];
        if (c >= '0' && c <= '9') {
            if (mantissa == 0 && c == '0') {
                if (point) --scale;  // leading zeros count for nothing
                continue;
            }
            if (++digits > 15) return false;
            mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
            if (point) --scale;
        } else if ((c == '.' || c == comma) && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E') return false;
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        if (i == text.size()) return false;
        int exponent = 0;
        for (; i < text.size(); ++i) {
            const Char c = text[i];
            if (c < '0' || c > '9' || exponent > 1000) return false;
            exponent = exponent * 10 + (c - '0');
        }
        scale += negative ? -exponent : exponent;
    }
    if (mantissa == 0) {
        value = 0.0;
        return true;
    }
    if (scale < -22 || scale > 22) return false;
    const auto m = static_cast<double>(mantissa);
    value = scale >= 0 ? m * kPowersOfTen[scale] : m / kPowersOfTen[-scale];
    return true;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Digits with at most one separator, at least one digit, and an optional
// exponent "e" with an optional sign and at least one digit.
bool IsNumberLiteral(std::u16string_view t) {
    const std::size_t v = t.find(u'e');
    int separators = 0;
    int digits = 0;
    for (const char16_t c : t.substr(0, v)) {
        if (IsDigit(c)) {
            ++digits;
        } else if (c == u'.' || c == u',') {
            if (++separators > 1) return false;
        } else {
            return false;
        }
    }
    if (digits == 0) return false;
    if (v == std::u16string_view::npos) return true;
    std::u16string_view exponent = t.substr(v + 1);
    if (!exponent.empty() && (exponent.front() == u'+' || exponent.front() == u'-'))
        exponent.remove_prefix(1);
    return !exponent.empty() && std::all_of(exponent.begin(), exponent.end(), IsDigit);
}

}  // namespace

bool ParseNumberLiteral(std::u16string_view text, double& value) {
    if (!IsNumberLiteral(text)) return false;
    if (ParseShortDecimal(text, u',', value)) return true;
    std::string literal(text.size(), '.');
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != u',') literal[k] = static_cast<char>(text[k]);
    }
    value = ParseDecimal(literal);
    return true;
}

double ParseDecimal(std::string_view literal) {
    if (!literal.empty() && literal.front() == '+') literal.remove_prefix(1);
    double fast = 0.0;
    if (ParseShortDecimal(literal, '.', fast)) return fast;
    double value = 0.0;
    const auto result = std::from_chars(literal.data(), literal.data() + literal.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        return LiteralIsHuge(literal) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    if (result.ec != std::errc()) return 0.0;
    return value;
}

}  // namespace NCalculatorText

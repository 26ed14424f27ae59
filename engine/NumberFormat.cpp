#include "engine/NumberFormat.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace NCalculatorText {

std::string FormatGeneral(double value, int precision) {
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value,
                                      std::chars_format::general, precision);
    if (result.ec != std::errc()) return std::string();
    return std::string(buffer, result.ptr);
}

std::size_t FormatGeneralTo(double value, int precision, char16_t* out) {
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
// would. False for anything else.
bool ParseShortDecimal(std::string_view text, double& value) {
    uint64_t mantissa = 0;
    int digits = 0;
    int scale = 0;  // the power of ten the mantissa stands at
    bool point = false;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (mantissa == 0 && c == '0') {
                if (point) --scale;  // leading zeros count for nothing
                continue;
            }
            if (++digits > 15) return false;
            mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
            if (point) --scale;
        } else if (c == '.' && !point) {
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
            const char c = text[i];
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

}  // namespace

double ParseDecimal(std::string_view literal) {
    if (!literal.empty() && literal.front() == '+') literal.remove_prefix(1);
    double fast = 0.0;
    if (ParseShortDecimal(literal, fast)) return fast;
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

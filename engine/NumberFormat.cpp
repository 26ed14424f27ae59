#include "engine/NumberFormat.h"

#include <charconv>
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

std::u16string FormatGeneral16(double value, int precision) {
    const std::string narrow = FormatGeneral(value, precision);
    return std::u16string(narrow.begin(), narrow.end());
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

double ParseDecimal(std::string_view literal) {
    if (!literal.empty() && literal.front() == '+') literal.remove_prefix(1);
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

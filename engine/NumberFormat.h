// Locale-independent number formatting and reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace NCalculatorText {

// printf "%.<precision>g" in the C locale.
std::string FormatGeneral(double value, int precision);
std::u16string FormatGeneral16(double value, int precision);

// The most code units FormatGeneralTo writes (precision up to 20).
inline constexpr std::size_t kFormatCapacity = 40;

// printf "%.<precision>g" into out (kFormatCapacity units), no allocation;
// returns the length written.
std::size_t FormatGeneralTo(double value, int precision, char16_t* out);

// How many digits a result shows.
struct ResultDigits {
    enum Mode : uint8_t {
        Exact,        // "%.19g"
        Shortest,     // the fewest significant digits that read back as the same double
        Significant,  // `count` significant digits (1-17)
        Decimals,     // `count` digits after the point (0-15), always written
    };
    Mode mode = Exact;
    int count = 0;
    bool operator==(const ResultDigits&) const = default;
};

// The stored form of a choice: 0 Exact, 1 Shortest, 100 + N significant
// digits (101-117), 200 + N decimals (200-215). False for any other code.
bool ResultDigitsFromCode(uint32_t code, ResultDigits& digits);
uint32_t ResultDigitsCode(ResultDigits digits);

// The command-line form: "exact", "shortest", "sigN" (1-17), "fixN" (0-15).
bool ParseResultDigits(std::string_view text, ResultDigits& digits);

// The choice of the ResultDigits preference (Exact when it holds no valid code).
ResultDigits CurrentResultDigits();

// A result as `digits` shows it, into out (kFormatCapacity units); returns the
// length. Exact is "%.19g". The others take the shortest decimal form of the
// value, round it half away from zero (2.675 to two decimals is 2.68) and
// drop trailing zeros except Decimals' own; like "%.19g" they write an
// exponent below 0.0001 and from 1e19 up. Decimals writes values from 1e19 up
// as Shortest does, and any value that rounds to zero (-0 too) without sign;
// the others keep "-0". Infinities and NaN read as "%.19g" writes them.
std::size_t FormatResultTo(double value, ResultDigits digits, char16_t* out);
std::u16string FormatResult(double value, ResultDigits digits);

// A result under the current ResultDigits preference.
inline std::u16string FormatResult(double value) {
    return FormatResult(value, CurrentResultDigits());
}

// "%.20g", the format of diagnostics and memory files.
inline std::u16string FormatPrecise(double value) { return FormatGeneral16(value, 20); }

// wcstod-style conversion of an ASCII decimal literal ("+1.5e-3"), "." as the
// decimal point; out-of-range magnitudes give infinity or zero as strtod does.
double ParseDecimal(std::string_view literal);

// A number of the expression language (digits with at most one "." or ",",
// at least one digit, then maybe "e", a sign and digits): false when `text`
// is not one, else its value, as ParseDecimal reads it with "," as ".".
bool ParseNumberLiteral(std::u16string_view text, double& value);

}  // namespace NCalculatorText

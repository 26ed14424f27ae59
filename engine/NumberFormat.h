// Locale-independent number formatting and reading.
#pragma once

#include <cstddef>
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

// "%.19g", the format of results.
inline std::u16string FormatResult(double value) { return FormatGeneral16(value, 19); }

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

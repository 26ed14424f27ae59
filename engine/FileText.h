// Text of calculation and memory files, and UTF conversions.
#pragma once

#include <string>
#include <string_view>

namespace NCalculatorText {

// Reading rule of calculation, memory and executed files: UTF-16LE, L/2 code
// units, cut at the first U+0000, every U+FEFF removed.
std::u16string DecodeFileText(std::string_view bytes);

// Code units as UTF-16LE bytes, nothing added.
std::string EncodeUtf16LE(std::u16string_view text);

// A calculation file: FF FE, then the text as UTF-16LE.
std::string EncodeCalculationFile(std::u16string_view text);

// U+FEFF followed by "%.20g->mem[%s];\r\n" for every cell (all) or every
// marked cell, in store order.
std::u16string FormatMemoryFile(bool all);

// Strict UTF-8 decoding; false on malformed input (overlongs, surrogates,
// truncated sequences, code points above U+10FFFF).
bool DecodeUtf8(std::string_view bytes, std::u16string& text);

// UTF-8 encoding; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

}  // namespace NCalculatorText

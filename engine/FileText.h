// Text of calculation and memory files, and UTF conversions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace NCalculatorText {

// The most code units a file may hold to be opened, loaded or calculated
// from the command line. Far above what typing may reach, so that every file
// the program writes (results make a text grow) can be read back.
inline constexpr std::size_t kFileTextLimit = std::size_t{64} * 1024 * 1024;

// The most bytes a calculation or memory file of kFileTextLimit units takes:
// the byte order mark and two bytes a unit, plus one unit to tell "longer".
inline constexpr std::size_t kFileByteLimit = 2 * (kFileTextLimit + 1) + 2;

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

// What DecodeUtf8 would give, without the text: false where it fails, else
// the number of code units in `units`.
bool MeasureUtf8(std::string_view bytes, std::size_t& units);

// UTF-8 encoding; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

}  // namespace NCalculatorText

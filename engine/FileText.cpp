#include "engine/FileText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "engine/MemoryStore.h"
#include "engine/NumberFormat.h"

namespace NCalculatorText {

namespace {

constexpr char16_t kByteOrderMark = 0xFEFF;
constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::u16string DecodeFileText(std::string_view bytes) {
    const std::size_t units = bytes.size() / 2;  // an odd last byte is ignored
    std::u16string text;
    text.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const auto lo = static_cast<unsigned char>(bytes[2 * i]);
        const auto hi = static_cast<unsigned char>(bytes[2 * i + 1]);
        const auto unit = static_cast<char16_t>(lo | (hi << 8));
        if (unit == 0) break;
        if (unit == kByteOrderMark) continue;
        text.push_back(unit);
    }
    return text;
}

std::string EncodeUtf16LE(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::string EncodeCalculationFile(std::u16string_view text) {
    std::string bytes("\xFF\xFE", 2);
    bytes += EncodeUtf16LE(text);
    return bytes;
}

std::u16string FormatMemoryFile(bool all) {
    std::u16string text(1, kByteOrderMark);
    for (const auto& entry : MemoryStore::Instance()) {
        const MemoryCell& cell = entry.second;
        if (!all && cell.mark == 0) continue;
        text += FormatPrecise(cell.value);
        text += u"->mem[";
        text += cell.name;
        text += u"];\r\n";
    }
    return text;
}

namespace {

// Eight bytes at a time while every byte is ASCII (a calculation nearly always is).
std::size_t AsciiRun(const unsigned char* bytes, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        if ((word & 0x8080808080808080ULL) != 0) break;
    }
    while (i < n && bytes[i] < 0x80) ++i;
    return i;
}

// The sequence of a non-ASCII lead byte at `in` (n bytes left): its code
// point and how many continuation bytes follow; false when malformed.
bool DecodeSequence(const unsigned char* in, std::size_t n, std::size_t& extra, char32_t& cp) {
    const unsigned char lead = in[0];
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        return false;  // continuation byte, C0/C1 overlong lead, or F5..FF
    }
    if (n <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
        const unsigned char next = in[k];
        if ((next & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (next & 0x3F);
    }
    return cp >= minimum && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

}  // namespace

bool MeasureUtf8(std::string_view bytes, std::size_t& units) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = AsciiRun(in + i, n - i);
        count += run;
        i += run;
        if (i >= n) break;
        std::size_t extra = 0;
        char32_t cp = 0;
        if (!DecodeSequence(in + i, n - i, extra, cp)) return false;
        count += cp >= 0x10000 ? 2 : 1;
        i += extra + 1;
    }
    units = count;
    return true;
}

bool DecodeUtf8(std::string_view bytes, std::u16string& text) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    // Never more code units than bytes. The units gather in a small piece
    // that is appended when full, so the text is written once, not zeroed first.
    std::u16string out;
    out.reserve(n);
    constexpr std::size_t kPiece = 4096;
    char16_t piece[kPiece];
    std::size_t fill = 0;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = AsciiRun(in + i, std::min(n - i, kPiece - fill));
        for (std::size_t k = 0; k < run; ++k) piece[fill + k] = in[i + k];
        fill += run;
        i += run;
        if (fill == kPiece) {
            out.append(piece, fill);
            fill = 0;
            continue;
        }
        if (i >= n) break;
        // A non-ASCII lead byte: room for a surrogate pair.
        if (fill + 2 > kPiece) {
            out.append(piece, fill);
            fill = 0;
        }
        std::size_t extra = 0;
        char32_t cp = 0;
        if (!DecodeSequence(in + i, n - i, extra, cp)) return false;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            piece[fill++] = static_cast<char16_t>(0xD800 + (cp >> 10));
            piece[fill++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            piece[fill++] = static_cast<char16_t>(cp);
        }
        i += extra + 1;
    }
    out.append(piece, fill);
    text = std::move(out);
    return true;
}

std::string EncodeUtf8(std::u16string_view text) {
    // The exact size first, so that a whole document is written in place
    // into one allocation of the right size.
    const std::size_t n = text.size();
    // A plain ASCII text (results and calculations are) narrows in one loop.
    const char16_t* in = text.data();
    char16_t any = 0;
    for (std::size_t i = 0; i < n; ++i) any = static_cast<char16_t>(any | in[i]);
    if (any < 0x80) {
        std::string ascii(n, '\0');
        char* write = ascii.data();
        for (std::size_t i = 0; i < n; ++i) write[i] = static_cast<char>(in[i]);
        return ascii;
    }
    std::size_t size = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t unit = text[i];
        if (unit < 0x80) {
            size += 1;
        } else if (unit < 0x800) {
            size += 2;
        } else if (IsHighSurrogate(unit) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
            size += 4;
            ++i;
        } else {
            size += 3;  // an unpaired surrogate becomes U+FFFD, three bytes too
        }
    }
    std::string out(size, '\0');
    char* write = out.data();
    auto put = [&](char32_t cp) {
        if (cp < 0x80) {
            *write++ = static_cast<char>(cp);
        } else if (cp < 0x800) {
            *write++ = static_cast<char>(0xC0 | (cp >> 6));
            *write++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *write++ = static_cast<char>(0xE0 | (cp >> 12));
            *write++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *write++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            *write++ = static_cast<char>(0xF0 | (cp >> 18));
            *write++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            *write++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *write++ = static_cast<char>(0x80 | (cp & 0x3F));
        }
    };
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t unit = text[i];
        if (unit < 0x80) {
            *write++ = static_cast<char>(unit);
        } else if (IsHighSurrogate(unit) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
            const char32_t low = text[i + 1];
            put(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            put(kReplacement);
        } else {
            put(unit);
        }
    }
    return out;
}

}  // namespace NCalculatorText

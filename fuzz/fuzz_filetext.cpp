// The file text helpers: decoding by the reading rule and the encodings that
// must read back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/FileText.h"

using namespace NCalculatorText;

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_filetext: invariant broken: %s\n", what);
    std::abort();
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// What EncodeUtf8 then DecodeUtf8 must give: unpaired surrogates replaced.
std::u16string WithoutLoneSurrogates(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            out.push_back(c);
            out.push_back(text[++i]);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            out.push_back(u'\uFFFD');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void CheckDecodedFile(std::string_view bytes) {
    const std::u16string decoded = DecodeFileText(bytes);
    if (decoded.size() > bytes.size() / 2) Fail("decoded text longer than L/2 units");
    for (char16_t c : decoded) {
        if (c == u'\0') Fail("decoded text holds U+0000");
        if (c == u'\uFEFF') Fail("decoded text holds U+FEFF");
    }

    const std::string file = EncodeCalculationFile(decoded);
    if (file.size() != 2 + 2 * decoded.size()) Fail("calculation file has the wrong size");
    if (static_cast<unsigned char>(file[0]) != 0xFF ||
        static_cast<unsigned char>(file[1]) != 0xFE) {
        Fail("calculation file does not start with FF FE");
    }
    if (DecodeFileText(file) != decoded) Fail("calculation file does not read back");

    const std::string raw = EncodeUtf16LE(decoded);
    if (raw.size() != 2 * decoded.size()) Fail("UTF-16LE has the wrong size");
    if (file.compare(2, std::string::npos, raw) != 0)
        Fail("calculation file is not FF FE + UTF-16LE");
    if (DecodeFileText(raw) != decoded) Fail("UTF-16LE does not read back");
}

void CheckUtf8(std::string_view bytes) {
    // Strict decoding accepts only the canonical form, which encodes back
    // to the same bytes.
    std::u16string text;
    if (DecodeUtf8(bytes, text)) {
        if (EncodeUtf8(text) != bytes) Fail("valid UTF-8 does not encode back to the same bytes");
        if (WithoutLoneSurrogates(text) != text) Fail("decoded UTF-8 holds a lone surrogate");
    }

    // Any code units, read as UTF-16LE, survive a UTF-8 round trip up to
    // their unpaired surrogates.
    std::u16string units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    std::u16string back;
    if (!DecodeUtf8(EncodeUtf8(units), back)) Fail("EncodeUtf8 output is not valid UTF-8");
    if (back != WithoutLoneSurrogates(units)) Fail("UTF-8 round trip changed the text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckDecodedFile(bytes);
    CheckUtf8(bytes);
    return 0;
}

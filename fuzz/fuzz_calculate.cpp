// Feeds arbitrary input to the cell driver, read both as UTF-16LE code units
// and as UTF-8, in all-cells mode and for one cell at a position taken from
// the input. Besides crashes and sanitizer reports it checks what every run
// must keep: at most one error, reported last and only by a failing run;
// a failing run leaves the position alone; a caret never leaves the text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/CalculateText.h"
#include "engine/Diagnostics.h"
#include "engine/FileText.h"
#include "engine/MemoryStore.h"
#include "engine/Preferences.h"

using namespace NCalculatorText;

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_calculate: invariant broken: %s\n", what);
    std::abort();
}

size_t Length(const char16_t* text) {
    size_t n = 0;
    while (text[n] != u'\0') ++n;
    return n;
}

class CheckingLog : public ILogReceiver {
public:
    void AddMessage(const Diagnostic& record) override {
        if (record.severity != 0 && record.severity != 1) Fail("severity is neither 0 nor 1");
        if (record.context == nullptr || record.description == nullptr) Fail("null text");
        if (Length(record.context) == 0 || Length(record.description) == 0) Fail("empty text");
        if (errors > 0) Fail("a diagnostic after an error");
        if (record.severity == 1) ++errors;
        ++messages;
    }
    void Clear() override {
        errors = 0;
        messages = 0;
        ++clears;
    }

    int errors = 0;
    int messages = 0;
    int clears = 0;
};

CheckingLog checkingLog;

void Run(const std::u16string& input, int32_t position) {
    // Memory and the last result carry over between runs by design; reset
    // them so that every fuzz input is reproducible on its own.
    MemoryStore::Instance().Clear();
    lastResult = 0.0;

    std::u16string text = input;
    int32_t caret = position;
    const int clearsBefore = checkingLog.clears;
    const bool ok = CalculateText(text, caret);

    if (checkingLog.clears != clearsBefore + 1) Fail("the log was not cleared exactly once");
    if (ok != engineState.succeeded) Fail("result differs from engineState.succeeded");
    if (ok && checkingLog.errors != 0) Fail("a successful run reported an error");
    if (!ok && checkingLog.errors != 1) Fail("a failed run did not report exactly one error");
    if (!ok && caret != position) Fail("a failed run moved the position");
    if (ok && (caret < 0 || static_cast<size_t>(caret) > text.size())) {
        Fail("the new position is outside the text");
    }
}

void RunBoth(const std::u16string& text, uint32_t seed) {
    Run(text, -1);
    const int32_t position = static_cast<int32_t>(seed % (text.size() + 1));
    Run(text, position);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    engineState.logReceiver = &checkingLog;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The angle unit comes from the last byte; 3 stands for an unknown stored
    // value, which means radians.
    Preferences.TrigonometricUnits = size > 0 ? data[size - 1] % 4u : 0u;
    const uint32_t seed = size > 0 ? data[0] * 131u + data[size / 2] * 7u + size : 0u;

    std::u16string utf16;
    utf16.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2) {
        utf16.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    RunBoth(utf16, seed);

    std::u16string utf8;
    if (DecodeUtf8(bytes, utf8)) RunBoth(utf8, seed);
    return 0;
}

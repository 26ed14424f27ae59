#include "tests/engine/EngineTestSupport.h"

namespace engine_test {

using namespace NCalculatorText;

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The test texts are well-formed UTF-8; no validation needed.
std::u16string FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        uint32_t c;
        int extra;
        if (b < 0x80) {
            c = b;
            extra = 0;
        } else if (b < 0xE0) {
            c = b & 0x1F;
            extra = 1;
        } else if (b < 0xF0) {
            c = b & 0x0F;
            extra = 2;
        } else {
            c = b & 0x07;
            extra = 3;
        }
        ++i;
        for (int k = 0; k < extra && i < text.size(); ++k, ++i) {
            c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

int32_t Units(std::string_view text) { return static_cast<int32_t>(FromUtf8(text).size()); }

std::ostream& operator<<(std::ostream& out, const Logged& entry) {
    return out << "{"
               << (entry.severity == 1   ? "error"
                   : entry.severity == 0 ? "warning"
                                         : "?")
               << " (" << entry.severity << "), \"" << entry.context << "\", \""
               << entry.description << "\"}";
}

Logged Error(std::string context, std::string description) {
    return Logged{1, std::move(context), std::move(description)};
}

Logged Warning(std::string context, std::string description) {
    return Logged{0, std::move(context), std::move(description)};
}

Logged SyntaxFailure() { return Error("None", "Syntax error"); }

Logged Overflowed(std::string context, bool positive) {
    return Error(std::move(context), std::string("Operation resulted in overflow, too big ") +
                                         (positive ? "positive" : "negative") + " number returned");
}

Logged Underflowed(std::string context) {
    return Warning(std::move(context), "Operation resulted in underflow, result accepted as 0");
}

void RecordingLog::AddMessage(const Diagnostic& record) {
    Logged entry;
    entry.severity = record.severity;
    entry.context = record.context ? ToUtf8(record.context) : std::string("<null>");
    entry.description = record.description ? ToUtf8(record.description) : std::string("<null>");
    messages.push_back(std::move(entry));
}

void RecordingLog::Clear() {
    messages.clear();
    ++clears;
}

void EngineTest::SetUp() {
    Store().Clear();
    Store().changed = false;
    lastResult = 0.0;
    Preferences.TrigonometricUnits = 0;
    Preferences.ResultDigits = 0;
    engineState.logReceiver = &log;
}

void EngineTest::TearDown() {
    engineState.logReceiver = nullptr;
    Preferences.TrigonometricUnits = 0;
    Preferences.ResultDigits = 0;
}

RunResult EngineTest::Run(std::string_view text, int32_t position) {
    std::u16string buffer = FromUtf8(text);
    RunResult result;
    result.position = position;
    result.ok = CalculateText(buffer, result.position);
    result.text = ToUtf8(buffer);
    result.log = log.messages;
    return result;
}

std::vector<std::string> EngineTest::CellNames() {
    std::vector<std::string> names;
    for (const auto& entry : Store()) names.push_back(ToUtf8(entry.second.name));
    return names;
}

void PrintTo(const ExpressionCase& row, std::ostream* out) {
    *out << row.name << ": \"" << row.expression << "\"";
}

ExpressionCase Gives(const char* name, std::string expression, std::string result,
                     std::vector<Logged> warnings, uint32_t units) {
    return ExpressionCase{name, std::move(expression), true, std::move(result), std::move(warnings),
                          units};
}

ExpressionCase Fails(const char* name, std::string expression, std::vector<Logged> log,
                     uint32_t units) {
    return ExpressionCase{name, std::move(expression), false, std::string(), std::move(log), units};
}

ExpressionCase NoParse(const char* name, std::string expression) {
    return Fails(name, std::move(expression), {SyntaxFailure()});
}

void ExpressionTest::Check(const ExpressionCase& row) {
    Preferences.TrigonometricUnits = row.units;
    const RunResult run = Run(row.expression);
    if (row.succeeds) {
        const std::string expected = row.expression + "=" + row.result;
        EXPECT_TRUE(run.ok);
        EXPECT_EQ(run.text, expected);
        EXPECT_EQ(run.position, Units(expected));
    } else {
        // The expression has no "=", so nothing of it is removed.
        EXPECT_FALSE(run.ok);
        EXPECT_EQ(run.text, row.expression);
        EXPECT_EQ(run.position, -1);
    }
    EXPECT_EQ(run.log, row.log);
}

}  // namespace engine_test

// Shared fixture of the engine tests: a clean memory store, last result and
// angle unit for every test, and a log receiver that keeps copies of what it
// is given.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CalculateText.h"
#include "engine/Diagnostics.h"
#include "engine/MemoryStore.h"
#include "engine/Preferences.h"

namespace engine_test {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// One diagnostic as the log panel would keep it.
struct Logged {
    int32_t severity = 0;
    std::string context;
    std::string description;

    bool operator==(const Logged&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Logged& entry);

Logged Error(std::string context, std::string description);
Logged Warning(std::string context, std::string description);
Logged SyntaxFailure();
Logged Overflowed(std::string context, bool positive);
Logged Underflowed(std::string context);

// Never deleted through the receiver interface, whose destructor is protected.
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor)
class RecordingLog final : public NCalculatorText::ILogReceiver {
public:
    void AddMessage(const NCalculatorText::Diagnostic& record) override;
    void Clear() override;

    std::vector<Logged> messages;
    int clears = 0;
};

struct RunResult {
    std::string text;
    bool ok = false;
    int32_t position = 0;
    std::vector<Logged> log;
};

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Calculates `text` (UTF-8 here, UTF-16 for the engine) from `position`.
    RunResult Run(std::string_view text, int32_t position = -1);

    static NCalculatorText::MemoryStore& Store() {
        return NCalculatorText::MemoryStore::Instance();
    }
    // Names of the memory cells in store order.
    static std::vector<std::string> CellNames();

public:
    // What the engine reported in the current test.
    RecordingLog log;
};

template <typename Row>
class EngineTestWithParam : public EngineTest, public ::testing::WithParamInterface<Row> {};

// Test names come from the rows.
struct RowName {
    template <typename Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};

// Length of a UTF-8 text in UTF-16 code units.
int32_t Units(std::string_view text);

// A whole text that is one expression: either it calculates to `result`
// (written after an appended "=") or it fails and stays as it was.
struct ExpressionCase {
    const char* name;
    std::string expression;
    bool succeeds;
    std::string result;
    std::vector<Logged> log;
    uint32_t units = 0;  // Preferences.TrigonometricUnits
};
void PrintTo(const ExpressionCase& row, std::ostream* out);

ExpressionCase Gives(const char* name, std::string expression, std::string result,
                     std::vector<Logged> warnings = {}, uint32_t units = 0);
ExpressionCase Fails(const char* name, std::string expression, std::vector<Logged> log,
                     uint32_t units = 0);
ExpressionCase NoParse(const char* name, std::string expression);

class ExpressionTest : public EngineTestWithParam<ExpressionCase> {
protected:
    void Check(const ExpressionCase& row);
};

}  // namespace engine_test

// A cell worked out without effect (the live result), and where each
// diagnostic of a run came from.
#include "tests/engine/EngineTestSupport.h"

namespace engine_test {
namespace {

using namespace NCalculatorText;

struct PreviewCase {
    const char* name;
    std::string text;
    int32_t position;
    bool calculated;
    bool succeeded;
    double value;
    std::vector<std::string> diagnostics;
};
void PrintTo(const PreviewCase& row, std::ostream* out) { *out << row.name; }

class PreviewTest : public EngineTestWithParam<PreviewCase> {};

// Whatever the cell does, the store, rslt, the engine state and the log stay.
TEST_P(PreviewTest, GivesTheCellWithoutEffect) {
    const PreviewCase& row = GetParam();
    Store().Assign(u"a", 2).mark = 7;
    MemoryCell* kept = Store().Find(u"a");
    Store().changed = false;
    lastResult = 41;
    log.AddMessage({0, u"Memory", u"earlier"});
    const int clearsBefore = log.clears;

    const CellPreview preview = PreviewCell(FromUtf8(row.text), row.position);

    EXPECT_EQ(preview.calculated, row.calculated);
    EXPECT_EQ(preview.succeeded, row.succeeded);
    if (row.calculated && row.succeeded) {
        EXPECT_DOUBLE_EQ(preview.value, row.value);
    }
    std::vector<std::string> diagnostics;
    for (const std::u16string& d : preview.diagnostics) diagnostics.push_back(ToUtf8(d));
    EXPECT_EQ(diagnostics, row.diagnostics);

    EXPECT_EQ(CellNames(), std::vector<std::string>{"a"});
    EXPECT_EQ(Store().Find(u"a"), kept);  // the very cell the panel may hold
    EXPECT_EQ(kept->value, 2);
    EXPECT_EQ(kept->mark, 7);
    EXPECT_FALSE(Store().changed);
    EXPECT_EQ(lastResult, 41);
    EXPECT_EQ(log.clears, clearsBefore);
    EXPECT_EQ(log.messages.size(), 1u);
    EXPECT_TRUE(engineState.succeeded);
    EXPECT_EQ(engineState.logReceiver, &log);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cells, PreviewTest, ::testing::Values(
    PreviewCase{"plain", "89.9", 4, true, true, 89.9, {}},
    PreviewCase{"caret_picks_its_cell", "1+1=2;\n3*4=5; 9", 8, true, true, 12, {}},
    PreviewCase{"reads_memory_and_rslt", "mem[a]*rslt", 0, true, true, 82, {}},
    PreviewCase{"store_goes_to_a_copy", "5->mem[b]; mem[b]+mem[a]", 0, true, true, 5, {}},
    PreviewCase{"overwrite_goes_to_a_copy", "9->mem[a]", 3, true, true, 9, {}},
    PreviewCase{"syntax_error", "2*-3", 1, true, false, 0, {"Syntax error"}},
    PreviewCase{"error_after_a_store", "(5->mem[a])/0", 2, true, false, 0,
                {"Operation has singularity at 0"}},
    PreviewCase{"warning_still_succeeds", "mem[salry]*12", 0, true, true, 0,
                {"Uninitialized memory used, value forced to 0"}},
    PreviewCase{"blank_cell", "1;   ;2", 3, false, true, 0, {}},
    PreviewCase{"inside_a_comment_cell", "// 1+1\n", 2, false, true, 0, {}},
    PreviewCase{"unclosed_comment", "1+ /* 2", 0, false, false, 0, {"Syntax error"}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The source of each diagnostic, as the text stands after the run.
struct SourceCase {
    const char* name;
    std::string text;
    // Expected sources, each as (severity, the marked text).
    std::vector<std::pair<int32_t, std::string>> sources;
};
void PrintTo(const SourceCase& row, std::ostream* out) { *out << row.name; }

class SourceTest : public EngineTestWithParam<SourceCase> {};

TEST_P(SourceTest, PointsAtTheExpression) {
    const SourceCase& row = GetParam();
    std::u16string text = FromUtf8(row.text);
    int32_t position = -1;
    FailedCell failed;
    std::vector<DiagnosticSource> sources;
    CalculateText(text, position, failed, sources);
    ASSERT_EQ(sources.size(), log.messages.size());
    std::vector<std::pair<int32_t, std::string>> marked;
    for (const DiagnosticSource& s : sources) {
        ASSERT_GE(s.start, 0);
        ASSERT_LE(s.end, static_cast<int32_t>(text.size()));
        marked.emplace_back(s.severity, ToUtf8(text.substr(s.start, s.end - s.start)));
    }
    EXPECT_EQ(marked, row.sources);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Runs, SourceTest, ::testing::Values(
    SourceCase{"uninitialised_memory", "1+1=5; mem[salry] * 12 = 7", {{0, "mem[salry]"}}},
    SourceCase{"memory_spelled_out_with_spaces", "2 + memory{ x y }", {{0, "memory{ x y }"}}},
    SourceCase{"underflow_of_a_product", "1;(1e-200)*(1e-200)", {{0, "(1e-200)*(1e-200)"}}},
    SourceCase{"underflow_in_a_chain", "3 + 1e-300/1e300/2", {{0, "1e-300/1e300"}}},
    SourceCase{"underflow_of_a_function", "2*exp(-1000)", {{0, "exp(-1000)"}}},
    SourceCase{"shift_of_earlier_results", "1+1=; 2=99999; mem[q]",
               {{0, "mem[q]"}}},
    SourceCase{"warnings_then_the_failing_cell", "mem[u]+1; 1/0 + mem[v]",
               {{0, "mem[u]"}, {1, "1/0 + mem[v]"}}},
    SourceCase{"syntax_error_marks_its_cell", "1;  2*-3 = 4", {{1, "2*-3"}}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace engine_test

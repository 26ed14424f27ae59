// The cell driver: cutting cells, placing results, comments, positions and
// what a failing cell leaves behind.
#include <algorithm>
#include <climits>
#include <cmath>

#include "tests/engine/EngineTestSupport.h"

namespace engine_test {
namespace {

using namespace NCalculatorText;

// The new position is the end of the expected text.
constexpr int32_t kEnd = INT32_MIN;

struct DriverCase {
    const char* name;
    std::string text;
    int32_t position;
    std::string expected;
    bool ok;
    int32_t newPosition;
    std::vector<Logged> log;
};
void PrintTo(const DriverCase& row, std::ostream* out) {
    *out << row.name << ": \"" << row.text << "\" at " << row.position;
}

DriverCase Ok(const char* name, std::string text, int32_t position, std::string expected,
              int32_t newPosition = kEnd, std::vector<Logged> log = {}) {
    return DriverCase{name, std::move(text), position,      std::move(expected),
                      true, newPosition,     std::move(log)};
}

// A failing run keeps the position it was given.
DriverCase Failed(const char* name, std::string text, int32_t position, std::string expected,
                  std::vector<Logged> log) {
    return DriverCase{name,  std::move(text), position,      std::move(expected),
                      false, position,        std::move(log)};
}

Logged DivisionByZero() { return Error("Division", "Operation has singularity at 0"); }

class DriverTest : public EngineTestWithParam<DriverCase> {};

TEST_P(DriverTest, RewritesText) {
    const DriverCase& row = GetParam();
    const RunResult run = Run(row.text, row.position);
    EXPECT_EQ(run.text, row.expected);
    EXPECT_EQ(run.ok, row.ok);
    EXPECT_EQ(run.position, row.newPosition == kEnd ? Units(row.expected) : row.newPosition);
    EXPECT_EQ(run.log, row.log);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, DriverTest, ::testing::Values(
    Ok("appends_result", "2+3", -1, "2+3=5"),
    Ok("trailing_blanks_stay_after_result", "2+3   ", -1, "2+3=5   "),
    Ok("result_after_bare_equals", "2+3 =", -1, "2+3 =5"),
    Ok("old_result_replaced", "2+3 = 7 ", -1, "2+3 = 5 "),
    Ok("every_old_token_removed_blanks_stay", "1+1 = 7 8", -1, "1+1 = 2 "),
    Failed("last_equals_cuts", "a = b = 3", -1, "a = b  ", {SyntaxFailure()}),
    Ok("only_separators", ";;", -1, ";;"),
    Ok("only_separators_with_position", ";;", 0, ";;"),
    Ok("empty_text", "", -1, ""),
    Ok("empty_text_with_position", "", 0, ""),
    Ok("line_comment_after_expression", "2+3 // note", -1, "2+3=5 // note"),
    Ok("equals_inside_comment_is_not_the_cut", "1/*x=*/+1=", -1, "1/*x=*/+1=2"),
    Ok("position_at_separator", "1;2", 1, "1=1;2", 4),
    Ok("position_after_separator", "1;2", 2, "1;2=2", 5),
    Ok("position_between_separators", "1;;2", 2, "1;;2", 4),
    Failed("failing_cell_loses_equals_and_result", "1/0 = 5; 1+1=", -1, "1/0  ; 1+1=",
           {DivisionByZero()}),
    Failed("unterminated_comment", "/* 1+1=", 3, "/* 1+1=", {SyntaxFailure()}),
    Ok("store_then_read", "5->mem[a];mem[a]*2", -1, "5->mem[a]=5;mem[a]*2=10"),
    Ok("worked_example", "2+3 = 7 ;  4*2;", -1, "2+3 = 5 ;  4*2=8;", 17),
    Failed("empty_expression", "=", -1, "", {SyntaxFailure()}),
    Failed("empty_expression_between_blanks", "  =  ", -1, "    ", {SyntaxFailure()}),
    Failed("empty_expression_with_old_result", "=5", -1, "", {SyntaxFailure()})
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Positions, DriverTest, ::testing::Values(
    Ok("start_of_first_cell", "1;2", 0, "1=1;2", 4),
    Ok("end_of_text", "1;2", 3, "1;2=2", 5),
    Ok("beyond_text", "1;2", 10, "1;2", 3),
    Ok("negative_other_than_all", "1;2", -5, "1;2", 3),
    Ok("all_cells", "1;2", -1, "1=1;2=2", 7),
    Ok("leading_separator_belongs_to_no_cell", ";1", 0, ";1", 2),
    Ok("separator_at_end", "1;", 1, "1=1;", 4),
    Ok("after_final_separator", "1;", 2, "1;", 2),
    Ok("blank_cell_at_position", "1; ", 3, "1; ", 3),
    Ok("middle_of_cell_with_old_result", "2*3 = 5; 1", 2, "2*3 = 6; 1", 8),
    Ok("on_old_result", "1+1=5;2", 4, "1+1=2;2", 6),
    Ok("longer_result_moves_position", "1/3; 5", 0, "1/3=0.3333333333333333148; 5", 26),
    Ok("separator_inside_comment_is_not_a_cell_end", "1 /* ; */ + 1; 2", 5, "1 /* ; */ + 1=2; 2",
       16),
    Ok("blank_cells_skipped_in_all_mode", "1;  ;2", -1, "1=1;  ;2=2"),
    // Positions count UTF-16 code units: the emoji is two of them.
    Ok("code_units_second_cell", "/*\U0001F600*/1;2", 8, "/*\U0001F600*/1;2=2", 11),
    Ok("code_units_first_cell", "/*\U0001F600*/1;2", 7, "/*\U0001F600*/1=1;2", 10),
    Ok("code_units_pi_sign", "π+1;2", 3, "π+1=4.141592653589793116;2", 25)
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Placement, DriverTest, ::testing::Values(
    Ok("leading_blanks", "  2+3", -1, "  2+3=5"),
    Ok("trailing_line_break", "2+3\r\n", -1, "2+3=5\r\n"),
    Ok("equals_then_line_break", "2+3 = \r\n", -1, "2+3 =5 \r\n"),
    Ok("tabs_everywhere", "\t1\t+\t2\t", -1, "\t1\t+\t2=3\t"),
    Ok("tab_before_old_result", "2+3=\t7", -1, "2+3=\t5"),
    Ok("blanks_around_old_result", "2+3=  7  ;1", -1, "2+3=  5  ;1=1"),
    Ok("old_result_of_words", "1+1 = abc def", -1, "1+1 = 2 "),
    Ok("lines_are_not_cells", "1+1\r\n2*2", -1, "1+1\r\n2*2=25"),
    Ok("line_break_inside_number", "1\r\n2", -1, "1\r\n2=12"),
    Ok("one_cell_per_line", "1+1;\r\n2*2;\r\n", -1, "1+1=2;\r\n2*2=4;\r\n"),
    Failed("several_equals", "1=2=3", -1, "1=2", {SyntaxFailure()}),
    Ok("old_result_after_comment", "1+1 = /*x*/ 5", -1, "1+1 = /*x*/ 2"),
    Ok("result_before_comment_after_equals", "1+1 =/*x*/", -1, "1+1 =2/*x*/"),
    Failed("expression_only_a_comment", "/*c*/ = 4", -1, "/*c*/  ", {SyntaxFailure()}),
    // Vertical tab and form feed are not blanks of the cell, but the
    // expression's ends are trimmed of them.
    Ok("other_white_space_at_ends", "\v1+1\f", -1, "\v1+1\f=2"),
    Failed("other_white_space_inside", "1\v+1", -1, "1\v+1", {SyntaxFailure()})
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Comments, DriverTest, ::testing::Values(
    Ok("only_a_comment", "// only comment", -1, "// only comment"),
    Ok("line_comment_ends_at_line_feed", "1 // a\n+1", -1, "1 // a\n+1=2"),
    Ok("comment_does_not_separate_cells", "1 /* ; */ +1", -1, "1 /* ; */ +1=2"),
    Ok("comment_becomes_blanks", "1/*x*/2", -1, "1/*x*/2=12"),
    Ok("slash_star_slash_is_complete", "/*/ 1+1", -1, "/*/ 1+1=2"),
    Ok("empty_block_comment", "/**/3", -1, "/**/3=3"),
    Failed("unterminated_in_all_mode", "1+1 /* x", -1, "1+1 /* x", {SyntaxFailure()}),
    Failed("unterminated_with_position", "1+1 /* x", 0, "1+1 /* x", {SyntaxFailure()}),
    Failed("unterminated_after_complete_comment", "/* a */ 1 /* b", -1, "/* a */ 1 /* b",
           {SyntaxFailure()}),
    Ok("block_marker_inside_line_comment", "1 // /* \n+2", -1, "1 // /* \n+2=3"),
    Ok("line_marker_inside_block_comment", "1 /* // */ +2", -1, "1 /* // */ +2=3"),
    Ok("comment_before_equals", "1+1 /*c*/ = 5", -1, "1+1 /*c*/ = 2"),
    Ok("equals_only_inside_line_comment", "1+1 // =5", -1, "1+1=2 // =5"),
    Ok("comment_after_old_result_stays", "2*2 = 5 /* old */", -1, "2*2 = 4 /* old */"),
    Ok("double_slash_is_a_comment", "4//2", -1, "4=4//2"),
    Failed("spaced_slashes_are_two_divisions", "4/ /2", -1, "4/ /2", {SyntaxFailure()}),
    Ok("comment_joins_digits", "8/*2*/4=", -1, "8/*2*/4=84"),
    Ok("dollar_in_line_comment", "1+1 // $", -1, "1+1=2 // $"),
    Ok("dollar_in_block_comment", "/*$*/2", -1, "/*$*/2=2"),
    Ok("two_block_comments", "1 /* a */ /* b */ +1", -1, "1 /* a */ /* b */ +1=2"),
    Ok("heading_comment_line", "// title\r\n2*3", -1, "// title\r\n2*3=6"),
    Ok("comment_with_separator_after_cells", "// c\n1;2 /* ; */", -1, "// c\n1=1;2=2 /* ; */"),
    Failed("stray_comment_end", "*/ 1", -1, "*/ 1", {SyntaxFailure()})
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(FailingCells, DriverTest, ::testing::Values(
    Failed("error_in_middle_cell", "1+1=0; 2/0 = 9 ; 3+3=1", -1, "1+1=2; 2/0   ; 3+3=1",
           {DivisionByZero()}),
    Failed("syntax_error_in_middle_cell", "1;2+;3", -1, "1=1;2+;3", {SyntaxFailure()}),
    Failed("failing_cell_at_position", "1;2/0=5;3", 3, "1;2/0;3", {DivisionByZero()}),
    Failed("failing_cell_in_all_mode", "1;2/0=5;3", -1, "1=1;2/0;3", {DivisionByZero()}),
    Failed("warning_before_error_is_kept", "mem[w]; sqrt(-1)", -1, "mem[w]=0; sqrt(-1)",
           {Warning("Memory", "Uninitialized memory used, value forced to 0"),
            Error("Square root", "Function is not defined for -1")})
), RowName());
// clang-format on

// A run under a control reports its progress between cells and, called off,
// leaves the text and the position as they were.
TEST_F(EngineTest, ControlledRunReportsProgressAndCancelsCleanly) {
    std::u16string base;
    for (int i = 0; i < 2000; ++i) base += u"1+1 = ;";
    std::u16string plain = base;
    int32_t plainPosition = -1;
    ASSERT_TRUE(CalculateText(plain, plainPosition));
    const struct {
        const char* name;
        int answeredYes;  // reports answered true before the false one, -1: all
    } rows[] = {{"runs to the end", -1}, {"cancelled at once", 0}, {"cancelled midway", 3}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::u16string text = base;
        int32_t position = -1;
        FailedCell failed;
        RunControl control;
        control.stride = 1000;
        std::vector<std::size_t> seen;
        control.progress = [&](std::size_t done, std::size_t total) {
            EXPECT_EQ(total, base.size());
            seen.push_back(done);
            return row.answeredYes < 0 || static_cast<int>(seen.size()) <= row.answeredYes;
        };
        const bool ok = CalculateText(text, position, failed, control);
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        if (row.answeredYes < 0) {
            EXPECT_TRUE(ok);
            EXPECT_FALSE(control.cancelled);
            EXPECT_EQ(text, plain);
            EXPECT_EQ(position, plainPosition);
            EXPECT_NEAR(static_cast<double>(seen.size()), 14.0, 1.0);  // one per 1,000 units
        } else {
            EXPECT_FALSE(ok);
            EXPECT_TRUE(control.cancelled);
            EXPECT_EQ(text, base);
            EXPECT_EQ(position, -1);
            EXPECT_EQ(seen.size(), static_cast<std::size_t>(row.answeredYes) + 1);
            EXPECT_EQ(failed.start, -1);
        }
    }
}

// What a run says it has released is never read again: scribbled over as
// soon as it is released, the run gives the same text, position, failure and
// sources as a plain one. A run that rewrites nothing releases nothing.
TEST_F(EngineTest, ReleasedTextIsNeverReadAgain) {
    const struct {
        const char16_t* text;
        int32_t position;
        bool rewritten;
    } rows[] = {{u"1+1 = ; 2*3 ;\n 4/2 = 7 ; 5", -1, true},
                {u"1 /* a; b */ = ; 2 // c;\n 3*(1+1) =", -1, true},
                {u"1+1 = ; 2*3 ; 4", 7, true},
                {u"1 ; 2 ; 1/x = 5 ; 3 ; 4", -1, true},
                {u"mem[w] ; 2 ; sqrt(-1) = 1 ; 3", -1, true},
                {u"// nothing to do ; /* at all */", -1, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(
            std::string(row.text, row.text + std::char_traits<char16_t>::length(row.text)));
        const auto run = [&row](bool scribble, std::vector<DiagnosticSource>& sources,
                                FailedCell& failed, int32_t& position, bool& rewritten) {
            std::u16string text = row.text;
            position = row.position;
            RunControl control;
            control.stride = 1;
            control.sources = &sources;
            std::size_t before = 0;
            if (scribble) {
                control.released = [&text, &before](std::size_t upTo) {
                    EXPECT_GE(upTo, before);
                    EXPECT_LE(upTo, text.size());
                    std::fill(text.begin() + static_cast<std::ptrdiff_t>(before),
                              text.begin() + static_cast<std::ptrdiff_t>(upTo), u';');
                    before = upTo;
                };
            }
            CalculateText(text, position, failed, control);
            rewritten = control.rewritten;
            if (!rewritten) {
                EXPECT_EQ(before, 0U);
            }
            return text;
        };
        std::vector<DiagnosticSource> plainSources;
        std::vector<DiagnosticSource> sources;
        FailedCell plainFailed;
        FailedCell failed;
        int32_t plainPosition = 0;
        int32_t position = 0;
        bool plainRewritten = false;
        bool rewritten = false;
        const std::u16string plain =
            run(false, plainSources, plainFailed, plainPosition, plainRewritten);
        EXPECT_EQ(run(true, sources, failed, position, rewritten), plain);
        EXPECT_EQ(position, plainPosition);
        EXPECT_EQ(failed.start, plainFailed.start);
        EXPECT_EQ(failed.end, plainFailed.end);
        ASSERT_EQ(sources.size(), plainSources.size());
        for (std::size_t i = 0; i < sources.size(); ++i) {
            EXPECT_EQ(sources[i].start, plainSources[i].start);
            EXPECT_EQ(sources[i].end, plainSources[i].end);
        }
        EXPECT_EQ(rewritten, row.rewritten);
        EXPECT_EQ(plainRewritten, row.rewritten);
    }
}

TEST_F(EngineTest, LastResultFollowsEachCalculatedCell) {
    RunResult run = Run("5->mem[a];mem[a]*2", -1);
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(lastResult, 10.0);
    run = Run("rslt", -1);
    EXPECT_EQ(run.text, "rslt=10");
}

TEST_F(EngineTest, LastResultDuringCellIsPreviousCell) {
    const RunResult run = Run("5; rslt*2; result*2; +rslt", -1);
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.text, "5=5; rslt*2=10; result*2=20; +rslt=20");
    EXPECT_EQ(lastResult, 20.0);
}

TEST_F(EngineTest, FailingCellKeepsLastResult) {
    const RunResult run = Run("7; 1/0", -1);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(lastResult, 7.0);
}

TEST_F(EngineTest, LastResultCarriesOverRuns) {
    lastResult = 2.5;
    const RunResult run = Run("result*2", 0);
    EXPECT_EQ(run.text, "result*2=5");
    EXPECT_EQ(run.position, 10);
}

TEST_F(EngineTest, NegativeZeroResult) {
    const RunResult run = Run("-(0)", -1);
    EXPECT_EQ(run.text, "-(0)=-0");
    EXPECT_TRUE(std::signbit(lastResult));
}

}  // namespace
}  // namespace engine_test

namespace engine_test {
namespace {

// Where a failed run stopped, as the editor marks it: the failing cell's
// expression in the rewritten text (shifted by the results before it).
TEST_F(EngineTest, FailedRunTellsWhereItStopped) {
    const struct {
        const char* text;
        int32_t position;
        const char* marked;  // the text between start and end; nullptr: none
        int32_t start;
    } rows[] = {
        {"1+1;  2+ = 9 ;3", -1, "2+", 8},   // syntax error after a grown cell
        {"1;2/0=5;3", 3, "2/0", 2},         // evaluation error at the position
        {"1;2 /* open", -1, "/* open", 4},  // a comment that never ends
        {"1;2", -1, nullptr, -1},           // success
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        std::u16string text(row.text, row.text + std::char_traits<char>::length(row.text));
        int32_t position = row.position;
        FailedCell failed;
        const bool ok = CalculateText(text, position, failed);
        EXPECT_EQ(ok, row.marked == nullptr);
        EXPECT_EQ(failed.start, row.start);
        if (row.marked != nullptr) {
            const std::string marked = row.marked;
            ASSERT_GE(failed.end, failed.start);
            EXPECT_EQ(text.substr(static_cast<std::size_t>(failed.start),
                                  static_cast<std::size_t>(failed.end - failed.start)),
                      std::u16string(marked.begin(), marked.end()));
        } else {
            EXPECT_EQ(failed.end, -1);
        }
    }
}

}  // namespace
}  // namespace engine_test

namespace engine_test {
namespace {

// A text cut into pieces of whole cells: where the scanner allows a cut, and
// whether it saw every "/*" closed.
struct PieceCase {
    const char* name;
    std::string text;
    std::vector<std::size_t> cuts;
    bool closed;
    std::string expected;  // of one run over the whole
};
void PrintTo(const PieceCase& row, std::ostream* out) { *out << row.name << ": " << row.text; }

// Every cut the scanner allows, fed one byte at a time.
std::vector<std::size_t> CutsOf(std::string_view text, bool& closed) {
    CommentScanner scanner;
    std::vector<std::size_t> cuts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (scanner.Scan(text.substr(i, 1)) == 1) cuts.push_back(i + 1);
    }
    closed = scanner.Closed();
    return cuts;
}

class PieceTest : public EngineTestWithParam<PieceCase> {
protected:
    // The calculation of `text` cut at `cuts`, as numera-cli runs a large
    // file: after a failing cell the rest stays as it is.
    RunResult RunInPieces(const std::string& text, const std::vector<std::size_t>& cuts) {
        RunResult result;
        result.ok = true;
        std::size_t from = 0;
        for (std::size_t k = 0; k <= cuts.size(); ++k) {
            const std::size_t to = k < cuts.size() ? cuts[k] : text.size();
            std::u16string piece = FromUtf8(std::string_view(text).substr(from, to - from));
            if (result.ok) {
                int32_t position = -1;
                result.ok = k == 0 ? CalculateText(piece, position) : CalculateMoreCells(piece);
            }
            result.text += ToUtf8(piece);
            from = to;
        }
        result.log = log.messages;
        return result;
    }
};

TEST_P(PieceTest, PiecesCalculateAsTheWhole) {
    const PieceCase& row = GetParam();
    bool closed = false;
    const std::vector<std::size_t> cuts = CutsOf(row.text, closed);
    EXPECT_EQ(cuts, row.cuts);
    EXPECT_EQ(closed, row.closed);
    // All at once, it ends where the single bytes did.
    CommentScanner atOnce;
    EXPECT_EQ(atOnce.Scan(row.text), cuts.empty() ? 0 : cuts.back());
    EXPECT_EQ(atOnce.Closed(), closed);
    if (!closed) return;
    // Each single cut, then all of them, against one run over the whole.
    std::vector<std::vector<std::size_t>> ways;
    for (std::size_t cut : cuts) ways.push_back({cut});
    ways.push_back(cuts);
    const RunResult whole = Run(row.text);
    EXPECT_EQ(whole.text, row.expected);
    for (const auto& way : ways) {
        SetUp();
        log.messages.clear();
        const RunResult pieces = RunInPieces(row.text, way);
        EXPECT_EQ(pieces.text, whole.text) << "cut at " << way.front();
        EXPECT_EQ(pieces.ok, whole.ok);
        EXPECT_EQ(pieces.log, whole.log);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cuts, PieceTest, ::testing::Values(
    PieceCase{"cells", "1;2=7;\n3", {2, 6}, true, "1=1;2=2;\n3=3"},
    PieceCase{"block_comment_hides_separator", "1;/*;*/2;", {2, 9}, true, "1=1;/*;*/2=2;"},
    PieceCase{"slash_star_slash_is_whole_comment", "/*/;*/;", {4, 7}, true, "/*/;*/;"},
    PieceCase{"line_comment_to_line_feed", "2// a;\n+3;4", {10}, true, "2// a;\n+3=5;4=4"},
    PieceCase{"lone_slash_before_separator", "6/;2;1//;", {3, 5}, true, "6/;2;1//;"},
    PieceCase{"stars_before_close", "5/**/;1/***/*2;", {6, 15}, true, "5=5/**/;1/***/*2=2;"},
    PieceCase{"unclosed_comment", "1;/* ;", {2}, false, ""},
    PieceCase{"memory_and_last_result_carry", "2->mem[a];mem[a]*3;rslt+1;é=0;", {10, 19, 26, 31}, true, "2->mem[a]=2;mem[a]*3=6;rslt+1=7;é;"},
    PieceCase{"warning_then_failure_later", "mem[b]+1;1/0;5;", {9, 13, 15}, true, "mem[b]+1=1;1/0;5;"},
    // Long enough for the scanner's eight-byte steps, comments across them.
    PieceCase{"long_cells_and_comments", "12345678+1;/* 12345678; */ 2*3 ;// 1234567;\n7;", {11, 32, 46}, true,
              "12345678+1=12345679;/* 12345678; */ 2*3=6 ;// 1234567;\n7=7;"},
    PieceCase{"slash_star_slash_then_separators", "8/2;/*/ ;;;;;;;;;;*/ 1/**/+2;123456789//;;;;;;;;;\n;",
              {4, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 29, 51}, true,
              "8/2=4;/*/ ;;;;;;;;;;*/ 1/**/+2;123456789//;;;;;;;;;\n;"}
), RowName());
// clang-format on

}  // namespace
}  // namespace engine_test

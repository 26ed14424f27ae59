// Memory cells: the memory language through the driver, and the store's own
// operations.
#include <utility>

#include "engine/FileText.h"
#include "tests/engine/EngineTestSupport.h"

namespace engine_test {
namespace {

using namespace NCalculatorText;

using Cells = std::vector<std::pair<std::string, double>>;

Cells StoreContents() {
    Cells cells;
    for (const auto& entry : MemoryStore::Instance()) {
        cells.emplace_back(ToUtf8(entry.second.name), entry.second.value);
    }
    return cells;
}

Logged Uninitialized() { return Warning("Memory", "Uninitialized memory used, value forced to 0"); }

struct MemoryCase {
    const char* name;
    std::string text;  // calculated as a whole
    std::string expected;
    bool ok;
    std::vector<Logged> log;
    Cells cells;
};
void PrintTo(const MemoryCase& row, std::ostream* out) {
    *out << row.name << ": \"" << row.text << "\"";
}

MemoryCase Stores(const char* name, std::string text, std::string expected, Cells cells,
                  std::vector<Logged> warnings = {}) {
    return MemoryCase{name, std::move(text),     std::move(expected),
                      true, std::move(warnings), std::move(cells)};
}

MemoryCase Rejects(const char* name, std::string text, std::string expected,
                   std::vector<Logged> log, Cells cells = {}) {
    return MemoryCase{name,  std::move(text), std::move(expected),
                      false, std::move(log),  std::move(cells)};
}

MemoryCase NotParsed(const char* name, std::string text) {
    std::string unchanged = text;
    return Rejects(name, std::move(text), std::move(unchanged), {SyntaxFailure()});
}

class MemoryLanguageTest : public EngineTestWithParam<MemoryCase> {};

TEST_P(MemoryLanguageTest, CalculatesAndStores) {
    const MemoryCase& row = GetParam();
    const RunResult run = Run(row.text, -1);
    EXPECT_EQ(run.text, row.expected);
    EXPECT_EQ(run.ok, row.ok);
    EXPECT_EQ(run.position, row.ok ? Units(row.expected) : -1);
    EXPECT_EQ(run.log, row.log);
    EXPECT_EQ(StoreContents(), row.cells);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, MemoryLanguageTest, ::testing::Values(
    Stores("store", "5->mem[x]", "5->mem[x]=5", {{"x", 5}}),
    Stores("name_trimmed", "5->mem[ x ]; mem[x]", "5->mem[ x ]=5; mem[x]=5", {{"x", 5}}),
    Stores("inner_space_kept", "5->mem[x y]", "5->mem[x y]=5", {{"x y", 5}}),
    Stores("memory_keyword", "5->memory[x]; mem[x]+1", "5->memory[x]=5; mem[x]+1=6", {{"x", 5}}),
    NotParsed("target_without_name", "5->mem"),
    NotParsed("target_not_a_memory_reference", "5->x"),
    Stores("copy_between_cells", "3->mem[a]; mem[a]->mem[b]", "3->mem[a]=3; mem[a]->mem[b]=3",
           {{"a", 3}, {"b", 3}}),
    Stores("two_stores_in_a_sum", "(1->mem[a])+(2->mem[b])", "(1->mem[a])+(2->mem[b])=3",
           {{"a", 1}, {"b", 2}}),
    Stores("never_stored", "mem[never]", "mem[never]=0", {}, {Uninitialized()}),
    Stores("names_are_case_sensitive", "5->mem[a]; mem[A]", "5->mem[a]=5; mem[A]=0", {{"a", 5}},
           {Uninitialized()}),
    Stores("empty_name", "5->mem[]; mem[ ]+1", "5->mem[]=5; mem[ ]+1=6", {{"", 5}}),
    Stores("overwrite", "2->mem[x]; 3->mem[x]", "2->mem[x]=2; 3->mem[x]=3", {{"x", 3}}),
    Stores("store_chain", "7->mem[a]->mem[b]", "7->mem[a]->mem[b]=7", {{"a", 7}, {"b", 7}})
), RowName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Language, MemoryLanguageTest, ::testing::Values(
    Stores("round_brackets", "5->mem(x)", "5->mem(x)=5", {{"x", 5}}),
    Stores("brackets_in_name", "5->mem[f(x)]; mem{f[x]}", "5->mem[f(x)]=5; mem{f[x]}=5", {{"f(x)", 5}}),
    Stores("operators_in_names", "5->mem[a-b]; 6->mem[a->b]; mem[a-b]+mem[a->b]",
           "5->mem[a-b]=5; 6->mem[a->b]=6; mem[a-b]+mem[a->b]=11", {{"a->b", 6}, {"a-b", 5}}),
    Stores("minus_sign_in_name", "5->mem[a−b]", "5->mem[a−b]=5", {{"a-b", 5}}),
    Stores("minus_sign_in_arrow", "5−>mem[m]", "5−>mem[m]=5", {{"m", 5}}),
    Stores("spaces_in_arrow_and_reference", "5 - > mem [ a ]", "5 - > mem [ a ]=5", {{"a", 5}}),
    Stores("tab_removed_from_name", "5->mem[a\tb]", "5->mem[a\tb]=5", {{"ab", 5}}),
    Stores("name_trimmed_of_other_white_space", "5->mem[\va\f]", "5->mem[\va\f]=5", {{"a", 5}}),
    Stores("store_is_loosest", "1+2->mem[s]", "1+2->mem[s]=3", {{"s", 3}}),
    Stores("store_is_a_value", "(2+3->mem[a])*2", "(2+3->mem[a])*2=10", {{"a", 5}}),
    Stores("store_visible_later_in_expression", "(4->mem[k])+mem[k]", "(4->mem[k])+mem[k]=8", {{"k", 4}}),
    Stores("store_visible_in_later_cell", "1->mem[a]; mem[a]+1", "1->mem[a]=1; mem[a]+1=2", {{"a", 1}}),
    Stores("uninitialized_value_stored_as_zero", "mem[u]->mem[v]", "mem[u]->mem[v]=0", {{"v", 0}},
           {Uninitialized()}),
    Stores("last_result_stored", "6; rslt->mem[r]", "6=6; rslt->mem[r]=6", {{"r", 6}}),
    Stores("decimal_value", "0.1->mem[t]", "0.1->mem[t]=0.1000000000000000056", {{"t", 0.1}}),
    Rejects("store_before_division_by_zero", "(5->mem[a])/0", "(5->mem[a])/0",
            {Error("Division", "Operation has singularity at 0")}, {{"a", 5}}),
    Rejects("failed_value_is_not_stored", "1/0->mem[a]", "1/0->mem[a]",
            {Error("Division", "Operation has singularity at 0")}),
    Rejects("earlier_cells_keep_their_stores", "1->mem[p]; 2/0->mem[q]", "1->mem[p]=1; 2/0->mem[q]",
            {Error("Division", "Operation has singularity at 0")}, {{"p", 1}}),
    NotParsed("number_as_target", "2->3"),
    NotParsed("missing_target", "5->"),
    NotParsed("missing_value", "->mem[a]"),
    NotParsed("number_after_chain", "5->mem[a]->3"),
    NotParsed("sum_after_target", "5->mem[a]+1"),
    NotParsed("group_after_target", "5->mem[a](1)"),
    NotParsed("misspelled_keyword_target", "5->memo[a]"),
    NotParsed("misspelled_keyword_read", "memo[x]"),
    NotParsed("two_groups_after_mem", "mem[a][b]"),
    NotParsed("mem_without_brackets", "mema")
), RowName());
// clang-format on

TEST_F(EngineTest, ChangedFlagFollowsStoresAndReads) {
    Run("5->mem[a]");
    EXPECT_TRUE(Store().changed);

    Store().changed = false;
    Run("mem[a]+1");
    EXPECT_TRUE(Store().changed);

    Store().changed = false;
    const RunResult missing = Run("mem[b]");
    EXPECT_EQ(missing.text, "mem[b]=0");
    EXPECT_FALSE(Store().changed);
    EXPECT_EQ(Store().Count(), 1u);
}

TEST_F(EngineTest, ReadingBeforeAnyStoreCreatesNothing) {
    const RunResult run = Run("mem[a]");
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.text, "mem[a]=0");
    EXPECT_EQ(run.log, std::vector<Logged>{Uninitialized()});
    EXPECT_EQ(Store().Count(), 0u);
    EXPECT_EQ(Store().Find(u"a"), nullptr);
}

TEST_F(EngineTest, StoreKeepsMarkOfExistingCell) {
    Run("2->mem[x]");
    MemoryCell* cell = Store().Find(u"x");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->mark, 0);
    cell->mark = 5;
    Run("3->mem[x]");
    ASSERT_EQ(Store().Count(), 1u);
    cell = Store().Find(u"x");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->value, 3.0);
    EXPECT_EQ(cell->mark, 5);
}

TEST_F(EngineTest, ClearKeepsLastResult) {
    Run("4*2->mem[a]");
    Store().changed = false;
    Store().Clear();
    EXPECT_EQ(Store().Count(), 0u);
    EXPECT_TRUE(Store().changed);
    EXPECT_EQ(Run("rslt").text, "rslt=8");
}

TEST_F(EngineTest, EmptyNameSortsFirst) {
    Run("1->mem[a]; 2->mem[ ]; 3->mem[A]");
    EXPECT_EQ(StoreContents(), (Cells{{"", 2}, {"A", 3}, {"a", 1}}));
}

TEST_F(EngineTest, MemoryFileRoundTripKeepsSpacedName) {
    Run("5->mem[a b]; 0.1->mem[x]");
    const std::u16string file = FormatMemoryFile(true);
    EXPECT_EQ(ToUtf8(file),
              "\xEF\xBB\xBF"
              "5->mem[a b];\r\n0.10000000000000000555->mem[x];\r\n");

    Store().Clear();
    std::u16string text = DecodeFileText(EncodeUtf16LE(file));
    int32_t position = -1;
    EXPECT_TRUE(CalculateText(text, position));
    EXPECT_EQ(StoreContents(), (Cells{{"a b", 5}, {"x", 0.1}}));
}

// The store's own operations, as the memory panel and the files use them.

TEST_F(EngineTest, StoreOrdersNamesByCodeUnits) {
    for (const char* name : {"b", "ab", "Z", "a", "A", "", "abc"})
        Store().Assign(FromUtf8(name), 1.0);
    EXPECT_EQ(CellNames(), (std::vector<std::string>{"", "A", "Z", "a", "ab", "abc", "b"}));
}

TEST_F(EngineTest, StoreComparesUnitsUnsigned) {
    // U+00E9, a surrogate pair (D83D DE00) and U+FFFD all sort after ASCII,
    // in unit order.
    for (const char* name : {"\xEF\xBF\xBD", "\xF0\x9F\x98\x80", "\xC3\xA9", "z"}) {
        Store().Assign(FromUtf8(name), 1.0);
    }
    EXPECT_EQ(CellNames(),
              (std::vector<std::string>{"z", "\xC3\xA9", "\xF0\x9F\x98\x80", "\xEF\xBF\xBD"}));
}

TEST_F(EngineTest, AssignCreatesUnmarkedCell) {
    MemoryCell& cell = Store().Assign(u"rate", 0.07);
    EXPECT_EQ(ToUtf8(cell.name), "rate");
    EXPECT_EQ(cell.value, 0.07);
    EXPECT_EQ(cell.mark, 0);
    EXPECT_TRUE(Store().changed);
    EXPECT_EQ(Store().Count(), 1u);
}

TEST_F(EngineTest, AssignOverwritesAndKeepsMark) {
    Store().Assign(u"x", 2.0).mark = 7;
    Store().changed = false;
    MemoryCell& cell = Store().Assign(u"x", 3.0);
    EXPECT_EQ(cell.value, 3.0);
    EXPECT_EQ(cell.mark, 7);
    EXPECT_TRUE(Store().changed);
    EXPECT_EQ(Store().Count(), 1u);
}

TEST_F(EngineTest, FindHasNoSideEffect) {
    Store().Assign(u"x", 4.0);
    Store().changed = false;
    const MemoryCell* found = Store().Find(u"x");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->value, 4.0);
    EXPECT_EQ(Store().Find(u"X"), nullptr);
    EXPECT_EQ(Store().Find(u"x "), nullptr);
    EXPECT_FALSE(Store().changed);
}

TEST_F(EngineTest, ReadSetsChangedOnlyWhenFound) {
    Store().Assign(u"x", 4.0);
    Store().changed = false;

    double value = -1.0;
    EXPECT_FALSE(Store().Read(u"y", value));
    EXPECT_EQ(value, -1.0);
    EXPECT_FALSE(Store().changed);
    EXPECT_EQ(Store().Count(), 1u);

    EXPECT_TRUE(Store().Read(u"x", value));
    EXPECT_EQ(value, 4.0);
    EXPECT_TRUE(Store().changed);
}

TEST_F(EngineTest, EraseReturnsNextCell) {
    for (const char16_t* name : {u"a", u"b", u"c"}) Store().Assign(name, 1.0);
    Store().changed = false;
    auto it = Store().begin();
    ++it;
    it = Store().Erase(it);
    ASSERT_NE(it, Store().end());
    EXPECT_EQ(ToUtf8(it->second.name), "c");
    EXPECT_TRUE(Store().changed);
    EXPECT_EQ(CellNames(), (std::vector<std::string>{"a", "c"}));
    it = Store().Erase(it);
    EXPECT_EQ(it, Store().end());
}

TEST_F(EngineTest, EraseMarkedKeepsUnmarked) {
    const std::pair<const char16_t*, int32_t> cells[] = {
        {u"a", 0}, {u"b", 1}, {u"c", -1}, {u"d", 0}, {u"e", 42}};
    for (const auto& [name, mark] : cells) Store().Assign(name, 1.0).mark = mark;
    Store().changed = false;
    Store().EraseMarked();
    EXPECT_EQ(CellNames(), (std::vector<std::string>{"a", "d"}));
    EXPECT_TRUE(Store().changed);

    // Nothing marked: nothing erased, but the panel is still told to rebuild.
    Store().changed = false;
    Store().EraseMarked();
    EXPECT_EQ(Store().Count(), 2u);
    EXPECT_TRUE(Store().changed);
}

TEST_F(EngineTest, ClearEmptiesAndSetsChanged) {
    Store().Assign(u"a", 1.0);
    Store().Assign(u"b", 2.0);
    Store().changed = false;
    Store().Clear();
    EXPECT_EQ(Store().Count(), 0u);
    EXPECT_EQ(Store().begin(), Store().end());
    EXPECT_TRUE(Store().changed);
}

TEST_F(EngineTest, EnumerationAllowsMarking) {
    Store().Assign(u"a", 1.0);
    Store().Assign(u"b", 2.0);
    for (auto& entry : Store()) entry.second.mark = entry.second.value > 1.5 ? 1 : 0;
    Store().EraseMarked();
    EXPECT_EQ(CellNames(), std::vector<std::string>{"a"});
}

}  // namespace
}  // namespace engine_test

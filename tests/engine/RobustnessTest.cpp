// Large and deeply nested input: right results, or a syntax error, never a
// crash. Speed is measured elsewhere.
#include "tests/engine/EngineTestSupport.h"

namespace engine_test {
namespace {

using namespace NCalculatorText;

std::u16string Repeat(std::u16string_view piece, std::size_t times) {
    std::u16string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

class RobustnessTest : public EngineTest {
protected:
    // Calculates one cell and answers the text after its "=" (empty on failure).
    std::string ResultOf(std::u16string text) {
        const std::size_t length = text.size();
        int32_t position = -1;
        lastOk = CalculateText(text, position);
        if (!lastOk) {
            EXPECT_EQ(text.size(), length);
            EXPECT_EQ(position, -1);
            return std::string();
        }
        EXPECT_EQ(position, static_cast<int32_t>(text.size()));
        if (text.size() <= length || text[length] != u'=') return "<no result>";
        return ToUtf8(std::u16string_view(text).substr(length + 1));
    }

public:
    bool lastOk = false;
};

TEST_F(RobustnessTest, LongSum) {
    std::u16string text = u"1";
    for (int i = 2; i <= 100000; ++i) text += u"+" + FromUtf8(std::to_string(i));
    EXPECT_EQ(ResultOf(text), "5000050000");
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(RobustnessTest, LongDifferenceIsLeftAssociative) {
    EXPECT_EQ(ResultOf(u"0" + Repeat(u"-1", 100000)), "-100000");
}

TEST_F(RobustnessTest, LongProduct) {
    // 100,000 factors, multiplied left to right.
    EXPECT_EQ(ResultOf(u"1.00001" + Repeat(u"*1.00001", 99999)), "2.718268237192294823");
}

TEST_F(RobustnessTest, LongPowerChain) {
    EXPECT_EQ(ResultOf(u"1" + Repeat(u"^2", 100000)), "1");
    // Left to right: ((2^1)^1...)^0.5; grouped from the right it would be 2.
    EXPECT_EQ(ResultOf(u"2" + Repeat(u"^1", 99999) + u"^0.5"), "1.414213562373095145");
}

TEST_F(RobustnessTest, ThousandNestedBrackets) {
    EXPECT_EQ(ResultOf(Repeat(u"(", 1000) + u"1" + Repeat(u")", 1000)), "1");
    EXPECT_EQ(ResultOf(Repeat(u"[", 1000) + u"2+3" + Repeat(u"}", 1000) + u"*2"), "10");
    EXPECT_EQ(ResultOf(Repeat(u"-(", 1000) + u"1" + Repeat(u")", 1000)), "1");
}

TEST_F(RobustnessTest, ThousandNestedFunctions) {
    EXPECT_EQ(ResultOf(Repeat(u"sin(", 1000) + u"1" + Repeat(u")", 1000)),
              "0.05459297151018513428");
}

TEST_F(RobustnessTest, TooDeepNestingIsSyntaxError) {
    EXPECT_EQ(ResultOf(Repeat(u"(", 5000) + u"1" + Repeat(u")", 5000)), "");
    EXPECT_FALSE(lastOk);
    EXPECT_EQ(log.messages, std::vector<Logged>{SyntaxFailure()});
}

TEST_F(RobustnessTest, MegabyteOfOpeningBrackets) {
    EXPECT_EQ(ResultOf(Repeat(u"(", 1u << 20)), "");
    EXPECT_FALSE(lastOk);
    EXPECT_EQ(log.messages, std::vector<Logged>{SyntaxFailure()});
}

TEST_F(RobustnessTest, MegabyteOfMinusSigns) {
    EXPECT_EQ(ResultOf(Repeat(u"-", 1u << 20)), "");
    EXPECT_FALSE(lastOk);
    EXPECT_EQ(log.messages, std::vector<Logged>{SyntaxFailure()});
}

TEST_F(RobustnessTest, MegabyteOfMinusSignsBeforeNumber) {
    EXPECT_EQ(ResultOf(Repeat(u"-", 1u << 20) + u"1"), "");
    EXPECT_FALSE(lastOk);
    EXPECT_EQ(log.messages, std::vector<Logged>{SyntaxFailure()});
}

TEST_F(RobustnessTest, ManyCells) {
    std::u16string text = Repeat(u"1;", 20000);
    int32_t position = -1;
    ASSERT_TRUE(CalculateText(text, position));
    EXPECT_TRUE(text == Repeat(u"1=1;", 20000)) << "the text differs";
    EXPECT_EQ(position, 80000);
}

TEST_F(RobustnessTest, ManyCellsAtPosition) {
    std::u16string text = Repeat(u"2*3;", 20000);
    // The 10,001st cell starts at 40,000.
    int32_t position = 40001;
    ASSERT_TRUE(CalculateText(text, position));
    EXPECT_EQ(text.size(), 80002u);
    EXPECT_TRUE(text.substr(40000, 6) == u"2*3=6;");
    EXPECT_EQ(position, 40006);
}

TEST_F(RobustnessTest, LongLiteral) {
    EXPECT_EQ(ResultOf(Repeat(u"1", 400)), "");
    EXPECT_EQ(log.messages, std::vector<Logged>{Overflowed("Number", true)});
    EXPECT_EQ(ResultOf(u"0." + Repeat(u"0", 1000) + u"1"), "0");
}

}  // namespace
}  // namespace engine_test

// Reading and writing of calculation and memory file text, and the UTF-8
// conversions of the command-line calculator.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "engine/FileText.h"
#include "engine/MemoryStore.h"

using namespace NCalculatorText;

namespace {

std::string Bytes(std::initializer_list<unsigned> values) {
    std::string bytes;
    for (unsigned v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

// ---------------------------------------------------------------------------
// DecodeFileText

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::u16string text;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeFileTextTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeFileTextTest, FollowsReadingRule) {
    EXPECT_EQ(DecodeFileText(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeFileTextTest,
    ::testing::Values(
        DecodeCase{"Empty", "", u""}, DecodeCase{"MarkOnly", Bytes({0xFF, 0xFE}), u""},
        DecodeCase{"SingleByte", Bytes({0x31}), u""},
        DecodeCase{
            "Calculation",
            Bytes({0xFF, 0xFE, 0x32, 0, 0x2A, 0, 0x33, 0, 0x20, 0, 0x3D, 0, 0x20, 0, 0x36, 0}),
            u"2*3 = 6"},
        DecodeCase{"OddLastByteIgnored", Bytes({0xFF, 0xFE, 0x31, 0, 0x32}), u"1"},
        DecodeCase{"OddLengthWithoutMark", Bytes({0x31, 0, 0x32, 0, 0x33}), u"12"},
        DecodeCase{"CutAtNul", Bytes({0xFF, 0xFE, 0x31, 0, 0, 0, 0x32, 0}), u"1"},
        DecodeCase{"NulFirst", Bytes({0, 0, 0x31, 0}), u""},
        DecodeCase{"ZeroLowByteIsNotNul", Bytes({0x00, 0x04, 0x31, 0}), u"\u04001"},
        DecodeCase{"MarkInMiddleRemoved",
                   Bytes({0x31, 0, 0xFF, 0xFE, 0x2B, 0, 0xFF, 0xFE, 0x32, 0}), u"1+2"},
        DecodeCase{"SeveralLeadingMarks", Bytes({0xFF, 0xFE, 0xFF, 0xFE, 0x37, 0}), u"7"},
        DecodeCase{"MarkAfterCutIrrelevant", Bytes({0xFF, 0xFE, 0x31, 0, 0, 0, 0xFF, 0xFE}), u"1"},
        DecodeCase{"BigEndianMarkIsText", Bytes({0xFE, 0xFF, 0x31, 0}), u"\uFFFE1"},
        DecodeCase{"EightBitTextReadAsPairs", "ab", u"\u6261"},
        DecodeCase{"SurrogatePairKept", Bytes({0x3D, 0xD8, 0x00, 0xDE}), u"\U0001F600"},
        DecodeCase{"CrLfKept", Bytes({0xFF, 0xFE, 0x31, 0, 0x0D, 0, 0x0A, 0, 0x32, 0}), u"1\r\n2"}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// EncodeUtf16LE / EncodeCalculationFile

TEST(EncodeCalculationFileTest, WritesMarkThenLittleEndianUnits) {
    EXPECT_EQ(EncodeCalculationFile(u"2*3 = 6"),
              Bytes({0xFF, 0xFE, 0x32, 0, 0x2A, 0, 0x33, 0, 0x20, 0, 0x3D, 0, 0x20, 0, 0x36, 0}));
    EXPECT_EQ(EncodeCalculationFile(u""), Bytes({0xFF, 0xFE}));
    EXPECT_EQ(EncodeUtf16LE(u""), "");
    EXPECT_EQ(EncodeUtf16LE(u"\u03c0\uFFFE\U0001F600"),
              Bytes({0xC0, 0x03, 0xFE, 0xFF, 0x3D, 0xD8, 0x00, 0xDE}));
}

TEST(EncodeCalculationFileTest, RoundTripsThroughReadingRule) {
    const std::u16string texts[] = {
        u"",
        u"2+3 = 5 ;  4*2=8;",
        u"// comment\r\n/* block */ sin(30) = 0.4999999999999999445\r\n",
        u"\u03c0\u2212\u00e9 \U0001F600 \uFFFE \uFFFF",
        u"\xD800 unpaired \xDC00",
        std::u16string(70000, u'9'),
    };
    for (const std::u16string& text : texts) {
        EXPECT_EQ(DecodeFileText(EncodeCalculationFile(text)), text);
    }
}

// ---------------------------------------------------------------------------
// FormatMemoryFile

struct StoredCell {
    std::u16string name;
    double value;
    int32_t mark;
};

struct MemoryFileCase {
    const char* name;
    std::vector<StoredCell> cells;
    bool all;
    std::u16string text;
};

void PrintTo(const MemoryFileCase& c, std::ostream* os) { *os << c.name; }

class FormatMemoryFileTest : public ::testing::TestWithParam<MemoryFileCase> {
protected:
    void SetUp() override { MemoryStore::Instance().Clear(); }
    void TearDown() override { MemoryStore::Instance().Clear(); }
};

TEST_P(FormatMemoryFileTest, WritesStoreStatements) {
    const MemoryFileCase& c = GetParam();
    for (const StoredCell& cell : c.cells) {
        MemoryStore::Instance().Assign(cell.name, cell.value).mark = cell.mark;
    }
    EXPECT_EQ(FormatMemoryFile(c.all), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatMemoryFileTest,
    ::testing::Values(
        MemoryFileCase{"EmptyStore", {}, true, u"\uFEFF"},
        MemoryFileCase{"EmptyStoreMarkedOnly", {}, false, u"\uFEFF"},
        MemoryFileCase{"OneCell", {{u"x", 2, 0}}, true, u"\uFEFF2->mem[x];\r\n"},
        MemoryFileCase{"TwentyDigits",
                       {{u"y", 2, 0}, {u"x", 0.1, 0}},
                       true,
                       u"\uFEFF0.10000000000000000555->mem[x];\r\n2->mem[y];\r\n"},
        MemoryFileCase{"LargeExponent",
                       {{u"big", 1e300, 0}},
                       true,
                       u"\uFEFF1.0000000000000000525e+300->mem[big];\r\n"},
        MemoryFileCase{"NegativeAndTiny",
                       {{u"n", -2.5, 0}, {u"t", 1e-5, 0}},
                       true,
                       u"\uFEFF-2.5->mem[n];\r\n1.0000000000000000818e-05->mem[t];\r\n"},
        MemoryFileCase{"NegativeZero", {{u"z", -0.0, 0}}, true, u"\uFEFF-0->mem[z];\r\n"},
        MemoryFileCase{"NameWithSpace", {{u"a b", 3, 0}}, true, u"\uFEFF3->mem[a b];\r\n"},
        MemoryFileCase{"EmptyName", {{u"", 4, 0}}, true, u"\uFEFF4->mem[];\r\n"},
        MemoryFileCase{
            "StoreOrder",
            {{u"b", 1, 0}, {u"a", 2, 0}, {u"B", 3, 0}, {u"ab", 4, 0}, {u"", 5, 0}},
            true,
            u"\uFEFF5->mem[];\r\n3->mem[B];\r\n2->mem[a];\r\n4->mem[ab];\r\n1->mem[b];\r\n"},
        MemoryFileCase{"MarkedOnly",
                       {{u"a", 1, 0}, {u"b", 2, 1}, {u"c", 3, 0}, {u"d", 4, -7}},
                       false,
                       u"\uFEFF2->mem[b];\r\n4->mem[d];\r\n"},
        MemoryFileCase{"NoneMarked", {{u"a", 1, 0}, {u"b", 2, 0}}, false, u"\uFEFF"},
        MemoryFileCase{"AllIgnoresMarks",
                       {{u"a", 1, 0}, {u"b", 2, 1}},
                       true,
                       u"\uFEFF1->mem[a];\r\n2->mem[b];\r\n"},
        MemoryFileCase{"NonAsciiName",
                       {{u"\u0441\u0443\u043c\u043c\u0430", 6, 0}},
                       true,
                       u"\uFEFF6->mem[\u0441\u0443\u043c\u043c\u0430];\r\n"}),
    [](const ::testing::TestParamInfo<MemoryFileCase>& info) {
        return std::string(info.param.name);
    });

TEST(FormatMemoryFileAsFileTest, OneCellGivesDocumentedBytes) {
    MemoryStore::Instance().Clear();
    MemoryStore::Instance().Assign(u"x", 2);
    const std::string expected =
        Bytes({0xFF, 0xFE, '2', 0,   '-', 0,   '>', 0,   'm', 0,    'e', 0,    'm',
               0,    '[',  0,   'x', 0,   ']', 0,   ';', 0,   '\r', 0,   '\n', 0});
    EXPECT_EQ(EncodeUtf16LE(FormatMemoryFile(true)), expected);
    MemoryStore::Instance().Clear();
}

// ---------------------------------------------------------------------------
// DecodeUtf8

struct Utf8Case {
    const char* name;
    std::string bytes;
    std::u16string text;
};

void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }

class DecodeUtf8ValidTest : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(DecodeUtf8ValidTest, Decodes) {
    std::u16string text = u"previous";
    ASSERT_TRUE(DecodeUtf8(GetParam().bytes, text));
    EXPECT_EQ(text, GetParam().text);
    std::size_t units = 0;
    ASSERT_TRUE(MeasureUtf8(GetParam().bytes, units));
    EXPECT_EQ(units, GetParam().text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeUtf8ValidTest,
    ::testing::Values(Utf8Case{"Empty", "", u""}, Utf8Case{"Ascii", "2+3 = 5\r\n", u"2+3 = 5\r\n"},
                      Utf8Case{"Nul",
                               std::string("1\0"
                                           "2",
                                           3),
                               std::u16string(u"1\0"
                                              u"2",
                                              3)},
                      Utf8Case{"LastOneByte", Bytes({0x7F}), u"\u007F"},
                      Utf8Case{"FirstTwoByte", Bytes({0xC2, 0x80}), u"\u0080"},
                      Utf8Case{"TwoByte", "\xC3\xA9", u"\u00e9"},
                      Utf8Case{"LastTwoByte", Bytes({0xDF, 0xBF}), u"\u07FF"},
                      Utf8Case{"FirstThreeByte", Bytes({0xE0, 0xA0, 0x80}), u"\u0800"},
                      Utf8Case{"MinusSign", "\xE2\x88\x92", u"\u2212"},
                      Utf8Case{"BeforeSurrogates", Bytes({0xED, 0x9F, 0xBF}), u"\uD7FF"},
                      Utf8Case{"AfterSurrogates", Bytes({0xEE, 0x80, 0x80}), u"\uE000"},
                      Utf8Case{"ByteOrderMark", "\xEF\xBB\xBF", u"\uFEFF"},
                      Utf8Case{"LastThreeByte", Bytes({0xEF, 0xBF, 0xBF}), u"\uFFFF"},
                      Utf8Case{"FirstFourByte", Bytes({0xF0, 0x90, 0x80, 0x80}), u"\U00010000"},
                      Utf8Case{"Emoji", "x\xF0\x9F\x98\x80y", u"x\U0001F600y"},
                      Utf8Case{"LastCodePoint", Bytes({0xF4, 0x8F, 0xBF, 0xBF}), u"\U0010FFFF"}),
    [](const ::testing::TestParamInfo<Utf8Case>& info) { return std::string(info.param.name); });

struct InvalidUtf8Case {
    const char* name;
    std::string bytes;
};

void PrintTo(const InvalidUtf8Case& c, std::ostream* os) { *os << c.name; }

class DecodeUtf8InvalidTest : public ::testing::TestWithParam<InvalidUtf8Case> {};

TEST_P(DecodeUtf8InvalidTest, Rejects) {
    std::u16string text;
    EXPECT_FALSE(DecodeUtf8(GetParam().bytes, text));
    std::size_t units = 0;
    EXPECT_FALSE(MeasureUtf8(GetParam().bytes, units));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeUtf8InvalidTest,
    ::testing::Values(InvalidUtf8Case{"LoneContinuation", Bytes({0x31, 0x80})},
                      InvalidUtf8Case{"OverlongNul", Bytes({0xC0, 0x80})},
                      InvalidUtf8Case{"OverlongTwoByte", Bytes({0xC1, 0xBF})},
                      InvalidUtf8Case{"OverlongThreeByte", Bytes({0xE0, 0x9F, 0xBF})},
                      InvalidUtf8Case{"OverlongFourByte", Bytes({0xF0, 0x8F, 0xBF, 0xBF})},
                      InvalidUtf8Case{"HighSurrogate", Bytes({0xED, 0xA0, 0x80})},
                      InvalidUtf8Case{"LowSurrogate", Bytes({0xED, 0xBF, 0xBF})},
                      InvalidUtf8Case{"EncodedSurrogatePair",
                                      Bytes({0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80})},
                      InvalidUtf8Case{"AboveLastCodePoint", Bytes({0xF4, 0x90, 0x80, 0x80})},
                      InvalidUtf8Case{"LeadF5", Bytes({0xF5, 0x80, 0x80, 0x80})},
                      InvalidUtf8Case{"LeadFF", Bytes({0xFF})},
                      InvalidUtf8Case{"LeadFE", Bytes({0xFE, 0xFF})},
                      InvalidUtf8Case{"TruncatedTwoByte", Bytes({0x31, 0xC3})},
                      InvalidUtf8Case{"TruncatedThreeByte", Bytes({0xE2, 0x82})},
                      InvalidUtf8Case{"TruncatedFourByte", Bytes({0xF0, 0x9F, 0x98})},
                      InvalidUtf8Case{"AsciiInsideSequence", Bytes({0xE2, 0x28, 0xA1})},
                      InvalidUtf8Case{"LeadInsideSequence", Bytes({0xC3, 0xC3, 0xA9})},
                      InvalidUtf8Case{"FiveByteForm", Bytes({0xF8, 0x88, 0x80, 0x80, 0x80})}),
    [](const ::testing::TestParamInfo<InvalidUtf8Case>& info) {
        return std::string(info.param.name);
    });

// ---------------------------------------------------------------------------
// EncodeUtf8

struct EncodeUtf8Case {
    const char* name;
    std::u16string text;
    std::string bytes;
};

void PrintTo(const EncodeUtf8Case& c, std::ostream* os) { *os << c.name; }

class EncodeUtf8Test : public ::testing::TestWithParam<EncodeUtf8Case> {};

TEST_P(EncodeUtf8Test, Encodes) { EXPECT_EQ(EncodeUtf8(GetParam().text), GetParam().bytes); }

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodeUtf8Test,
    ::testing::Values(EncodeUtf8Case{"Empty", u"", ""},
                      EncodeUtf8Case{"Ascii", u"1+1=2\r\n", "1+1=2\r\n"},
                      EncodeUtf8Case{"Nul", std::u16string(1, u'\0'), std::string(1, '\0')},
                      EncodeUtf8Case{"TwoByte", u"\u0080\u07FF", Bytes({0xC2, 0x80, 0xDF, 0xBF})},
                      EncodeUtf8Case{"ThreeByte", u"\u0800\u2212\uFFFF",
                                     Bytes({0xE0, 0xA0, 0x80, 0xE2, 0x88, 0x92, 0xEF, 0xBF, 0xBF})},
                      EncodeUtf8Case{"Pair", u"\U0001F600", Bytes({0xF0, 0x9F, 0x98, 0x80})},
                      EncodeUtf8Case{"LastCodePoint", u"\U0010FFFF",
                                     Bytes({0xF4, 0x8F, 0xBF, 0xBF})},
                      EncodeUtf8Case{"HighAtEnd", u"a\xD83D", Bytes({'a', 0xEF, 0xBF, 0xBD})},
                      EncodeUtf8Case{"LoneLow",
                                     u"\xDE00"
                                     u"b",
                                     Bytes({0xEF, 0xBF, 0xBD, 'b'})},
                      EncodeUtf8Case{"HighBeforeText",
                                     u"\xD83D"
                                     u"A",
                                     Bytes({0xEF, 0xBF, 0xBD, 'A'})},
                      EncodeUtf8Case{"ReversedPair", u"\xDE00\xD83D",
                                     Bytes({0xEF, 0xBF, 0xBD, 0xEF, 0xBF, 0xBD})},
                      EncodeUtf8Case{"TwoHighsThenLow", u"\xD83D\xD83D\xDE00",
                                     Bytes({0xEF, 0xBF, 0xBD, 0xF0, 0x9F, 0x98, 0x80})}),
    [](const ::testing::TestParamInfo<EncodeUtf8Case>& info) {
        return std::string(info.param.name);
    });

TEST(Utf8RoundTripTest, ValidTextSurvivesBothWays) {
    const std::u16string texts[] = {u"", u"sin(30) = 0.5 // \u00b0",
                                    u"\U0001F600\U0010FFFF\uFFFD\u0800"};
    for (const std::u16string& text : texts) {
        std::u16string back;
        ASSERT_TRUE(DecodeUtf8(EncodeUtf8(text), back));
        EXPECT_EQ(back, text);
    }
}

}  // namespace

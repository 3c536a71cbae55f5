#include "storage/Pinyin.h"

#include <gtest/gtest.h>

using Pinyin::Initials;
using Pinyin::Normalize;
using Pinyin::TReadings;

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

TEST(PinyinNormalize, DropsBlanksAndFoldsFullWidthForms) {
    EXPECT_EQ(Normalize(U("ＳＬ　ＺＱ")), U("slzq"));
    EXPECT_EQ(Normalize(U(" A b\tC ")), U("ab\tc"));
    EXPECT_EQ(Normalize(U("０１２：？")), U("012:?"));
    // GBK A3A4 is the full-width yen sign, which the byte rule turns into "$";
    // the full-width dollar sign lives elsewhere in GBK and is kept.
    EXPECT_EQ(Normalize(U("￥＄")), U("$＄"));
    EXPECT_EQ(Normalize(U("少林 足球")), U("少林足球"));
    EXPECT_EQ(Normalize(U("한 😀")), U("한😀")); // outside GBK, kept as they are
    EXPECT_EQ(Normalize(QString()), QString());
}

TEST(PinyinInitials, BothSourcesAgreeOnLevel1Hanzi) {
    for (const TReadings readings : {TReadings::Icu, TReadings::Table}) {
        EXPECT_EQ(Initials(U("少林足球"), readings), U("SLZQ"));
        EXPECT_EQ(Initials(U("王小姐"), readings), U("WXJ"));
        EXPECT_EQ(Initials(U("黑客帝国 2"), readings), U("HKDG2"));
        EXPECT_EQ(Initials(U("Ｘ战警"), readings), U("XZJ"));
    }
    EXPECT_EQ(Pinyin::AvailableReadings(), TReadings::Icu);
    EXPECT_EQ(PinyinInitials(U("少林足球")), U("SLZQ"));
}

TEST(PinyinInitials, Level2HanziHaveAReadingOnlyThroughIcu) {
    EXPECT_EQ(Initials(U("龘"), TReadings::Icu), U("D"));
    EXPECT_EQ(Initials(U("龘"), TReadings::Table), U("Z"));
}

TEST(PinyinInitials, AsciiNamesLoseOnlyTheirBlanks) {
    EXPECT_EQ(PinyinInitials(U("The Matrix 2 reloaded")), U("THEMATRIX2RELOADED"));
    EXPECT_EQ(PinyinInitials(U("Ｍａｔｒｉｘ　２")), U("MATRIX2"));
    EXPECT_EQ(PinyinInitials(U("007:a-b")), U("007:A-B"));
    EXPECT_EQ(PinyinInitials(U("   ")), QString());
    EXPECT_EQ(PinyinInitials(QString()), QString());
}

TEST(PinyinInitials, SignsWithoutReadingGiveNothingWithIcuAndZWithTheTable) {
    EXPECT_EQ(Initials(U("《英雄》"), TReadings::Icu), U("YX"));
    EXPECT_EQ(Initials(U("《英雄》"), TReadings::Table), U("ZYXZ"));
    EXPECT_EQ(Initials(U("英雄·本色"), TReadings::Icu), U("YXBS"));
    EXPECT_EQ(Initials(U("한😀"), TReadings::Icu), QString());
    EXPECT_EQ(Initials(U("한😀"), TReadings::Table), U("ZZ"));
}

TEST(PinyinTable, RangeBoundaries) {
    const std::pair<int, char> cases[] = {
        {0, 'Z'},     {45216, 'Z'}, {45217, 'A'}, {45252, 'A'}, {45253, 'B'}, {50621, 'O'},
        {53640, 'X'}, {53641, 'Z'}, {53688, 'Z'}, {53689, 'Y'}, {54480, 'Y'}, {54481, 'Z'},
    };
    for (const auto& [code, letter] : cases) {
        EXPECT_EQ(Pinyin::TableInitial(code), QChar(letter)) << code;
    }
}

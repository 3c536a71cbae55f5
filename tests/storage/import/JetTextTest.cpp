#include "storage/import/JetText.h"

#include <QByteArray>

#include <gtest/gtest.h>

namespace {

std::optional<QString> Jet4(const QByteArray& bytes) {
    return TJetText(true, 0).Decode(bytes.constData(), bytes.size());
}

TEST(JetTextTest, Jet4ReadsPlainAndCompressedUcs2) {
    // "中" is U+4E2D, "A" U+0041.
    EXPECT_EQ(Jet4(QByteArray("\x2D\x4E\x41\x00", 4)), QStringLiteral("中A"));
    EXPECT_EQ(Jet4(QByteArray()), QString());
    // Compressed: one-byte characters first, each 00 switching the width.
    EXPECT_EQ(Jet4(QByteArray("\xFF\xFE"
                              "ab\x00\x2D\x4E\x87\x65\x00"
                              "c",
                              11)),
              QStringLiteral("ab中文c"));
    EXPECT_EQ(Jet4(QByteArray("\xFF\xFE\x00\x2D\x4E", 5)), QStringLiteral("中"));
    EXPECT_EQ(Jet4(QByteArray("\xFF\xFE\xE9", 3)), QStringLiteral("é"));
}

TEST(JetTextTest, Jet4RefusesHalfACharacter) {
    EXPECT_FALSE(Jet4(QByteArray("\x2D\x4E\x41", 3)));
    EXPECT_FALSE(Jet4(QByteArray("\xFF\xFE"
                                 "a\x00\x2D",
                                 5)));
}

TEST(JetTextTest, Jet3ReadsTheCodePageAndRefusesBytesOutsideIt) {
    TJetText gbk(false, 936);
    // "中文" in GBK, then the same with a lead byte cut off at the end.
    EXPECT_EQ(gbk.Decode("\xD6\xD0\xCE\xC4", 4), QStringLiteral("中文"));
    EXPECT_FALSE(gbk.Decode("\xD6\xD0\xCE", 3));
    // A cut-off text does not spill into the next one.
    EXPECT_EQ(gbk.Decode("AB", 2), QStringLiteral("AB"));
    EXPECT_FALSE(gbk.Decode("\x81\x20", 2)); // no character of GBK

    // A file without a code page is taken as GBK; others by their number.
    EXPECT_EQ(TJetText(false, 0).Decode("\xCE\xC4", 2), QStringLiteral("文"));
    EXPECT_EQ(TJetText(false, 1252).Decode("\xE9\x80", 2), QStringLiteral("é€"));
    EXPECT_EQ(TJetText::CodePageEncoding(936), QStringLiteral("GBK"));
    EXPECT_TRUE(TJetText::CodePageEncoding(54321).isEmpty());
}

} // namespace

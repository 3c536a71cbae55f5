#include "storage/PickSearch.h"
#include "storage/dao/Format.h"
#include "tests/support/LedgerFixture.h"

#include <gtest/gtest.h>

namespace {

const QString RentCdSql = QStringLiteral("SELECT Id,Code,Name,Spell,Status FROM TbRentCd");

class PickSearchTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        search_.Setup(&dm_->DbBase, RentCdSql, true, true);
    }

    int AddTitle(const QString& code, const QString& name, const QString& spell, int status = 1) {
        dm_->ExecSql(SqlFormat("INSERT INTO TbRentCd (Code,Name,Spell,Status) VALUES "
                               "(\"%s\",\"%s\",\"%s\",%d)",
                               {code, name, spell, status}));
        return dm_
            ->SqlFieldText(QStringLiteral("SELECT Max(Id) AS V FROM TbRentCd"), QStringLiteral("V"))
            .toInt();
    }

    TPickSearch search_;
};

} // namespace

TEST_F(PickSearchTest, TypedTextChoosesTheColumnOfTheFilter) {
    EXPECT_EQ(search_.FilterFor(QStringLiteral("slzq")),
              QStringLiteral(" WHERE SPELL LIKE \"SLZQ*\""));
    EXPECT_EQ(search_.FilterFor(QStringLiteral("ＳＬ　Ｚq ")),
              QStringLiteral(" WHERE SPELL LIKE \"SLZQ*\""));
    EXPECT_EQ(search_.FilterFor(QStringLiteral("a01")),
              QStringLiteral(" WHERE CODE LIKE \"A01*\""));
    EXPECT_EQ(search_.FilterFor(QStringLiteral("少林")),
              QStringLiteral(" WHERE NAME LIKE \"少林*\""));
    EXPECT_EQ(search_.FilterFor(QStringLiteral("x战警")),
              QStringLiteral(" WHERE NAME LIKE \"X战警*\""));
    EXPECT_EQ(search_.FilterFor(QStringLiteral("  ")), QString());

    // Quotes are doubled and Jet wildcards stand for themselves.
    EXPECT_EQ(search_.FilterFor(QStringLiteral("他\"说")),
              QStringLiteral(" WHERE NAME LIKE \"他\"\"说*\""));
    EXPECT_EQ(search_.FilterFor(QStringLiteral("0*?#[")),
              QStringLiteral(" WHERE CODE LIKE \"0[*][?][#][[]*\""));

    search_.BaseSql = RentCdSql + QStringLiteral(" where Status=1");
    EXPECT_EQ(search_.FilterFor(QStringLiteral("slzq")),
              QStringLiteral(" AND SPELL LIKE \"SLZQ*\""));

    search_.FieldCode.clear();
    EXPECT_EQ(search_.FilterFor(QStringLiteral("0001")), QString());
}

TEST_F(PickSearchTest, OneHitOfEachKindIsSelectedWithoutTheList) {
    const int shaolin =
        AddTitle(QStringLiteral("0001"), QStringLiteral("少林足球"), QStringLiteral("SLZQ"));
    const int dahua =
        AddTitle(QStringLiteral("0002"), QStringLiteral("大话西游"), QStringLiteral("DHXY"));
    const struct {
        const char* typed;
        int key;
        const char* box;
    } cases[] = {{"slzq", shaolin, "少林足球"},
                 {"ｄｈ", dahua, "大话西游"},
                 {"0002", dahua, "大话西游"},
                 {"大话", dahua, "大话西游"}};
    for (const auto& c : cases) {
        search_.Search(QString::fromUtf8(c.typed));
        EXPECT_EQ(search_.Lines().size(), 1) << c.typed;
        EXPECT_FALSE(search_.ListOpen()) << c.typed;
        EXPECT_EQ(search_.CurrentLine(), 0) << c.typed;
        EXPECT_EQ(search_.SelectedKey(), c.key) << c.typed;
        EXPECT_EQ(search_.BoxText(), QString::fromUtf8(c.box)) << c.typed;
    }
}

TEST_F(PickSearchTest, SeveralHitsOpenTheListUntilOneIsChosen) {
    AddTitle(QStringLiteral("0010"), QStringLiteral("英雄"), QStringLiteral("YX"));
    const int second =
        AddTitle(QStringLiteral("0011"), QStringLiteral("英雄本色"), QStringLiteral("YXBS"), 2);
    AddTitle(QStringLiteral("0020"), QStringLiteral("少林足球"), QStringLiteral("SLZQ"));

    search_.Search(QStringLiteral("001"));
    EXPECT_EQ(search_.Lines().size(), 2);
    EXPECT_TRUE(search_.ListOpen());
    EXPECT_EQ(search_.CurrentLine(), 0);
    EXPECT_EQ(search_.SelectedKey(), TPickSearch::NoKey);
    EXPECT_FALSE(search_.TakeChange(true));
    EXPECT_EQ(search_.BoxText(), QStringLiteral("001"));

    search_.Choose(1);
    EXPECT_FALSE(search_.ListOpen());
    EXPECT_EQ(search_.SelectedKey(), second);
    EXPECT_EQ(search_.Keys().at(1), second);
    EXPECT_EQ(search_.BoxText(), QStringLiteral("英雄本色"));
}

TEST_F(PickSearchTest, NoHitOrAFailedSearchLeavesNothingSelected) {
    AddTitle(QStringLiteral("0001"), QStringLiteral("少林足球"), QStringLiteral("SLZQ"));
    search_.Search(QStringLiteral("slzq"));
    ASSERT_NE(search_.SelectedKey(), TPickSearch::NoKey);

    search_.Search(QStringLiteral("xyz"));
    EXPECT_TRUE(search_.Lines().isEmpty());
    EXPECT_FALSE(search_.ListOpen());
    EXPECT_EQ(search_.SelectedKey(), TPickSearch::NoKey);
    EXPECT_EQ(search_.BoxText(), QStringLiteral("xyz"));

    // A literal wildcard finds no code that merely starts alike.
    search_.Search(QStringLiteral("0*"));
    EXPECT_TRUE(search_.Lines().isEmpty());

    search_.BaseSql = QStringLiteral("SELECT Id,Code,Name,Spell FROM TbNoSuchTable");
    search_.Search(QStringLiteral("slzq"));
    EXPECT_TRUE(search_.Lines().isEmpty());
    EXPECT_EQ(search_.SelectedKey(), TPickSearch::NoKey);
}

TEST_F(PickSearchTest, CodeInABoxWithoutCodeColumnListsEveryRowAndSelectsNone) {
    search_.Setup(&dm_->DbBase, QStringLiteral("SELECT Id,Name,Spell FROM TbRentCd"), false, false);
    AddTitle(QStringLiteral("0001"), QStringLiteral("少林足球"), QStringLiteral("SLZQ"));
    search_.Search(QStringLiteral("0001"));
    EXPECT_EQ(search_.Lines().size(), 1);
    EXPECT_EQ(search_.SelectedKey(), TPickSearch::NoKey);

    AddTitle(QStringLiteral("0002"), QStringLiteral("大话西游"), QStringLiteral("DHXY"));
    search_.Search(QStringLiteral("0001"));
    EXPECT_EQ(search_.Lines().size(), 2);
    EXPECT_FALSE(search_.ListOpen());
    EXPECT_EQ(search_.SelectedKey(), TPickSearch::NoKey);
}

TEST_F(PickSearchTest, QuotesInTypedTextAreSearchedAsTyped) {
    const int key =
        AddTitle(QStringLiteral("A\"1"), QStringLiteral("他说\"好\""), QStringLiteral("TSH"));
    search_.Search(QStringLiteral("他说\""));
    EXPECT_EQ(search_.SelectedKey(), key);
    search_.Search(QStringLiteral("a\""));
    EXPECT_EQ(search_.SelectedKey(), key);
    search_.Search(QStringLiteral("'\" OR 1=1 --"));
    EXPECT_TRUE(search_.Lines().isEmpty());
}

TEST_F(PickSearchTest, LinesHaveFixedColumnsCountedInDisplayWidth) {
    const TPickSearch::TWidths widths = search_.Widths();
    EXPECT_EQ(widths.name, 10);
    EXPECT_EQ(widths.code, 10);
    EXPECT_EQ(widths.spell, 10);
    EXPECT_EQ(widths.status, 1);

    AddTitle(QStringLiteral("a01 "), QStringLiteral(" 少林足球 "), QStringLiteral("SLZQ"), 1);
    AddTitle(QStringLiteral("a02"), QStringLiteral("大话西游之大圣娶亲"),
             QStringLiteral("DHXYZDSQQ"), 2);
    AddTitle(QStringLiteral("a03"), QStringLiteral("X战警之逆转未来"), QStringLiteral("XZJZNZWL"),
             3);
    search_.Search(QStringLiteral("a0"));
    ASSERT_EQ(search_.Lines().size(), 3);
    EXPECT_EQ(search_.Lines().at(0), QStringLiteral("少林足球  A01       SLZQ      √"));
    EXPECT_EQ(search_.Lines().at(1), QStringLiteral("大话西游之A02       DHXYZDSQQ ⅹ"));
    // A Chinese character that would straddle the width is left out whole.
    EXPECT_EQ(search_.Lines().at(2), QStringLiteral("X战警之逆 A03       XZJZNZWL  ⅹ"));

    // The box shows the name part; the whole name still matches a longer entry.
    search_.Search(QStringLiteral("大话西游之大圣"));
    EXPECT_EQ(search_.BoxText(), QStringLiteral("大话西游之"));

    search_.Setup(&dm_->DbBase, QStringLiteral("SELECT Id,Code,Name,Spell FROM TbRentCd"), false,
                  true);
    search_.Search(QStringLiteral("slzq"));
    EXPECT_EQ(search_.Lines(), QStringList{QStringLiteral("少林足球  A01       SLZQ      ")});
}

TEST_F(PickSearchTest, TheWindowIsToldOncePerConfirmedSearch) {
    const int key =
        AddTitle(QStringLiteral("0001"), QStringLiteral("少林足球"), QStringLiteral("SLZQ"));
    search_.Search(QStringLiteral("slzq"));
    EXPECT_FALSE(search_.TakeChange(false));
    EXPECT_TRUE(search_.TakeChange(true));
    EXPECT_EQ(search_.SelectedKey(), key);
    EXPECT_FALSE(search_.TakeChange(true));

    search_.Search(QStringLiteral("0001"));
    EXPECT_TRUE(search_.TakeChange(true));
}

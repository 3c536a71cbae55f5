#include "storage/TextFormats.h"
#include "storage/dao/DAOQuery.h"
#include "tests/support/LedgerFixture.h"

#include <gtest/gtest.h>

using namespace TextFormats;

namespace {

Currency Money(const char* text) {
    return Currency::Parse(QString::fromUtf8(text)).value();
}

} // namespace

TEST(TextFormats, AmountsShowTwoOrOneDecimals) {
    EXPECT_EQ(MoneyText(Money("12.5")), QStringLiteral("12.50"));
    EXPECT_EQ(MoneyText(Money("-0.125")), QStringLiteral("-0.13"));
    EXPECT_EQ(MoneyText(Money("0")), QStringLiteral("0.00"));
    EXPECT_EQ(OneDecimalText(Money("2.25")), QStringLiteral("2.3"));
    EXPECT_EQ(OneDecimalText(Money("3")), QStringLiteral("3.0"));
}

TEST(TextFormats, SerialsArePaddedToFiveDigits) {
    EXPECT_EQ(PadSerial(1), QStringLiteral("00001"));
    EXPECT_EQ(PadSerial(10), QStringLiteral("00010"));
    EXPECT_EQ(PadSerial(1000), QStringLiteral("01000"));
    EXPECT_EQ(PadSerial(99999), QStringLiteral("99999"));
    EXPECT_EQ(PadSerial(123456), QStringLiteral("123456"));
    EXPECT_EQ(PadSerial(-2), QStringLiteral("-00002"));
}

TEST(TextFormats, NextCodeAppendsAnEpisodeOrCountsTheSerialOn) {
    EXPECT_EQ(NextCode(QStringLiteral("0001"), QStringLiteral("-"), 2), QStringLiteral("0001-3"));
    EXPECT_EQ(NextCode(QStringLiteral("A1"), QStringLiteral("."), 0), QStringLiteral("A1.1"));
    EXPECT_EQ(NextCode(QStringLiteral("0001"), QString(), 1), QStringLiteral("00002"));
    EXPECT_EQ(NextCode(QStringLiteral("99999"), QString(), 1), QStringLiteral("100000"));
    EXPECT_EQ(NextCode(QStringLiteral("A1"), QString(), 1), QStringLiteral("A1"));
    EXPECT_EQ(NextCode(QString(), QString(), 1), QString());
    // Beyond a 32-bit number the code is not a serial and stays as it is.
    EXPECT_EQ(NextCode(QStringLiteral("99999999999"), QString(), 1), QStringLiteral("99999999999"));
}

TEST(TextFormats, BlanksSplitAndFlags) {
    EXPECT_EQ(Blanks(3), QStringLiteral("   "));
    EXPECT_EQ(Blanks(0), QStringLiteral(" "));
    EXPECT_EQ(Blanks(-4), QStringLiteral(" "));

    EXPECT_EQ(SplitText(QStringLiteral("  a, b,,c  "), QStringLiteral(",")),
              (QStringList{"a", " b", "", "c"}));
    EXPECT_EQ(SplitText(QStringLiteral(""), QStringLiteral(",")), QStringList{""});
    EXPECT_EQ(SplitText(QStringLiteral("0001.1-10.20"), QStringLiteral(".")),
              (QStringList{"0001", "1-10", "20"}));
    EXPECT_EQ(SplitText(QStringLiteral(" ab "), QString()), QStringList{"ab"});

    EXPECT_EQ(BoolText(true), QStringLiteral("True"));
    EXPECT_EQ(BoolText(false), QStringLiteral("False"));
    EXPECT_TRUE(IsTrueText(QStringLiteral("True")));
    EXPECT_FALSE(IsTrueText(QStringLiteral("true")));
    EXPECT_FALSE(IsTrueText(QStringLiteral("1")));
}

TEST(TextFormats, DaysInMonthFollowsTheGregorianLeapRule) {
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(DaysInMonth(2023, month), lengths[month - 1]) << month;
    }
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 0), 0);
    EXPECT_EQ(DaysInMonth(2024, 13), 0);
}

class SinceFilterTest : public LedgerTest {};

TEST_F(SinceFilterTest, FiltersOnTheFirstDateColumnOnly) {
    for (const char* day : {"2024-05-31", "2024-06-01", "2024-06-10"}) {
        dm_->ExecSql(QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                                    "AId3,Sum1,Sum2,Memo) VALUES (#%1#,2,0,0,0,1,0,0,5,0,\"\")")
                         .arg(QString::fromLatin1(day)));
    }
    TDAOQuery query(&dm_->DbBase);
    query.SetSQL(QStringLiteral("SELECT Id, Memo, Day FROM TbFTransaction"));
    query.Open();
    SinceFilter(query, QDate(2024, 6, 1));
    EXPECT_EQ(query.Filter(), QStringLiteral("Day>=45444.00"));
    EXPECT_TRUE(query.Filtered());
    EXPECT_EQ(query.RecordCount(), 2);

    TDAOQuery noDate(&dm_->DbBase);
    noDate.SetSQL(QStringLiteral("SELECT Id, Memo FROM TbFTransaction"));
    noDate.Open();
    SinceFilter(noDate, QDate(2024, 6, 1));
    EXPECT_FALSE(noDate.Filtered());
    EXPECT_EQ(noDate.RecordCount(), 3);
}

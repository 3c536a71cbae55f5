#include "storage/Currency.h"
#include "storage/dao/Format.h"
#include "tests/support/LedgerFixture.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

Currency Money(const char* text) {
    return Currency::Parse(QString::fromUtf8(text)).value();
}

} // namespace

TEST(CurrencyRounding, TiesGoToTheEvenNeighbour) {
    // 1/32 and 3/32 are exact binary fractions lying halfway between two 1/10000 steps.
    EXPECT_EQ(Currency::FromLongDouble(0.03125L).Raw(), 312);
    EXPECT_EQ(Currency::FromLongDouble(0.09375L).Raw(), 938);
    EXPECT_EQ(Currency::FromLongDouble(-0.03125L).Raw(), -312);
    EXPECT_EQ(Currency::FromLongDouble(-0.09375L).Raw(), -938);
    EXPECT_EQ(RoundHalfEven(2.5L), 2);
    EXPECT_EQ(RoundHalfEven(3.5L), 4);
    EXPECT_EQ(RoundHalfEven(-2.5L), -2);
    EXPECT_EQ(RoundHalfEven(-3.5L), -4);
    EXPECT_EQ(Money("2.5").RoundedWhole(), 2);
    EXPECT_EQ(Money("3.5").RoundedWhole(), 4);

    // Products are exact before the rounding: 0.0001 * 0.5 and 0.0003 * 0.5 are ties.
    EXPECT_EQ((Money("0.0001") * Money("0.5")).Raw(), 0);
    EXPECT_EQ((Money("0.0003") * Money("0.5")).Raw(), 2);
    EXPECT_EQ((Money("-0.0003") * Money("0.5")).Raw(), -2);
    EXPECT_EQ((Money("12.5") * Money("3")).Raw(), 375000);
    EXPECT_EQ((Money("12.5") * 3).Raw(), 375000);

    // Text with more than four decimals rounds the same way.
    EXPECT_EQ(Money("0.00005").Raw(), 0);
    EXPECT_EQ(Money("0.00015").Raw(), 2);
    EXPECT_EQ(Money("0.000051").Raw(), 1);
    EXPECT_EQ(Money("-0.00015").Raw(), -2);
}

TEST(CurrencyRounding, QuotientsAreLongDoubleAndRoundedWhereStored) {
    const long double third = Currency::FromWhole(1) / Currency::FromWhole(3);
    EXPECT_EQ(third, 1.0L / 3.0L);
    EXPECT_EQ(Currency::FromLongDouble(third).Raw(), 3333);
    EXPECT_EQ(Currency::FromLongDouble(Currency::FromWhole(2) / Currency::FromWhole(3)).Raw(),
              6667);
    EXPECT_EQ(Currency::FromLongDouble(Money("10") / Money("-3")).Raw(), -33333);
    EXPECT_EQ(RoundHalfEven(1.23455L * 16, 3), RoundHalfEven(19.7528L, 3));
    EXPECT_TRUE(Currency::FromLongDouble(std::numeric_limits<long double>::quiet_NaN()).IsZero());
    EXPECT_EQ(Currency::FromLongDouble(1e30L).Raw(), std::numeric_limits<qint64>::max());
    EXPECT_EQ(Currency::FromLongDouble(-1e30L).Raw(), std::numeric_limits<qint64>::min());
}

TEST(CurrencyChecked, ResultsOutsideTheRangeGiveNothing) {
    const Currency top = Currency::FromRaw(std::numeric_limits<qint64>::max());
    const Currency bottom = Currency::FromRaw(std::numeric_limits<qint64>::min());
    EXPECT_EQ(CheckedAdd(top, Currency::FromRaw(-1)), Currency::FromRaw(top.Raw() - 1));
    EXPECT_FALSE(CheckedAdd(top, Currency::FromRaw(1)));
    EXPECT_FALSE(CheckedSubtract(bottom, Currency::FromRaw(1)));
    EXPECT_FALSE(CheckedSubtract(Currency(), bottom));
    EXPECT_EQ(CheckedMultiply(Money("-2.5"), 4), Money("-10"));
    EXPECT_FALSE(CheckedMultiply(Money("900000000000000"), 11));
    EXPECT_EQ(CheckedFromLongDouble(-2.5L), Money("-2.5"));
    EXPECT_FALSE(CheckedFromLongDouble(922337203685478.0L));
    EXPECT_FALSE(CheckedFromLongDouble(-922337203685478.0L));
}

TEST(CurrencyText, FixedTextRoundsTheExactValueHalfAwayFromZero) {
    EXPECT_EQ(Money("0.125").ToFixed(2), QStringLiteral("0.13"));
    EXPECT_EQ(Money("0.135").ToFixed(2), QStringLiteral("0.14"));
    EXPECT_EQ(Money("-0.125").ToFixed(2), QStringLiteral("-0.13"));
    EXPECT_EQ(Money("0.1249").ToFixed(2), QStringLiteral("0.12"));
    EXPECT_EQ(Money("-0.0049").ToFixed(2), QStringLiteral("0.00"));
    EXPECT_EQ(Money("12.5").ToFixed(2), QStringLiteral("12.50"));
    EXPECT_EQ(Money("99.995").ToFixed(2), QStringLiteral("100.00"));
    EXPECT_EQ(Money("7").ToFixed(0), QStringLiteral("7"));
    EXPECT_EQ(Money("1.3333").ToFixed(4), QStringLiteral("1.3333"));
    EXPECT_EQ(Currency::FromRaw(std::numeric_limits<qint64>::min()).ToFixed(2),
              QStringLiteral("-922337203685477.58"));

    EXPECT_EQ(Money("12.50").ToPlainText(), QStringLiteral("12.5"));
    EXPECT_EQ(Money("-0.00001").ToPlainText(), QStringLiteral("0"));
    EXPECT_EQ(Money("-3").ToPlainText(), QStringLiteral("-3"));
}

TEST(CurrencyText, ParseAcceptsPlainDecimalsOnly) {
    EXPECT_EQ(Money(" 7 ").Raw(), 70000);
    EXPECT_EQ(Money(".25").Raw(), 2500);
    EXPECT_EQ(Money("+3.").Raw(), 30000);
    EXPECT_EQ(Money("-12.5").Raw(), -125000);
    for (const char* bad : {"", " ", "-", ".", "+.", "1.2.3", "abc", "12a", "1e5", "1,000", "--1",
                            "1 2", "１２", "0x10", "99999999999999999999"}) {
        EXPECT_FALSE(Currency::Parse(QString::fromUtf8(bad)).has_value()) << bad;
    }
}

TEST(FormatText, PrintfStyleConversions) {
    EXPECT_EQ(Format("%d|%5d|%-5d|%05d|%05d", {42, 42, 42, 42, -42}),
              QStringLiteral("42|   42|42   |00042|-0042"));
    EXPECT_EQ(Format("[%s][%-10s][%10s][%.2s]", {"ab", "ab", "ab", "abc"}),
              QStringLiteral("[ab][ab        ][        ab][ab]"));
    EXPECT_EQ(Format("%-10s|", {"影碟"}), QStringLiteral("影碟        |"));
    EXPECT_EQ(Format("%x %%d %d%%", {255, 7}), QStringLiteral("FF %d 7%"));
    // Money and floating point print two decimals unless told otherwise.
    EXPECT_EQ(Format("%f", {Money("12.5")}), QStringLiteral("12.50"));
    EXPECT_EQ(Format("%f", {-Money("0.125")}), QStringLiteral("-0.13"));
    EXPECT_EQ(Format("%0.2f", {Money("3.3333")}), QStringLiteral("3.33"));
    EXPECT_EQ(Format("%f", {1.5}), QStringLiteral("1.50"));
    EXPECT_EQ(Format("%f", {45458}), QStringLiteral("45458.00"));
    EXPECT_EQ(Format("%0.4f", {Money("1.33335")}), QStringLiteral("1.3334"));
    EXPECT_EQ(Format("%8.2f|", {Money("3.5")}), QStringLiteral("    3.50|"));
    EXPECT_EQ(Format("%s", {Money("12.50")}), QStringLiteral("12.5"));
    // Missing arguments print nothing; an unknown conversion stays as written.
    EXPECT_EQ(Format("a%db%sc", {1}), QStringLiteral("a1bc"));
    EXPECT_EQ(Format("%q %d", {3}), QStringLiteral("%q 3"));
}

TEST(FormatText, SqlFormatDoublesTheQuoteOfTheStretchAValueStandsIn) {
    EXPECT_EQ(SqlFormat("Name=\"%s\"", {"他说\"好\""}), QStringLiteral("Name=\"他说\"\"好\"\"\""));
    EXPECT_EQ(SqlFormat("Name='%s'", {"it's \"x\""}), QStringLiteral("Name='it''s \"x\"'"));
    EXPECT_EQ(SqlFormat("Name=\"%s\"", {"it's"}), QStringLiteral("Name=\"it's\""));
    // Outside a quoted stretch, and in plain Format, the value goes in unchanged.
    EXPECT_EQ(SqlFormat("Id IN (%s)", {"1,\"2\""}), QStringLiteral("Id IN (1,\"2\")"));
    EXPECT_EQ(Format("Name=\"%s\"", {"a\"b"}), QStringLiteral("Name=\"a\"b\""));
    // A quote inside a value does not shift the stretches of the pattern.
    EXPECT_EQ(SqlFormat("A=\"%s\" AND B=\"%s\"", {"x\"", "y\""}),
              QStringLiteral("A=\"x\"\"\" AND B=\"y\"\"\""));
}

class FormatLedgerTest : public LedgerTest {};

TEST_F(FormatLedgerTest, QuotedTitleIsStoredAndFoundAsTyped) {
    const QString title = QStringLiteral("他说\"好\"");
    const QString other = QStringLiteral("It's 50% \"真\"");
    for (const QString& name : {title, other}) {
        dm_->ExecSql(SqlFormat("INSERT INTO TbRentCd (Code,Name,Spell,Day,CId,FId,Status,Number,"
                               "Price,Power) VALUES (\"%s\",\"%s\",\"TSH\",#2024-06-15#,1,1,1,1,"
                               "%f,1)",
                               {name == title ? "A1" : "A2", name, Money("12.5")}));
    }
    EXPECT_EQ(Value(SqlFormat("SELECT Code AS V FROM TbRentCd WHERE Name=\"%s\"", {title})),
              QStringLiteral("A1"));
    EXPECT_EQ(Value(SqlFormat("SELECT Code AS V FROM TbRentCd WHERE Name='%s'", {other})),
              QStringLiteral("A2"));
    EXPECT_EQ(Value(SqlFormat("SELECT Name AS V FROM TbRentCd WHERE Code=\"%s\"", {"A1"})), title);
    EXPECT_EQ(Value(SqlFormat("SELECT Name AS V FROM TbRentCd WHERE Code=\"%s\"", {"A2"})), other);
    EXPECT_EQ(
        Value(SqlFormat("SELECT Count(*) AS V FROM TbRentCd WHERE Name LIKE \"*%s*\"", {"\"好\""})),
        QStringLiteral("1"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Price AS V FROM TbRentCd WHERE Code=\"A1\"")),
              QStringLiteral("12.5"));
}

TEST_F(FormatLedgerTest, MoneyAssignedInSqlIsStoredRoundedHalfToEven) {
    dm_->ExecSql(QStringLiteral("UPDATE TbFee SET Deposit1=0.03125,Rent1=0.09375,Deposit2=-0.03125,"
                                "Rent2=4/3 WHERE Id=1"));
    dm_->OpenSql(QStringLiteral("SELECT * FROM TbFee WHERE Id=1"));
    EXPECT_EQ(dm_->Q1.FieldByName(QStringLiteral("Deposit1")).AsCurrency().Raw(), 312);
    EXPECT_EQ(dm_->Q1.FieldByName(QStringLiteral("Rent1")).AsCurrency().Raw(), 938);
    EXPECT_EQ(dm_->Q1.FieldByName(QStringLiteral("Deposit2")).AsCurrency().Raw(), -312);
    EXPECT_EQ(dm_->Q1.FieldByName(QStringLiteral("Rent2")).AsString(), QStringLiteral("1.3333"));
    // The stored amount itself is on the grid, so SQL equality on amounts works.
    EXPECT_EQ(Count(QStringLiteral("TbFee"), QStringLiteral("Deposit1=0.0312 AND Rent1=0.0938")),
              1);
    dm_->ExecSql(
        QStringLiteral("UPDATE TbFee SET Number1=0.0001*0.5,Number2=0.0003*0.5 WHERE Id=1"));
    EXPECT_EQ(Count(QStringLiteral("TbFee"), QStringLiteral("Number1=0 AND Number2=0.0002")), 1);
}

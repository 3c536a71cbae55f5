#include "reports/OverViewSql.h"
#include "reports/ReportFrame.h"
#include "storage/JetDate.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "tests/support/LedgerFixture.h"

#include <QRandomGenerator>

namespace {

using OverViewSql::TFigure;
using OverViewSql::TSpan;

// The overview's statements as the shop's overview has always run them. A
// statement listing one row per movement is summed over its rows; the others
// give one value.
struct TOriginal {
    TFigure figure;
    const char* sql;
    bool rows;
};

#define FIGURE_RANGE "A.Day>=#$BDAY$# And A.Day<=#$EDAY$#"
#define LINE_RANGE "A.Day1>=#$BDAY$# And A.Day1<=#$EDAY$#"
#define RETURN_RANGE "A.Day2>=#$BDAY$# And A.Day2<=#$EDAY$#"
#define DEPOSITS                                                                                   \
    "SELECT DISTINCT A.Id,IIF(A.Sum2<0,A.Sum1-A.Sum2,A.Sum1) AS TSum FROM TbFTransaction AS A "    \
    "LEFT JOIN TbRTransaction AS B ON B.FId=A.Id WHERE " FIGURE_RANGE " AND B.Day1>=#$BDAY$# "     \
    "And B.Day1<=#$EDAY$# AND (A.CId1=2 OR A.CId1=1 OR A.CId1=3) AND B.AId"
#define RENTS                                                                                      \
    "SELECT DISTINCT A.Id,ABS(A.Sum2) AS TSum FROM TbFTransaction AS A LEFT JOIN TbRTransaction "  \
    "AS B ON B.FId=A.Id WHERE " FIGURE_RANGE " AND B.CId2=1 AND B.AId"
#define KIND(column, kind)                                                                         \
    "SELECT SUM(A." column ") AS TSum FROM TbFTransaction AS A WHERE " FIGURE_RANGE                \
    " AND A.CId1=" kind
#define UNITS(range)                                                                               \
    "SELECT SUM(B.Power) AS TSum FROM TbRTransaction AS A LEFT JOIN TbRentCd AS B ON B.Id=A.CId1 " \
    "WHERE " range

const TOriginal Originals[] = {
    {TFigure::WalkInDeposit, DEPOSITS "=0", true},
    {TFigure::MemberDeposit, DEPOSITS "<>0", true},
    {TFigure::DepositReturned,
     "SELECT SUM(A.Sum1) AS TSum FROM TbFTransaction AS A WHERE " FIGURE_RANGE
     " AND (A.CId1=1 OR A.CId1=3)",
     false},
    {TFigure::DepositHeld, KIND("Sum1", "2"), false},
    {TFigure::WalkInRent, RENTS "=0", true},
    {TFigure::MemberRent, RENTS "<>0", true},
    {TFigure::RentalPurchases, KIND("Sum1", "21"), false},
    {TFigure::SalePurchases, KIND("Sum1", "22"), false},
    {TFigure::Sales, KIND("Sum1", "6"), false},
    {TFigure::SaleRefunds, KIND("Sum1", "7"), false},
    {TFigure::MemberPayments, KIND("Sum2", "11"), false},
    {TFigure::MemberDeposits, KIND("Sum2", "13"), false},
    {TFigure::MemberRefunds, KIND("Sum1", "12"), false},
    {TFigure::WalkInRented, UNITS(LINE_RANGE " AND A.AId=0 AND (A.CId2=2 OR A.CId2=1)"), false},
    {TFigure::MemberRented, UNITS(LINE_RANGE " AND A.AId<>0 AND (A.CId2=2 OR A.CId2=1)"), false},
    {TFigure::WalkInReturned, UNITS(RETURN_RANGE " AND A.AId=0 AND A.CId2=1"), false},
    {TFigure::MemberReturned, UNITS(RETURN_RANGE " AND A.AId<>0 AND A.CId2=1"), false},
    {TFigure::RentalBought,
     "SELECT SUM(A.Number) AS TSum FROM TbITransaction AS A WHERE " FIGURE_RANGE " AND A.Flag=0",
     false},
    {TFigure::SaleBought,
     "SELECT SUM(A.Number) AS TSum FROM TbITransaction AS A WHERE " FIGURE_RANGE " AND A.Flag=1",
     false},
    {TFigure::Sold,
     "SELECT SUM(A.Number) AS TSum FROM TbSTransaction AS A WHERE " FIGURE_RANGE " AND A.CId2=6",
     false},
    {TFigure::Refunded,
     "SELECT SUM(A.Number) AS TSum FROM TbSTransaction AS A WHERE " FIGURE_RANGE " AND A.CId2=7",
     false},
    {TFigure::Cancelled, UNITS(RETURN_RANGE " AND A.CId2=3"), false},
    // The two parts the profit must not count twice, in the same plain form.
    {TFigure::RentFromDeposits,
     "SELECT DISTINCT A.Id,-A.Sum2 AS TSum FROM TbFTransaction AS A LEFT JOIN TbRTransaction AS "
     "B ON B.FId=A.Id WHERE " FIGURE_RANGE " AND A.Sum2<0 AND B.CId2=1",
     true},
    {TFigure::RangeSaleRefunds,
     "SELECT DISTINCT A.Id,A.Sum1 AS TSum FROM TbFTransaction AS A LEFT JOIN TbSTransaction AS "
     "B ON B.FId=A.Id WHERE " FIGURE_RANGE " AND A.CId1=7 AND B.Day>=#$BDAY$# And "
     "B.Day<=#$EDAY$#",
     true},
};

class OverViewSqlTest : public LedgerTest {
protected:
    // Titles of 0.5, 1 and 1.5 units (two of them gone from the library),
    // members, and 1200 movements of every kind over four months: rental
    // bills of zero to three lines in any state, some lines rented before or
    // returned after their movement's day, walk-in and member lines mixed on
    // a few movements, rent added or taken out of deposits, sales with their
    // lines, refunds, purchases and member movements.
    void SetUp() override {
        LedgerTest::SetUp();
        QRandomGenerator random(20240615);
        TDM::TTransaction transaction(*dm_);
        for (int t = 1; t <= 30; ++t) {
            dm_->ExecSql(Format("INSERT INTO TbRentCd (Id,Code,Name,Spell,Day,Alias1,Alias2,CId,"
                                "FId,Status,Director,Player,[Number],Price,Power,Memo) VALUES "
                                "(%d,\"C%d\",\"片%d\",\"\",#2024-01-01#,\"\",\"\",1,1,1,\"\","
                                "\"\",1,20,%s,\"\")",
                                {t, t, t, t % 5 == 0 ? "1.5" : (t % 7 == 0 ? "0.5" : "1")}));
        }
        dm_->ExecSql("DELETE * FROM TbRentCd WHERE Id IN (4,9)");
        const QDate start(2024, 3, 1);
        const auto day = [&](int spread) {
            return JetDate::ShortText(start.addDays(random.bounded(spread)));
        };
        const int kinds[] = {1, 1, 1, 2, 2, 3, 6, 7, 11, 12, 13, 21, 22};
        for (int id = 1; id <= 1200; ++id) {
            const int kind = kinds[random.bounded(int(std::size(kinds)))];
            const int renter = random.bounded(3) == 0 ? 0 : 1 + int(random.bounded(20));
            const QDate moved = start.addDays(random.bounded(120));
            const int sum2 = int(random.bounded(13)) - 6;
            dm_->ExecSql(Format("INSERT INTO TbFTransaction (Id,Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                                "AId3,Sum1,Sum2,Memo) VALUES (%d,#%s#,%d,0,0,1,1,0,%d,%s,%s,\"\")",
                                {id, JetDate::ShortText(moved), kind, renter,
                                 QString::number(int(random.bounded(9000)) - 1000) + ".25",
                                 QString::number(sum2) + ".5"}));
            if (kind <= 3) {
                for (int line = int(random.bounded(4)); line > 0; --line) {
                    const int state = 1 + int(random.bounded(3));
                    const QDate day1 = moved.addDays(-int(random.bounded(15)));
                    const QDate day2 = state == 2 ? day1 : day1.addDays(random.bounded(25));
                    const int lineRenter = random.bounded(8) == 0 ? (renter == 0 ? 3 : 0) : renter;
                    dm_->ExecSql(Format("INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,"
                                        "Deposit,Rent,Sn,CId2) VALUES (#%s#,#%s#,%d,%d,%d,10,1,%d,"
                                        "%d)",
                                        {JetDate::ShortText(day1), JetDate::ShortText(day2),
                                         lineRenter, 1 + int(random.bounded(31)), id, id, state}));
                }
            } else if (kind == 6 || kind == 7) {
                for (int line = 1 + int(random.bounded(2)); line > 0; --line) {
                    dm_->ExecSql(Format("INSERT INTO TbSTransaction (Day,CId1,CId2,FId,Discount,"
                                        "[Number],Price,Sn) VALUES (#%s#,1,%d,%d,0,%d,20,%d)",
                                        {day(120), random.bounded(2) == 0 ? 6 : 7, id,
                                         1 + int(random.bounded(4)), id}));
                }
            } else if (kind >= 21) {
                dm_->ExecSql(Format("INSERT INTO TbITransaction (Day,CId1,CId2,FId,Flag,[Number],"
                                    "Price,Sn) VALUES (#%s#,1,%d,%d,%d,%d,5,%d)",
                                    {JetDate::ShortText(moved), kind, id, kind - 21,
                                     1 + int(random.bounded(9)), id}));
            }
        }
        transaction.Commit();
    }

    // The original's value: summed over its rows or read from its first row.
    Currency Original(const TOriginal& original, const QString& from, const QString& to) {
        const QString sql = ReportFrame::ExpandDates(QString::fromUtf8(original.sql), from, to);
        if (original.rows) {
            return dm_->SqlSum(dm_->Q1, sql, QStringLiteral("TSum"));
        }
        return Currency::Parse(dm_->SqlFieldText(sql, QStringLiteral("TSum"))).value_or(Currency());
    }
    Currency Own(TFigure figure, const QString& from, const QString& to,
                 TSpan span = TSpan::Short) {
        const QString sql =
            ReportFrame::ExpandDates(OverViewSql::Statement(figure, span), from, to);
        return Currency::Parse(dm_->SqlFieldText(sql, QStringLiteral("TSum"))).value_or(Currency());
    }
};

TEST_F(OverViewSqlTest, EveryFigureIsTheOriginalStatementsValue) {
    const std::pair<const char*, const char*> ranges[] = {{"2024-04-01", "2024-04-30"},
                                                          {"2024-03-15", "2024-05-20"},
                                                          {"2024-01-01", "2024-12-31"},
                                                          {"2024-04-10", "2024-04-10"},
                                                          {"2025-01-01", "2025-12-31"}};
    bool halves = false;
    for (const auto& [from, to] : ranges) {
        SCOPED_TRACE(std::string(from) + " " + to);
        for (const TOriginal& original : Originals) {
            SCOPED_TRACE(int(original.figure));
            const Currency own = Own(original.figure, from, to);
            EXPECT_EQ(own, Original(original, from, to));
            // Walking every line in title order counts the same.
            EXPECT_EQ(Own(original.figure, from, to, TSpan::Long), own);
            halves = halves ||
                     (OverViewSql::IsCount(original.figure) && own.Raw() % Currency::Scale != 0);
        }
    }
    // The ledger holds what the comparison is about: money and units in
    // every figure over the whole span, half units among them.
    for (const TOriginal& original : Originals) {
        EXPECT_NE(Own(original.figure, "2024-01-01", "2024-12-31"), Currency())
            << int(original.figure);
    }
    EXPECT_TRUE(halves);
}

// The page runs the statements in this order and files each answer under the
// figure it was asked for: every figure exactly once.
TEST(OverViewSqlOrder, CostliestFirstHoldsEveryFigureOnce) {
    const QList<TFigure> order = OverViewSql::CostliestFirst();
    ASSERT_EQ(order.size(), OverViewSql::FigureCount);
    for (int i = 0; i < OverViewSql::FigureCount; ++i) {
        EXPECT_EQ(order.count(TFigure(i)), 1) << i;
    }
}

} // namespace

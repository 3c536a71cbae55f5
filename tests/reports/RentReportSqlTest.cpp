#include "reports/RentReportSql.h"
#include "reports/ReportFrame.h"
#include "storage/JetDate.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "tests/support/LedgerFixture.h"

#include <QRandomGenerator>

namespace {

// The report statements as the shop's reports have always run them; the
// reports' own statements must give the same rows.
const char* const OriginalTop =
    "SELECT B.Code, B.Name, Sum(B.Power) AS TPower FROM TbRTransaction AS A LEFT JOIN TbRentCd "
    "AS B ON B.Id=A.CId1 WHERE ((A.Day1>=#$BDAY$# And A.Day1<=#$EDAY$#) OR (A.Day2>=#$BDAY$# "
    "And A.Day2<=#$EDAY$#)) AND ((A.CId2=2) OR (A.CId2=1)) GROUP BY B.Code, B.Name ORDER BY "
    "Sum(B.Power) DESC";
const char* const OriginalGroupedTop =
    "SELECT C.Name AS CName, B.Code, B.Name, Sum(B.Power) AS TPower FROM (TbRTransaction AS A "
    "LEFT JOIN TbRentCd AS B ON B.Id=A.CId1) LEFT JOIN TbCdCategory AS C ON C.Id=B.CId WHERE "
    "((A.Day1>=#$BDAY$# And A.Day1<=#$EDAY$#) OR (A.Day2>=#$BDAY$# And A.Day2<=#$EDAY$#)) AND "
    "((A.CId2=2) OR (A.CId2=1)) GROUP BY C.Name,B.Code,B.Name ORDER BY C.Name,Sum(B.Power) DESC";
const char* const OriginalPie =
    "SELECT C.Name AS CName, Sum(B.Power) AS TPower FROM (TbRTransaction AS A LEFT JOIN TbRentCd "
    "AS B ON B.Id=A.CId1) LEFT JOIN TbCdCategory AS C ON C.Id=B.CId WHERE ((A.Day1>=#$BDAY$# And "
    "A.Day1<=#$EDAY$#) OR (A.Day2>=#$BDAY$# And A.Day2<=#$EDAY$#)) AND ((A.CId2=2) OR "
    "(A.CId2=1)) GROUP BY C.Name ORDER BY Sum(B.Power) DESC";
const char* const OriginalDetail =
    "SELECT A.Id, Left(A.Day,7) AS Month, A.Day, A.CId1,IIF(A.AId3=0,\"零租用户\",B.Name) AS "
    "Associator, A.Sum1 AS Deposit, ABS(A.Sum2) AS Rent FROM TbFTransaction AS A LEFT JOIN "
    "TbAssociator AS B ON B.Id=A.AId3 WHERE A.Day>=#$BDAY$# And A.Day<=#$EDAY$# AND ((A.CId1=2) "
    "OR (A.CId1=1) OR (A.CId1=3)) %s GROUP BY Left(A.Day,7), A.Day, A.CId1, A.AId3, B.Name, "
    "A.Sum1, A.Sum2, A.Id";
const char* const OriginalLines =
    "SELECT A.Day1,A.Day2,B.Code,B.Name,A.CId2,IIF(A.CId2=2,\"出租\",IIF(A.CId2=1,\"返还\","
    "\"撤消\")) AS Status FROM TbRTransaction AS A LEFT JOIN TbRentCd AS B ON B.Id=A.CId1 WHERE "
    "A.FId=%d";
const char* const OriginalMonth =
    "SELECT Left(A.Day,7) AS Month,Sum(A.Sum1) AS TDeposit, Sum(ABS(A.Sum2)) AS TRent FROM "
    "TbFTransaction AS A WHERE A.Day>=#$BDAY$# And A.Day<=#$EDAY$# AND ((A.CId1=2) OR "
    "(A.CId1=1)) GROUP BY Left(A.Day,7)";

class RentReportSqlTest : public LedgerTest {
protected:
    // Three categories, 40 titles (two lost from the library), 30 members and
    // 1500 bills of one to three lines over four months in every state.
    void SetUp() override {
        LedgerTest::SetUp();
        QRandomGenerator random(20240615);
        TDM::TTransaction transaction(*dm_);
        dm_->ExecSql("DELETE * FROM TbCdCategory");
        for (int c = 1; c <= 3; ++c) {
            dm_->ExecSql(Format("INSERT INTO TbCdCategory (Id,Name,SubId,Memo) VALUES "
                                "(%d,\"类%d\",0,\"\")",
                                {c, c}));
        }
        for (int t = 1; t <= 40; ++t) {
            dm_->ExecSql(Format("INSERT INTO TbRentCd (Id,Code,Name,Spell,Day,Alias1,Alias2,CId,"
                                "FId,Status,Director,Player,[Number],Price,Power,Memo) VALUES "
                                "(%d,\"C%d\",\"片%d\",\"\",#2024-01-01#,\"\",\"\",%d,1,1,\"\","
                                "\"\",1,20,%s,\"\")",
                                {t, t, t, 1 + t % 3, t, t % 4 == 0 ? "1.5" : "1"}));
        }
        dm_->ExecSql("DELETE * FROM TbRentCd WHERE Id IN (7,8)");
        for (int m = 1; m <= 30; ++m) {
            dm_->ExecSql(Format("INSERT INTO TbAssociator (Id,Code,Name,Spell,AId,LastDay,"
                                "[Number],Balance,Deposit,Telephone,Address,Memo) VALUES "
                                "(%d,\"M%d\",\"员%d\",\"\",0,#2024-01-01#,0,0,0,\"\",\"\",\"\")",
                                {m, m, m}));
        }
        const QDate start(2024, 3, 1);
        for (int bill = 1; bill <= 1500; ++bill) {
            const int kind = 1 + int(random.bounded(3));
            const int renter = random.bounded(3) == 0 ? 0 : 1 + int(random.bounded(30));
            const QDate day1 = start.addDays(random.bounded(120));
            const QDate day = kind == 1 ? day1.addDays(random.bounded(20)) : day1;
            dm_->ExecSql(Format("INSERT INTO TbFTransaction (Id,Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                                "AId3,Sum1,Sum2,Memo) VALUES (%d,#%s#,%d,0,1,1,0,0,%d,%d,%d,\"\")",
                                {bill, JetDate::ShortText(day), kind, renter,
                                 int(random.bounded(50)), -int(random.bounded(9))}));
            for (int line = int(random.bounded(3)); line >= 0; --line) {
                const int state = kind == 3 ? 3 : (kind == 1 ? 1 : 1 + int(random.bounded(2)));
                const QDate day2 = state == 1 ? day1.addDays(random.bounded(20)) : day1;
                dm_->ExecSql(Format("INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,Deposit,"
                                    "Rent,Sn,CId2) VALUES (#%s#,#%s#,%d,%d,%d,10,1,%d,%d)",
                                    {JetDate::ShortText(day1), JetDate::ShortText(day2), renter,
                                     1 + int(random.bounded(40)), bill, bill, state}));
            }
        }
        transaction.Commit();
    }

    // Every row of the SELECT, its columns joined; `sorted` compares them as a
    // set where the order of ties is not fixed.
    QStringList Rows(const QString& sql, bool sorted = false) {
        QStringList rows;
        dm_->OpenSql(sql);
        for (; !dm_->Q1.Eof(); dm_->Q1.Next()) {
            QStringList values;
            for (int i = 0; i < dm_->Q1.FieldCount(); ++i) {
                values.append(dm_->Q1.Fields(i).AsString());
            }
            rows.append(values.join(u'|'));
        }
        dm_->Q1.Close();
        if (sorted) {
            rows.sort();
        }
        return rows;
    }
    // The sums column of each row, in order: ties may be ordered either way,
    // the sums may not.
    QStringList Column(const QStringList& rows, int column) {
        QStringList values;
        for (const QString& row : rows) {
            values.append(row.split(u'|')[column]);
        }
        return values;
    }

    const QList<std::pair<QString, QString>> ranges = {{"2024-04-01", "2024-04-30"},
                                                       {"2024-03-15", "2024-05-20"},
                                                       {"2024-01-01", "2024-12-31"},
                                                       {"2024-06-28", "2024-06-28"}};
};

TEST_F(RentReportSqlTest, RankListAndPieGiveTheRowsOfTheOriginalStatements) {
    for (const auto& [from, to] : ranges) {
        SCOPED_TRACE(qPrintable(from + u' ' + to));
        const auto expand = [&](const QString& sql) {
            return ReportFrame::ExpandDates(sql, from, to);
        };
        const struct {
            QString original;
            QString own;
            int sumColumn;
        } pairs[] = {{QLatin1String(OriginalTop), RentReportSql::Top(false), 2},
                     {QLatin1String(OriginalGroupedTop), RentReportSql::Top(true), 3},
                     {QLatin1String(OriginalPie), RentReportSql::Pie(), 1}};
        for (const auto& pair : pairs) {
            const QStringList original = Rows(expand(pair.original));
            const QStringList own = Rows(expand(pair.own));
            EXPECT_FALSE(own.isEmpty() && from == ranges[0].first);
            EXPECT_EQ(Column(own, pair.sumColumn), Column(original, pair.sumColumn));
            EXPECT_EQ(Rows(expand(pair.own), true), Rows(expand(pair.original), true));
        }
    }
}

TEST_F(RentReportSqlTest, DetailAndMonthGiveTheRowsOfTheOriginalStatements) {
    for (const auto& [from, to] : ranges) {
        SCOPED_TRACE(qPrintable(from + u' ' + to));
        for (const QString& filter :
             {QString(), RentReportSql::MemberFilter(0), RentReportSql::MemberFilter(5)}) {
            // The same bills; in the order of their grouping (by day), which
            // the engine does not keep for a GROUP BY without ORDER BY.
            const QString own = ReportFrame::ExpandDates(RentReportSql::Detail(filter), from, to);
            const QStringList bills = Rows(own);
            EXPECT_EQ(
                Rows(own, true),
                Rows(ReportFrame::ExpandDates(Format(OriginalDetail, {filter}), from, to), true));
            const QStringList days = Column(bills, 2);
            EXPECT_TRUE(std::is_sorted(days.cbegin(), days.cend()));
            // The lines of every bill, one statement per bill as before.
            QStringList lines;
            for (const QString& bill : bills) {
                const int id = bill.section(u'|', 0, 0).toInt();
                for (const QString& line : Rows(Format(OriginalLines, {id}))) {
                    lines.append(QString::number(id) + u'|' + line);
                }
            }
            EXPECT_EQ(
                Rows(ReportFrame::ExpandDates(RentReportSql::DetailLines(filter), from, to), true),
                (lines.sort(), lines));
        }
        EXPECT_EQ(Rows(ReportFrame::ExpandDates(RentReportSql::Month(), from, to)),
                  Rows(ReportFrame::ExpandDates(QLatin1String(OriginalMonth), from, to)));
    }
}

} // namespace

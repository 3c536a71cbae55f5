#include "reports/RentReports.h"
#include "reports/ReportFrame.h"
#include "storage/Clock.h"
#include "storage/dao/DM.h"
#include "tests/rental/RentFixture.h"

namespace {

// A prepared report's rows as "BAND|value|value…", one per printed row.
QStringList Lines(const TPreparedReport& report) {
    static const char* const words[] = {"GROUP", "ROW", "SUB", "FOOTER", "SUMMARY"};
    QStringList lines;
    for (const TReportRow& row : report.rows) {
        lines.append((QStringList{QLatin1String(words[int(row.band)])} + row.values).join(u'|'));
    }
    return lines;
}

RentReports::TDates Dates(const char* from, const char* to) {
    return {QLatin1String(from), QLatin1String(to)};
}

class RentReportsTest : public RentTest {
protected:
    void On(int month, int day) { TClock::SetToday(QDate(2024, month, day)); }
    void RentOn(int month, int day, const QString& codes) {
        On(month, day);
        engine_->Reset();
        Rent(codes);
    }
    // Takes back the whole bill the disc is on.
    void ReturnOn(int month, int day, const QString& code) {
        On(month, day);
        engine_->Reset();
        engine_->EnterCode(code);
        engine_->CommitReturn();
    }
    void CancelOn(int month, int day, const QString& code) {
        On(month, day);
        engine_->Reset();
        engine_->EnterCode(code);
        engine_->Refund = TRentObject::DepositSum(engine_->NowLines, false);
        engine_->CancelRent();
    }
    TPreparedReport Prepared(const TStored<TPreparedReport>& stored) {
        EXPECT_TRUE(stored.Ok());
        return stored.Value();
    }
    QString Title(int n) { return QStringLiteral("T%1").arg(n, 2, 10, QLatin1Char('0')); }
};

TEST_F(RentReportsTest, RankListCountsLinesOfTheRangeCutsAtTenAndRestartsPerCategory) {
    for (int n = 1; n <= 12; ++n) {
        AddTitle(Title(n), fee_);
    }
    AddTitle(Title(13), fee_, "2");
    AddTitle(Title(14), fee_, "1.5");
    dm_->ExecSql(QStringLiteral("UPDATE TbRentCd SET CId=2 WHERE Code IN (\"T13\",\"T14\")"));

    RentOn(5, 20, Title(2)); // before the range: never counted
    ReturnOn(5, 25, Title(2));
    RentOn(5, 28, Title(12)); // returned in the range: counted once
    ReturnOn(6, 2, Title(12));
    for (int n : {2, 3, 4, 5, 6, 7, 8, 10, 11}) {
        RentOn(6, 10, Title(n));
    }
    RentOn(6, 1, Title(1));
    ReturnOn(6, 2, Title(1)); // rented and returned in the range: one line, once
    RentOn(6, 3, Title(1));
    ReturnOn(6, 4, Title(1));
    RentOn(6, 5, Title(1));
    RentOn(6, 6, Title(13));
    ReturnOn(6, 8, Title(13));
    RentOn(6, 9, Title(13));
    RentOn(6, 6, Title(14));
    ReturnOn(6, 7, Title(14));
    RentOn(6, 8, Title(14));
    RentOn(6, 11, Title(9));
    CancelOn(6, 11, Title(9)); // cancelled lines never count

    const RentReports::TDates june = Dates("2024-06-01", "2024-06-30");
    const TPreparedReport plain = Prepared(RentReports::RentTop(june, false));
    EXPECT_EQ(plain.title, QStringLiteral("影片出租排行榜"));
    EXPECT_EQ(plain.dateFrom, QStringLiteral("2024-06-01"));
    EXPECT_EQ(Lines(plain), (QStringList{
                                "ROW|1|T13|影片T13|4",
                                "ROW|2|T01|影片T01|3",
                                "ROW|3|T14|影片T14|3",
                                "ROW|4|T02|影片T02|1",
                                "ROW|5|T03|影片T03|1",
                                "ROW|6|T04|影片T04|1",
                                "ROW|7|T05|影片T05|1",
                                "ROW|8|T06|影片T06|1",
                                "ROW|9|T07|影片T07|1",
                                "ROW|10|T08|影片T08|1",
                                "SUMMARY|合计|17",
                            }));
    // A second run starts its totals from zero.
    EXPECT_EQ(Lines(Prepared(RentReports::RentTop(june, false))), Lines(plain));

    EXPECT_EQ(Lines(Prepared(RentReports::RentTop(june, true))), (QStringList{
                                                                     "GROUP|电影",
                                                                     "ROW|1|T01|影片T01|3",
                                                                     "ROW|2|T02|影片T02|1",
                                                                     "ROW|3|T03|影片T03|1",
                                                                     "ROW|4|T04|影片T04|1",
                                                                     "ROW|5|T05|影片T05|1",
                                                                     "ROW|6|T06|影片T06|1",
                                                                     "ROW|7|T07|影片T07|1",
                                                                     "ROW|8|T08|影片T08|1",
                                                                     "ROW|9|T10|影片T10|1",
                                                                     "ROW|10|T11|影片T11|1",
                                                                     "FOOTER|小计|12",
                                                                     "GROUP|电视剧",
                                                                     "ROW|1|T13|影片T13|4",
                                                                     "ROW|2|T14|影片T14|3",
                                                                     "FOOTER|小计|7",
                                                                     "SUMMARY|合计|19",
                                                                 }));

    const TPreparedReport pie = Prepared(RentReports::RentPie(june));
    ASSERT_EQ(pie.slices.size(), 2);
    EXPECT_EQ(pie.slices[0].label, QStringLiteral("电影"));
    EXPECT_EQ(pie.slices[0].value, 13); // T01 3, T02-T08, T10-T12 one each
    EXPECT_EQ(pie.slices[1].value, 7);
    EXPECT_EQ(pie.totalText, QStringLiteral("合计出租影片 20部"));
    EXPECT_TRUE(prompter_.Texts(TScriptedPrompter::Kind::Warning).isEmpty());
}

TEST_F(RentReportsTest, DetailListShowsBillsByMonthAndCountsAllButCancelledLines) {
    const int member = AddMember(QStringLiteral("M1"), AddType("押金租金", 0, "0", 0, 0, 4, 1));
    for (int n = 1; n <= 4; ++n) {
        AddTitle(Title(n), fee_);
    }
    RentOn(5, 31, Title(4));
    On(6, 3);
    engine_->Reset();
    ASSERT_TRUE(engine_->EnterMember(QStringLiteral("M1")));
    Rent(QStringLiteral("T01.T02"));
    RentOn(6, 4, Title(3));
    CancelOn(6, 4, Title(3));
    ReturnOn(6, 5, Title(1));

    const RentReports::TDates range = Dates("2024-05-01", "2024-06-30");
    const QStringList walkIn = {
        "GROUP|2024-05",
        "ROW|零租用户|10.00|0.00",
        "SUB|T04|影片T04|出租|2024-05-31|2024-05-31",
        "FOOTER|小计|1",
        "GROUP|2024-06",
        "ROW|零租用户|10.00|0.00",
        "SUB|T03|影片T03|撤消|2024-06-04|2024-06-04",
        "FOOTER|小计|0",
    };
    const QStringList all = Lines(Prepared(RentReports::RentDetail(range, true, 0)));
    EXPECT_EQ(all, (QStringList{
                       walkIn[0],
                       walkIn[1],
                       walkIn[2],
                       walkIn[3],
                       walkIn[4],
                       walkIn[5],
                       walkIn[6],
                       "ROW|会员M1|18.00|2.00",
                       "SUB|T01|影片T01|返还|2024-06-03|2024-06-05",
                       "SUB|T02|影片T02|返还|2024-06-03|2024-06-05",
                       "FOOTER|小计|2",
                       "SUMMARY|合计|3",
                   }));
    // "全部" unticked with no member picked: the walk-in renter's bills only.
    EXPECT_EQ(Lines(Prepared(RentReports::RentDetail(range, false, 0))),
              walkIn + QStringList{"SUMMARY|合计|1"});
    EXPECT_EQ(Lines(Prepared(RentReports::RentDetail(range, false, member))).size(), 6);

    const TPreparedReport month =
        Prepared(RentReports::RentMonth(Dates("2024-01-01", "2024-12-31")));
    EXPECT_EQ(Lines(month).last(), QStringLiteral("SUMMARY|合计|￥28.00|￥2.00"));
}

TEST_F(RentReportsTest, OverdueReportTakesBothEndsOfTheBand) {
    for (int n = 1; n <= 4; ++n) {
        AddTitle(Title(n), fee_);
    }
    const int ago[] = {2, 3, 10, 11};
    for (int n = 0; n < 4; ++n) {
        RentOn(6, 15 - ago[n], Title(n + 1));
    }
    On(6, 15);
    const TPreparedReport late = RentReports::RentLate(3, 10);
    EXPECT_TRUE(late.dateFrom.isEmpty());
    EXPECT_EQ(Lines(late), (QStringList{
                               "ROW|T03|影片T03||10|零租用户|2024-06-05|",
                               "ROW|T02|影片T02||3|零租用户|2024-06-12|",
                               "SUMMARY|合计|2",
                           }));
    const TPreparedReport grid =
        Prepared(RentReports::RentLateGrid(3, QStringLiteral("Days"), false));
    EXPECT_EQ(Lines(grid), (QStringList{
                               "ROW|2024-06-12|T02|影片T02|3|零租用户||",
                               "ROW|2024-06-05|T03|影片T03|10|零租用户||",
                               "ROW|2024-06-04|T04|影片T04|11|零租用户||",
                           }));
    EXPECT_FALSE(RentReports::RentLateGrid(3, QStringLiteral("Nope"), false).Ok());
}

TEST_F(RentReportsTest, BadDatesStopTheRunAndAnEmptyRangeWarns) {
    const TStored<TPreparedReport> badStart =
        RentReports::RentTop(Dates("2024-02-30", "2024-06-30"), false);
    ASSERT_FALSE(badStart.Ok());
    EXPECT_EQ(badStart.Refusal().field, QStringLiteral("edFrom"));
    EXPECT_EQ(badStart.Refusal().message,
              QStringLiteral("“\"开始日期\"”日期输入不正确，请重新输入。"));
    const TStored<TPreparedReport> badEnd = RentReports::RentMonth(Dates("2024-01-01", "abc"));
    ASSERT_FALSE(badEnd.Ok());
    EXPECT_EQ(badEnd.Refusal().field, QStringLiteral("edTo"));
    EXPECT_TRUE(prompter_.Texts(TScriptedPrompter::Kind::Warning).isEmpty());

    // Single-digit months are taken and printed in full.
    const TPreparedReport empty =
        Prepared(RentReports::RentDetail(Dates("2024-1-1", "2024-1-31"), true, 0));
    EXPECT_EQ(empty.dateFrom, QStringLiteral("2024-01-01"));
    EXPECT_EQ(empty.records, 0);
    EXPECT_EQ(Lines(empty), QStringList{QStringLiteral("SUMMARY|合计|0")});
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Warning),
              QStringList{QStringLiteral("没有数据！无法查看此报表。")});
}

TEST(ReportFrameTest, EveryDateMacroIsReplaced) {
    EXPECT_EQ(ReportFrame::ExpandDates(QStringLiteral("#$BDAY$#$EDAY$#$BDAY$#$EDAY$#"),
                                       QStringLiteral("A"), QStringLiteral("B")),
              QStringLiteral("#A#B#A#B#"));
}

TEST(ReportDefaultsTest, MonthYearAndToday) {
    TClock::SetToday(QDate(2024, 2, 10));
    EXPECT_EQ(RentReports::CurrentMonth().to, QStringLiteral("2024-02-29"));
    EXPECT_EQ(RentReports::CurrentYear().from, QStringLiteral("2024-01-01"));
    EXPECT_EQ(RentReports::TodayOnly().to, QStringLiteral("2024-02-10"));
    TClock::Release();
}

} // namespace

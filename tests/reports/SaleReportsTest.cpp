#include "reports/SaleReports.h"
#include "storage/Clock.h"
#include "storage/TextFormats.h"
#include "storage/records/SaleCd.h"
#include "tests/sales/SaleFixture.h"

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

ReportFrame::TDates Dates(const char* from, const char* to) {
    return {QLatin1String(from), QLatin1String(to)};
}

// Sales written by the sale engine at the counter, in 2024.
class SaleReportsTest : public SaleTest {
protected:
    // A title of disc category 1 ("电影") or 2 ("电视剧").
    void AddTitleIn(const QString& code, const char* price, int category) {
        TSaleCd title;
        title.LoadById(AddTitle(code, price, 100));
        title.CId = category;
        title.Save();
    }
    struct TLine {
        QString code;
        int number;
        const char* discount = "0";
    };
    // One bill of the lines, at the title's price; its bill number.
    int SellOn(int month, int day, const QList<TLine>& lines) {
        TClock::SetToday(QDate(2024, month, day));
        engine_->Reset();
        for (const TLine& line : lines) {
            engine_->EnterCode(line.code);
            const int index = int(engine_->NowLines.size()) - 1;
            const QString price = TextFormats::MoneyText(engine_->NowLines[index].Price);
            EXPECT_TRUE(engine_->EditLine(index, QLatin1String(line.discount),
                                          QString::number(line.number), price));
        }
        engine_->CommitSale();
        return engine_->Sn;
    }
    // Takes the line of `code` of bill `sn` back.
    void RefundOn(int month, int day, int sn, const QString& code) {
        TClock::SetToday(QDate(2024, month, day));
        engine_->Reset();
        engine_->LoadBill(sn);
        for (TSTransaction& line : engine_->NowLines) {
            line.Selected = line.SaleCd.Code == code;
        }
        engine_->Recalculate();
        engine_->CommitRefund();
    }
    TPreparedReport Prepared(const TStored<TPreparedReport>& stored) {
        EXPECT_TRUE(stored.Ok());
        return stored.Value();
    }
};

TEST_F(SaleReportsTest, LinesAreWorthTheirDiscountedAmountAndRefundsNeverCount) {
    AddTitleIn(QStringLiteral("S1"), "20", 1);
    AddTitleIn(QStringLiteral("S2"), "15", 2);
    AddTitleIn(QStringLiteral("S3"), "12.5", 2);
    SellOn(5, 31, {{QStringLiteral("S1"), 1}});
    const int june3 = SellOn(6, 3, {{QStringLiteral("S1"), 2, "8.5"}, {QStringLiteral("S2"), 1}});
    const int refunded = SellOn(6, 5, {{QStringLiteral("S2"), 3}, {QStringLiteral("S3"), 1}});
    RefundOn(6, 6, refunded, QStringLiteral("S2"));
    SellOn(6, 10, {{QStringLiteral("S3"), 3, "9"}});
    SellOn(6, 12, {{QStringLiteral("S1"), 2}});
    SellOn(7, 1, {{QStringLiteral("S2"), 1}});
    RefundOn(7, 2, june3, QStringLiteral("S2")); // a refund later than the sale
    ASSERT_TRUE(prompter_.Messages().isEmpty());

    const ReportFrame::TDates summer = Dates("2024-05-01", "2024-07-31");
    const TPreparedReport detail = Prepared(SaleReports::SaleDetail(summer));
    EXPECT_EQ(detail.title, QStringLiteral("影片销售明细表"));
    EXPECT_EQ(Lines(detail), (QStringList{
                                 "GROUP|2024-05",
                                 "ROW|2024-05-31|S1|影片S1|0.0|1|20.00",
                                 "FOOTER|小计|1|￥20.00",
                                 "GROUP|2024-06",
                                 "ROW|2024-06-03|S1|影片S1|8.5|2|34.00",
                                 "ROW|2024-06-05|S3|影片S3|0.0|1|12.50",
                                 "ROW|2024-06-10|S3|影片S3|9.0|3|33.75",
                                 "ROW|2024-06-12|S1|影片S1|0.0|2|40.00",
                                 "FOOTER|小计|8|￥120.25",
                                 "GROUP|2024-07",
                                 "ROW|2024-07-01|S2|影片S2|0.0|1|15.00",
                                 "FOOTER|小计|1|￥15.00",
                                 "SUMMARY|合计|10|￥155.25",
                             }));

    EXPECT_EQ(Lines(Prepared(SaleReports::SaleMonth(summer))), (QStringList{
                                                                   "GROUP|2024-05",
                                                                   "ROW|电影|1|20.00",
                                                                   "FOOTER|小计|1|￥20.00",
                                                                   "GROUP|2024-06",
                                                                   "ROW|电影|4|74.00",
                                                                   "ROW|电视剧|4|46.25",
                                                                   "FOOTER|小计|8|￥120.25",
                                                                   "GROUP|2024-07",
                                                                   "ROW|电视剧|1|15.00",
                                                                   "FOOTER|小计|1|￥15.00",
                                                                   "SUMMARY|合计|10|￥155.25",
                                                               }));

    const ReportFrame::TDates june = Dates("2024-06-01", "2024-06-30");
    EXPECT_EQ(Lines(Prepared(SaleReports::SaleTop(june, false))),
              (QStringList{"ROW|1|S1|影片S1|4|74.00", "ROW|2|S3|影片S3|4|46.25",
                           "SUMMARY|合计|8|￥120.25"}));
    const TPreparedReport pie = Prepared(SaleReports::SalePie(summer));
    ASSERT_EQ(pie.slices.size(), 2);
    EXPECT_EQ(pie.slices[0].label, QStringLiteral("电影"));
    EXPECT_EQ(pie.slices[0].value, 5);
    EXPECT_EQ(pie.slices[1].value, 5);
    EXPECT_EQ(pie.totalText, QStringLiteral("合计销售影片 10"));
    EXPECT_TRUE(prompter_.Messages().isEmpty());

    // A refund takes its line out of the day it was sold on.
    EXPECT_EQ(Lines(Prepared(SaleReports::SaleDetail(Dates("2024-6-5", "2024-6-5")))),
              (QStringList{"GROUP|2024-06", "ROW|2024-06-05|S3|影片S3|0.0|1|12.50",
                           "FOOTER|小计|1|￥12.50", "SUMMARY|合计|1|￥12.50"}));
    const TPreparedReport none =
        Prepared(SaleReports::SaleTop(Dates("2024-07-02", "2024-12-31"), true));
    EXPECT_EQ(none.records, 0);
    EXPECT_EQ(Lines(none), QStringList{QStringLiteral("SUMMARY|合计|0|￥0.00")});
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Warning),
              QStringList{QStringLiteral("没有数据！无法查看此报表。")});
}

TEST_F(SaleReportsTest, RankListPrintsTenPerListOrCategoryAndTotalsThePrintedRows) {
    // Twelve films selling 1 to 12 sets at 1.00, two series selling 5 at 2.00.
    for (int n = 1; n <= 12; ++n) {
        AddTitleIn(QStringLiteral("T%1").arg(n, 2, 10, QLatin1Char('0')), "1", 1);
    }
    AddTitleIn(QStringLiteral("U2"), "2", 2);
    AddTitleIn(QStringLiteral("U1"), "2", 2);
    for (int n = 1; n <= 12; ++n) {
        SellOn(6, n, {{QStringLiteral("T%1").arg(n, 2, 10, QLatin1Char('0')), n}});
    }
    SellOn(6, 20, {{QStringLiteral("U2"), 5}, {QStringLiteral("U1"), 4}});
    SellOn(6, 21, {{QStringLiteral("U1"), 1}});

    const ReportFrame::TDates june = Dates("2024-06-01", "2024-06-30");
    const TPreparedReport plain = Prepared(SaleReports::SaleTop(june, false));
    EXPECT_EQ(plain.title, QStringLiteral("影片销售排行榜"));
    EXPECT_EQ(plain.records, 14);
    EXPECT_EQ(Lines(plain), (QStringList{
                                "ROW|1|T12|影片T12|12|12.00",
                                "ROW|2|T11|影片T11|11|11.00",
                                "ROW|3|T10|影片T10|10|10.00",
                                "ROW|4|T09|影片T09|9|9.00",
                                "ROW|5|T08|影片T08|8|8.00",
                                "ROW|6|T07|影片T07|7|7.00",
                                "ROW|7|T06|影片T06|6|6.00",
                                "ROW|8|T05|影片T05|5|5.00",
                                "ROW|9|U1|影片U1|5|10.00", // ties go by code
                                "ROW|10|U2|影片U2|5|10.00",
                                "SUMMARY|合计|78|￥88.00",
                            }));
    // A second run starts its totals from zero.
    EXPECT_EQ(Lines(Prepared(SaleReports::SaleTop(june, false))), Lines(plain));

    EXPECT_EQ(Lines(Prepared(SaleReports::SaleTop(june, true))), (QStringList{
                                                                     "GROUP|电影",
                                                                     "ROW|1|T12|影片T12|12|12.00",
                                                                     "ROW|2|T11|影片T11|11|11.00",
                                                                     "ROW|3|T10|影片T10|10|10.00",
                                                                     "ROW|4|T09|影片T09|9|9.00",
                                                                     "ROW|5|T08|影片T08|8|8.00",
                                                                     "ROW|6|T07|影片T07|7|7.00",
                                                                     "ROW|7|T06|影片T06|6|6.00",
                                                                     "ROW|8|T05|影片T05|5|5.00",
                                                                     "ROW|9|T04|影片T04|4|4.00",
                                                                     "ROW|10|T03|影片T03|3|3.00",
                                                                     "FOOTER|小计|75|￥75.00",
                                                                     "GROUP|电视剧",
                                                                     "ROW|1|U1|影片U1|5|10.00",
                                                                     "ROW|2|U2|影片U2|5|10.00",
                                                                     "FOOTER|小计|10|￥20.00",
                                                                     "SUMMARY|合计|85|￥95.00",
                                                                 }));
    // The pie counts every title, printed in the rank list or not.
    EXPECT_EQ(Prepared(SaleReports::SalePie(june)).totalText, QStringLiteral("合计销售影片 88"));
}

} // namespace

#include "reports/ui/OverViewFm.h"

#include "app/kit/DateEdit.h"
#include "reports/OverView.h"
#include "reports/ui/ReportActions.h"
#include "storage/dao/Format.h"
#include "tests/app/Screenshots.h"
#include "tests/reports/ui/ReportsFixture.h"

#include <QAction>
#include <QImage>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>

namespace {

class OverViewFmTest : public ReportsTest {
protected:
    // A movement of `kind` into the cash box on `day`.
    static void Movement(const char* day, int kind, const char* sum1) {
        TSession::Current().Dm.ExecSql(
            Format(QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                                  "AId3,Sum1,Sum2,Memo) VALUES (#%s#,%d,0,0,1,1,0,0,%s,0,\"\")"),
                   {day, kind, sum1}));
    }
    // The printed figure of a column and label, with "|-" when red.
    static QString Figure(const TPreparedReport& report, const QString& column,
                          const QString& label) {
        for (const TReportRow& row : report.figures) {
            if (row.values.value(0) == column && row.values.value(1) == label) {
                return row.values.value(2) + (row.red.isEmpty() ? "" : "|-");
            }
        }
        return QStringLiteral("?");
    }
    // Pixels of the preview that are clearly red.
    static int RedPixels(QWidget* preview) {
        const QImage image = preview->grab().toImage();
        int red = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 150 && c.green() < 100 && c.blue() < 100 ? 1 : 0;
            }
        }
        return red;
    }
};

TEST_F(OverViewFmTest, TheMenuOpensTodaysOverviewOnOneLandscapePage) {
    LogIn(Admin);
    ReportActions::Register(*window_);
    Bill(QStringLiteral("2024-06-15"), 0, 1); // a walk-in deposit of 25.00 today
    Movement("2024-06-03", 6, "30");          // a sale earlier in the month
    window_->Action(QStringLiteral("aOverView"))->trigger();
    auto* overview = qobject_cast<TOverViewFm*>(window_->CurrentChild());
    ASSERT_NE(overview, nullptr);
    EXPECT_EQ(overview->windowTitle(), QStringLiteral("经营情况一览表"));
    EXPECT_EQ(overview->edFrom->text(), QStringLiteral("2024-06-15"));
    EXPECT_EQ(overview->edTo->text(), QStringLiteral("2024-06-15"));
    // It ran once shown, on one landscape page.
    EXPECT_EQ(overview->PageCount(), 1);
    EXPECT_TRUE(overview->btnPrint->isEnabled());
    EXPECT_FALSE(overview->btnNext->isEnabled());
    EXPECT_EQ(overview->Report().dateFrom, QStringLiteral("2024-06-15"));
    EXPECT_EQ(Figure(overview->Report(), "押金(元)", "零租押金："), QStringLiteral("25.00"));
    EXPECT_EQ(Figure(overview->Report(), "销售(元)", "销售金额："), QStringLiteral("0.00"));
    EXPECT_TRUE(Messages().isEmpty()); // an empty day is no warning
    EXPECT_EQ(overview->QRPreview->orientation(), QPageLayout::Landscape);
}

TEST_F(OverViewFmTest, RefreshShowsTheRangeTypedAndAnEmptiedDateRunsNothing) {
    LogIn(Admin);
    auto* overview = new TOverViewFm;
    Host(overview);
    Movement("2024-06-03", 6, "30");
    overview->edFrom->SetEnteredDate(QDate(2024, 6, 1));
    overview->edTo->SetEnteredDate(QDate(2024, 6, 30));
    overview->btnRefresh->click();
    EXPECT_EQ(overview->Report().dateFrom, QStringLiteral("2024-06-01"));
    EXPECT_EQ(Figure(overview->Report(), "销售(元)", "销售金额："), QStringLiteral("30.00"));
    const TStored<TPreparedReport> core = OverView::Prepare({"2024-06-01", "2024-06-30"});
    ASSERT_TRUE(core.Ok());
    EXPECT_EQ(overview->Report().rows.size(), core.Value().rows.size());
    EXPECT_EQ(overview->Report().rows.last().values, core.Value().rows.last().values);

    // An emptied date is named and focused; the page shown stays.
    overview->edTo->SetEnteredDate(QDate());
    overview->btnRefresh->click();
    EXPECT_EQ(Messages(),
              QStringList{QStringLiteral("“\"结束日期\"”日期输入不正确，请重新输入。")});
    EXPECT_TRUE(overview->edTo->hasFocus());
    EXPECT_EQ(overview->Report().dateTo, QStringLiteral("2024-06-30"));
}

TEST_F(OverViewFmTest, ALossAndEveryNegativeFigureArePrintedRed) {
    LogIn(Admin);
    auto* overview = new TOverViewFm;
    Host(overview);
    window_->resize(1100, 760);
    Movement("2024-06-15", 6, "30");
    overview->Refresh();
    QTest::qWait(50);
    EXPECT_EQ(Figure(overview->Report(), "", "当前盈亏："), "?"); // the profit is no column figure
    EXPECT_EQ(overview->Report().figures.last().values,
              (QStringList{QStringLiteral("当前盈亏："), QStringLiteral("30.00")}));
    EXPECT_EQ(RedPixels(overview->QRPreview), 0);

    Movement("2024-06-15", 21, "-100"); // a stock-in paid from the cash box
    Movement("2024-06-15", 12, "5");    // a refund to a member
    // Bills of 20.00 deposit with 5.00 rent: a walk-in one out, a walk-in and
    // a member's one returned.
    Bill(QStringLiteral("2024-06-15"), 0, 1);
    Bill(QStringLiteral("2024-06-15"), 0, 2, 1, 1);
    Bill(QStringLiteral("2024-06-15"), 1, 3, 1, 1);
    overview->Refresh();
    QTest::qWait(50);
    EXPECT_EQ(Figure(overview->Report(), "进货(元)", "出租进货："), QStringLiteral("100.00"));
    EXPECT_EQ(Figure(overview->Report(), "会费/押金(元)", "会员退费："), QStringLiteral("-5.00|-"));
    EXPECT_EQ(Figure(overview->Report(), "租金(元)", "合计："), QStringLiteral("10.00"));
    // 75.00 deposits taken, 30.00 sold; 100.00 paid for stock, 5.00 to the
    // member, 40.00 deposits handed back: the rent came out of the deposits.
    EXPECT_EQ(overview->Report().figures.last().values.value(1), QStringLiteral("40.00"));
    EXPECT_EQ(overview->Report().figures.last().red, QList<int>{1});
    EXPECT_GT(RedPixels(overview->QRPreview), 0);
    Screenshots::Save(window_->grab(), QStringLiteral("overview.png"));
}

} // namespace

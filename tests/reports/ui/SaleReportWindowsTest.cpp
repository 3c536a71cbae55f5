#include "reports/ui/ReportActions.h"
#include "reports/ui/SaleDetailFm.h"
#include "reports/ui/SaleMonthFm.h"
#include "reports/ui/SalePieFm.h"
#include "reports/ui/SaleTopFm.h"

#include "app/Session.h"
#include "app/kit/DateEdit.h"
#include "storage/dao/Format.h"
#include "tests/app/Screenshots.h"
#include "tests/reports/ui/ReportsFixture.h"

#include <QAction>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QPieSeries>
#include <QTest>

namespace {

class SaleReportWindowsTest : public ReportsTest {
protected:
    // A line of the example ledger's sale title `title` (1 爱情片, 2 电影,
    // 3 科幻片, 4 动画片) on `day`: `number` sets at 20.00, sold or refunded.
    static void Sale(const QString& day, int title, int number, bool refunded = false) {
        TSession::Current().Dm.ExecSql(
            Format(QStringLiteral("INSERT INTO TbSTransaction (Day,CId1,CId2,FId,Discount,"
                                  "[Number],Price,Sn) VALUES (#%s#,%d,%d,0,0,%d,20,0)"),
                   {day, title, refunded ? 7 : 6, number}));
    }
    static qsizetype Rows(const TPreparedReport& report, TBandKind band) {
        return std::count_if(report.rows.cbegin(), report.rows.cend(),
                             [band](const TReportRow& row) { return row.band == band; });
    }
    // Four titles of June in three categories, and a refund.
    static void JuneSales() {
        Sale(QStringLiteral("2024-06-02"), 1, 3);
        Sale(QStringLiteral("2024-06-03"), 2, 1);
        Sale(QStringLiteral("2024-06-04"), 4, 2);
        Sale(QStringLiteral("2024-06-05"), 3, 5, true);
        Sale(QStringLiteral("2024-06-06"), 3, 4);
    }
};

TEST_F(SaleReportWindowsTest, TickingTheGroupingRunsTheRankListAgainByCategory) {
    LogIn(Admin);
    JuneSales();
    auto* top = new TSaleTopFm;
    Host(top);
    EXPECT_EQ(top->edFrom->text(), QStringLiteral("2024-06-01"));
    EXPECT_EQ(top->edTo->text(), QStringLiteral("2024-06-30"));
    top->Refresh();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Rows(top->Report(), TBandKind::GroupHeader), 0);
    EXPECT_EQ(Rows(top->Report(), TBandKind::Detail), 4);

    top->cbGroup->click();
    EXPECT_EQ(Rows(top->Report(), TBandKind::GroupHeader), 4);
    EXPECT_EQ(Rows(top->Report(), TBandKind::GroupFooter), 4);
    EXPECT_EQ(
        top->Report().rows.last().values,
        (QStringList{QStringLiteral("合计"), QStringLiteral("10"), QStringLiteral("￥200.00")}));
    top->cbGroup->click();
    EXPECT_EQ(Rows(top->Report(), TBandKind::GroupHeader), 0);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(SaleReportWindowsTest, ThePieShowsTheSoldSetsOfEachCategoryAndTheirTotal) {
    LogIn(Admin);
    JuneSales();
    auto* pie = new TSalePieFm;
    Host(pie);
    pie->Refresh();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(pie->Chart->chart()->title(), QStringLiteral("影片销售情况分布图"));
    ASSERT_EQ(pie->Series().count(), 4);
    EXPECT_EQ(pie->Series().slices().first()->value(), 4); // the refund left out
    EXPECT_EQ(pie->lbTotal->text(), QStringLiteral("合计销售影片 10"));
}

TEST_F(SaleReportWindowsTest, ANewerReportHidesTheOneKeptBeneathIt) {
    LogIn(Admin);
    JuneSales();
    auto* top = new TSaleTopFm;
    Host(top);
    auto* pie = new TSalePieFm;
    window_->ShowChild(pie);
    pie->Refresh();
    ASSERT_TRUE(top->isVisible()); // kept alive beneath the pie
    // The work area shows the pie exactly as the pie alone draws itself.
    const QImage shown =
        window_->grab(QRect(pie->mapTo(window_.get(), QPoint(0, 0)), pie->size())).toImage();
    EXPECT_EQ(shown, pie->grab().toImage());
}

TEST_F(SaleReportWindowsTest, TheMenuOpensEachSalesReportRunOnceOverItsDefaultDates) {
    LogIn(Admin);
    ReportActions::Register(*window_);
    JuneSales();
    Sale(QStringLiteral("2024-02-10"), 2, 1); // in the year, not the month

    window_->Action(QStringLiteral("aSaleTop"))->trigger();
    auto* top = qobject_cast<TSaleTopFm*>(window_->CurrentChild());
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->Report().records, 4);

    window_->Action(QStringLiteral("aSaleDetail"))->trigger();
    auto* detail = qobject_cast<TSaleDetailFm*>(window_->CurrentChild());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->windowTitle(), QStringLiteral("影片销售明细表"));
    EXPECT_EQ(detail->Report().dateFrom, QStringLiteral("2024-01-01"));
    EXPECT_EQ(detail->Report().records, 5);
    EXPECT_EQ(Rows(detail->Report(), TBandKind::GroupHeader), 2); // February and June

    window_->Action(QStringLiteral("aSaleMonth"))->trigger();
    auto* month = qobject_cast<TSaleMonthFm*>(window_->CurrentChild());
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->Report().dateTo, QStringLiteral("2024-12-31"));
    EXPECT_EQ(
        month->Report().rows.last().values,
        (QStringList{QStringLiteral("合计"), QStringLiteral("11"), QStringLiteral("￥220.00")}));

    window_->Action(QStringLiteral("aSalePie"))->trigger();
    auto* pie = qobject_cast<TSalePieFm*>(window_->CurrentChild());
    ASSERT_NE(pie, nullptr);
    EXPECT_EQ(pie->Series().count(), 4);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(SaleReportWindowsTest, Screenshot) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP() << "pictures only with VINTOR_SCREENSHOTS=1";
    }
    LogIn(Admin);
    // Eight more titles beside the example's four, sold over June.
    const struct {
        const char* name;
        int category;
    } more[] = {{"霸王别姬", 1}, {"罗马假日", 7}, {"星球大战", 8}, {"狮子王", 3},
                {"大长今", 2},   {"还珠格格", 2}, {"阿凡达", 8},   {"音乐之声", 4}};
    TDM& dm = TSession::Current().Dm;
    for (int n = 0; n < int(std::size(more)); ++n) {
        dm.ExecSql(Format(QStringLiteral("INSERT INTO TbSaleCd (Id,Code,Name,Spell,Day,Alias1,"
                                         "Alias2,CId,Director,Player,Number1,Number2,Cost,Price,"
                                         "Memo) VALUES (%d,\"S%04d\",\"%s\",\"\",#2024-05-01#,"
                                         "\"\",\"\",%d,\"\",\"\",10,10,12,20,\"\")"),
                          {5 + n, 5 + n, QString::fromUtf8(more[n].name), more[n].category}));
    }
    JuneSales();
    for (int n = 0; n < 24; ++n) {
        Sale(QStringLiteral("2024-06-%1").arg(7 + n % 20), 1 + (n * 7) % 12, 1 + n % 4);
    }
    window_->resize(1024, 700);
    auto* top = new TSaleTopFm;
    Host(top);
    top->cbGroup->click();
    QTest::qWait(50);
    Screenshots::Save(window_->grab(), QStringLiteral("sale-top.png"));

    const auto take = [this](auto* report, const QString& file) {
        window_->ShowChild(report);
        report->Refresh();
        QTest::qWait(50);
        Screenshots::Save(window_->grab(), file);
    };
    take(new TSalePieFm, QStringLiteral("sale-pie.png"));
    take(new TSaleDetailFm, QStringLiteral("sale-detail.png"));
    take(new TSaleMonthFm, QStringLiteral("sale-month.png"));
}

} // namespace

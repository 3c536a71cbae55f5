#include "reports/ui/RentPieFm.h"
#include "reports/ui/RentTopFm.h"
#include "reports/ui/ReportActions.h"
#include "reports/ui/SRentLateFm.h"

#include "app/kit/DataGrid.h"
#include "app/kit/DigitEdit.h"
#include "tests/app/Screenshots.h"
#include "tests/reports/ui/ReportsFixture.h"

#include <QAction>
#include <QChartView>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPieSeries>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

class ReportWindowsTest : public ReportsTest {
protected:
    static QStringList Column(TDataGrid* grid, int column) {
        QStringList cells;
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            cells << grid->model()->index(row, column).data().toString();
        }
        return cells;
    }
    static void ClickHeader(TDataGrid* grid, int column) {
        QHeaderView* header = grid->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    // Three titles rented in June in two categories, and one cancelled line.
    static void JuneRentals() {
        Bill(QStringLiteral("2024-06-03"), 1, 1);
        Bill(QStringLiteral("2024-06-04"), 0, 3);
        Bill(QStringLiteral("2024-06-05"), 0, 2);
        Bill(QStringLiteral("2024-06-06"), 0, 4, 3, 3);
    }
};

TEST_F(ReportWindowsTest, TheOverdueGridSortsByAHeaderAscendingThenDescending) {
    LogIn(Admin);
    Bill(QStringLiteral("2024-06-10"), 1, 1);
    Bill(QStringLiteral("2024-06-01"), 0, 2);
    Bill(QStringLiteral("2024-06-05"), 0, 3);
    Bill(QStringLiteral("2024-06-14"), 0, 4); // out for one day only
    auto* late = new TSRentLateFm;
    Host(late);
    TDataGrid* grid = late->dgSearch;
    const QStringList ascending{QStringLiteral("2024-06-01"), QStringLiteral("2024-06-05"),
                                QStringLiteral("2024-06-10")};
    ClickHeader(grid, 0);
    EXPECT_EQ(Column(grid, 0), ascending);
    ClickHeader(grid, 0);
    EXPECT_EQ(Column(grid, 0), (QStringList{ascending[2], ascending[1], ascending[0]}));

    // A changed day count applies on "查询(&F)", in the order chosen.
    TypeAndEnter(late->edMin, QStringLiteral("10"));
    late->btnStart->click();
    EXPECT_EQ(Column(grid, 0), (QStringList{ascending[1], ascending[0]}));
    late->edMin->clear();
    late->btnStart->click();
    EXPECT_EQ(Messages().size(), 1);
    EXPECT_TRUE(late->edMin->hasFocus());
    EXPECT_EQ(grid->model()->rowCount(), 2);
}

TEST_F(ReportWindowsTest, ThePieShowsACategoryASliceAndTheTotalAndSavesAsPng) {
    LogIn(Admin);
    JuneRentals();
    auto* pie = new TRentPieFm;
    Host(pie);
    pie->Refresh();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(pie->Chart->chart()->title(), QStringLiteral("影片出租情况分布图"));
    ASSERT_EQ(pie->Series().count(), 2);
    qreal total = 0;
    for (const QPieSlice* slice : pie->Series().slices()) {
        total += slice->value();
    }
    auto* label = pie->findChild<QLabel*>(QStringLiteral("lbT_Power"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("合计出租影片 %1部").arg(total));

    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("分布图.png"));
    chooser_.QueueAnswer(png);
    pie->btnSave->click();
    EXPECT_TRUE(Messages().isEmpty());
    const QImage saved(png);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), pie->pnChart->size());

    const QString pdf = dir.filePath(QStringLiteral("分布图.pdf"));
    ASSERT_TRUE(pie->SaveChart(pdf));
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5) == "%PDF-");

    if (Screenshots::Wanted()) {
        window_->resize(1024, 700);
        QTest::qWait(50);
        Screenshots::Save(window_->grab(), QStringLiteral("rent-pie.png"));
    }
}

TEST_F(ReportWindowsTest, TheMenuRunsAReportThatStaysBeneathANewerWindow) {
    LogIn(Admin);
    ReportActions::Register(*window_);
    JuneRentals();
    window_->Action(QStringLiteral("aRentTop"))->trigger();
    QPointer<TRentTopFm> top = qobject_cast<TRentTopFm*>(window_->CurrentChild());
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->PageCount(), 1); // it ran once shown
    EXPECT_EQ(top->Report().records, 3);

    window_->Action(QStringLiteral("aOver"))->trigger();
    QPointer<TSRentLateFm> late = qobject_cast<TSRentLateFm*>(window_->CurrentChild());
    ASSERT_NE(late, nullptr);
    EXPECT_NE(top, nullptr);

    window_->Action(QStringLiteral("aRentPie"))->trigger();
    auto* pie = qobject_cast<TRentPieFm*>(window_->CurrentChild());
    ASSERT_NE(pie, nullptr);
    EXPECT_EQ(pie->Series().count(), 2); // it ran once shown
    EXPECT_EQ(late, nullptr);
    EXPECT_NE(top, nullptr);
}

TEST_F(ReportWindowsTest, AnOperatorWithoutTheReportPermissionCannotOpenThem) {
    LogIn(Clerk, ClerkPassword);
    ReportActions::Register(*window_);
    for (const char* action : {"aRentTop", "aRentDetail", "aRentMonth", "aRentLate", "aRentPie"}) {
        EXPECT_FALSE(window_->Action(QString::fromLatin1(action))->isEnabled()) << action;
    }
}

} // namespace

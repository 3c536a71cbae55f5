#include "reports/ui/PBarFm.h"
#include "reports/ui/RentDetailFm.h"
#include "reports/ui/RentTopFm.h"

#include "app/ExPickEdit.h"
#include "app/kit/DateEdit.h"
#include "app/kit/DigitEdit.h"
#include "tests/app/Screenshots.h"
#include "tests/reports/ui/ReportsFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString TooLarge = QStringLiteral("输入页数大于最大页数，请重新输入。");
const QString TooSmall = QStringLiteral("输入页数小于最小页数，请重新输入。");
const QString NoData = QStringLiteral("没有数据！无法查看此报表。");

class QChildFmTest : public ReportsTest {
protected:
    template <class T> T* Open() {
        LogIn(Admin);
        auto* window = new T;
        Host(window);
        return window;
    }
    // Sixty walk-in bills today: the detail list runs over several pages.
    static void ManyBills() {
        for (int i = 0; i < 60; ++i) {
            Bill(QStringLiteral("2024-06-15"), 0, 1 + i % 20);
        }
    }
    static int Rows(const TPreparedReport& report, TBandKind band) {
        return static_cast<int>(
            std::count_if(report.rows.cbegin(), report.rows.cend(),
                          [band](const TReportRow& row) { return row.band == band; }));
    }
};

TEST_F(QChildFmTest, ThePageEntryAndButtonsKeepToThePagesPrepared) {
    auto* report = Open<TRentDetailFm>();
    ManyBills();
    report->Refresh();
    EXPECT_EQ(TPBarFm::Current(), nullptr);
    EXPECT_TRUE(window_->isEnabled());
    const int last = report->PageCount();
    ASSERT_GE(last, 3);
    EXPECT_EQ(report->CurrentPage(), 1);
    EXPECT_FALSE(report->btnPrev->isEnabled());
    EXPECT_TRUE(report->btnNext->isEnabled());

    TypeAndEnter(report->edPage, QStringLiteral("0"));
    EXPECT_EQ(Messages(), QStringList{TooSmall});
    TypeAndEnter(report->edPage, QString::number(last + 1));
    EXPECT_EQ(Messages(), QStringList{TooLarge});
    EXPECT_EQ(report->CurrentPage(), 1);
    TypeAndEnter(report->edPage, QString());
    EXPECT_EQ(Messages().size(), 1); // the whole-number check names "页数"
    EXPECT_EQ(report->CurrentPage(), 1);

    TypeAndEnter(report->edPage, QString::number(last));
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(report->CurrentPage(), last);
    EXPECT_FALSE(report->btnNext->isEnabled());
    EXPECT_TRUE(report->btnPrev->isEnabled());

    QTest::keyClick(report->edPage, Qt::Key_PageUp);
    EXPECT_EQ(report->CurrentPage(), last - 1);
    QTest::keyClick(report->edPage, Qt::Key_Up);
    EXPECT_EQ(report->CurrentPage(), last - 2);
    EXPECT_EQ(report->edPage->text(), QString::number(last - 2));
    QTest::keyClick(report->edPage, Qt::Key_Down);
    report->btnNext->click();
    EXPECT_EQ(report->CurrentPage(), last);
    QTest::keyClick(report->edPage, Qt::Key_PageDown);
    EXPECT_EQ(report->CurrentPage(), last);

    // A new run starts again on the first page.
    report->btnRefresh->click();
    EXPECT_EQ(report->CurrentPage(), 1);
    EXPECT_EQ(report->edPage->text(), QStringLiteral("1"));
}

TEST_F(QChildFmTest, AOnePageReportLeavesBothPageButtonsOff) {
    auto* report = Open<TRentTopFm>();
    Bill(QStringLiteral("2024-06-10"), 1, 4);
    report->Refresh();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(report->PageCount(), 1);
    EXPECT_FALSE(report->btnPrev->isEnabled());
    EXPECT_FALSE(report->btnNext->isEnabled());
    EXPECT_TRUE(report->btnPrint->isEnabled());
}

TEST_F(QChildFmTest, AnEmptiedDateIsNamedAndNothingRuns) {
    auto* report = Open<TRentTopFm>();
    Bill(QStringLiteral("2024-06-10"), 1, 4);
    report->edFrom->SetEnteredDate(QDate());
    report->btnRefresh->click();
    EXPECT_EQ(Messages(),
              QStringList{QStringLiteral("“\"开始日期\"”日期输入不正确，请重新输入。")});
    EXPECT_TRUE(report->edFrom->hasFocus());
    EXPECT_EQ(report->PageCount(), 0);
    EXPECT_FALSE(report->btnPrint->isEnabled());
    EXPECT_FALSE(report->btnPdf->isEnabled());
}

TEST_F(QChildFmTest, AnEmptyRangeWarnsAndStillShowsTheEmptyReport) {
    auto* report = Open<TRentTopFm>();
    report->btnRefresh->click();
    EXPECT_EQ(Messages(), QStringList{NoData});
    EXPECT_EQ(TPBarFm::Current(), nullptr);
    EXPECT_TRUE(window_->isEnabled());
    EXPECT_EQ(report->PageCount(), 1);
    EXPECT_EQ(Rows(report->Report(), TBandKind::Summary), 1);
}

TEST_F(QChildFmTest, TickingTheGroupingRunsTheRankListAgainByCategory) {
    auto* report = Open<TRentTopFm>();
    Bill(QStringLiteral("2024-06-10"), 1, 1);
    Bill(QStringLiteral("2024-06-11"), 0, 4);
    report->Refresh();
    EXPECT_EQ(Rows(report->Report(), TBandKind::GroupHeader), 0);
    report->cbGroup->click();
    EXPECT_GT(Rows(report->Report(), TBandKind::GroupHeader), 0);
    EXPECT_EQ(Rows(report->Report(), TBandKind::Detail), 2);
}

TEST_F(QChildFmTest, PickingAMemberNarrowsTheDetailListToHisBills) {
    auto* report = Open<TRentDetailFm>();
    Bill(QStringLiteral("2024-06-15"), 1, 1);
    Bill(QStringLiteral("2024-06-15"), 0, 2);
    Bill(QStringLiteral("2024-06-15"), 0, 3);
    report->Refresh();
    EXPECT_EQ(Rows(report->Report(), TBandKind::Detail), 3);

    TypeAndEnter(report->edCode, QStringLiteral("WXJ"));
    EXPECT_FALSE(report->cbAll->isChecked());
    report->btnRefresh->click();
    EXPECT_EQ(Rows(report->Report(), TBandKind::Detail), 1);

    report->cbAll->setChecked(true);
    report->btnRefresh->click();
    EXPECT_EQ(Rows(report->Report(), TBandKind::Detail), 3);
}

TEST(PBarFmTest, OneWindowAtATimeDisablesTheMainWindowUntilItsLastStep) {
    QWidget main;
    main.show();
    TPBarFm::Open(&main, 2);
    TPBarFm::Open(&main, 3);
    QPointer<TPBarFm> shown = TPBarFm::Current();
    ASSERT_NE(shown, nullptr);
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_EQ(std::count_if(windows.cbegin(), windows.cend(),
                            [](QWidget* widget) { return qobject_cast<TPBarFm*>(widget); }),
              1);
    EXPECT_FALSE(main.isEnabled());
    TPBarFm::Step();
    TPBarFm::Step();
    EXPECT_NE(shown, nullptr);
    TPBarFm::Step();
    EXPECT_EQ(shown, nullptr);
    EXPECT_TRUE(main.isEnabled());
}

TEST_F(QChildFmTest, APdfCopyHasThePagesShown) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    auto* report = Open<TRentDetailFm>();
    ManyBills();
    report->Refresh();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("明细.pdf"));
    chooser_.QueueAnswer(pdf);
    report->btnPdf->click();
    EXPECT_TRUE(Messages().isEmpty());
    ASSERT_EQ(chooser_.Requests().size(), 1);
    EXPECT_EQ(chooser_.Requests().constFirst().proposedName, QStringLiteral("影片出租明细表.pdf"));

    ASSERT_EQ(QProcess::execute(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"),
                                           QStringLiteral("40"), pdf, dir.filePath("page")}),
              0);
    const QStringList pictures = QDir(dir.path()).entryList({QStringLiteral("page*.png")});
    EXPECT_EQ(pictures.size(), report->PageCount());
    const QImage first(dir.filePath(pictures.value(0)));
    ASSERT_FALSE(first.isNull());
    int dark = 0;
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            dark += first.pixelColor(x, y).lightness() < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 500); // title, captions and rows in ink
}

TEST_F(QChildFmTest, APdfThatCannotBeWrittenIsReported) {
    auto* report = Open<TRentTopFm>();
    report->Refresh();
    Messages();
    chooser_.QueueAnswer(QStringLiteral("/nonexistent/folder/排行.pdf"));
    report->btnPdf->click();
    ASSERT_EQ(Messages().size(), 1);
}

TEST_F(QChildFmTest, Screenshots) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP() << "pictures only with VINTOR_SCREENSHOTS=1";
    }
    auto* report = Open<TRentTopFm>();
    const int titles[] = {1, 1, 1, 2, 2, 3, 4, 4, 4, 4, 5, 6, 7, 8, 9, 11, 12, 12, 13};
    for (int title : titles) {
        Bill(QStringLiteral("2024-06-08"), 1, title);
    }
    window_->resize(1024, 700);
    report->Refresh();
    QTest::qWait(50);
    Screenshots::Save(window_->grab(), QStringLiteral("rent-top.png"));
}

} // namespace

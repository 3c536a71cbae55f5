#include "app/AboutFm.h"
#include "app/BeginnerFm.h"
#include "app/DataToolsFm.h"
#include "app/HelpFm.h"
#include "app/SystemMemory.h"
#include "app/TipFm.h"

#include "storage/Clock.h"
#include "storage/ScriptedPrompter.h"
#include "storage/Settings.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/ProgramHome.h"
#include "tests/app/Screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

TEST(BeginnerFmTest, TheBoxWritesBeginerAndClosingTheGuideKeepsItAway) {
    TProgramHome home;
    TSettings settings;
    TBeginnerFm guide;
    EXPECT_FALSE(guide.ckNoShow->isChecked());
    EXPECT_FALSE(guide.btnPrior->isEnabled());

    TModalDriver().Exec(guide, [&] {
        guide.ckNoShow->click();
        EXPECT_EQ(settings.Beginer(), 1);
        guide.ckNoShow->click();
        EXPECT_EQ(settings.Beginer(), 0);
        for (int step = 0; step < 3; ++step) {
            guide.btnNext->click();
        }
        EXPECT_FALSE(guide.btnNext->isEnabled());
        EXPECT_TRUE(guide.btnPrior->isEnabled());
        guide.btnCancel->click();
    });
    EXPECT_EQ(settings.Beginer(), 1);
    TBeginnerFm next;
    EXPECT_TRUE(next.ckNoShow->isChecked());
}

TEST(BeginnerFmTest, EscClosesTheGuide) {
    TProgramHome home;
    TBeginnerFm guide;
    bool stillOpen = true;
    const int result = TModalDriver().Exec(guide, [&] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(guide.btnNext, &escape);
        stillOpen = guide.isVisible();
    });
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(TSettings().Beginer(), 1);
}

TEST(TipFmTest, BrowsesTheTenTipsFromTheFirst) {
    TTipFm tips;
    ASSERT_EQ(TTipFm::TipCount(), 10);
    EXPECT_EQ(tips.lbTitle->text(), QStringLiteral("获得最佳显示效果"));
    EXPECT_FALSE(tips.btnPrior->isEnabled());
    QStringList titles{tips.lbTitle->text()};
    while (tips.btnNext->isEnabled()) {
        tips.btnNext->click();
        titles << tips.lbTitle->text();
    }
    EXPECT_EQ(titles.size(), 10);
    EXPECT_EQ(titles.last(), QStringLiteral("联系我们"));
    EXPECT_EQ(titles.removeDuplicates(), 0);
    EXPECT_TRUE(tips.btnPrior->isEnabled());
    tips.btnPrior->click();
    EXPECT_EQ(tips.lbTitle->text(), QStringLiteral("怎样查找出满足特定条件的记录"));
    EXPECT_TRUE(tips.btnNext->isEnabled());
}

TEST(AboutFmTest, ShowsTheInstalledMemoryWithThousandsSeparators) {
    EXPECT_EQ(SystemMemory::TotalKilobytes("MemFree:  12 kB\nMemTotal:       16318412 kB\n"),
              16318412);
    EXPECT_EQ(SystemMemory::TotalKilobytes("nothing here"), 0);
    EXPECT_EQ(SystemMemory::GroupedKilobytes(16318412), QStringLiteral("16,318,412"));
    EXPECT_EQ(SystemMemory::GroupedKilobytes(999), QStringLiteral("999"));
    EXPECT_EQ(SystemMemory::GroupedKilobytes(1000), QStringLiteral("1,000"));

    TAboutFm about;
    EXPECT_GT(SystemMemory::InstalledKilobytes(), 0);
    EXPECT_EQ(about.lbMemory->text(),
              QStringLiteral("可用物理内存：%1 KB")
                  .arg(SystemMemory::GroupedKilobytes(SystemMemory::InstalledKilobytes())));
    EXPECT_EQ(about.lbVersion->text(), QStringLiteral("版本：v2.06(2004-5-8)"));
}

TEST(DataToolsFmTest, ShowsTheBackupNameAndKeepsEachPairOfBoxesExclusive) {
    TClock::SetToday(QDate(2024, 6, 15));
    TDataToolsFm window(nullptr, QStringLiteral("/shop/data/小店.mdb"));
    EXPECT_TRUE(window.lbBackup->text().startsWith(QStringLiteral("小店2024-06-15.")));
    EXPECT_EQ(window.edReturn_Date->date(), QDate(2023, 12, 15));
    EXPECT_EQ(window.edSale_Date->date(), QDate(2023, 12, 15));
    window.ckReturn_All->click();
    window.ckReturn_Date->click();
    EXPECT_FALSE(window.ckReturn_All->isChecked());
    window.ckSale_Date->click();
    window.ckSale_All->click();
    EXPECT_FALSE(window.ckSale_Date->isChecked());
    EXPECT_TRUE(window.ckReturn_Date->isChecked());
    TClock::Release();
}

TEST(DataToolsFmTest, StartingTheCarryOverSaysThatNothingWasCarriedOver) {
    TProgramHome home;
    TScriptedPrompter prompter;
    const TPrompterScope scope(prompter);
    TDataToolsFm window(nullptr, QStringLiteral("/shop/data/小店.mdb"));
    window.btnStart->click();
    ASSERT_EQ(prompter.Texts(TScriptedPrompter::Kind::Warning).size(), 1);
    EXPECT_TRUE(prompter.Texts(TScriptedPrompter::Kind::Warning)[0].contains(
        QStringLiteral("没有结转任何记录")));
}

TEST(HelpFmTest, EveryPageHasATitleAndEveryLinkLeadsToAPage) {
    THelpFm help;
    ASSERT_EQ(help.lbContents->count(), THelpFm::Pages().size());
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
    for (int row = 0; row < help.lbContents->count(); ++row) {
        const QString page = THelpFm::Pages().at(row);
        QFile file(QStringLiteral(":/help/") + page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        EXPECT_NE(help.lbContents->item(row)->text(), page);
        const QString html = QString::fromUtf8(file.readAll());
        for (const auto& match : link.globalMatch(html)) {
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + match.captured(1)))
                << page.toStdString() << " -> " << match.captured(1).toStdString();
        }
    }
}

TEST(HelpFmTest, TheContentsFollowThePageShown) {
    THelpFm help;
    help.ShowPage(QStringLiteral("rental.html"));
    EXPECT_EQ(help.lbContents->currentRow(), THelpFm::Pages().indexOf(u"rental.html"));
    EXPECT_TRUE(help.tbPage->toPlainText().contains(QStringLiteral("F6")));
    help.lbContents->setCurrentRow(static_cast<int>(THelpFm::Pages().indexOf(u"funds.html")));
    EXPECT_EQ(help.CurrentPage(), QStringLiteral("funds.html"));
}

// Writes the small windows' pictures for the documentation when asked to.
TEST(SmallWindowsTest, Screenshots) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP() << "VINTOR_SCREENSHOTS not set";
    }
    THelpFm help;
    help.ShowPage(QStringLiteral("rental.html"));
    help.show();
    Screenshots::Save(help.grab(), QStringLiteral("HelpFm.png"));
    TTipFm tips;
    tips.ShowTip(6);
    tips.show();
    Screenshots::Save(tips.grab(), QStringLiteral("TipFm.png"));
    TAboutFm about;
    about.show();
    Screenshots::Save(about.grab(), QStringLiteral("AboutFm.png"));
}

} // namespace

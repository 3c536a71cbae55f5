#include "rental/ui/SearchCdFm.h"

#include "app/ChildFm.h"
#include "app/Session.h"
#include "app/kit/DateEdit.h"
#include "app/kit/DeskGrid.h"
#include "app/kit/GridFooter.h"
#include "app/kit/IdComboBox.h"
#include "app/kit/PopupDlg.h"
#include "tests/app/Screenshots.h"
#include "tests/app/SessionFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

using Kind = TScriptedPrompter::Kind;

const QString NoRentedOut = QStringLiteral("该影片目前已经被出租。");
const QString NothingHighlighted = QStringLiteral("请先在列表中选择要操作的记录后在使用此功能。");

// The search window on the example ledger: rental titles 00001–00010 (15
// discs) and the ten episodes 0001-1 … 0001-10 of a series, all in stock;
// sale titles S0001–S0004.
class SearchCdFmTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        LogIn(Admin);
        desk_ = new TChildFm;
        Host(desk_);
    }
    // The desk's search window, shown without its modal loop.
    TSearchCdFm* Open() {
        auto* search = new TSearchCdFm(desk_);
        search->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(search));
        return search;
    }
    static void Find(TSearchCdFm& search, QLineEdit* field, const QString& text) {
        field->setText(text);
        search.btnSearch->click();
    }
    static QStringList Column(QTableView* grid, int column) {
        QStringList cells;
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            cells << grid->model()->index(row, column).data().toString();
        }
        return cells;
    }
    static bool Ticked(QTableView* grid, int row) {
        return grid->model()->index(row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>() ==
               Qt::Checked;
    }
    // Space on a line, as the operator ticks it from the keyboard.
    static void SpaceOn(QTableView* grid, int row) {
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(row, 1));
        QTest::keyClick(grid, Qt::Key_Space);
    }
    void SetStatus(const QString& code, int status) {
        TSession::Current().Dm.ExecSql(
            QStringLiteral("UPDATE TbRentCd SET Status=%1 WHERE Code=\"%2\"")
                .arg(status)
                .arg(code));
    }

    TChildFm* desk_ = nullptr;
};

} // namespace

TEST_F(SearchCdFmTest, CriteriaFindTitlesAndThePageButtonsFollowTheResults) {
    TSearchCdFm* search = Open();
    EXPECT_EQ(search->windowTitle(), QStringLiteral("影片搜索/挑选"));
    EXPECT_EQ(search->cbCdCategory->currentText(), QStringLiteral("所有影片分类"));
    EXPECT_EQ(search->cbCdCategory->currentData().toInt(), 0);
    EXPECT_TRUE(search->edFrom->IsEmpty());
    EXPECT_TRUE(search->edTo->IsEmpty());
    EXPECT_FALSE(search->btnGo->isEnabled());
    EXPECT_FALSE(search->btnAll->isEnabled());

    search->btnSearch->click();
    EXPECT_EQ(search->tlSearch->model()->rowCount(), 20);
    EXPECT_TRUE(search->btnGo->isEnabled());
    EXPECT_TRUE(search->btnClear->isEnabled());
    EXPECT_EQ(search->ftSearch->Cell(1), QStringLiteral("总数: 20"));
    EXPECT_EQ(search->ftSearch->Cell(4), QStringLiteral("合计: 25"));
    EXPECT_EQ(Column(search->tlSearch, 3).first(), QStringLiteral("喜剧片"));
    EXPECT_EQ(Column(search->tlSearch, 5).first(), QStringLiteral("未租"));

    // The category alone, then with its direct sub-categories.
    search->cbCdCategory->setCurrentIndex(search->cbCdCategory->findText(QStringLiteral("喜剧片")));
    search->btnSearch->click();
    EXPECT_EQ(Column(search->tlSearch, 1),
              (QStringList{QStringLiteral("00001"), QStringLiteral("00003"),
                           QStringLiteral("00006"), QStringLiteral("00007")}));
    search->cbCdCategory->setCurrentIndex(search->cbCdCategory->findText(QStringLiteral("电影")));
    search->btnSearch->click();
    EXPECT_EQ(search->tlSearch->model()->rowCount(), 0);
    search->cbSub->setChecked(true);
    search->btnSearch->click();
    EXPECT_EQ(search->tlSearch->model()->rowCount(), 9);

    // A purchase date after the stock-in day finds nothing; the buttons go.
    search->edFrom->SetEnteredDate(QDate(2024, 6, 1));
    search->btnSearch->click();
    EXPECT_EQ(search->tlSearch->model()->rowCount(), 0);
    EXPECT_FALSE(search->btnGo->isEnabled());
    EXPECT_FALSE(search->btnAll->isEnabled());
    EXPECT_EQ(search->ftSearch->Cell(1), QStringLiteral("总数: 0"));
    search->edFrom->SetEnteredDate(QDate());

    // Quotes and wildcards are looked for as typed: no error, no hit.
    search->cbCdCategory->setCurrentIndex(0);
    Find(*search, search->edName, QStringLiteral("\"*"));
    EXPECT_EQ(search->tlSearch->model()->rowCount(), 0);
    Find(*search, search->edName, QStringLiteral("射雕"));
    EXPECT_EQ(search->tlSearch->model()->rowCount(), 10);
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
}

TEST_F(SearchCdFmTest, RentedOutTitlesCannotBeTicked) {
    SetStatus(QStringLiteral("00002"), 2);
    TSearchCdFm* search = Open();
    Find(*search, search->edCode, QStringLiteral("0000"));
    ASSERT_EQ(search->tlSearch->model()->rowCount(), 9); // 00001 … 00009
    EXPECT_EQ(search->tlSearch->model()->index(1, 5).data().toString(), QStringLiteral("已租"));
    EXPECT_FALSE(Ticked(search->tlSearch, 1));
    EXPECT_EQ(search->ftSearch->Cell(1), QStringLiteral("总数: 8"));

    SpaceOn(search->tlSearch, 1);
    EXPECT_EQ(prompter_.Texts(Kind::Warning), QStringList{NoRentedOut});
    EXPECT_FALSE(Ticked(search->tlSearch, 1));
    // The box itself, as a click sets it.
    search->tlSearch->model()->setData(search->tlSearch->model()->index(1, 0), Qt::Checked,
                                       Qt::CheckStateRole);
    EXPECT_FALSE(Ticked(search->tlSearch, 1));
    EXPECT_EQ(prompter_.Texts(Kind::Warning).size(), 2);

    SpaceOn(search->tlSearch, 0);
    EXPECT_FALSE(Ticked(search->tlSearch, 0));
    EXPECT_EQ(search->ftSearch->Cell(1), QStringLiteral("总数: 7"));
    search->btnClear->click();
    EXPECT_EQ(search->ftSearch->Cell(1), QStringLiteral("总数: 0"));
    search->btnAll->click();
    EXPECT_EQ(search->ftSearch->Cell(1), QStringLiteral("总数: 8"));
    EXPECT_FALSE(Ticked(search->tlSearch, 1));

    // The popup's part commands act on the highlighted lines only.
    search->tlSearch->clearSelection();
    search->tlSearch->mpClear->trigger();
    EXPECT_EQ(prompter_.Texts(Kind::Warning).last(), NothingHighlighted);
    search->tlSearch->selectRow(0);
    search->tlSearch->mpClear->trigger();
    EXPECT_FALSE(Ticked(search->tlSearch, 0));
    EXPECT_EQ(search->tlSearch->HighlightedLines(), QList<int>{0});
    search->tlSearch->maClear->trigger();
    EXPECT_EQ(search->ftSearch->Cell(1), QStringLiteral("总数: 0"));
    search->tlSearch->selectAll();
    search->tlSearch->mpSelect->trigger();
    EXPECT_EQ(search->ftSearch->Cell(1), QStringLiteral("总数: 8"));
    EXPECT_EQ(prompter_.Texts(Kind::Warning).size(), 3);
}

TEST_F(SearchCdFmTest, PickHandsBackTheTickedCartCodesAndKeepsTheCart) {
    driver_.WhenShown<TSearchCdFm>([this](TSearchCdFm& search) {
        EXPECT_EQ(search.btnPost->text(), QStringLiteral("出租"));
        EXPECT_EQ(QApplication::focusWidget(), search.edCode);
        // From the keyboard: the code, Enter on to the name, Alt+S searches
        // and Alt+B moves the ticked results into the cart, each at once
        // (without the pressed look Qt shows before a mnemonic clicks).
        QTest::keyClicks(search.edCode, QStringLiteral("00001"));
        QTest::keyClick(search.edCode, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), search.edName);
        QTest::keyClick(search.edName, Qt::Key_S, Qt::AltModifier);
        EXPECT_EQ(search.tlSearch->model()->rowCount(), 1);
        QTest::keyClick(search.edName, Qt::Key_B, Qt::AltModifier);
        EXPECT_EQ(search.tlBag->model()->rowCount(), 1);
        EXPECT_EQ(search.pcResult->currentIndex(), 1);
        EXPECT_EQ(search.ftBag->Cell(4), QStringLiteral("合计: 2"));
        search.btnPost->click();
    });
    EXPECT_EQ(TSearchCdFm::Pick(desk_, TSearchCdObject::RentMode),
              QStringList{QStringLiteral("00001")});

    // The same window again: the cart keeps the earlier pick.
    driver_.WhenShown<TSearchCdFm>([](TSearchCdFm& search) {
        EXPECT_EQ(search.tlBag->model()->rowCount(), 1);
        EXPECT_EQ(search.edCode->text(), QStringLiteral("00001"));
        Find(search, search.edCode, QStringLiteral("00002"));
        search.btnGo->click();
        EXPECT_EQ(Column(search.tlBag, 1),
                  (QStringList{QStringLiteral("00001"), QStringLiteral("00002")}));
        SpaceOn(search.tlBag, 0);
        EXPECT_EQ(search.ftBag->Cell(1), QStringLiteral("总数: 1"));
        search.btnPost->click();
    });
    EXPECT_EQ(TSearchCdFm::Pick(desk_, TSearchCdObject::RentMode),
              QStringList{QStringLiteral("00002")});
    EXPECT_EQ(desk_->findChildren<TSearchCdFm*>().size(), 1);

    // Closed or left with Esc: nothing goes to the desk.
    driver_.WhenShown<TSearchCdFm>([](TSearchCdFm& search) { search.btnClose->click(); });
    EXPECT_TRUE(TSearchCdFm::Pick(desk_, TSearchCdObject::RentMode).isEmpty());
    driver_.WhenShown<TSearchCdFm>(
        [](TSearchCdFm& search) { QTest::keyClick(search.edName, Qt::Key_Escape); });
    EXPECT_TRUE(TSearchCdFm::Pick(desk_, TSearchCdObject::RentMode).isEmpty());
}

TEST_F(SearchCdFmTest, SaleModeSearchesSaleTitlesAndSells) {
    driver_.WhenShown<TSearchCdFm>([](TSearchCdFm& search) {
        EXPECT_EQ(search.btnPost->text(), QStringLiteral("销售"));
        search.btnSearch->click();
        EXPECT_EQ(Column(search.tlSearch, 1),
                  (QStringList{QStringLiteral("S0001"), QStringLiteral("S0002"),
                               QStringLiteral("S0003"), QStringLiteral("S0004")}));
        EXPECT_EQ(Column(search.tlSearch, 5), QStringList(4, QString()));
        EXPECT_EQ(search.ftSearch->Cell(4), QStringLiteral("合计: 7"));
        search.tlSearch->selectRow(2);
        search.tlSearch->mpClear->trigger();
        search.btnGo->click();
        search.btnPost->click();
    });
    EXPECT_EQ(
        TSearchCdFm::Pick(desk_, TSearchCdObject::SaleMode),
        (QStringList{QStringLiteral("S0004"), QStringLiteral("S0002"), QStringLiteral("S0001")}));
}

TEST_F(SearchCdFmTest, TheActorPickerPutsTickedNamesIntoTheField) {
    TSearchCdFm* search = Open();
    search->edPlayer->setFocus();
    QTest::keyClick(search->edPlayer, Qt::Key_Down, Qt::AltModifier);
    TPopupDlg* picker = search->pdPlayer;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(picker));
    EXPECT_EQ(picker->tabs->currentIndex(), 0);
    EXPECT_EQ(picker->list->count(), 0); // nobody's initials start with A

    QTest::keyClick(picker->list, Qt::Key_Z);
    EXPECT_EQ(picker->tabs->tabText(picker->tabs->currentIndex()), QStringLiteral("Z"));
    const QList<QListWidgetItem*> found =
        picker->list->findItems(QStringLiteral("周星驰"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    picker->list->setCurrentItem(found.first());
    QTest::keyClick(picker->list, Qt::Key_Space);
    EXPECT_EQ(search->edPlayer->text(), QStringLiteral("周星驰,"));
    EXPECT_EQ(found.first()->checkState(), Qt::Checked);
    QTest::keyClick(picker->list, Qt::Key_Escape);
    EXPECT_FALSE(picker->isVisible());

    search->btnSearch->click();
    EXPECT_EQ(
        Column(search->tlSearch, 1),
        (QStringList{QStringLiteral("00001"), QStringLiteral("00003"), QStringLiteral("00007")}));

    // Opened again it starts on A; on Z the name shows ticked, and a second
    // Space takes it out of the field.
    QTest::keyClick(search->edPlayer, Qt::Key_F4);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(picker));
    EXPECT_EQ(picker->tabs->currentIndex(), 0);
    QTest::keyClick(picker->list, Qt::Key_Z);
    QListWidgetItem* star = picker->list->findItems(QStringLiteral("周星驰"), Qt::MatchExactly)[0];
    EXPECT_EQ(star->checkState(), Qt::Checked);
    picker->list->setCurrentItem(star);
    QTest::keyClick(picker->list, Qt::Key_Space);
    EXPECT_EQ(search->edPlayer->text(), QString());
    QTest::keyClick(picker->list, Qt::Key_Return);
    EXPECT_FALSE(picker->isVisible());
}

TEST_F(SearchCdFmTest, Screenshots) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP() << "VINTOR_SCREENSHOTS is not set";
    }
    SetStatus(QStringLiteral("00004"), 2);
    TSearchCdFm* search = Open();
    Find(*search, search->edName, QStringLiteral("射雕"));
    search->tlSearch->selectAll();
    search->tlSearch->mpClear->trigger();
    search->tlSearch->selectRow(0);
    search->tlSearch->mpSelect->trigger();
    search->tlSearch->selectRow(1);
    search->tlSearch->mpSelect->trigger();
    search->btnGo->click();
    search->cbCdCategory->setCurrentIndex(search->cbCdCategory->findText(QStringLiteral("电影")));
    search->cbSub->setChecked(true);
    search->edName->clear();
    search->btnSearch->click();
    search->tlSearch->clearSelection();
    Screenshots::Save(search->grab(), QStringLiteral("disc-search.png"));
}

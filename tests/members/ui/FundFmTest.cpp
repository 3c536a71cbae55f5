#include "members/ui/FundFm.h"

#include "app/kit/DataGrid.h"
#include "app/kit/DateEdit.h"
#include "app/kit/DigitEdit.h"
#include "app/kit/GridFooter.h"
#include "app/kit/IdComboBox.h"
#include "members/FundLists.h"
#include "members/ui/AccountPanel.h"
#include "members/ui/AddAccountFm.h"
#include "members/ui/AddFTransactionFm.h"
#include "members/ui/AddTransferFm.h"
#include "storage/Settings.h"
#include "storage/TextFormats.h"
#include "storage/dao/DM.h"
#include "tests/app/Screenshots.h"
#include "tests/app/SessionFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

namespace {

using Kind = TScriptedPrompter::Kind;
using namespace FundLists;

// The funds window on the example ledger (2024-06-15): the cash box with the
// two stock-in payments and seven member payments and deposits, and the bank
// account "工商银行账户" (2) without movements; member 2 (李明) paid 50.00, a
// member movement that names him, not the bank, in AId1.
class FundFmTest : public SessionTest {
protected:
    void Open() {
        LogIn(Admin);
        Show();
    }
    // The window on the ledger opened before.
    void Show() {
        window_->resize(1100, 720);
        fund_ = new TFundFm;
        Host(fund_);
    }
    // A key where the operator is; the main window active again after a
    // dialog, as the desktop makes it.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        if (!window_->isActiveWindow()) {
            window_->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        }
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window_.get(), key, modifiers);
    }
    static void SaveAndClose(QWidget& dialog) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("保存并关闭 &S")) {
                button->click();
                return;
            }
        }
        ADD_FAILURE() << "no 保存并关闭";
    }
    QString Cell(int column) const {
        const QModelIndex current = fund_->dgFTransaction->currentIndex();
        return current.sibling(current.row(), column).data().toString();
    }
    int Rows() const { return fund_->dgFTransaction->model()->rowCount(); }
    // The balance shown in the details ("1234.50元").
    Currency Balance() const {
        QString text = fund_->gbDetail->lbBalance->text();
        EXPECT_TRUE(text.endsWith(QStringLiteral("元"))) << text.toStdString();
        text.chop(1);
        return Currency::Parse(text).value_or(Currency::FromWhole(-999999));
    }
    QString Footer(int column) const { return fund_->ftFTransaction->Cell(column); }
    static Currency Money(const char* text) { return Currency::Parse(QLatin1String(text)).value(); }
    void Insert(int category, int aId3, const char* sum1, const char* sum2, const char* day) {
        TSession::Current().Dm.ExecSql(
            QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,"
                           "Sum1,Sum2,Memo) VALUES (#%1#,%2,0,0,1,1,0,%3,%4,%5,\"\")")
                .arg(QLatin1String(day))
                .arg(category)
                .arg(aId3)
                .arg(QLatin1String(sum1), QLatin1String(sum2)));
    }
    qint64 LastMovement() {
        return TSession::Current()
            .Dm
            .SqlFieldText(QStringLiteral("SELECT Max(Id) AS V FROM TbFTransaction"),
                          QStringLiteral("V"))
            .toLongLong();
    }

    TFundFm* fund_ = nullptr;
};

} // namespace

TEST_F(FundFmTest, ATransferShowsWithOppositeSignsInBothAccounts) {
    Open();
    ASSERT_EQ(fund_->tcAccount->count(), 2);
    EXPECT_EQ(fund_->tcAccount->tabText(0), QStringLiteral("收银箱"));
    EXPECT_EQ(fund_->tcAccount->tabText(1), QStringLiteral("工商银行账户"));
    EXPECT_EQ(fund_->AccountId(), 1);
    EXPECT_EQ(fund_->gbDetail->lbName->text(), QStringLiteral("收银箱"));
    EXPECT_EQ(Footer(DayColumn), QStringLiteral("总数:9"));
    const Currency cashBox = Balance();

    driver_.WhenShown<TAddTransferFm>([](TAddTransferFm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加/修改转账"));
        EXPECT_TRUE(dialog.rbOut->isChecked());
        EXPECT_EQ(dialog.lbAccount->text(), QStringLiteral("收款账户"));
        EXPECT_EQ(dialog.cbAccount->count(), 1); // every account but this one
        EXPECT_EQ(dialog.cbAccount->currentText(), QStringLiteral("工商银行账户"));
        EXPECT_EQ(dialog.Entries.cbCategory->ChosenId(), 16);
        EXPECT_EQ(dialog.Entries.edSum->text(), QStringLiteral("0.00"));
        dialog.rbIn->setChecked(true);
        EXPECT_EQ(dialog.lbAccount->text(), QStringLiteral("划款账户"));
        dialog.rbOut->setChecked(true);
        dialog.Entries.edSum->setText(QStringLiteral("100"));
        dialog.Entries.edMemo->setText(QStringLiteral("存入银行"));
        SaveAndClose(dialog);
    });
    Press(Qt::Key_T, Qt::AltModifier);
    ASSERT_EQ(driver_.Pending(), 0);
    const qint64 transfer = fund_->dgFTransaction->SelectedId();
    EXPECT_EQ(transfer, LastMovement());
    EXPECT_EQ(Cell(SumColumn), QStringLiteral("-100.00"));
    EXPECT_EQ(Cell(CounterpartColumn), QStringLiteral("工商银行账户"));
    EXPECT_EQ(Cell(MemoColumn), QStringLiteral("存入银行"));
    EXPECT_EQ(Balance(), cashBox - Money("100"));
    EXPECT_EQ(Footer(DayColumn), QStringLiteral("总数:10"));

    // The bank's list holds the same row, paid in, and neither 李明's payment
    // (his member Id is the bank's) in the list nor in its count.
    fund_->tcAccount->setCurrentIndex(1);
    EXPECT_EQ(fund_->AccountId(), 2);
    EXPECT_EQ(fund_->gbDetail->lbNo->text(), QStringLiteral("6222020200112233445"));
    EXPECT_EQ(fund_->gbDetail->lbBank->text(), QStringLiteral("中国工商银行"));
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(fund_->dgFTransaction->SelectedId(), transfer);
    EXPECT_EQ(Cell(SumColumn), QStringLiteral("100.00"));
    EXPECT_EQ(Cell(CounterpartColumn), QStringLiteral("收银箱"));
    EXPECT_EQ(fund_->gbDetail->lbBalance->text(), QStringLiteral("100.00元"));
    EXPECT_EQ(Footer(DayColumn), QStringLiteral("总数:1"));
    EXPECT_EQ(Footer(SumColumn), QStringLiteral("合计:100.00"));

    // Edited from the bank: it came in from the cash box, and stays so.
    driver_.WhenShown<TAddTransferFm>([](TAddTransferFm& dialog) {
        EXPECT_TRUE(dialog.rbIn->isChecked());
        EXPECT_EQ(dialog.lbAccount->text(), QStringLiteral("划款账户"));
        EXPECT_EQ(dialog.cbAccount->currentText(), QStringLiteral("收银箱"));
        EXPECT_FALSE(dialog.rbOut->isEnabled());
        EXPECT_FALSE(dialog.cbAccount->isEnabled());
        EXPECT_EQ(dialog.Entries.edSum->text(), QStringLiteral("100.00"));
        dialog.Entries.edSum->setText(QStringLiteral("60"));
        SaveAndClose(dialog);
    });
    fund_->btn_FTransaction_Edit->click();
    ASSERT_EQ(driver_.Pending(), 0);
    EXPECT_EQ(Cell(SumColumn), QStringLiteral("60.00"));
    EXPECT_EQ(fund_->gbDetail->lbBalance->text(), QStringLiteral("60.00元"));
    fund_->tcAccount->setCurrentIndex(0);
    EXPECT_EQ(Balance(), cashBox - Money("60"));
}

TEST_F(FundFmTest, MovementsOfTheDesksStockInAndMembersCannotBeChangedHere) {
    LogIn(Admin);
    Insert(2, 0, "30", "0", "2024-06-15"); // a rental out to a walk-in renter
    const qint64 rental = LastMovement();
    Insert(6, 0, "25", "0", "2024-06-15"); // a sale
    const qint64 sale = LastMovement();
    Show();
    EXPECT_EQ(Rows(), 11);
    EXPECT_TRUE(fund_->dgFTransaction->SelectId(rental));
    EXPECT_EQ(Cell(CounterpartColumn), QStringLiteral("零租用户"));
    EXPECT_FALSE(fund_->btn_FTransaction_Edit->isEnabled());
    EXPECT_FALSE(fund_->btn_FTransaction_Del->isEnabled());
    // Neither the keys nor a double click open anything.
    Press(Qt::Key_E, Qt::AltModifier);
    Press(Qt::Key_D, Qt::AltModifier);
    const QModelIndex current = fund_->dgFTransaction->currentIndex();
    QTest::mouseDClick(fund_->dgFTransaction->viewport(), Qt::LeftButton, {},
                       fund_->dgFTransaction->visualRect(current).center());
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
    EXPECT_EQ(LastMovement(), sale);

    EXPECT_TRUE(fund_->dgFTransaction->SelectId(sale));
    EXPECT_FALSE(fund_->btn_FTransaction_Edit->isEnabled());
    fund_->dgFTransaction->setCurrentIndex(fund_->dgFTransaction->model()->index(0, 0));
    EXPECT_EQ(Cell(CategoryColumn), QStringLiteral("出租进货")); // stock-in
    EXPECT_FALSE(fund_->btn_FTransaction_Del->isEnabled());
    fund_->dgFTransaction->setCurrentIndex(fund_->dgFTransaction->model()->index(2, 0));
    EXPECT_EQ(Cell(CounterpartColumn), QStringLiteral("王小姐")); // a member's deposit
    EXPECT_FALSE(fund_->btn_FTransaction_Edit->isEnabled());
}

TEST_F(FundFmTest, WithOnlyTheCashBoxLeftNoTransferCanBeAdded) {
    Open();
    EXPECT_TRUE(fund_->btn_Transfer_Add->isEnabled());
    // The cash box stays whatever the answer.
    Press(Qt::Key_F7);
    EXPECT_EQ(prompter_.Texts(Kind::Warning),
              QStringList{QStringLiteral("收银箱是系统账户，不能删除。")});
    EXPECT_EQ(fund_->tcAccount->count(), 2);

    fund_->tcAccount->setCurrentIndex(1);
    prompter_.QueueAnswer(false);
    Press(Qt::Key_F7);
    EXPECT_EQ(fund_->tcAccount->count(), 2);
    Press(Qt::Key_F7);
    EXPECT_EQ(prompter_.Texts(Kind::Question).last(),
              QStringLiteral("删除账户[工商银行账户],将一并删除此账户相关联的所有资金记录！\r\n"
                             "真的要删除吗？"));
    ASSERT_EQ(fund_->tcAccount->count(), 1);
    EXPECT_EQ(fund_->AccountId(), 1);
    EXPECT_EQ(Footer(DayColumn), QStringLiteral("总数:9")); // 李明's payment stays
    EXPECT_TRUE(fund_->btn_FTransaction_Add->isEnabled());
    EXPECT_FALSE(fund_->btn_Transfer_Add->isEnabled());
    driver_.WhenShown<TAddTransferFm>([](TAddTransferFm&) { ADD_FAILURE() << "transfer"; });
    Press(Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(driver_.Pending(), 1); // still waiting for the dialog

    // A new account is made current, its list in date order, and transfers
    // are possible again.
    fund_->dgFTransaction->Data().ToggleSort(SumColumn);
    driver_.WhenShown<TAddAccountFm>([this](TAddAccountFm& dialog) {
        EXPECT_EQ(QApplication::focusWidget(), dialog.edNo);
        EXPECT_EQ(dialog.cbBank->currentText(), QStringLiteral("中国工商银行"));
        SaveAndClose(dialog);
        EXPECT_EQ(prompter_.Texts(Kind::Error).value(0),
                  QStringLiteral("“\"账户名称\"”输入不能为空，请输入。"));
        EXPECT_EQ(QApplication::focusWidget(), dialog.edName);
        dialog.edName->setText(QStringLiteral("备用金"));
        dialog.cbBank->setCurrentText(QStringLiteral("农村信用社"));
        SaveAndClose(dialog);
    });
    Press(Qt::Key_F5);
    ASSERT_EQ(fund_->tcAccount->count(), 2);
    EXPECT_EQ(fund_->tcAccount->currentIndex(), 1);
    EXPECT_EQ(fund_->gbDetail->lbName->text(), QStringLiteral("备用金"));
    EXPECT_EQ(fund_->gbDetail->lbBank->text(), QStringLiteral("农村信用社"));
    EXPECT_EQ(fund_->dgFTransaction->Data().Sort().SortedColumn(), int(DayColumn));
    EXPECT_TRUE(fund_->btn_Transfer_Add->isEnabled());
}

TEST_F(FundFmTest, TheTodayFilterHidesYesterdayWhileTheFootersCountEverything) {
    LogIn(Admin);
    Insert(26, 0, "12", "0", "2024-06-14"); // yesterday
    Insert(26, 0, "8", "0", "2024-06-15");  // today
    const qint64 today = LastMovement();
    Show();
    EXPECT_TRUE(fund_->mAll->isChecked());
    EXPECT_EQ(Rows(), 11);
    const QString count = Footer(DayColumn);
    const QString total = Footer(SumColumn);
    EXPECT_EQ(count, QStringLiteral("总数:11"));
    EXPECT_EQ(total, QStringLiteral("合计:") + TextFormats::MoneyText(Balance()));

    fund_->mToday->trigger();
    EXPECT_EQ(TSettings().ShowOption(), int(TSettings::ShowToday));
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(fund_->dgFTransaction->SelectedId(), today);
    EXPECT_EQ(Footer(DayColumn), count);
    EXPECT_EQ(Footer(SumColumn), total);

    // The period holds for the next opening and for every account.
    Show();
    EXPECT_TRUE(fund_->mToday->isChecked());
    EXPECT_EQ(Rows(), 1);
    fund_->tcAccount->setCurrentIndex(1);
    EXPECT_EQ(Rows(), 0);
    EXPECT_FALSE(fund_->btn_FTransaction_Edit->isEnabled());
    fund_->tcAccount->setCurrentIndex(0);
    fund_->mMonth->trigger();
    EXPECT_EQ(Rows(), 2); // the two of June; the member movements are of May
    fund_->mAll->trigger();
    EXPECT_EQ(Rows(), 11);
}

TEST_F(FundFmTest, AnExpenseAddedEditedAndDeletedMovesTheBalance) {
    Open();
    const Currency before = Balance();
    driver_.WhenShown<TAddFTransactionFm>([](TAddFTransactionFm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加/修改收支"));
        EXPECT_EQ(QApplication::focusWidget(), dialog.Entries.edDay);
        EXPECT_EQ(dialog.Entries.edDay->EnteredDate(), QDate(2024, 6, 15));
        // The user's categories and funds in and out, nothing of the desks.
        QStringList offered;
        for (int n = 0; n < dialog.Entries.cbCategory->count(); ++n) {
            offered.append(dialog.Entries.cbCategory->itemText(n));
        }
        EXPECT_EQ(offered, (QStringList{QStringLiteral("资金划入"), QStringLiteral("资金划出"),
                                        QStringLiteral("其他收入"), QStringLiteral("房租"),
                                        QStringLiteral("水电费"), QStringLiteral("员工工资")}));
        ASSERT_TRUE(dialog.Entries.cbCategory->ChooseId(27)); // 房租, a daily expense
        dialog.Entries.edSum->setText(QStringLiteral("-5O"));
        SaveAndClose(dialog);
        EXPECT_EQ(QApplication::focusWidget(), dialog.Entries.edSum);
        dialog.Entries.edSum->setText(QStringLiteral("-50"));
        dialog.Entries.edMemo->setText(QStringLiteral("六月房租"));
        SaveAndClose(dialog);
    });
    Press(Qt::Key_A, Qt::AltModifier);
    ASSERT_EQ(driver_.Pending(), 0);
    EXPECT_EQ(prompter_.Texts(Kind::Error),
              QStringList{QStringLiteral("“\"金额\"”输入不正确，请重新输入。")});
    const qint64 expense = fund_->dgFTransaction->SelectedId();
    EXPECT_EQ(Cell(CategoryColumn), QStringLiteral("房租"));
    EXPECT_EQ(Cell(SumColumn), QStringLiteral("-50.00"));
    EXPECT_EQ(Cell(MemoColumn), QStringLiteral("六月房租"));
    EXPECT_EQ(Balance(), before - Money("50"));
    EXPECT_EQ(Footer(SumColumn), QStringLiteral("合计:") + TextFormats::MoneyText(Balance()));
    EXPECT_TRUE(fund_->btn_FTransaction_Edit->isEnabled());

    driver_.WhenShown<TAddFTransactionFm>([](TAddFTransactionFm& dialog) {
        EXPECT_EQ(dialog.Entries.cbCategory->ChosenId(), 27);
        EXPECT_EQ(dialog.Entries.edSum->text(), QStringLiteral("50.00"));
        EXPECT_EQ(dialog.Entries.edMemo->text(), QStringLiteral("六月房租"));
        ASSERT_TRUE(dialog.Entries.cbCategory->ChooseId(26)); // 其他收入
        dialog.Entries.edSum->setText(QStringLiteral("80"));
        SaveAndClose(dialog);
    });
    Press(Qt::Key_E, Qt::AltModifier);
    ASSERT_EQ(driver_.Pending(), 0);
    EXPECT_EQ(fund_->dgFTransaction->SelectedId(), expense);
    EXPECT_EQ(Cell(SumColumn), QStringLiteral("80.00"));
    EXPECT_EQ(Balance(), before + Money("80"));

    prompter_.QueueAnswer(false);
    Press(Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(prompter_.Texts(Kind::Question).last(),
              QStringLiteral("确实要删除 [\"收支转账记录\"]吗？"));
    EXPECT_EQ(Balance(), before + Money("80"));
    Press(Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(Balance(), before);
    EXPECT_EQ(Footer(DayColumn), QStringLiteral("总数:9"));
    EXPECT_NE(fund_->dgFTransaction->SelectedId(), expense);
}

TEST_F(FundFmTest, Screenshots) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP();
    }
    LogIn(Admin);
    Insert(2, 2, "30", "0", "2024-06-14");
    Insert(1, 2, "30", "-6", "2024-06-15");
    Show();
    driver_.WhenShown<TAddTransferFm>([](TAddTransferFm& dialog) {
        dialog.Entries.edSum->setText(QStringLiteral("500"));
        dialog.Entries.edMemo->setText(QStringLiteral("存入银行"));
        Screenshots::Save(dialog.grab(), QStringLiteral("fund-transfer.png"));
        SaveAndClose(dialog);
    });
    fund_->btn_Transfer_Add->click();
    driver_.WhenShown<TAddFTransactionFm>([](TAddFTransactionFm& dialog) {
        dialog.Entries.cbCategory->ChooseId(27);
        dialog.Entries.edSum->setText(QStringLiteral("1200"));
        dialog.Entries.edMemo->setText(QStringLiteral("六月房租"));
        Screenshots::Save(dialog.grab(), QStringLiteral("fund-movement.png"));
        SaveAndClose(dialog);
    });
    fund_->btn_FTransaction_Add->click();
    Screenshots::Save(window_->grab(), QStringLiteral("funds.png"));
    driver_.WhenShown<TAddAccountFm>([](TAddAccountFm& dialog) {
        Screenshots::Save(dialog.grab(), QStringLiteral("fund-account.png"));
    });
    Press(Qt::Key_F6);
}

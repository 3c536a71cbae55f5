#include "members/ui/PersonFm.h"

#include "app/ExPickEdit.h"
#include "app/kit/DataGrid.h"
#include "app/kit/DateEdit.h"
#include "app/kit/DigitEdit.h"
#include "app/kit/GridFooter.h"
#include "app/kit/IdComboBox.h"
#include "members/ui/AddAssociatorFm.h"
#include "members/ui/AddTaxFm.h"
#include "members/ui/EditAssociatorFm.h"
#include "members/ui/MemberPanel.h"
#include "storage/dao/DM.h"
#include "tests/app/Screenshots.h"
#include "tests/app/SessionFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

using Kind = TScriptedPrompter::Kind;

// The members window on the example ledger (2024-06-15): six members 1001
// 王小姐 … 1006 赵强, of the types 普通会员, 包月会员 (30 days for 50.00),
// 计次会员 (10 discs for 30.00), 季度会员 and 储值会员 (prepaid rent).
class PersonFmTest : public SessionTest {
protected:
    TPersonFm* Open(const QString& name = Admin, const QString& password = QString()) {
        LogIn(name, password);
        window_->resize(1100, 720);
        person_ = new TPersonFm;
        Host(person_);
        return person_;
    }
    // Releases a function key where the operator is.
    void Press(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window_.get(), key);
    }
    void Pick(const QString& typed) {
        person_->edCode->setFocus();
        person_->edCode->clear();
        QTest::keyClicks(person_->edCode, typed);
        QTest::keyClick(person_->edCode, Qt::Key_Return);
    }
    static void Click(QWidget& dialog, const QString& caption) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == caption) {
                button->click();
                return;
            }
        }
        ADD_FAILURE() << caption.toStdString();
    }
    static void SaveAndClose(QWidget& dialog) { Click(dialog, QStringLiteral("保存并关闭 &S")); }
    static QString Cell(TDataGrid* grid, int column) {
        const QModelIndex current = grid->currentIndex();
        return current.sibling(current.row(), column).data().toString();
    }
    static int Rows(TDataGrid* grid) { return grid->model()->rowCount(); }
    QString Value(const QString& sql) {
        return TSession::Current().Dm.SqlFieldText(sql, QStringLiteral("V"));
    }

    TPersonFm* person_ = nullptr;
};

} // namespace

TEST_F(PersonFmTest, ANewMemberWithAFirstPaymentAndDepositIsShownWithItsRecords) {
    Open();
    EXPECT_EQ(person_->ftAssociator->Cell(0), QStringLiteral("总数:6"));
    EXPECT_EQ(Cell(person_->dgAssociator, 0), QStringLiteral("1001"));
    driver_.WhenShown<TAddAssociatorFm>([this](TAddAssociatorFm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("新添会员"));
        EXPECT_GT(dialog.Entries.cbType->ChosenId(), 0); // a type is chosen at once
        EXPECT_EQ(dialog.edSum->text(), QStringLiteral("0.00"));
        ASSERT_TRUE(dialog.Entries.cbType->ChooseId(1));
        EXPECT_EQ(dialog.lbSum->text(), QStringLiteral("会员缴费"));
        ASSERT_TRUE(dialog.Entries.cbType->ChooseId(5));
        EXPECT_EQ(dialog.lbSum->text(), QStringLiteral("预收租金"));
        dialog.Entries.edCode->setText(QStringLiteral("1001"));
        dialog.Entries.edName->setText(QStringLiteral("孙悟空"));
        dialog.edSum->setText(QStringLiteral("80"));
        dialog.edDeposit->setText(QStringLiteral("20"));
        SaveAndClose(dialog);
        // A code in use: refused, the code focused, everything typed kept.
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(prompter_.Texts(Kind::Error),
                  QStringList{QStringLiteral("“\"1001\"”编号已经存在，请重新输入。")});
        EXPECT_EQ(QApplication::focusWidget(), dialog.Entries.edCode);
        EXPECT_EQ(dialog.edSum->text(), QStringLiteral("80"));
        dialog.Entries.edCode->setText(QStringLiteral("2001"));
        SaveAndClose(dialog);
    });
    Press(Qt::Key_F5);
    ASSERT_EQ(driver_.Pending(), 0);

    EXPECT_EQ(person_->ftAssociator->Cell(0), QStringLiteral("总数:7"));
    EXPECT_EQ(Cell(person_->dgAssociator, 1), QStringLiteral("孙悟空"));
    EXPECT_EQ(Cell(person_->dgAssociator, 4), QStringLiteral("80.00"));
    EXPECT_EQ(Cell(person_->dgAssociator, 5), QStringLiteral("20.00"));
    EXPECT_EQ(person_->gbDetail->lbName->text(), QStringLiteral("孙悟空"));
    EXPECT_EQ(person_->gbDetail->lbType->text(), QStringLiteral("储值会员"));
    EXPECT_EQ(person_->gbDetail->lbBalance->text(), QStringLiteral("80.00元"));
    EXPECT_EQ(person_->gbDetail->lbDeposit->text(), QStringLiteral("20.00元"));
    EXPECT_EQ(person_->gbDetail->lbDays->text(), QStringLiteral("无限制"));
    EXPECT_EQ(Rows(person_->dgFee), 2);
    EXPECT_EQ(person_->ftFee->Cell(0), QStringLiteral("总数:2"));
    EXPECT_EQ(person_->ftFee->Cell(2), QStringLiteral("总计:100.00"));
}

TEST_F(PersonFmTest, PaymentRecordsAddedEditedAndDeletedMoveTheQuotaShown) {
    Open();
    Pick(QStringLiteral("1003")); // 张伟, 计次会员: 10 discs left
    EXPECT_EQ(person_->gbDetail->lbName->text(), QStringLiteral("张伟"));
    EXPECT_EQ(person_->gbDetail->lbNumber->text(), QStringLiteral("10.0部"));
    EXPECT_EQ(person_->ftFee->Cell(2), QStringLiteral("总计:80.00"));

    driver_.WhenShown<TAddTaxFm>([](TAddTaxFm& dialog) {
        EXPECT_EQ(dialog.cbCategory->ChosenId(), 11);
        EXPECT_EQ(dialog.edDay->EnteredDate(), QDate(2024, 6, 15));
        dialog.edSum->setText(QStringLiteral("15"));
        dialog.edMemo->setText(QStringLiteral("半期"));
        SaveAndClose(dialog);
    });
    person_->btn_Fee_Add->click();
    EXPECT_EQ(person_->gbDetail->lbNumber->text(), QStringLiteral("15.0部")); // rnd(15/30*10)
    EXPECT_EQ(Cell(person_->dgAssociator, 3), QStringLiteral("15"));          // the list follows
    EXPECT_EQ(Cell(person_->dgFee, 5), QStringLiteral("半期"));               // the saved one
    EXPECT_EQ(person_->ftFee->Cell(2), QStringLiteral("总计:95.00"));
    const qint64 record = person_->dgFee->SelectedId();

    driver_.WhenShown<TAddTaxFm>([](TAddTaxFm& dialog) {
        EXPECT_EQ(dialog.edSum->text(), QStringLiteral("15.00"));
        EXPECT_EQ(dialog.edMemo->text(), QStringLiteral("半期"));
        dialog.edSum->setText(QStringLiteral("30"));
        SaveAndClose(dialog);
    });
    person_->btn_Fee_Edit->click();
    // The 15.00 taken back (5 discs), then 30.00 credited (10 discs).
    EXPECT_EQ(person_->gbDetail->lbNumber->text(), QStringLiteral("20.0部"));
    EXPECT_EQ(person_->dgFee->SelectedId(), record);
    EXPECT_EQ(person_->ftFee->Cell(0), QStringLiteral("总数:3"));

    prompter_.QueueAnswer(false);
    person_->btn_Fee_Del->click();
    EXPECT_EQ(person_->gbDetail->lbNumber->text(), QStringLiteral("20.0部"));
    prompter_.QueueAnswer(true);
    person_->btn_Fee_Del->click();
    EXPECT_EQ(prompter_.Texts(Kind::Question).last(),
              QStringLiteral("删除会员[张伟]的资金记录,将改变此会员的剩余部数及剩余天数或者押金。"
                             "\r\n真的要删除吗？"));
    EXPECT_EQ(person_->gbDetail->lbNumber->text(), QStringLiteral("10.0部"));
    EXPECT_EQ(person_->ftFee->Cell(0), QStringLiteral("总数:2"));
    EXPECT_GT(person_->dgFee->SelectedId(), 0); // another record is current
    EXPECT_TRUE(person_->btn_Fee_Del->isEnabled());
}

TEST_F(PersonFmTest, DeletingAMemberPutsItsDiscsBackInStock) {
    Open();
    TDM& dm = TSession::Current().Dm;
    for (const int disc : {1, 2}) {
        dm.ExecSql(QStringLiteral("UPDATE TbRentCd SET Status=2 WHERE Id=%1").arg(disc));
        dm.ExecSql(QStringLiteral("INSERT INTO TbRTransaction (Sn,Day1,Day2,AId,CId1,CId2,FId,"
                                  "Deposit,Rent) VALUES (1,#2024-06-10#,#2024-06-10#,2,%1,2,0,0,"
                                  "0)")
                       .arg(disc));
    }
    Pick(QStringLiteral("LM")); // 李明, member 2
    person_->pcDetail->setCurrentIndex(1);
    EXPECT_EQ(Rows(person_->dgRent), 2);
    EXPECT_EQ(person_->ftRent->Cell(1), QStringLiteral("未还:2"));
    EXPECT_EQ(Cell(person_->dgRent, 5), QStringLiteral("未还"));

    prompter_.QueueAnswer(false);
    Press(Qt::Key_F7);
    EXPECT_EQ(person_->ftAssociator->Cell(0), QStringLiteral("总数:6"));
    prompter_.QueueAnswer(true);
    Press(Qt::Key_F7);
    EXPECT_EQ(prompter_.Texts(Kind::Question).last(),
              QStringLiteral("删除会员[李明],将一并删除此会员的出租返还记录及所有资金记录！\r\n真"
                             "的要删除吗？"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) AS V FROM TbRentCd WHERE Id IN (1,2) AND "
                                   "Status=1")),
              QStringLiteral("2"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) AS V FROM TbRTransaction")),
              QStringLiteral("0"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) AS V FROM TbFTransaction WHERE AId3=2")),
              QStringLiteral("0"));
    EXPECT_EQ(person_->ftAssociator->Cell(0), QStringLiteral("总数:5"));
    EXPECT_EQ(Cell(person_->dgAssociator, 0), QStringLiteral("1001")); // the first row
    EXPECT_EQ(person_->gbDetail->lbName->text(), QStringLiteral("王小姐"));
    EXPECT_EQ(person_->ftRent->Cell(0), QStringLiteral("总数:0"));
}

TEST_F(PersonFmTest, TheExportsProposeTheirNamesAndWriteWhatTheListsShow) {
    Open();
    Pick(QStringLiteral("1005")); // 陈静
    const QString members = home_.Path(QStringLiteral("members.htm"));
    const QString fees = home_.Path(QStringLiteral("fees.txt"));
    const QString rents = home_.Path(QStringLiteral("rents.xml"));
    chooser_.QueueAnswer(members);
    chooser_.QueueAnswer(fees);
    chooser_.QueueAnswer(rents);
    person_->btnAssociatorData->click();
    person_->btnFeeData->click();
    person_->pcDetail->setCurrentIndex(1);
    person_->btnRentData->click();

    const auto& requests = chooser_.Requests();
    ASSERT_EQ(requests.size(), 3);
    EXPECT_EQ(requests[0].proposedName, QStringLiteral("所有会员列表"));
    EXPECT_EQ(requests[1].proposedName, QStringLiteral("陈静-交费情况表"));
    EXPECT_EQ(requests[2].proposedName, QStringLiteral("陈静-出租情况表"));
    const auto read = [](const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return QString::fromUtf8(file.readAll());
    };
    const QString memberList = read(members);
    for (const char* name : {"王小姐", "李明", "张伟", "刘芳", "陈静", "赵强", "储值会员"}) {
        EXPECT_TRUE(memberList.contains(QString::fromUtf8(name))) << name;
    }
    const QString feeList = read(fees);
    EXPECT_TRUE(feeList.contains(QStringLiteral("日期,收支分类,金额,经手人,对应账户,说明")));
    EXPECT_TRUE(feeList.contains(QStringLiteral("80.00"))) << feeList.toStdString();
    EXPECT_TRUE(read(rents).contains(QStringLiteral("出租日期")));
}

TEST_F(PersonFmTest, TheClerkAddsMembersAndRecordsButEditsAndDeletesNothing) {
    Open(Clerk, ClerkPassword);
    EXPECT_TRUE(person_->btn_Associator_Add->isEnabled());
    EXPECT_FALSE(person_->btn_Associator_Edit->isEnabled());
    EXPECT_FALSE(person_->btn_Associator_Del->isEnabled());
    EXPECT_TRUE(person_->btn_Fee_Add->isEnabled());
    EXPECT_FALSE(person_->btn_Fee_Edit->isEnabled());
    EXPECT_FALSE(person_->btn_Fee_Del->isEnabled());
    Press(Qt::Key_F7);
    Press(Qt::Key_F6);
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
    EXPECT_EQ(person_->ftAssociator->Cell(0), QStringLiteral("总数:6"));
    bool opened = false;
    driver_.WhenShown<TAddAssociatorFm>([&opened](TAddAssociatorFm&) { opened = true; });
    Press(Qt::Key_F5);
    EXPECT_TRUE(opened);
}

TEST_F(PersonFmTest, F6ShowsTheMemberAndCorrectsItsFiguresWithoutAMovement) {
    Open();
    Pick(QStringLiteral("ZQ")); // 赵强: 季度会员, the period ran out 10 days ago
    EXPECT_EQ(person_->gbDetail->lbDays->text(), QStringLiteral("0天"));
    EXPECT_EQ(person_->gbDetail->lbNumber->text(), QStringLiteral("0.0部"));
    const QString movements = Value(QStringLiteral("SELECT Count(*) AS V FROM TbFTransaction"));
    driver_.WhenShown<TEditAssociatorFm>([](TEditAssociatorFm& dialog) {
        EXPECT_EQ(dialog.Entries.edCode->text(), QStringLiteral("1006"));
        EXPECT_EQ(dialog.Entries.cbType->currentText(), QStringLiteral("季度会员"));
        EXPECT_EQ(dialog.edDays->text(), QStringLiteral("0"));
        EXPECT_EQ(dialog.edNumbers->text(), QStringLiteral("0"));
        dialog.edNumbers->setText(QStringLiteral("2.5"));
        SaveAndClose(dialog);
        EXPECT_TRUE(dialog.isVisible()); // whole discs only
        dialog.edDays->setText(QStringLiteral("30"));
        dialog.edNumbers->setText(QStringLiteral("12"));
        dialog.edDeposit->setText(QStringLiteral("40"));
        SaveAndClose(dialog);
    });
    Press(Qt::Key_F6);
    EXPECT_EQ(prompter_.Texts(Kind::Error),
              QStringList{QStringLiteral("“\"剩余部数\"”输入不正确，请重新输入。")});
    EXPECT_EQ(person_->gbDetail->lbDays->text(), QStringLiteral("30天"));
    EXPECT_EQ(person_->gbDetail->lbNumber->text(), QStringLiteral("12.0部"));
    EXPECT_EQ(person_->gbDetail->lbDeposit->text(), QStringLiteral("40.00元"));
    EXPECT_EQ(Cell(person_->dgAssociator, 0), QStringLiteral("1006"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) AS V FROM TbFTransaction")), movements);
}

TEST_F(PersonFmTest, Screenshots) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP();
    }
    Open();
    Pick(QStringLiteral("1004"));
    Screenshots::Save(window_->grab(), QStringLiteral("members.png"));
    driver_.WhenShown<TAddTaxFm>([](TAddTaxFm& dialog) {
        Screenshots::Save(dialog.grab(), QStringLiteral("member-record.png"));
    });
    person_->btn_Fee_Add->click();
    driver_.WhenShown<TAddAssociatorFm>([](TAddAssociatorFm& dialog) {
        Screenshots::Save(dialog.grab(), QStringLiteral("member-add.png"));
    });
    Press(Qt::Key_F5);
}

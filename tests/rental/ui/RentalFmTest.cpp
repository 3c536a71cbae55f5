#include "rental/ui/RentalFm.h"

#include "app/ExPickEdit.h"
#include "app/QtPrompter.h"
#include "app/kit/DeskGrid.h"
#include "app/kit/GridFooter.h"
#include "app/kit/MoneyEdit.h"
#include "rental/ui/CdInfoPanel.h"
#include "rental/ui/PunishFm.h"
#include "rental/ui/RenterPanel.h"
#include "rental/ui/SearchCdFm.h"
#include "storage/Clock.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "tests/app/Screenshots.h"
#include "tests/app/SessionFixture.h"
#include "tests/rental/CapturePort.h"
#include "tests/rental/ReceiptBytes.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

using Kind = TScriptedPrompter::Kind;

// The desk on the example ledger (2024-06-15). Walk-in fees: 00001 and 00003
// deposit 20.00 and rent 2.00 a day, 00002 and 00004 30.00 and 3.00. Members:
// 1003 张伟 (kind 2, 10 units, 3 days, deducts units when late), 1004 刘芳
// (kind 3, 30 units, 60 days left), 1005 陈静 (kind 5, 80.00 prepaid), 1006
// 赵强 (his paid period ran out 10 days ago).
class RentalFmTest : public SessionTest {
protected:
    TRentalFm* OpenDesk(const QString& name = Admin, const QString& password = QString()) {
        LogIn(name, password);
        desk_ = new TRentalFm;
        Host(desk_);
        return desk_;
    }
    // Types as a scanner does: the code and Enter, no pause.
    void Scan(const QString& code) {
        QTest::keyClicks(desk_->edCCode, code);
        QTest::keyClick(desk_->edCCode, Qt::Key_Return);
    }
    void PickMember(const QString& code) {
        QTest::keyClicks(desk_->edPCode, code);
        QTest::keyClick(desk_->edPCode, Qt::Key_Return);
    }
    // A function key where the operator is: on the focused control.
    void Press(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window_.get(), key);
    }
    // The cells of a grid column, top to bottom.
    static QStringList Column(QTableView* grid, int column) {
        QStringList cells;
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            cells << grid->model()->index(row, column).data().toString();
        }
        return cells;
    }
    static QString Ledger(const QString& sql, const QString& column) {
        return TDM::Instance().SqlFieldText(sql, column);
    }
    static QString DiscStatus(const QString& code) {
        return Ledger(
            Format(QStringLiteral("SELECT Status FROM TbRentCd WHERE Code=\"%s\""), {code}),
            QStringLiteral("Status"));
    }
    static QString LinesOf(int state) {
        return Ledger(Format(QStringLiteral("SELECT Count(*) AS N FROM TbRTransaction WHERE "
                                            "CId2=%d"),
                             {state}),
                      QStringLiteral("N"));
    }
    static bool Red(const QLabel* label) {
        return label->palette().color(QPalette::WindowText) == QColor(Qt::red);
    }
    // A walk-in rental of the codes, committed, and the desk restarted.
    void RentWalkIn(const QStringList& codes) {
        for (const QString& code : codes) {
            Scan(code);
        }
        Press(Qt::Key_F6);
        Press(Qt::Key_F5);
    }

    TRentalFm* desk_ = nullptr;
};

} // namespace

TEST_F(RentalFmTest, AWalkInRentalFromKeystrokesLandsInTheLedger) {
    OpenDesk();
    EXPECT_TRUE(desk_->edCCode->hasFocus());
    EXPECT_EQ(desk_->windowTitle(), QStringLiteral("光盘出租/返还 [影片购物车 F12]"));
    EXPECT_FALSE(desk_->btnRent->isEnabled());
    EXPECT_EQ(desk_->lbSum->text(), QStringLiteral("实收金额："));

    Scan(QStringLiteral("00001"));
    EXPECT_EQ(Column(desk_->tlNow, 2), QStringList{QStringLiteral("00001")});
    EXPECT_EQ(Column(desk_->tlNow, 1), QStringList{QStringLiteral("2024-06-15")});
    EXPECT_EQ(Column(desk_->tlNow, 5), QStringList{QStringLiteral("20.00")});
    EXPECT_EQ(desk_->tabNow->tabText(0), QStringLiteral("本次准备租借的影片"));
    EXPECT_EQ(desk_->lbSum->text(), QStringLiteral("实收押金："));
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("20.00"));
    EXPECT_EQ(desk_->lbDeposit->text(), QStringLiteral("20.00元"));
    EXPECT_EQ(desk_->ftNow->Cell(2), QStringLiteral("总数: 1"));
    EXPECT_EQ(desk_->ftNow->Cell(5), QStringLiteral("合计: 20.00"));
    EXPECT_EQ(desk_->gbCdInfo->lbName->text(), QStringLiteral("少林足球"));
    EXPECT_EQ(desk_->gbCdInfo->lbStatus->text(), QStringLiteral("未租"));
    EXPECT_FALSE(Red(desk_->gbCdInfo->lbStatus));
    EXPECT_TRUE(desk_->btnRent->isEnabled());
    EXPECT_FALSE(desk_->btnReturn->isEnabled());

    desk_->edMemo->setFocus();
    QInputMethodEvent typed; // Chinese comes through the input method
    typed.setCommitString(QStringLiteral("押身份证"));
    QApplication::sendEvent(desk_->edMemo, &typed);
    Press(Qt::Key_F6);
    EXPECT_EQ(desk_->tlNow->model()->rowCount(), 0);
    EXPECT_EQ(Column(desk_->tlHistory, 1), QStringList{QStringLiteral("00001")});
    EXPECT_EQ(desk_->ftHistory->Cell(0), QStringLiteral("总数: 1"));
    EXPECT_EQ(desk_->gbCdInfo->lbStatus->text(), QStringLiteral("已租"));
    EXPECT_TRUE(Red(desk_->gbCdInfo->lbStatus));
    EXPECT_EQ(DiscStatus(QStringLiteral("00001")), QStringLiteral("2"));
    const QString fund = Ledger(QStringLiteral("SELECT FId FROM TbRTransaction WHERE AId=0 AND "
                                               "CId2=2"),
                                QStringLiteral("FId"));
    ASSERT_FALSE(fund.isEmpty());
    const QString movement = QStringLiteral("SELECT * FROM TbFTransaction WHERE Id=") + fund;
    EXPECT_EQ(Ledger(movement, QStringLiteral("CId1")), QStringLiteral("2"));
    EXPECT_EQ(Ledger(movement, QStringLiteral("Sum1")).toDouble(), 20.0);
    EXPECT_EQ(Ledger(movement, QStringLiteral("Memo")), QStringLiteral("押身份证"));
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());

    Press(Qt::Key_F5);
    EXPECT_EQ(desk_->tlHistory->model()->rowCount(), 0);
    EXPECT_EQ(desk_->edCash->text(), QStringLiteral("0.00"));
    EXPECT_TRUE(desk_->gbCdInfo->lbName->text().isEmpty());
    EXPECT_TRUE(desk_->edCCode->hasFocus());
}

TEST_F(RentalFmTest, AMemberRentsASeriesByItsRangeOfEpisodes) {
    OpenDesk();
    PickMember(QStringLiteral("1004"));
    EXPECT_EQ(desk_->gbAssociator->lbCode->text(), QStringLiteral("[1004] 刘芳"));
    EXPECT_EQ(desk_->gbAssociator->lbDay->text(), QStringLiteral("60天"));
    EXPECT_EQ(desk_->gbAssociator->lbNumber->text(), QStringLiteral("30.0部"));
    EXPECT_EQ(desk_->tabNow->tabText(0), QStringLiteral("本次准备租借的影片"));

    Scan(QStringLiteral("0001.1-3"));
    EXPECT_EQ(Column(desk_->tlNow, 2),
              (QStringList{QStringLiteral("0001-1"), QStringLiteral("0001-2"),
                           QStringLiteral("0001-3")}));
    EXPECT_EQ(Column(desk_->tlNow, 5),
              QStringList(3, QStringLiteral("0.00"))); // kind 3: no deposit
    EXPECT_EQ(desk_->gbAssociator->lbNumber->text(), QStringLiteral("27.0部"));

    Press(Qt::Key_F6);
    EXPECT_EQ(Ledger(QStringLiteral("SELECT Count(*) AS N FROM TbRTransaction WHERE AId=4 AND "
                                    "CId2=2"),
                     QStringLiteral("N")),
              QStringLiteral("3"));
    EXPECT_EQ(Ledger(QStringLiteral("SELECT Count(*) AS N FROM (SELECT DISTINCT Sn FROM "
                                    "TbRTransaction)"),
                     QStringLiteral("N")),
              QStringLiteral("1"));
    EXPECT_EQ(Ledger(QStringLiteral("SELECT Number FROM TbAssociator WHERE Code=\"1004\""),
                     QStringLiteral("Number"))
                  .toDouble(),
              27.0);
}

TEST_F(RentalFmTest, UntickingALineReturnsPartOfTheBillAndTheAmountsFollow) {
    OpenDesk();
    RentWalkIn({QStringLiteral("00001"), QStringLiteral("00003")});

    Scan(QStringLiteral("00003"));
    EXPECT_EQ(desk_->tabNow->tabText(0), QStringLiteral("本次准备返还的影片"));
    EXPECT_EQ(desk_->btnRent->text(), QStringLiteral("撤消 F6"));
    EXPECT_EQ(desk_->lbSum->text(), QStringLiteral("实收租金："));
    EXPECT_EQ(Column(desk_->tlNow, 2),
              (QStringList{QStringLiteral("00001"), QStringLiteral("00003")}));
    EXPECT_EQ(Column(desk_->tlNow, 4), (QStringList{QStringLiteral("1"), QStringLiteral("1")}));
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("4.00"));
    EXPECT_EQ(desk_->edCash->text(), QStringLiteral("36.00"));
    EXPECT_FALSE(desk_->btnPrint->isEnabled()); // lines wait

    // The second line stays out: untick it from the keyboard.
    desk_->tlNow->setFocus();
    desk_->tlNow->setCurrentIndex(desk_->tlNow->model()->index(1, 0));
    QTest::keyClick(desk_->tlNow, Qt::Key_Space);
    EXPECT_EQ(desk_->tlNow->model()->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(desk_->ftNow->Cell(2), QStringLiteral("总数: 1"));
    EXPECT_EQ(desk_->ftNow->Cell(6), QStringLiteral("合计: 2.00"));
    EXPECT_EQ(desk_->lbRent->text(), QStringLiteral("2.00元"));
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("2.00"));
    EXPECT_EQ(desk_->edCash->text(), QStringLiteral("38.00"));

    prompter_.QueueAnswer(false); // the rent is paid on top, not taken from the deposit
    Press(Qt::Key_F7);
    EXPECT_EQ(prompter_.Texts(Kind::Question),
              QStringList{QStringLiteral("返还影片收取的租金：2.00元，是否从押金：40.00中扣除?")});
    EXPECT_EQ(DiscStatus(QStringLiteral("00001")), QStringLiteral("1"));
    EXPECT_EQ(DiscStatus(QStringLiteral("00003")), QStringLiteral("2"));
    EXPECT_EQ(LinesOf(1), QStringLiteral("1"));
    EXPECT_EQ(LinesOf(2), QStringLiteral("1"));
    const QString returned = QStringLiteral("SELECT * FROM TbFTransaction WHERE CId1=1");
    EXPECT_EQ(Ledger(returned, QStringLiteral("Sum1")).toDouble(), 38.0);
    EXPECT_EQ(Ledger(returned, QStringLiteral("Sum2")).toDouble(), 2.0);
    EXPECT_EQ(Column(desk_->tlHistory, 1), QStringList{QStringLiteral("00003")});
    EXPECT_TRUE(desk_->btnPrint->isEnabled());
}

TEST_F(RentalFmTest, TheMenuTicksAllOrTheHighlightedLinesAndWarnsWithoutAHighlight) {
    OpenDesk();
    Scan(QStringLiteral("00001.00002.00003"));
    ASSERT_EQ(desk_->tlNow->model()->rowCount(), 3);
    desk_->tlNow->maClear->trigger();
    EXPECT_EQ(desk_->ftNow->Cell(2), QStringLiteral("总数: 0"));
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("0.00"));

    desk_->tlNow->clearSelection();
    desk_->tlNow->mpSelect->trigger();
    EXPECT_EQ(prompter_.Texts(Kind::Warning),
              QStringList{QStringLiteral("请先在列表中选择要操作的记录后在使用此功能。")});
    desk_->tlNow->selectRow(2);
    desk_->tlNow->mpSelect->trigger();
    EXPECT_EQ(desk_->ftNow->Cell(2), QStringLiteral("总数: 1"));
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("20.00"));
    desk_->tlNow->maSelect->trigger();
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("70.00"));
    desk_->tlNow->mpClear->trigger();
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("50.00"));

    Press(Qt::Key_F6); // the unticked disc is not rented
    EXPECT_EQ(DiscStatus(QStringLiteral("00003")), QStringLiteral("1"));
    EXPECT_EQ(LinesOf(2), QStringLiteral("2"));
}

TEST_F(RentalFmTest, F12EntersTheDiscsTickedInTheSearchCartAndClosingItEntersNothing) {
    OpenDesk();
    Scan(QStringLiteral("00002"));
    int openings = 0;
    driver_.WhenShown<TSearchCdFm>([this, &openings](TSearchCdFm& search) {
        ++openings;
        // The next opening only closes the window; F12 inside this one does
        // not open it again.
        driver_.WhenShown<TSearchCdFm>([&openings](TSearchCdFm& again) {
            ++openings;
            again.btnClose->click();
        });
        QTest::keyClick(search.edCode, Qt::Key_F12);
        EXPECT_EQ(search.btnPost->text(), QStringLiteral("出租"));
        search.edCode->setText(QStringLiteral("0001-"));
        search.btnSearch->click();
        ASSERT_EQ(search.tlSearch->model()->rowCount(), 10);
        search.tlSearch->maClear->trigger();
        for (const int row : {1, 4}) {
            search.tlSearch->setCurrentIndex(search.tlSearch->model()->index(row, 1));
            QTest::keyClick(search.tlSearch, Qt::Key_Space);
        }
        search.btnGo->click();
        search.btnPost->click();
    });
    Press(Qt::Key_F12);
    EXPECT_EQ(openings, 1);
    // One code each, in the cart's order (the last ticked result first).
    const QStringList entered{QStringLiteral("00002"), QStringLiteral("0001-5"),
                              QStringLiteral("0001-2")};
    EXPECT_EQ(Column(desk_->tlNow, 2), entered);
    EXPECT_EQ(desk_->ftNow->Cell(2), QStringLiteral("总数: 3"));
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("50.00"));
    EXPECT_EQ(desk_->gbCdInfo->lbName->text(), QStringLiteral("射雕英雄传"));
    // The keyboard is back where the operator was.
    EXPECT_TRUE(TModalDriver::WaitUntil([this] { return desk_->edCCode->hasFocus(); }));

    desk_->edMemo->setText(QStringLiteral("押身份证"));
    Press(Qt::Key_F12);
    EXPECT_EQ(openings, 2);
    EXPECT_EQ(Column(desk_->tlNow, 2), entered);
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("50.00"));
    EXPECT_EQ(desk_->edMemo->text(), QStringLiteral("押身份证"));
    EXPECT_EQ(desk_->findChildren<TSearchCdFm*>().size(), 1);
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
}

TEST_F(RentalFmTest, F8PrintsTheLastReceiptOnlyOnceNoLineWaits) {
    OpenDesk();
    session_->Printer.OnOff = 1;
    TCapture capture;
    desk_->RentObject.Bill.Printer.SetPort(std::make_unique<TCapturePort>(capture));

    Scan(QStringLiteral("00001"));
    EXPECT_FALSE(desk_->btnPrint->isEnabled());
    Press(Qt::Key_F8);
    EXPECT_TRUE(capture.bytes.isEmpty());

    Press(Qt::Key_F6);
    EXPECT_TRUE(desk_->btnPrint->isEnabled());
    EXPECT_TRUE(capture.bytes.isEmpty()); // no drawer on this printer
    Press(Qt::Key_F8);
    EXPECT_TRUE(capture.bytes.contains(ReceiptBytes::Gbk(QStringLiteral("少林足球"))));
    EXPECT_TRUE(capture.bytes.contains(ReceiptBytes::Gbk(QStringLiteral("星光影碟出租店"))));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the hourglass is gone again
}

TEST_F(RentalFmTest, ALateMemberAnswersThePenaltyDialogOnReturn) {
    OpenDesk();
    TClock::SetToday(QDate(2024, 6, 10));
    PickMember(QStringLiteral("1003"));
    Scan(QStringLiteral("00002"));
    Press(Qt::Key_F6);
    Press(Qt::Key_F5);
    TClock::SetToday(QDate(2024, 6, 15)); // 5 days out, 3 allowed

    Scan(QStringLiteral("00002"));
    EXPECT_EQ(desk_->gbAssociator->lbCode->text(), QStringLiteral("[1003] 张伟"));
    EXPECT_EQ(Column(desk_->tlNow, 4), QStringList{QStringLiteral("5")});
    TQtPrompter dialogs(&TPunishFm::Ask);
    const TPrompterScope scope(dialogs);
    QString days;
    QString proposed;
    driver_.WhenShown<TPunishFm>([&](TPunishFm& punish) {
        days = punish.lbDays->text();
        proposed = punish.edNum->text();
        punish.edNum->setText(QStringLiteral("1"));
        punish.btnSaveClose->click();
    });
    Press(Qt::Key_F7);
    EXPECT_EQ(days, QStringLiteral("2 天"));
    EXPECT_EQ(proposed, QStringLiteral("2"));
    // 10 units, one taken by the rental, one by the penalty.
    EXPECT_EQ(Ledger(QStringLiteral("SELECT Number FROM TbAssociator WHERE Code=\"1003\""),
                     QStringLiteral("Number"))
                  .toDouble(),
              8.0);
    EXPECT_EQ(LinesOf(1), QStringLiteral("1"));
}

TEST_F(RentalFmTest, WithPermissionOp2F6CancelsTheRental) {
    OpenDesk();
    RentWalkIn({QStringLiteral("00004")});
    Scan(QStringLiteral("00004"));
    ASSERT_TRUE(desk_->btnRent->isEnabled());
    Press(Qt::Key_F6);
    EXPECT_EQ(LinesOf(3), QStringLiteral("1"));
    EXPECT_EQ(DiscStatus(QStringLiteral("00004")), QStringLiteral("1"));
    EXPECT_EQ(Ledger(QStringLiteral("SELECT Count(*) AS N FROM TbFTransaction WHERE CId1=3"),
                     QStringLiteral("N")),
              QStringLiteral("1"));
}

TEST_F(RentalFmTest, WithoutPermissionOp2NeitherTheButtonNorF6Cancels) {
    LogIn(Admin);
    TDM::Instance().ExecSql(QStringLiteral("UPDATE TbOperator SET Op2=0 WHERE Name=\"小王\""));
    desk_ = new TRentalFm;
    Host(desk_);
    RentWalkIn({QStringLiteral("00004")});
    AnswerLogin(Clerk, ClerkPassword);
    window_->Relogin();
    ASSERT_EQ(session_->Operator.Name, Clerk);

    Scan(QStringLiteral("00004"));
    EXPECT_EQ(desk_->btnRent->text(), QStringLiteral("撤消 F6"));
    EXPECT_FALSE(desk_->btnRent->isEnabled());
    EXPECT_TRUE(desk_->btnReturn->isEnabled());
    Press(Qt::Key_F6);
    desk_->btnRent->click(); // a click that got through does nothing either
    EXPECT_EQ(LinesOf(3), QStringLiteral("0"));
    EXPECT_EQ(LinesOf(2), QStringLiteral("1"));
}

TEST_F(RentalFmTest, ARefundAboveTheDepositIsRefusedAndNothingIsWritten) {
    OpenDesk();
    RentWalkIn({QStringLiteral("00001")});
    Scan(QStringLiteral("00001"));
    EXPECT_EQ(desk_->edCash->text(), QStringLiteral("18.00"));

    desk_->edCash->setFocus();
    desk_->edCash->selectAll();
    QTest::keyClicks(desk_->edCash, QStringLiteral("40"));
    Press(Qt::Key_F7);
    EXPECT_EQ(prompter_.Texts(Kind::Error),
              QStringList{QStringLiteral("实退押金不能大于押金，请重新输入！")});
    EXPECT_EQ(LinesOf(2), QStringLiteral("1"));
    EXPECT_EQ(desk_->tlNow->model()->rowCount(), 1);
    EXPECT_TRUE(desk_->edCash->hasFocus());
    EXPECT_EQ(desk_->edCash->text(), QStringLiteral("40")); // kept for correcting

    QTest::keyClick(desk_->edCash, Qt::Key_Backspace);
    QTest::keyClick(desk_->edCash, Qt::Key_Backspace);
    QTest::keyClicks(desk_->edCash, QStringLiteral("15"));
    Press(Qt::Key_F7);
    EXPECT_EQ(LinesOf(1), QStringLiteral("1"));
    EXPECT_EQ(Ledger(QStringLiteral("SELECT Sum1 FROM TbFTransaction WHERE CId1=1"),
                     QStringLiteral("Sum1"))
                  .toDouble(),
              15.0);
}

TEST_F(RentalFmTest, TypingTheRentReceivedMovesTheRefund) {
    OpenDesk();
    RentWalkIn({QStringLiteral("00001")});
    Scan(QStringLiteral("00001"));
    desk_->edSum->setFocus();
    desk_->edSum->selectAll();
    QTest::keyClicks(desk_->edSum, QStringLiteral("10"));
    EXPECT_EQ(desk_->edCash->text(), QStringLiteral("10.00"));
    QTest::keyClick(desk_->edSum, Qt::Key_Backspace);
    QTest::keyClick(desk_->edSum, Qt::Key_Backspace);
    QTest::keyClick(desk_->edSum, Qt::Key_Minus); // half typed: no message yet
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
    Press(Qt::Key_F7); // the commit reports it and writes nothing
    EXPECT_EQ(prompter_.Texts(Kind::Error).size(), 1);
    EXPECT_TRUE(prompter_.Texts(Kind::Error).front().contains(QStringLiteral("实收租金")));
    EXPECT_EQ(LinesOf(2), QStringLiteral("1"));
    EXPECT_TRUE(desk_->edSum->hasFocus());
}

TEST_F(RentalFmTest, TheRenterPanelShowsWalkInsAndMembers) {
    OpenDesk();
    TRenterPanel* panel = desk_->gbAssociator;
    EXPECT_EQ(panel->lbCode->text(), QStringLiteral("零租用户"));
    EXPECT_EQ(panel->lbDay->text(), QStringLiteral("无限制"));
    EXPECT_EQ(panel->lbNumber->text(), QStringLiteral("无限制"));
    EXPECT_EQ(panel->lbBalance->text(), QStringLiteral(" 无 "));
    EXPECT_FALSE(Red(panel->lbCode));
    EXPECT_TRUE(panel->toolTip().isEmpty());

    PickMember(QStringLiteral("1005")); // prepaid rent
    EXPECT_EQ(panel->lbCode->text(), QStringLiteral("[1005] 陈静"));
    EXPECT_EQ(panel->lbDay->text(), QStringLiteral("无限制"));
    EXPECT_EQ(panel->lbNumber->text(), QStringLiteral("无限制"));
    EXPECT_EQ(panel->lbBalance->text(), QStringLiteral("80.00元"));
    EXPECT_FALSE(Red(panel->lbBalance));
    EXPECT_EQ(panel->toolTip(),
              QStringLiteral("会员类型：储值会员\n押金：0.00\n联系电话：13800000005\n"
                             "地址：中山路3号\n说明："));

    Press(Qt::Key_F5);
    PickMember(QStringLiteral("1006")); // the paid period ran out 10 days ago
    EXPECT_EQ(panel->lbDay->text(), QStringLiteral("0天"));
    EXPECT_TRUE(Red(panel->lbDay));
    EXPECT_EQ(panel->lbNumber->text(), QStringLiteral("0.0部")); // the expired quota is dropped
    prompter_.QueueAnswer(true);
    Scan(QStringLiteral("00002"));
    EXPECT_EQ(
        prompter_.Texts(Kind::Question),
        QStringList{QStringLiteral("会员[赵强]剩余部数不足，需要缴费才能出租。是否继续出租？")});
    EXPECT_EQ(panel->lbNumber->text(), QStringLiteral("-1.0部"));
    EXPECT_TRUE(Red(panel->lbNumber));

    // Clearing the member box starts over with a walk-in renter; the
    // operator goes on typing where he is.
    desk_->edPCode->setFocus();
    QTest::keyClick(desk_->edPCode, Qt::Key_Backspace);
    EXPECT_EQ(panel->lbCode->text(), QStringLiteral("零租用户"));
    EXPECT_EQ(desk_->tlNow->model()->rowCount(), 0);
    EXPECT_TRUE(desk_->edPCode->hasFocus());
    PickMember(QStringLiteral("1004"));
    EXPECT_EQ(panel->lbCode->text(), QStringLiteral("[1004] 刘芳"));
}

TEST_F(RentalFmTest, CodesAtScannerSpeedAreEachTakenWhole) {
    OpenDesk();
    const QStringList codes{QStringLiteral("00005"), QStringLiteral("0001-10"),
                            QStringLiteral("00002"), QStringLiteral("0001-1"),
                            QStringLiteral("00010")};
    for (const QString& code : codes) {
        Scan(code);
    }
    EXPECT_EQ(Column(desk_->tlNow, 2), codes);
    EXPECT_FALSE(desk_->edCCode->ListVisible());
    EXPECT_TRUE(desk_->edCCode->hasFocus());
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
}

TEST_F(RentalFmTest, InitialsFindATitleAndAnUnknownCodeChangesNothing) {
    OpenDesk();
    Scan(QStringLiteral("slzq"));
    EXPECT_EQ(Column(desk_->tlNow, 2), QStringList{QStringLiteral("00001")});
    Scan(QStringLiteral("99999"));
    EXPECT_EQ(desk_->tlNow->model()->rowCount(), 1);
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());

    // The ten episodes share their initials: the operator picks one.
    Scan(QStringLiteral("sdyxz"));
    ASSERT_TRUE(desk_->edCCode->ListVisible());
    auto* list = desk_->edCCode->findChild<QListWidget*>();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(Column(desk_->tlNow, 2),
              (QStringList{QStringLiteral("00001"), QStringLiteral("0001-2")}));
}

TEST_F(RentalFmTest, ADiscRentedElsewhereMeanwhileIsRefusedAndTheLinesStay) {
    OpenDesk();
    Scan(QStringLiteral("00001"));
    Scan(QStringLiteral("00002"));
    TDM::Instance().ExecSql(QStringLiteral("UPDATE TbRentCd SET Status=2 WHERE Code=\"00002\""));
    Press(Qt::Key_F6);
    EXPECT_EQ(prompter_.Texts(Kind::Error),
              QStringList{QStringLiteral("光盘“00002”已被别处租出，本单未保存。")});
    EXPECT_EQ(desk_->tlNow->model()->rowCount(), 2);
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("50.00"));
    EXPECT_EQ(LinesOf(2), QStringLiteral("0"));
    EXPECT_FALSE(desk_->btnPrint->isEnabled());
}

TEST_F(RentalFmTest, Screenshots) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP() << "VINTOR_SCREENSHOTS is not set";
    }
    OpenDesk();
    window_->resize(1024, 768);
    Scan(QStringLiteral("00002"));
    Scan(QStringLiteral("00006"));
    Scan(QStringLiteral("0001.1-4"));
    Screenshots::Save(window_->grab(), QStringLiteral("rental-desk-renting.png"));

    Press(Qt::Key_F6);
    Press(Qt::Key_F5);
    TClock::SetToday(QDate(2024, 6, 19));
    Scan(QStringLiteral("0001-2"));
    desk_->tlNow->setCurrentIndex(desk_->tlNow->model()->index(3, 0));
    QTest::keyClick(desk_->tlNow, Qt::Key_Space);
    Screenshots::Save(window_->grab(), QStringLiteral("rental-desk-returning.png"));
}

#include "sales/ui/SaleFm.h"

#include "app/ExPickEdit.h"
#include "app/kit/DataGrid.h"
#include "app/kit/DeskGrid.h"
#include "app/kit/GridFooter.h"
#include "app/kit/MoneyEdit.h"
#include "sales/ui/BillCodeEdit.h"
#include "sales/ui/SaleCdPanel.h"
#include "sales/ui/SearchBillFm.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "tests/app/Screenshots.h"
#include "tests/app/SessionFixture.h"
#include "tests/rental/CapturePort.h"
#include "tests/rental/ReceiptBytes.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

using Kind = TScriptedPrompter::Kind;

// The sales desk on the example ledger (2024-06-15). Sale titles: S0001
// 泰坦尼克号 25.00 (5 in stock), S0002 阿甘正传 20.00 (3), S0003 指环王 48.00
// (2), S0004 千与千寻 22.00 (none).
class SaleFmTest : public SessionTest {
protected:
    TSaleFm* OpenDesk(const QString& name = Admin, const QString& password = QString()) {
        LogIn(name, password);
        desk_ = new TSaleFm;
        Host(desk_);
        return desk_;
    }
    // Types as a scanner does: the code and Enter, no pause.
    void Scan(const QString& code) {
        QTest::keyClicks(desk_->edCCode, code);
        QTest::keyClick(desk_->edCCode, Qt::Key_Return);
    }
    void Press(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window_.get(), key);
    }
    QStringList Column(TDeskGrid* grid, const char* caption) const {
        QStringList cells;
        QAbstractItemModel* model = grid->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            if (model->headerData(column, Qt::Horizontal).toString() ==
                QString::fromUtf8(caption)) {
                for (int row = 0; row < model->rowCount(); ++row) {
                    cells << model->index(row, column).data().toString();
                }
            }
        }
        return cells;
    }
    // Types into a cell of tlNow as the operator does: F9, arrows, digits, Enter.
    void EditCell(int row, int column, const QString& text) {
        desk_->tlNow->setFocus();
        desk_->tlNow->setCurrentIndex(desk_->tlNow->model()->index(row, column));
        QTest::keyClicks(desk_->tlNow, text.left(1));
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, desk_->tlNow);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the cell takes the edit when the editor closes
    }
    static QString Ledger(const QString& sql, const QString& column) {
        return TDM::Instance().SqlFieldText(sql, column);
    }
    static int Stock(const QString& code) {
        return Ledger(
                   Format(QStringLiteral("SELECT Number2 FROM TbSaleCd WHERE Code=\"%s\""), {code}),
                   QStringLiteral("Number2"))
            .toInt();
    }
    static bool Red(const QLabel* label) {
        return label->palette().color(QPalette::WindowText) == QColor(Qt::red);
    }

    TSaleFm* desk_ = nullptr;
};

constexpr int Discount = 4;
constexpr int Number = 5;

} // namespace

TEST_F(SaleFmTest, ASaleFromKeystrokesWithADiscountEditedInTheGrid) {
    OpenDesk();
    EXPECT_EQ(desk_->windowTitle(), QStringLiteral("光盘销售（影片购物车 F12）"));
    EXPECT_TRUE(desk_->edCCode->hasFocus());
    EXPECT_FALSE(desk_->btnSale->isEnabled());
    EXPECT_FALSE(desk_->btnPrint->isEnabled());

    Scan(QStringLiteral("S0001"));
    Scan(QStringLiteral("S0003"));
    EXPECT_EQ(Column(desk_->tlNow, "编号"),
              (QStringList{QStringLiteral("S0001"), QStringLiteral("S0003")}));
    EXPECT_EQ(Column(desk_->tlNow, "日期").front(), QStringLiteral("2024-06-15"));
    EXPECT_EQ(desk_->lbTotal->text(), QStringLiteral("73.00元"));
    EXPECT_EQ(desk_->gbCdInfo->lbName->text(), QStringLiteral("指环王"));
    EXPECT_EQ(desk_->gbCdInfo->lbNumber2->text(), QStringLiteral("2"));
    EXPECT_FALSE(Red(desk_->gbCdInfo->lbNumber2));
    EXPECT_TRUE(desk_->btnSale->isEnabled());
    EXPECT_FALSE(desk_->btnBack->isEnabled());

    // F9 puts the cursor on the discount; 8.5 on two of the first title.
    desk_->tlNow->setCurrentIndex(desk_->tlNow->model()->index(0, 0));
    Press(Qt::Key_F9);
    EXPECT_TRUE(desk_->tlNow->hasFocus());
    EXPECT_EQ(desk_->tlNow->currentIndex().column(), Discount);
    EditCell(0, Discount, QStringLiteral("8a.5.")); // a letter and a second "." are refused
    EditCell(0, Number, QStringLiteral("2"));
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
    EXPECT_EQ(Column(desk_->tlNow, "折扣").front(), QStringLiteral("8.5"));
    EXPECT_EQ(Column(desk_->tlNow, "金额"),
              (QStringList{QStringLiteral("42.50"), QStringLiteral("48.00")}));
    EXPECT_EQ(desk_->lbTotal->text(), QStringLiteral("90.50元"));
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("90.50"));
    EXPECT_EQ(desk_->ftNow->Cell(Number), QStringLiteral("3"));
    EXPECT_EQ(desk_->ftNow->Cell(7), QStringLiteral("合计:90.50"));
    EXPECT_TRUE(desk_->tlNow->hasFocus()); // the edit ends in the grid

    // Nothing handed over yet: short by the whole amount, in red.
    EXPECT_EQ(desk_->lbTip->text(), QStringLiteral("还差："));
    EXPECT_EQ(desk_->lbChange->text(), QStringLiteral("90.50元"));
    EXPECT_TRUE(Red(desk_->lbChange));
    desk_->edCash->setFocus();
    desk_->edCash->selectAll();
    QTest::keyClicks(desk_->edCash, QStringLiteral("100"));
    EXPECT_EQ(desk_->lbTip->text(), QStringLiteral("多出："));
    EXPECT_EQ(desk_->lbChange->text(), QStringLiteral("9.50元"));
    EXPECT_FALSE(Red(desk_->lbChange));

    desk_->edMemo->setText(QStringLiteral("老顾客"));
    Press(Qt::Key_F6);
    EXPECT_EQ(Stock(QStringLiteral("S0001")), 3);
    EXPECT_EQ(Stock(QStringLiteral("S0003")), 1);
    const QString movement = QStringLiteral("SELECT * FROM TbFTransaction WHERE CId1=6");
    EXPECT_EQ(Ledger(movement, QStringLiteral("Sum1")).toDouble(), 90.5);
    EXPECT_EQ(Ledger(movement, QStringLiteral("Memo")), QStringLiteral("老顾客"));
    EXPECT_EQ(Ledger(QStringLiteral("SELECT Discount FROM TbSTransaction WHERE Number=2"),
                     QStringLiteral("Discount"))
                  .toDouble(),
              8.5);
    EXPECT_EQ(desk_->tlNow->model()->rowCount(), 0);
    EXPECT_EQ(desk_->ftHistory->Cell(0), QStringLiteral("总数:2"));
    EXPECT_EQ(desk_->gbCdInfo->lbNumber2->text(), QStringLiteral("1"));
    EXPECT_EQ(desk_->lbChange->text(), QStringLiteral("9.50元")); // kept for the receipt

    Press(Qt::Key_F5);
    EXPECT_EQ(desk_->tlHistory->model()->rowCount(), 0);
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("0.00"));
    EXPECT_TRUE(desk_->edMemo->text().isEmpty());
    EXPECT_TRUE(desk_->edCCode->hasFocus());
}

TEST_F(SaleFmTest, F8PrintsTheSaleJustWrittenAndF6WithoutANewLineDoesNothing) {
    OpenDesk();
    session_->Printer.OnOff = 1;
    TCapture capture;
    desk_->SaleObject.Bill.Printer.SetPort(std::make_unique<TCapturePort>(capture));

    Scan(QStringLiteral("S0002"));
    Press(Qt::Key_F8); // nothing written yet
    EXPECT_TRUE(capture.bytes.isEmpty());
    Press(Qt::Key_F6);
    EXPECT_TRUE(desk_->btnPrint->isEnabled());
    Press(Qt::Key_F6); // no new line: no second sale
    EXPECT_EQ(Ledger(QStringLiteral("SELECT Count(*) AS N FROM TbFTransaction WHERE CId1=6"),
                     QStringLiteral("N")),
              QStringLiteral("1"));
    Press(Qt::Key_F8);
    EXPECT_TRUE(capture.bytes.contains(ReceiptBytes::Gbk(QStringLiteral("阿甘正传"))));
    EXPECT_TRUE(capture.bytes.contains(ReceiptBytes::Gbk(QStringLiteral("小票号:1"))));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SaleFmTest, AnOutOfStockTitleAnsweredNoAddsNoLineAndPrintsNothing) {
    OpenDesk();
    prompter_.QueueAnswer(false);
    Scan(QStringLiteral("S0004"));
    EXPECT_EQ(prompter_.Texts(Kind::Question),
              QStringList{QStringLiteral("影片[千与千寻]目前库存不足，是否继续销售？")});
    EXPECT_EQ(desk_->tlNow->model()->rowCount(), 0);
    EXPECT_EQ(desk_->gbCdInfo->lbNumber2->text(), QStringLiteral("0"));
    EXPECT_TRUE(Red(desk_->gbCdInfo->lbNumber2));
    EXPECT_FALSE(desk_->btnPrint->isEnabled()); // nothing was written to print
    Press(Qt::Key_F6);
    EXPECT_EQ(Ledger(QStringLiteral("SELECT Count(*) AS N FROM TbFTransaction WHERE CId1=6"),
                     QStringLiteral("N")),
              QStringLiteral("0"));
}

TEST_F(SaleFmTest, ABillFoundBySearchIsRefundedInPartThenTheRest) {
    OpenDesk();
    session_->Printer.OnOff = 1;
    TCapture capture;
    desk_->SaleObject.Bill.Printer.SetPort(std::make_unique<TCapturePort>(capture));
    Scan(QStringLiteral("S0001"));
    Scan(QStringLiteral("S0002"));
    Press(Qt::Key_F6);
    Press(Qt::Key_F5);
    Scan(QStringLiteral("S0003")); // another customer's bill, number 3
    Press(Qt::Key_F6);
    Press(Qt::Key_F5);

    QString listed;
    driver_.WhenShown<TSearchBillFm>([&](TSearchBillFm& search) {
        search.edSum->setText(QStringLiteral("45"));
        search.btnSearch->click();
        listed = search.ftBill->Cell(0);
        search.btnOk->click();
    });
    desk_->btnSearch->click();
    EXPECT_EQ(listed, QStringLiteral("总数：1"));
    EXPECT_EQ(desk_->edSCode->text(), QStringLiteral("1"));
    EXPECT_EQ(desk_->tabNow->tabText(0), QStringLiteral("本次准备退还的影片"));
    EXPECT_EQ(Column(desk_->tlNow, "编号"),
              (QStringList{QStringLiteral("S0001"), QStringLiteral("S0002")}));
    EXPECT_TRUE(desk_->btnBack->isEnabled());
    EXPECT_FALSE(desk_->btnSale->isEnabled());
    EXPECT_FALSE(desk_->btnPrint->isEnabled());
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("45.00"));

    // S0002 goes back first: untick S0001 from the keyboard.
    desk_->tlNow->setFocus();
    desk_->tlNow->setCurrentIndex(desk_->tlNow->model()->index(0, 0));
    QTest::keyClick(desk_->tlNow, Qt::Key_Space);
    EXPECT_EQ(desk_->lbTotal->text(), QStringLiteral("20.00元"));
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("20.00"));
    EXPECT_EQ(desk_->ftNow->Cell(1), QStringLiteral("总数:1"));
    Press(Qt::Key_F7);
    EXPECT_EQ(Stock(QStringLiteral("S0002")), 3);
    EXPECT_EQ(Stock(QStringLiteral("S0001")), 4);
    const QString bill = QStringLiteral("SELECT * FROM TbFTransaction WHERE Id=(SELECT FId FROM "
                                        "TbSTransaction WHERE Sn=1 AND CId1=1)");
    EXPECT_EQ(Ledger(bill, QStringLiteral("CId1")), QStringLiteral("6"));
    EXPECT_EQ(Ledger(bill, QStringLiteral("Sum1")).toDouble(), 25.0);
    EXPECT_TRUE(desk_->btnPrint->isEnabled());
    Press(Qt::Key_F8); // the refund's receipt carries its bill's number
    EXPECT_TRUE(capture.bytes.contains(ReceiptBytes::Gbk(QStringLiteral("小票号:1"))));
    EXPECT_TRUE(capture.bytes.contains(ReceiptBytes::Gbk(QStringLiteral("阿甘正传"))));
    EXPECT_FALSE(capture.bytes.contains(ReceiptBytes::Gbk(QStringLiteral("泰坦尼克号"))));

    // The rest of the bill by its number typed in.
    desk_->edSCode->setFocus();
    QTest::keyClicks(desk_->edSCode, QStringLiteral("1"));
    QTest::keyClick(desk_->edSCode, Qt::Key_Return);
    EXPECT_EQ(Column(desk_->tlNow, "编号"), QStringList{QStringLiteral("S0001")});
    Press(Qt::Key_F7);
    EXPECT_EQ(Stock(QStringLiteral("S0001")), 5);
    EXPECT_EQ(Ledger(bill, QStringLiteral("CId1")), QStringLiteral("7"));
    EXPECT_EQ(Ledger(bill, QStringLiteral("Sum1")).toDouble(), -25.0);
    // A second Enter moves on; a key after it starts a new number.
    QTest::keyClick(desk_->edSCode, Qt::Key_Return);
    EXPECT_FALSE(desk_->edSCode->hasFocus());
    desk_->edSCode->setFocus();
    QTest::keyClicks(desk_->edSCode, QStringLiteral("9"));
    EXPECT_EQ(desk_->edSCode->text(), QStringLiteral("9"));
    QTest::keyClick(desk_->edSCode, Qt::Key_Return); // unknown: back to an empty desk
    EXPECT_EQ(desk_->tabNow->tabText(0), QStringLiteral("本次准备出售的影片"));
    EXPECT_FALSE(desk_->btnBack->isEnabled());
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
}

TEST_F(SaleFmTest, WithoutOp4ABillLoadsButNeitherTheButtonNorF7RefundsIt) {
    LogIn(Admin);
    TDM::Instance().ExecSql(QStringLiteral("UPDATE TbOperator SET Op4=0 WHERE Name=\"小王\""));
    desk_ = new TSaleFm;
    Host(desk_);
    Scan(QStringLiteral("S0001"));
    Press(Qt::Key_F6);
    AnswerLogin(Clerk, ClerkPassword);
    window_->Relogin();
    ASSERT_EQ(session_->Operator.Name, Clerk);

    desk_->edSCode->setFocus();
    QTest::keyClicks(desk_->edSCode, QStringLiteral("1"));
    QTest::keyClick(desk_->edSCode, Qt::Key_Return);
    EXPECT_EQ(desk_->tlNow->model()->rowCount(), 1);
    EXPECT_FALSE(desk_->btnBack->isEnabled());
    Press(Qt::Key_F7);
    desk_->btnBack->click();
    EXPECT_EQ(Stock(QStringLiteral("S0001")), 4);
    EXPECT_EQ(Ledger(QStringLiteral("SELECT Count(*) AS N FROM TbSTransaction WHERE CId2=7"),
                     QStringLiteral("N")),
              QStringLiteral("0"));
}

TEST_F(SaleFmTest, AMinusTypedIntoTheAmountIsReportedAtOnceAndNothingIsSold) {
    OpenDesk();
    Scan(QStringLiteral("S0001"));
    desk_->edSum->setFocus();
    desk_->edSum->selectAll();
    QTest::keyClick(desk_->edSum, Qt::Key_Minus);
    ASSERT_EQ(prompter_.Texts(Kind::Error).size(), 1);
    EXPECT_TRUE(prompter_.Texts(Kind::Error).front().contains(QStringLiteral("实收金额")));
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("-")); // kept for correcting
    Press(Qt::Key_F6);
    EXPECT_EQ(
        Ledger(QStringLiteral("SELECT Count(*) AS N FROM TbSTransaction"), QStringLiteral("N")),
        QStringLiteral("0"));
    EXPECT_TRUE(desk_->edSum->hasFocus());

    // Emptied, the amount reads 0, selected so the next digit replaces it.
    QTest::keyClick(desk_->edSum, Qt::Key_Backspace);
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("0"));
    QTest::keyClicks(desk_->edSum, QStringLiteral("20"));
    EXPECT_EQ(desk_->edSum->text(), QStringLiteral("20"));
    Press(Qt::Key_F6);
    EXPECT_EQ(Ledger(QStringLiteral("SELECT Sum1 FROM TbFTransaction WHERE CId1=6"),
                     QStringLiteral("Sum1"))
                  .toDouble(),
              20.0);
}

TEST_F(SaleFmTest, CodesAtScannerSpeedAreEachTakenWhole) {
    OpenDesk();
    const QStringList codes{QStringLiteral("S0003"), QStringLiteral("S0001"),
                            QStringLiteral("S0002")};
    for (const QString& code : codes) {
        Scan(code);
    }
    Scan(QStringLiteral("S0001")); // once more: still one line of it
    EXPECT_EQ(Column(desk_->tlNow, "编号"), codes);
    EXPECT_EQ(Column(desk_->tlNow, "数量"), QStringList(3, QStringLiteral("1")));
    EXPECT_FALSE(desk_->edCCode->ListVisible());
    EXPECT_TRUE(desk_->edCCode->hasFocus());
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
}

TEST_F(SaleFmTest, Screenshots) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP() << "VINTOR_SCREENSHOTS is not set";
    }
    OpenDesk();
    window_->resize(1024, 768);
    Scan(QStringLiteral("S0003"));
    Press(Qt::Key_F6);
    Scan(QStringLiteral("S0001"));
    Scan(QStringLiteral("S0002"));
    EditCell(0, Number, QStringLiteral("2"));
    EditCell(0, Discount, QStringLiteral("9"));
    desk_->edCash->setFocus();
    desk_->edCash->selectAll();
    QTest::keyClicks(desk_->edCash, QStringLiteral("100"));
    Screenshots::Save(window_->grab(), QStringLiteral("sales-desk.png"));
}

#include "sales/ui/AddStockRentFm.h"
#include "sales/ui/EditStockRentFm.h"

#include "app/kit/DateEdit.h"
#include "app/kit/DeskGrid.h"
#include "app/kit/DigitEdit.h"
#include "app/kit/GridFooter.h"
#include "app/kit/IdComboBox.h"
#include "app/kit/MoneyEdit.h"
#include "tests/app/Screenshots.h"
#include "tests/sales/ui/StockFmFixture.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using Kind = TScriptedPrompter::Kind;

const QString CloseQuestion = QStringLiteral("货品列表中还有未保存的影片，是否真的要放弃保存？");

class StockRentFmTest : public StockFmTest {
protected:
    // Keys through the entry group from "编号" to "保存 &E", which Enter
    // clicks: the title `code` named `name`, with the figures given.
    void EnterTitle(TAddStockRentFm& dialog, const QString& code, const QString& name,
                    const QString& discs, const QString& units, const QString& price,
                    const QString& amount) {
        TTitleFields& cd = *dialog.pnCd;
        cd.edCode->setFocus();
        Type(cd.edCode, code);
        Type(cd.edName, name);
        Type(cd.edAlias1, QString());
        Type(cd.edAlias2, QString());
        EXPECT_EQ(QApplication::focusWidget(), cd.cbCdCategory);
        Enter();
        EXPECT_EQ(QApplication::focusWidget(), cd.cbFee);
        QTest::keyClick(cd.cbFee, Qt::Key_Down);
        EXPECT_EQ(cd.cbFee->currentIndex(), 1);
        fee_ = cd.cbFee->ChosenId();
        Enter();
        Type(cd.edNumber, discs);
        Type(cd.edPower, units);
        Type(cd.edPrice, price);
        Type(cd.edDirector, QString());
        Type(cd.edPlayer, QString());
        Type(cd.edMemo1, QString());
        Type(dialog.edAmount, amount);
        Type(dialog.edSplit, QStringLiteral("-"));
        EXPECT_EQ(QApplication::focusWidget(), dialog.btnPost);
        Enter();
    }

    int fee_ = 0; // the fee standard EnterTitle chose
};

} // namespace

TEST_F(StockRentFmTest, ASeriesOfFortyEpisodesIsBookedFromTheKeyboard) {
    const int movements = Count("TbFTransaction", "CId1=21");
    int supplier = 0;
    driver_.WhenShown<TAddStockRentFm>([&](TAddStockRentFm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("出租进货"));
        EXPECT_EQ(dialog.cbCompany->currentIndex(), 0);
        EXPECT_EQ(dialog.cbCompany->count(), 2);
        EXPECT_FALSE(dialog.btnDelete->isEnabled());
        EXPECT_FALSE(dialog.btnPaste->isEnabled());
        // The header's day dates the lines.
        EXPECT_EQ(QApplication::focusWidget(), dialog.edDay);
        dialog.edDay->setDate(QDate(2024, 6, 10));
        Enter();
        EXPECT_EQ(QApplication::focusWidget(), dialog.cbCompany);
        QTest::keyClick(dialog.cbCompany, Qt::Key_Down);
        supplier = dialog.cbCompany->ChosenId();

        EnterTitle(dialog, QStringLiteral("0100"), QStringLiteral("还珠格格"), QStringLiteral("40"),
                   QStringLiteral("40"), QStringLiteral("5"), QStringLiteral("40"));
        EXPECT_TRUE(prompter_.AllTexts().isEmpty())
            << prompter_.AllTexts().join(u'\n').toStdString();
        EXPECT_EQ(QApplication::focusWidget(), dialog.pnCd->edCode);
        EXPECT_TRUE(dialog.pnCd->edCode->text().isEmpty());
        ASSERT_EQ(dialog.tlStock->model()->rowCount(), 40);
        EXPECT_EQ(Column(dialog.tlStock, 1).first(), QStringLiteral("0100-1"));
        EXPECT_EQ(Column(dialog.tlStock, 1).last(), QStringLiteral("0100-40"));
        EXPECT_EQ(Column(dialog.tlStock, 0).first(), QStringLiteral("2024-06-10"));
        EXPECT_EQ(dialog.ftStock->Cell(3), QStringLiteral("总数:40"));
        EXPECT_EQ(dialog.ftStock->Cell(4), QStringLiteral("合计:200.00"));
        EXPECT_EQ(dialog.edSum->text(), QStringLiteral("200.00"));
        EXPECT_TRUE(dialog.btnDelete->isEnabled());
        Button(dialog, "保存并关闭 &S")->click();
    });
    int id = -1;
    EXPECT_TRUE(TEditDialogFm::Execute<TAddStockRentFm>(id, 0, window_.get()));
    EXPECT_EQ(
        Count("TbRentCd", QStringLiteral("Code LIKE \"0100-*\" AND [Number]=1 AND Power=1 AND "
                                         "Status=1 AND Day=#2024-06-10# AND FId=%1")
                              .arg(fee_)),
        40);
    EXPECT_EQ(Count("TbITransaction",
                    "CId2=21 AND Flag=0 AND Price=5 AND Day=#2024-06-10# AND "
                    "CId1 IN (SELECT Id FROM TbRentCd WHERE Code LIKE \"0100-*\")"),
              40);
    EXPECT_EQ(Count("TbFTransaction", "CId1=21"), movements + 1);
    EXPECT_EQ(
        Count(
            "TbFTransaction",
            QStringLiteral("CId1=21 AND Sum1=-200 AND CId2=%1 AND Day=#2024-06-10#").arg(supplier)),
        1);
}

TEST_F(StockRentFmTest, LinesAreSelectedCopiedPastedAndDeleted) {
    TAddStockRentFm dialog(window_.get());
    driver_.Exec(dialog, [&] {
        EnterTitle(dialog, QStringLiteral("0200"), QStringLiteral("家有儿女"), QStringLiteral("3"),
                   QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("3"));
        ASSERT_EQ(dialog.tlStock->model()->rowCount(), 3);
        // Copying needs a line chosen in the list.
        QTest::keyClick(&dialog, Qt::Key_X, Qt::AltModifier);
        EXPECT_EQ(prompter_.Texts(Kind::Error),
                  QStringList{QStringLiteral("请首先选中一条进货记录。")});

        dialog.pnCd->cbFee->setCurrentIndex(0);
        const QRect second = dialog.tlStock->visualRect(dialog.tlStock->model()->index(1, 1));
        QTest::mouseClick(dialog.tlStock->viewport(), Qt::LeftButton, {}, second.center());
        EXPECT_EQ(dialog.pnCd->edCode->text(), QStringLiteral("0200-2"));
        EXPECT_EQ(dialog.pnCd->edPower->text(), QStringLiteral("1.0"));
        EXPECT_EQ(dialog.pnCd->cbFee->ChosenId(), fee_);
        QTest::keyClick(&dialog, Qt::Key_X, Qt::AltModifier);
        EXPECT_TRUE(dialog.btnPaste->isEnabled());

        // A changed line replaces the one chosen.
        dialog.pnCd->edName->setText(QStringLiteral("家有儿女2"));
        dialog.btnPost->click();
        EXPECT_EQ(Column(dialog.tlStock, 2), (QStringList{"家有儿女", "家有儿女2", "家有儿女"}));

        // A pasted title is a new line once its code is changed.
        QTest::keyClick(&dialog, Qt::Key_V, Qt::AltModifier);
        EXPECT_EQ(dialog.pnCd->edCode->text(), QStringLiteral("0200-2"));
        EXPECT_EQ(QApplication::focusWidget(), dialog.pnCd->edCode);
        dialog.pnCd->edCode->setText(QStringLiteral("0200-4"));
        dialog.btnPost->click();
        EXPECT_EQ(Column(dialog.tlStock, 1), (QStringList{"0200-1", "0200-2", "0200-3", "0200-4"}));

        // Delete takes the chosen line.
        QTest::mouseClick(dialog.tlStock->viewport(), Qt::LeftButton, {}, second.center());
        QTest::keyClick(&dialog, Qt::Key_D, Qt::AltModifier);
        EXPECT_EQ(Column(dialog.tlStock, 1), (QStringList{"0200-1", "0200-3", "0200-4"}));
        EXPECT_EQ(dialog.ftStock->Cell(4), QStringLiteral("合计:12.00"));
        EXPECT_EQ(dialog.edSum->text(), QStringLiteral("12.00"));
        EXPECT_TRUE(dialog.pnCd->edCode->text().isEmpty());
        prompter_.QueueAnswer(true);
    });
    EXPECT_EQ(Count("TbRentCd", "Code LIKE \"0200*\""), 0);
}

TEST_F(StockRentFmTest, RefusedEntriesShowTheMessageAndLoseNothing) {
    TAddStockRentFm dialog(window_.get());
    driver_.Exec(dialog, [&] {
        // 3 units over 4 episodes is 0.75 a title.
        EnterTitle(dialog, QStringLiteral("0300"), QStringLiteral("武林外传"), QStringLiteral("4"),
                   QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("4"));
        EXPECT_EQ(prompter_.Texts(Kind::Error),
                  QStringList{
                      QStringLiteral("“\"集数/套数\"”输入不正确，应该为0.5的倍数。请重新输入。")});
        EXPECT_EQ(QApplication::focusWidget(), dialog.edAmount);
        EXPECT_EQ(dialog.edAmount->selectedText(), QStringLiteral("4"));
        EXPECT_EQ(dialog.pnCd->edCode->text(), QStringLiteral("0300"));
        EXPECT_EQ(dialog.pnCd->edName->text(), QStringLiteral("武林外传"));
        EXPECT_EQ(dialog.pnCd->edPower->text(), QStringLiteral("3"));
        EXPECT_EQ(dialog.tlStock->model()->rowCount(), 0);

        // A code of a stored title.
        Type(dialog.edAmount, QStringLiteral("1"));
        dialog.pnCd->edCode->setText(QStringLiteral("00001"));
        dialog.btnPost->click();
        EXPECT_EQ(prompter_.AllTexts().last(),
                  QStringLiteral("“\"00001\"”编号已经存在，请重新输入。"));
        EXPECT_EQ(QApplication::focusWidget(), dialog.pnCd->edCode);
        EXPECT_EQ(dialog.tlStock->model()->rowCount(), 0);

        dialog.pnCd->edCode->setText(QStringLiteral("0300"));
        dialog.btnPost->click();
        ASSERT_EQ(dialog.tlStock->model()->rowCount(), 1);

        // A malformed amount keeps the dialog and the line.
        dialog.edSum->setText(QStringLiteral("1.2.3"));
        Button(dialog, "保存并关闭 &S")->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), dialog.edSum);
        EXPECT_EQ(dialog.tlStock->model()->rowCount(), 1);
        EXPECT_EQ(Count("TbRentCd", "Code=\"0300\""), 0);

        // The amount paid need not be the list's total.
        dialog.edSum->setText(QStringLiteral("1.5"));
        Button(dialog, "保存并新添 &N")->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.tlStock->model()->rowCount(), 0);
        EXPECT_EQ(dialog.edSum->text(), QStringLiteral("0.00"));
        EXPECT_EQ(QApplication::focusWidget(), dialog.edDay);

        // Nothing posted: nothing to save, and the dialog says so.
        const int messages = prompter_.AllTexts().size();
        Button(dialog, "保存并关闭 &S")->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(prompter_.AllTexts().size(), messages + 1);
    });
    EXPECT_EQ(Count("TbRentCd", "Code=\"0300\""), 1);
    EXPECT_EQ(Count("TbFTransaction", "CId1=21 AND Sum1=-1.5"), 1);
}

TEST_F(StockRentFmTest, ClosingWithUnsavedLinesAsksFirst) {
    TAddStockRentFm dialog(window_.get());
    driver_.Exec(dialog, [&] {
        EnterTitle(dialog, QStringLiteral("0400"), QStringLiteral("士兵突击"), QStringLiteral("1"),
                   QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("1"));
        ASSERT_EQ(dialog.tlStock->model()->rowCount(), 1);
        prompter_.QueueAnswer(false);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        prompter_.QueueAnswer(false);
        dialog.close();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(prompter_.Texts(Kind::Question), (QStringList{CloseQuestion, CloseQuestion}));
        EXPECT_EQ(dialog.tlStock->model()->rowCount(), 1);

        prompter_.QueueAnswer(true);
        Button(dialog, "关闭 &C")->click();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(prompter_.Texts(Kind::Question).size(), 3);
    EXPECT_EQ(Count("TbRentCd", "Code=\"0400\""), 0);

    TAddStockRentFm empty(window_.get());
    driver_.Exec(empty, [&] { QTest::keyClick(&empty, Qt::Key_Escape); });
    EXPECT_EQ(prompter_.Texts(Kind::Question).size(), 3);
}

// The header's and the entry's lists open on the row entered first, although
// a name ("A…" before any Chinese name) would come first in name order.
TEST_F(StockRentFmTest, PickListsOpenOnTheRowEnteredFirst) {
    TDM::Instance().ExecSql(
        QStringLiteral("INSERT INTO TbCompany (Name,Address,Telephone,Memo) VALUES "
                       "(\"A字头批发\",\"\",\"\",\"\")"));
    TDM::Instance().ExecSql(
        QStringLiteral("INSERT INTO TbAccount (Name,[Max],[Min],[No],Bank,Contact,"
                       "Telephone,Memo) VALUES (\"A银行\",0,0,\"\",\"\",\"\",\"\",\"\")"));
    TDM::Instance().ExecSql(
        QStringLiteral("INSERT INTO TbCdCategory (Name,SubId,Memo) VALUES (\"A字头\",0,\"\")"));
    const auto first = [&](const char* table) {
        return Field(QStringLiteral("SELECT Min(Id) AS V FROM %1").arg(QLatin1String(table)), "V")
            .toInt();
    };
    TAddStockRentFm dialog(window_.get());
    driver_.Exec(dialog, [&] {
        EXPECT_EQ(dialog.cbCompany->ChosenId(), first("TbCompany"));
        EXPECT_EQ(dialog.cbCompany->itemText(dialog.cbCompany->count() - 1),
                  QStringLiteral("A字头批发"));
        EXPECT_EQ(dialog.cbAccount->ChosenId(), first("TbAccount"));
        EXPECT_EQ(dialog.cbAccount->itemText(dialog.cbAccount->count() - 1),
                  QStringLiteral("A银行"));
        EXPECT_EQ(dialog.cbOperator->ChosenId(), first("TbOperator"));
        dialog.pnCd->cbCdCategory->setCurrentIndex(0);
        EXPECT_EQ(dialog.pnCd->cbCdCategory->ChosenId(), first("TbCdCategory"));
        dialog.close();
    });
}

// Saving the batch while a new title is typed but not posted asks before the
// title is left out.
TEST_F(StockRentFmTest, SavingWithAnUnpostedTitleAsksBeforeLeavingItOut) {
    driver_.WhenShown<TAddStockRentFm>([&](TAddStockRentFm& dialog) {
        EnterTitle(dialog, QStringLiteral("0500"), QStringLiteral("亮剑"), QStringLiteral("1"),
                   QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("1"));
        ASSERT_EQ(dialog.tlStock->model()->rowCount(), 1);
        Type(dialog.pnCd->edCode, QStringLiteral("0501"));
        prompter_.QueueAnswer(false);
        Button(dialog, "保存并关闭 &S")->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), dialog.pnCd->edCode);
        EXPECT_EQ(dialog.pnCd->edCode->text(), QStringLiteral("0501"));
        EXPECT_EQ(Count("TbRentCd", "Code=\"0500\""), 0);

        prompter_.QueueAnswer(true);
        Button(dialog, "保存并关闭 &S")->click();
    });
    int id = -1;
    EXPECT_TRUE(TEditDialogFm::Execute<TAddStockRentFm>(id, 0, window_.get()));
    EXPECT_EQ(prompter_.Texts(Kind::Question),
              (QStringList(2, QStringLiteral("编号为“0501”的影片还没有加入货品列表，是否放弃它、"
                                             "只保存列表中的影片？"))));
    EXPECT_EQ(Count("TbRentCd", "Code=\"0500\""), 1);
    EXPECT_EQ(Count("TbRentCd", "Code=\"0501\""), 0);
}

TEST_F(StockRentFmTest, EditingARentalTitleWritesOnlyItsRow) {
    const int id = Field("SELECT Id FROM TbRentCd WHERE Code=\"00006\"", "Id").toInt();
    const int lines = Count("TbITransaction", "1=1");
    driver_.WhenShown<TEditStockRentFm>([this](TEditStockRentFm& dialog) {
        TTitleFields& cd = *dialog.pnCd;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("修改出租影片信息"));
        EXPECT_EQ(QApplication::focusWidget(), cd.edCode);
        EXPECT_EQ(cd.edName->text(), QStringLiteral("天下无贼"));
        EXPECT_EQ(cd.edPower->text(), QStringLiteral("1.5"));
        EXPECT_EQ(cd.edPrice->text(), QStringLiteral("30.00"));
        EXPECT_EQ(cd.cbFee->currentText(), QStringLiteral("新片收费"));

        // Another title's code, then units off the half steps.
        Type(cd.edCode, QStringLiteral("00007"));
        Button(dialog, "保存并关闭 &S")->click();
        EXPECT_EQ(prompter_.AllTexts().last(),
                  QStringLiteral("“\"00007\"”编号已经存在，请重新输入。"));
        cd.edCode->setText(QStringLiteral("00006A"));
        cd.edPower->setText(QStringLiteral("0.7"));
        Button(dialog, "保存并关闭 &S")->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), cd.edPower);
        EXPECT_EQ(cd.edCode->text(), QStringLiteral("00006A"));

        cd.edPower->setText(QStringLiteral("2"));
        cd.edPlayer->setText(QStringLiteral("刘德华"));
        Button(dialog, "保存并关闭 &S")->click();
    });
    int edited = id;
    EXPECT_TRUE(TEditDialogFm::Execute<TEditStockRentFm>(edited, 0, window_.get()));
    EXPECT_EQ(edited, id);
    EXPECT_EQ(Count("TbRentCd", QStringLiteral("Id=%1 AND Code=\"00006A\" AND Power=2 AND "
                                               "Player=\"刘德华\" AND Status=1")
                                    .arg(id)),
              1);
    EXPECT_EQ(Count("TbITransaction", "1=1"), lines);
}

TEST_F(StockRentFmTest, Screenshot) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP() << "pictures only with VINTOR_SCREENSHOTS=1";
    }
    TAddStockRentFm dialog(window_.get());
    driver_.Exec(dialog, [&] {
        EnterTitle(dialog, QStringLiteral("0500"), QStringLiteral("还珠格格"), QStringLiteral("6"),
                   QStringLiteral("6"), QStringLiteral("8"), QStringLiteral("6"));
        dialog.edMemo2->setText(QStringLiteral("第一部全集"));
        const QRect third = dialog.tlStock->visualRect(dialog.tlStock->model()->index(2, 1));
        QTest::mouseClick(dialog.tlStock->viewport(), Qt::LeftButton, {}, third.center());
        Screenshots::Save(dialog.grab(), QStringLiteral("stock-rent.png"));
        prompter_.QueueAnswer(true);
    });
}

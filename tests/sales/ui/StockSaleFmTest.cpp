#include "sales/ui/AddStockSaleFm.h"
#include "sales/ui/EditStockSaleFm.h"

#include "app/kit/DeskGrid.h"
#include "app/kit/DigitEdit.h"
#include "app/kit/GridFooter.h"
#include "app/kit/MoneyEdit.h"
#include "tests/sales/ui/StockFmFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using StockSaleFmTest = StockFmTest;

TEST_F(StockSaleFmTest, AScannedCodeRestocksItsTitleAndANewCodeMakesANewOne) {
    driver_.WhenShown<TAddStockSaleFm>([this](TAddStockSaleFm& dialog) {
        TTitleFields& cd = *dialog.pnCd;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("销售进货"));
        cd.edCode->setFocus();
        // A scanner types the code and Enter at full speed.
        Type(cd.edCode, QStringLiteral("S0001"));
        EXPECT_EQ(QApplication::focusWidget(), cd.edName);
        EXPECT_EQ(cd.edName->text(), QStringLiteral("泰坦尼克号"));
        EXPECT_EQ(dialog.lbStock->text(), QStringLiteral("5套"));
        EXPECT_EQ(cd.edNumber1->text(), QStringLiteral("2"));
        EXPECT_EQ(cd.edNumber2->text(), QStringLiteral("1"));
        EXPECT_EQ(cd.edCost->text(), QStringLiteral("15.00"));
        EXPECT_EQ(cd.edPrice->text(), QStringLiteral("25.00"));
        cd.edNumber2->setText(QStringLiteral("5"));
        dialog.btnPost->click();
        EXPECT_TRUE(dialog.lbStock->text().isEmpty());

        // An unknown code shows nothing; the stock shown before goes.
        cd.edCode->setFocus();
        Type(cd.edCode, QStringLiteral("S0001"));
        EXPECT_EQ(dialog.lbStock->text(), QStringLiteral("5套"));
        cd.edCode->setFocus();
        Type(cd.edCode, QStringLiteral("S0100"));
        EXPECT_TRUE(dialog.lbStock->text().isEmpty());
        // The same code twice in a batch is refused.
        EXPECT_EQ(cd.edName->text(), QStringLiteral("泰坦尼克号"));
        cd.edCode->setText(QStringLiteral("s0001"));
        dialog.btnPost->click();
        EXPECT_EQ(prompter_.AllTexts(),
                  QStringList{QStringLiteral("“\"s0001\"”编号已经添加，请重新输入。")});
        EXPECT_EQ(QApplication::focusWidget(), cd.edCode);

        cd.edCode->setText(QStringLiteral("S0100"));
        cd.edName->setText(QStringLiteral("海上钢琴师"));
        cd.edNumber2->setText(QStringLiteral("3"));
        cd.edCost->setText(QStringLiteral("4"));
        dialog.btnPost->click();
        ASSERT_EQ(dialog.tlStock->model()->rowCount(), 2);
        EXPECT_EQ(Column(dialog.tlStock, 5), (QStringList{"75.00", "12.00"}));
        EXPECT_EQ(dialog.ftStock->Cell(3), QStringLiteral("8"));
        EXPECT_EQ(dialog.ftStock->Cell(4), QStringLiteral("19.00"));
        EXPECT_EQ(dialog.edSum->text(), QStringLiteral("87.00"));
        Button(dialog, "保存并关闭 &S")->click();
    });
    int id = -1;
    EXPECT_TRUE(TEditDialogFm::Execute<TAddStockSaleFm>(id, 0, window_.get()));
    EXPECT_EQ(Count("TbSaleCd", "Code=\"S0001\" AND Number2=10 AND Name=\"泰坦尼克号\""), 1);
    EXPECT_EQ(Count("TbSaleCd", "Code=\"S0100\" AND Number2=3 AND Cost=4"), 1);
    EXPECT_EQ(Count("TbITransaction", "CId2=22 AND Flag=1 AND ((Number=5 AND Price=15 AND CId1 IN "
                                      "(SELECT Id FROM TbSaleCd WHERE Code=\"S0001\")) OR "
                                      "(Number=3 AND Price=4))"),
              2);
    EXPECT_EQ(Count("TbFTransaction", "CId1=22 AND Sum1=-87"), 1);
}

TEST_F(StockSaleFmTest, EditingASaleTitleSetsItsStock) {
    const int id = Field("SELECT Id FROM TbSaleCd WHERE Code=\"S0003\"", "Id").toInt();
    driver_.WhenShown<TEditStockSaleFm>([this](TEditStockSaleFm& dialog) {
        TTitleFields& cd = *dialog.pnCd;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("修改销售影片信息"));
        EXPECT_EQ(cd.edName->text(), QStringLiteral("指环王"));
        EXPECT_EQ(cd.edNumber2->text(), QStringLiteral("2"));
        cd.edNumber2->setText(QStringLiteral("x"));
        Button(dialog, "保存并关闭 &S")->click();
        EXPECT_EQ(QApplication::focusWidget(), cd.edNumber2);
        EXPECT_EQ(prompter_.AllTexts().size(), 1);
        cd.edNumber2->setText(QStringLiteral("7"));
        Button(dialog, "保存并关闭 &S")->click();
    });
    int edited = id;
    EXPECT_TRUE(TEditDialogFm::Execute<TEditStockSaleFm>(edited, 0, window_.get()));
    EXPECT_EQ(Count("TbSaleCd", QStringLiteral("Id=%1 AND Number2=7").arg(id)), 1);
}

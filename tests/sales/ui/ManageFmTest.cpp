#include "sales/ui/ManageFm.h"

#include "app/ExPickEdit.h"
#include "app/Session.h"
#include "app/kit/DataGrid.h"
#include "app/kit/DigitEdit.h"
#include "app/kit/GridFooter.h"
#include "app/kit/MoneyEdit.h"
#include "sales/ui/AddStockRentFm.h"
#include "sales/ui/LibraryPage.h"
#include "sales/ui/RentHistoryPanel.h"
#include "sales/ui/TitleFields.h"
#include "storage/dao/Format.h"
#include "tests/app/Screenshots.h"
#include "tests/app/SessionFixture.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <algorithm>

namespace {

// The library on the example ledger: twenty rental titles (the last ten the
// episodes of "射雕英雄传"), all in one stock-in batch, and four sale titles.
class ManageFmTest : public SessionTest {
protected:
    TManageFm* Open() {
        auto* library = new TManageFm;
        Host(library);
        return library;
    }
    static TDM& Dm() { return TSession::Current().Dm; }
    static QString Sql(const QString& sql, const QString& column = QStringLiteral("V")) {
        return Dm().SqlFieldText(sql, column);
    }
    static QStringList Column(TDataGrid* grid, int column) {
        QStringList cells;
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            cells << grid->model()->index(row, column).data().toString();
        }
        return cells;
    }
    static QString Current(TDataGrid* grid, int column) {
        return grid->model()->index(grid->currentIndex().row(), column).data().toString();
    }
    // A key where the operator is: on the focused control.
    static void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    // Picks a title the way the operator does: initials or code, then Enter.
    static void Pick(TExPickEdit* box, const QString& typed) {
        box->clear();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
    }
    // A rental title stocked in a batch of its own, paid 25.00 from the cash box.
    static void StockAlone(const QString& code, const QString& name) {
        Dm().ExecSql(QStringLiteral(
            "INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,Memo) "
            "VALUES (#2024-06-15#,21,0,1,1,1,0,0,-25,0,\"\")"));
        const QString fund = Sql(QStringLiteral("SELECT Max(Id) AS V FROM TbFTransaction"));
        Dm().ExecSql(SqlFormat(
            "INSERT INTO TbRentCd (Code,Name,Spell,Day,Alias1,Alias2,CId,FId,Status,Director,"
            "Player,Number,Price,Power,Memo) VALUES (\"%s\",\"%s\",\"\",#2024-06-15#,\"\",\"\",5,1,"
            "1,\"\",\"\",1,25,1,\"\")",
            {code, name}));
        const QString title = Sql(QStringLiteral("SELECT Max(Id) AS V FROM TbRentCd"));
        Dm().ExecSql(Format(
            QStringLiteral("INSERT INTO TbITransaction (Day,CId1,CId2,FId,Flag,Number,Price,Sn) "
                           "VALUES (#2024-06-15#,%s,21,%s,0,1,25,(SELECT Max(Sn)+1 FROM "
                           "TbITransaction))"),
            {title, fund}));
    }
};

} // namespace

TEST_F(ManageFmTest, AClerkWithStockInButNoEditRightsGetsF5AloneAndF6DoesNothing) {
    LogIn(Clerk, ClerkPassword);
    TSession::Current().Operator.Op[6] = true;
    TManageFm* library = Open();
    ASSERT_GT(library->dgRentCd->model()->rowCount(), 0);
    EXPECT_TRUE(library->btn_Rent_Add->isEnabled());
    EXPECT_FALSE(library->btn_Rent_Edit->isEnabled());
    EXPECT_FALSE(library->btn_Rent_Del->isEnabled());
    EXPECT_FALSE(library->btn_Rent_Cancel->isEnabled());
    bool opened = false;
    driver_.WhenShown<QDialog>([&](QDialog&) { opened = true; });
    Press(Qt::Key_F6);
    Press(Qt::Key_F8);
    Press(Qt::Key_F7);
    QTest::qWait(3 * TModalDriver::PollMs);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());

    library->pcManage->setCurrentIndex(1);
    for (QPushButton* button :
         {library->btn_Sale_Add, library->btn_Sale_Edit, library->btn_Sale_Del}) {
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    }
}

TEST_F(ManageFmTest, WriteOffAndRestoreTurnTheF8CaptionAndTheStatus) {
    LogIn(Admin);
    TManageFm* library = Open();
    Pick(library->edRentCode, QStringLiteral("WJD"));
    ASSERT_EQ(Current(library->dgRentCd, 2), QStringLiteral("无间道"));
    EXPECT_EQ(library->btn_Rent_Cancel->text(), QStringLiteral("注销 F8"));
    EXPECT_EQ(library->ftRentCd->Cell(3), QStringLiteral("注销:0"));

    prompter_.QueueAnswer(false);
    Press(Qt::Key_F8);
    EXPECT_EQ(Current(library->dgRentCd, 10), QStringLiteral("未租"));

    prompter_.QueueAnswer(true);
    Press(Qt::Key_F8);
    EXPECT_EQ(Current(library->dgRentCd, 2), QStringLiteral("无间道"));
    EXPECT_EQ(Current(library->dgRentCd, 10), QStringLiteral("注销"));
    EXPECT_EQ(library->btn_Rent_Cancel->text(), QStringLiteral("恢复 F8"));
    EXPECT_EQ(library->ftRentCd->Cell(3), QStringLiteral("注销:1"));
    // Another title shows its own caption.
    library->dgRentCd->setCurrentIndex(library->dgRentCd->model()->index(0, 0));
    EXPECT_EQ(library->btn_Rent_Cancel->text(), QStringLiteral("注销 F8"));

    Pick(library->edRentCode, QStringLiteral("WJD"));
    prompter_.QueueAnswer(true);
    library->btn_Rent_Cancel->click();
    EXPECT_EQ(Current(library->dgRentCd, 10), QStringLiteral("未租"));
    EXPECT_EQ(library->btn_Rent_Cancel->text(), QStringLiteral("注销 F8"));
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Question),
              (QStringList{QStringLiteral("注销影片[00004 无间道]将使其无法参与正常的出租返还业务。"
                                          "真的要注销吗？"),
                           QStringLiteral("注销影片[00004 无间道]将使其无法参与正常的出租返还业务。"
                                          "真的要注销吗？"),
                           QStringLiteral("真的要恢复注销影片[00004 无间道]吗？")}));

    // The sale page has no F8.
    library->pcManage->setCurrentIndex(1);
    const int asked = int(prompter_.AllTexts().size());
    Press(Qt::Key_F8);
    EXPECT_EQ(prompter_.AllTexts().size(), asked);
}

TEST_F(ManageFmTest, DeletingATitleAloneInItsBatchAsksAboutItsPayment) {
    LogIn(Admin);
    StockAlone(QStringLiteral("A-1"), QStringLiteral("独自一部"));
    StockAlone(QStringLiteral("A-2"), QStringLiteral("另外一部"));
    TManageFm* library = Open();
    const QString movements = QStringLiteral("SELECT Count(Id) AS V FROM TbFTransaction WHERE "
                                             "CId1=21");
    ASSERT_EQ(Sql(movements), QStringLiteral("3"));
    EXPECT_EQ(library->ftRentCd->Cell(0), QStringLiteral("总数:22"));

    // No to the question keeps everything.
    Pick(library->edRentCode, QStringLiteral("A-1"));
    ASSERT_EQ(Current(library->dgRentCd, 2), QStringLiteral("独自一部"));
    prompter_.QueueAnswer(false);
    Press(Qt::Key_F7);
    EXPECT_EQ(library->dgRentCd->model()->rowCount(), 22);

    // Yes, and yes to deleting the payment: both go.
    prompter_.QueueAnswer(true);
    prompter_.QueueAnswer(true);
    Press(Qt::Key_F7);
    EXPECT_EQ(library->dgRentCd->model()->rowCount(), 21);
    EXPECT_FALSE(Column(library->dgRentCd, 2).contains(QStringLiteral("独自一部")));
    EXPECT_EQ(Sql(movements), QStringLiteral("2"));
    EXPECT_EQ(library->ftRentCd->Cell(0), QStringLiteral("总数:21"));

    // Yes, and no to the payment: the title goes, the payment stays.
    Pick(library->edRentCode, QStringLiteral("A-2"));
    prompter_.QueueAnswer(true);
    prompter_.QueueAnswer(false);
    library->btn_Rent_Del->click();
    EXPECT_EQ(library->dgRentCd->model()->rowCount(), 20);
    EXPECT_EQ(Sql(movements), QStringLiteral("2"));
    EXPECT_EQ(
        prompter_.Texts(TScriptedPrompter::Kind::Question),
        (QStringList{QStringLiteral("确实要删除 [\"独自一部\"]吗？"),
                     QStringLiteral("确实要删除 [\"独自一部\"]吗？"),
                     QStringLiteral("是否在删除此影片时，同时删除此影片进货时的资金记录？"),
                     QStringLiteral("确实要删除 [\"另外一部\"]吗？"),
                     QStringLiteral("是否在删除此影片时，同时删除此影片进货时的资金记录？")}));
    // A title stays current.
    EXPECT_GT(library->dgRentCd->SelectedId(), 0);
}

TEST_F(ManageFmTest, F5BooksASeriesWhoseFortyEpisodesJoinTheList) {
    LogIn(Admin);
    TManageFm* library = Open();
    driver_.WhenShown<TAddStockRentFm>([](TAddStockRentFm& dialog) {
        TTitleFields& cd = *dialog.pnCd;
        cd.edCode->setText(QStringLiteral("0100"));
        cd.edName->setText(QStringLiteral("还珠格格"));
        cd.edNumber->setText(QStringLiteral("40"));
        cd.edPower->setText(QStringLiteral("40"));
        cd.edPrice->setText(QStringLiteral("5"));
        dialog.edAmount->setText(QStringLiteral("40"));
        dialog.edSplit->setText(QStringLiteral("-"));
        dialog.btnPost->click();
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("保存并关闭 &S")) {
                button->click();
            }
        }
    });
    Press(Qt::Key_F5);
    EXPECT_TRUE(prompter_.AllTexts().isEmpty()) << prompter_.AllTexts().join(u'\n').toStdString();
    ASSERT_TRUE(library->dgRentCd->FilterColumn(2, QStringLiteral("还珠格格")));
    const QStringList codes = Column(library->dgRentCd, 1);
    EXPECT_EQ(codes.size(), 40);
    EXPECT_TRUE(codes.contains(QStringLiteral("0100-1")));
    EXPECT_TRUE(codes.contains(QStringLiteral("0100-40")));
    EXPECT_EQ(library->ftRentCd->Cell(0), QStringLiteral("总数:60"));
    EXPECT_EQ(library->ftRentCd->Cell(5), QStringLiteral("总计:65"));
}

TEST_F(ManageFmTest, TheMemoHeaderNeitherSortsNorReadsTheRowsAgain) {
    LogIn(Admin);
    TManageFm* library = Open();
    QHeaderView* header = library->dgRentCd->horizontalHeader();
    const QStringList before = Column(library->dgRentCd, 1);
    QSignalSpy resets(library->dgRentCd->model(), &QAbstractItemModel::modelReset);
    emit header->sectionClicked(11);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(Column(library->dgRentCd, 1), before);

    // The name sorts, by the title's own name; the current title stays.
    const QString current = Current(library->dgRentCd, 2);
    emit header->sectionClicked(2);
    emit header->sectionClicked(2);
    EXPECT_EQ(resets.count(), 2);
    EXPECT_EQ(header->sortIndicatorSection(), 2);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    const QStringList names = Column(library->dgRentCd, 2);
    EXPECT_TRUE(std::is_sorted(names.rbegin(), names.rend()));
    EXPECT_EQ(Current(library->dgRentCd, 2), current);
}

TEST_F(ManageFmTest, PickingATitleFindsItEvenUnderAFilterThatHidesIt) {
    LogIn(Admin);
    TManageFm* library = Open();
    const QString rented = library->ftRentCd->Cell(1);
    EXPECT_EQ(rented, QStringLiteral("已租:0"));
    ASSERT_TRUE(library->dgRentCd->FilterColumn(2, QStringLiteral("射雕")));
    EXPECT_EQ(library->dgRentCd->model()->rowCount(), 10);
    EXPECT_EQ(library->ftRentCd->Cell(0), QStringLiteral("总数:20")); // the whole table

    Pick(library->edRentCode, QStringLiteral("LM"));
    EXPECT_EQ(Current(library->dgRentCd, 2), QStringLiteral("龙猫"));
    EXPECT_EQ(library->dgRentCd->model()->rowCount(), 20);

    library->pcManage->setCurrentIndex(1);
    Pick(library->edSaleCode, QStringLiteral("S0003"));
    EXPECT_EQ(Current(library->dgSaleCd, 2), QStringLiteral("指环王"));
    EXPECT_EQ(library->ftSaleCd->Cell(1), QStringLiteral("总数:4"));
    EXPECT_EQ(library->ftSaleCd->Cell(5), QStringLiteral("总计:10"));
}

TEST_F(ManageFmTest, TheHistoryFollowsTheCurrentTitleAndReadsNothingFolded) {
    LogIn(Admin);
    Dm().ExecSql(QStringLiteral(
        "INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,Deposit,Rent,Sn,CId2) VALUES "
        "(#2024-06-01#,#2024-06-03#,1,4,0,30,6,1,1)"));
    Dm().ExecSql(QStringLiteral(
        "INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,Deposit,Rent,Sn,CId2) VALUES "
        "(#2024-06-14#,#2024-06-14#,0,4,0,20,0,2,2)"));
    TManageFm* library = Open();
    TDataGrid* history = library->pnDetail->dgDetail;
    Pick(library->edRentCode, QStringLiteral("WJD"));
    EXPECT_EQ(Column(history, 3),
              (QStringList{QStringLiteral("王小姐"), QStringLiteral("零租用户")}));
    EXPECT_EQ(library->pnDetail->ftDetail->Cell(0), QStringLiteral("总数：2"));
    EXPECT_EQ(library->pnDetail->ftDetail->Cell(4), QStringLiteral("合计：50.00"));
    EXPECT_EQ(library->pnDetail->ftDetail->Cell(5), QStringLiteral("合计：6.00"));

    library->pnDetail->btnFold->click();
    EXPECT_FALSE(history->isVisible());
    Pick(library->edRentCode, QStringLiteral("LM"));
    EXPECT_EQ(history->model()->rowCount(), 2); // still the lines read before folding
    library->pnDetail->btnFold->click();
    EXPECT_EQ(history->model()->rowCount(), 0);
    EXPECT_EQ(library->pnDetail->ftDetail->Cell(0), QStringLiteral("总数：0"));
    EXPECT_EQ(library->pnDetail->ftDetail->Cell(4), QStringLiteral("合计：0.00"));
}

TEST_F(ManageFmTest, EachPageExportsEveryRowBesideTheLedger) {
    LogIn(Admin);
    TManageFm* library = Open();
    ASSERT_TRUE(library->dgRentCd->FilterColumn(2, QStringLiteral("射雕")));
    const QString rentPath = home_.Path(QStringLiteral("rent.txt"));
    chooser_.QueueAnswer(rentPath);
    library->tsRent->aExport->trigger();
    ASSERT_EQ(chooser_.Requests().size(), 1);
    EXPECT_EQ(chooser_.Requests()[0].proposedName, QStringLiteral("出租光盘库"));
    EXPECT_EQ(chooser_.Requests()[0].directory, QFileInfo(example_).path());
    QFile rent(rentPath);
    ASSERT_TRUE(rent.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(rent.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 11); // the captions and the rows the filter shows
    EXPECT_TRUE(lines[0].contains(QStringLiteral("入库日期,影片编号,影片名称")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("射雕英雄传")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("未租")));

    library->pcManage->setCurrentIndex(1);
    const QString salePath = home_.Path(QStringLiteral("sale.xml"));
    chooser_.QueueAnswer(salePath);
    library->tsSale->aExport->trigger();
    EXPECT_EQ(chooser_.Requests().last().proposedName, QStringLiteral("销售光盘库"));
    QFile sale(salePath);
    ASSERT_TRUE(sale.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(sale.readAll());
    for (const QString& text :
         {QStringLiteral("数量"), QStringLiteral("泰坦尼克号"), QStringLiteral("千与千寻")}) {
        EXPECT_TRUE(xml.contains(text)) << text.toStdString();
    }

    // Cancelled, nothing is written.
    const QDir data(QFileInfo(example_).path());
    const QStringList files = data.entryList(QDir::Files);
    library->tsSale->aExport->trigger();
    EXPECT_EQ(chooser_.Requests().size(), 3);
    EXPECT_EQ(data.entryList(QDir::Files), files);
}

TEST_F(ManageFmTest, Screenshots) {
    if (!Screenshots::Wanted()) {
        GTEST_SKIP();
    }
    LogIn(Admin);
    Dm().ExecSql(QStringLiteral(
        "INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,Deposit,Rent,Sn,CId2) VALUES "
        "(#2024-06-01#,#2024-06-03#,1,1,0,30,6,1,1)"));
    TManageFm* library = Open();
    window_->resize(1100, 680);
    QTest::qWait(50);
    Screenshots::Save(window_->grab(), QStringLiteral("library-rental.png"));
    library->pcManage->setCurrentIndex(1);
    QTest::qWait(50);
    Screenshots::Save(window_->grab(), QStringLiteral("library-sale.png"));
}

#include "app/kit/DataGrid.h"
#include "app/ScriptedFileChooser.h"
#include "app/kit/GridFooter.h"
#include "app/kit/TreeModel.h"
#include "storage/dao/Format.h"
#include "tests/app/ProgramHome.h"
#include "tests/app/Screenshots.h"
#include "tests/support/LedgerFixture.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <sqlite3.h>

namespace {

// The banks as the settings window's "金融机构" page lists them.
const QList<TGridColumn> BankColumns{{QStringLiteral("金融机构名称"), QStringLiteral("Name")},
                                     {QStringLiteral("说明"), QStringLiteral("Memo")}};

class DataGridTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        const QStringList banks{QStringLiteral("中国工商银行"), QStringLiteral("中国农业银行"),
                                QStringLiteral("中国银行"),     QStringLiteral("中国建设银行"),
                                QStringLiteral("交通银行"),     QStringLiteral("招商银行")};
        for (const QString& bank : banks) {
            dm_->ExecSql(SqlFormat(QStringLiteral("INSERT INTO TbBank (Name,Memo) VALUES "
                                                  "(\"%s\",\"对公账户\")"),
                                   {bank}));
        }
    }
    std::unique_ptr<TDataGrid> BankGrid() {
        auto grid = std::make_unique<TDataGrid>(&dm_->DbBase);
        grid->SetUp(QStringLiteral("dgBank"), BankColumns, QStringLiteral("SELECT * FROM TbBank"),
                    QString());
        return grid;
    }
    // Fund movements of the cash box, one a day from 2020-01-01 on, each with
    // the memo "m" and its Id.
    std::unique_ptr<TDataGrid> MovementGrid(int count) {
        const QByteArray insert =
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE "
                           "i<%1) INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                           "AId3,Sum1,Sum2,Memo) SELECT 43830+i,1,0,0,1,1,0,0,1,0,'' FROM n; "
                           "UPDATE TbFTransaction SET Memo='m'||Id")
                .arg(count)
                .toUtf8();
        EXPECT_EQ(sqlite3_exec(dm_->DbBase.Handle(), insert.constData(), nullptr, nullptr, nullptr),
                  SQLITE_OK);
        auto grid = std::make_unique<TDataGrid>(&dm_->DbBase);
        grid->SetUp(QStringLiteral("dgFTransaction"),
                    {{QStringLiteral("日期"), QStringLiteral("Day"), TCellKind::Date},
                     {QStringLiteral("说明"), QStringLiteral("Memo")}},
                    QStringLiteral("SELECT * FROM TbFTransaction"), QStringLiteral("AId1=1"));
        return grid;
    }
    qint64 LastMovement() {
        return Value(QStringLiteral("SELECT Max(Id) AS V FROM TbFTransaction")).toLongLong();
    }
    static QStringList Column(TDataGrid& grid, int column) {
        QStringList texts;
        for (int row = 0; row < grid.model()->rowCount(); ++row) {
            texts.append(grid.model()->index(row, column).data().toString());
        }
        return texts;
    }
    TProgramHome home_;
};

} // namespace

TEST_F(DataGridTest, AHeaderClickReSortsAndTheLayoutComesBackByName) {
    {
        auto grid = BankGrid();
        EXPECT_EQ(Column(*grid, 0).first(), QStringLiteral("中国农业银行"));
        grid->setCurrentIndex(grid->model()->index(2, 0));
        const qint64 selected = grid->SelectedId();
        emit grid->horizontalHeader()->sectionClicked(0);
        emit grid->horizontalHeader()->sectionClicked(0);
        EXPECT_TRUE(grid->Data().Sql().contains(QStringLiteral(" ORDER BY Name DESC")));
        EXPECT_EQ(Column(*grid, 0).first(), QStringLiteral("招商银行"));
        EXPECT_EQ(grid->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        EXPECT_EQ(grid->SelectedId(), selected); // the same bank stays selected
        grid->horizontalHeader()->resizeSection(1, 211);
        grid->horizontalHeader()->moveSection(1, 0);
    } // the pending layout is kept as the grid goes
    auto again = BankGrid();
    EXPECT_EQ(again->horizontalHeader()->sectionSize(1), 211);
    EXPECT_EQ(again->horizontalHeader()->visualIndex(1), 0);
    EXPECT_EQ(Column(*again, 0).first(), QStringLiteral("招商银行"));
    TDataGrid other(&dm_->DbBase);
    other.SetUp(QStringLiteral("dgOther"), BankColumns, QStringLiteral("SELECT * FROM TbBank"),
                QString());
    EXPECT_EQ(Column(other, 0).first(), QStringLiteral("中国农业银行"));
}

TEST_F(DataGridTest, TheSavedRowIsSelectedAfterReload) {
    auto grid = BankGrid();
    dm_->ExecSql(QStringLiteral("INSERT INTO TbBank (Name,Memo) VALUES (\"北京银行\",\"\")"));
    const qint64 id = Value(QStringLiteral("SELECT Max(Id) AS V FROM TbBank")).toLongLong();
    grid->Reload();
    ASSERT_TRUE(grid->SelectId(id));
    EXPECT_EQ(grid->currentIndex().data().toString(), QStringLiteral("北京银行"));
    EXPECT_EQ(grid->SelectedId(), id);
    EXPECT_FALSE(grid->SelectId(9999));
}

TEST_F(DataGridTest, ExportWritesWhatTheGridShows) {
    auto grid = BankGrid();
    ASSERT_TRUE(grid->FilterColumn(0, QStringLiteral("中国")));
    TScriptedFileChooser chooser;
    TFileChooser::Install(&chooser);
    const QString path = Path(QStringLiteral("银行.htm"));
    chooser.QueueAnswer(path);
    EXPECT_TRUE(grid->Export(QStringLiteral("银行.xlsx")));
    chooser.QueueAnswer(QString());
    EXPECT_FALSE(grid->Export(QStringLiteral("银行.xlsx")));
    TFileChooser::Install(nullptr);
    ASSERT_EQ(chooser.Requests().size(), 2);
    EXPECT_EQ(chooser.Requests()[0].title, QStringLiteral("当前显示数据导出到..."));
    EXPECT_EQ(chooser.Requests()[0].directory, QFileInfo(ledger_).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    for (const QString& bank : Column(*grid, 0)) {
        EXPECT_TRUE(html.contains(bank)) << bank.toStdString();
    }
    EXPECT_EQ(Column(*grid, 0).size(), 4);
    EXPECT_FALSE(html.contains(QStringLiteral("交通银行")));
}

TEST_F(DataGridTest, TheFooterFollowsItsColumnsAndShowsTheTotals) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new TDataGrid(&dm_->DbBase);
    grid->SetUp(QStringLiteral("dgBank"), BankColumns, QStringLiteral("SELECT * FROM TbBank"),
                QString());
    auto* footer = new TGridFooter(grid);
    layout->addWidget(grid);
    layout->addWidget(footer);
    layout->setSpacing(0);
    window.resize(420, 260);
    grid->horizontalHeader()->resizeSection(0, 240);
    footer->SetCell(0, QStringLiteral("金融机构总数：%1个").arg(grid->Data().RowCount()));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QHeaderView* header = grid->horizontalHeader();
    auto headerLeft = [&](int column) {
        return footer
            ->mapFromGlobal(header->mapToGlobal(QPoint(header->sectionViewportPosition(column), 0)))
            .x();
    };
    EXPECT_EQ(footer->CellRect(1).left(), headerLeft(1));
    EXPECT_EQ(footer->CellRect(1).width(), header->sectionSize(1));
    grid->horizontalHeader()->resizeSection(1, 400);
    QApplication::processEvents(); // the scroll range follows the new width
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    EXPECT_EQ(footer->CellRect(1).left(), headerLeft(1));
    EXPECT_EQ(footer->CellRect(1).width(), 400);
    grid->horizontalScrollBar()->setValue(0);
    EXPECT_EQ(footer->Cell(0), QStringLiteral("金融机构总数：6个"));
    // The count runs on over the empty memo column (up to the grid's visible
    // end), and stops at a column with a text of its own.
    EXPECT_GT(footer->TextRect(0).right(), footer->CellRect(1).left());
    footer->SetCell(1, QStringLiteral("x"));
    EXPECT_EQ(footer->TextRect(0).right(), footer->CellRect(0).right());
    footer->SetCell(1, QString());
    Screenshots::Save(window.grab(), QStringLiteral("grid-banks.png"));
}

TEST_F(DataGridTest, ALongListShowsItsFirstPageAndAllItsRowsOnceCounted) {
    auto grid = MovementGrid(600);
    const int rows = Count(QStringLiteral("TbFTransaction"), QStringLiteral("AId1=1"));
    QSignalSpy counted(&grid->Model(), &TGridModel::RowsCounted);
    EXPECT_EQ(grid->model()->rowCount(), TQueryRows::PageRows);
    EXPECT_FALSE(grid->Model().Counted());
    grid->resize(400, 300);
    grid->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
    for (int wait = 0; wait < 100 && counted.isEmpty(); ++wait) {
        QApplication::processEvents(); // the count follows the first paint
    }
    ASSERT_EQ(counted.size(), 1);
    EXPECT_EQ(grid->model()->rowCount(), rows);
    QApplication::processEvents(); // the scroll range follows the rows
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    const QModelIndex bottom = grid->indexAt(QPoint(1, grid->viewport()->height() - 2));
    EXPECT_EQ(bottom.row(), rows - 1);
    EXPECT_EQ(grid->model()->index(rows - 1, 1).data().toString(),
              QStringLiteral("m%1").arg(LastMovement()));
    // A new order starts again from its first page.
    emit grid->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(grid->model()->rowCount(), TQueryRows::PageRows);
    EXPECT_FALSE(grid->Model().Counted());
    // A filter that leaves less than a page shows every row at once.
    ASSERT_TRUE(grid->FilterColumn(1, QStringLiteral("m1")));
    EXPECT_TRUE(grid->Model().Counted());
    EXPECT_EQ(grid->model()->rowCount(), Count(QStringLiteral("TbFTransaction"),
                                               QStringLiteral("AId1=1 AND Memo LIKE \"m1*\"")));
    EXPECT_EQ(counted.size(), 2);
}

TEST_F(DataGridTest, KeysAndSavedRowsReachPastTheFirstPageBeforeTheCount) {
    auto grid = MovementGrid(600);
    const int rows = Count(QStringLiteral("TbFTransaction"), QStringLiteral("AId1=1"));
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid.get(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->currentIndex().row(), rows - 1);
    EXPECT_EQ(grid->SelectedId(), LastMovement());
    grid->Reload(); // the selected row stays selected, past the first page
    EXPECT_EQ(grid->currentIndex().row(), rows - 1);
    EXPECT_EQ(grid->model()->rowCount(), rows);
    emit grid->horizontalHeader()->sectionClicked(0);
    emit grid->horizontalHeader()->sectionClicked(0); // newest first
    ASSERT_FALSE(grid->Model().Counted());
    EXPECT_EQ(grid->SelectedId(), LastMovement());
    EXPECT_EQ(grid->currentIndex().row(), 0);
    ASSERT_TRUE(grid->SelectId(LastMovement() - 400));
    EXPECT_EQ(grid->currentIndex().row(), 400);
    EXPECT_EQ(grid->model()->rowCount(), rows);
}

TEST_F(DataGridTest, ATreeModelShowsCategoriesUnderTheirParents) {
    dm_->ExecSql(
        QStringLiteral("INSERT INTO TbCdCategory (Name,SubId,Memo) VALUES (\"电影\",0,\"\")"));
    const qint64 film = Value(QStringLiteral("SELECT Max(Id) AS V FROM TbCdCategory")).toLongLong();
    dm_->ExecSql(SqlFormat(QStringLiteral("INSERT INTO TbCdCategory (Name,SubId,Memo) VALUES "
                                          "(\"动作\",%d,\"打斗\")"),
                           {film}));
    const qint64 action =
        Value(QStringLiteral("SELECT Max(Id) AS V FROM TbCdCategory")).toLongLong();
    TTreeModel tree;
    tree.Load(&dm_->DbBase, QStringLiteral("SELECT * FROM TbCdCategory"), QString(),
              {{QStringLiteral("分类名称"), QStringLiteral("Name")},
               {QStringLiteral("说明"), QStringLiteral("Memo")}});
    const QModelIndex child = tree.IndexOfId(action);
    ASSERT_TRUE(child.isValid());
    EXPECT_EQ(tree.IdOf(tree.parent(child)), film);
    EXPECT_EQ(tree.index(child.row(), 1, tree.parent(child)).data().toString(),
              QStringLiteral("打斗"));
    EXPECT_EQ(tree.rowCount(tree.IndexOfId(film)), 1);
    EXPECT_EQ(tree.headerData(0, Qt::Horizontal).toString(), QStringLiteral("分类名称"));
}

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
#include <QTest>
#include <QVBoxLayout>

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

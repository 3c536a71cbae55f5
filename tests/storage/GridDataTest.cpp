#include "storage/grid/GridData.h"
#include "storage/ScriptedPrompter.h"
#include "storage/export/CsvExport.h"
#include "storage/grid/TreeRows.h"
#include "tests/support/LedgerFixture.h"

#include <QFile>

#include <memory>

#include <sqlite3.h>

namespace {

const QString MovementSelect =
    QStringLiteral("SELECT A.*,B.Name AS BName FROM TbFTransaction AS A LEFT JOIN TbCategory AS "
                   "B ON A.CId1=B.Id");

class GridDataTest : public LedgerTest {
protected:
    // Fund movements on 97 different days, some in a category that is not
    // listed (their BName is NULL), sums in quarters.
    void AddMovements(int count) {
        Exec(QStringLiteral(
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<%1) INSERT "
                 "INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,Memo) "
                 "SELECT 45000+i%97, CASE WHEN i%7=0 THEN 999 ELSE 1+i%3 END, i%2,0,1,1,0,0, "
                 "(i%1000)/4.0,0,'m'||i FROM n")
                 .arg(count));
    }
    void Exec(const QString& sql) {
        ASSERT_EQ(
            sqlite3_exec(dm_->DbBase.Handle(), sql.toUtf8().constData(), nullptr, nullptr, nullptr),
            SQLITE_OK);
    }
    // The keys in the order one unpaged statement gives them.
    QList<qint64> KeysOf(const QString& sqliteSql) {
        QList<qint64> keys;
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(dm_->DbBase.Handle(), sqliteSql.toUtf8().constData(), -1, &statement,
                           nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            keys.append(sqlite3_column_int64(statement, 0));
        }
        sqlite3_finalize(statement);
        return keys;
    }
    QList<qint64> KeysRead(TQueryRows& rows) {
        QList<qint64> keys;
        for (int row = 0; row < rows.RowCount(); ++row) {
            keys.append(rows.KeyOf(row));
        }
        return keys;
    }
    bool StatementBusy() {
        for (sqlite3_stmt* s = sqlite3_next_stmt(dm_->DbBase.Handle(), nullptr); s;
             s = sqlite3_next_stmt(dm_->DbBase.Handle(), s)) {
            if (sqlite3_stmt_busy(s)) {
                return true;
            }
        }
        return false;
    }
    static QList<TGridColumn> MovementColumns() {
        return {{QStringLiteral("日期"), QStringLiteral("Day"), TCellKind::Date, {}},
                {QStringLiteral("收支分类"), QStringLiteral("BName"), TCellKind::Text,
                 QStringLiteral("B.Name")},
                {QStringLiteral("金额"), QStringLiteral("Sum1"), TCellKind::Money,
                 QStringLiteral("A.Sum1")},
                {QStringLiteral("收入"), QStringLiteral("Flag"), TCellKind::Tick,
                 QStringLiteral("A.Flag")},
                {QStringLiteral("说明"), QStringLiteral("Memo"), TCellKind::Text,
                 QStringLiteral("A.Memo"), false}};
    }
    TGridData& MovementGrid() {
        grid_ = std::make_unique<TGridData>(&dm_->DbBase);
        grid_->SetColumns(MovementColumns());
        grid_->SetSql(MovementSelect, QString(), QStringLiteral("A.Id"));
        return *grid_;
    }
    std::unique_ptr<TGridData> grid_;
};

} // namespace

TEST_F(GridDataTest, PagesReadByTheirKeysGiveTheRowsOfOneStatementInEveryOrder) {
    const int count = TQueryRows::PageRows * (TQueryRows::KeptPages + 20) + 17;
    AddMovements(count);
    const QString base = QStringLiteral("SELECT A.Id,A.Memo FROM TbFTransaction AS A LEFT JOIN "
                                        "TbCategory AS B ON A.CId1=B.Id WHERE A.AId1=1 ");
    struct TCase {
        QString order;
        bool descending;
        QString sqliteOrder;
        int budget; // of the read along the order's index
    };
    const int ample = 1 << 30; // steps
    for (const TCase& c :
         {TCase{QStringLiteral("A.Day"), true, QStringLiteral("A.Day DESC,A.Id"), ample},
          TCase{QStringLiteral("A.Day"), false, QStringLiteral("A.Day,A.Id"), 1},
          TCase{QStringLiteral("B.Name"), true, QStringLiteral("B.Name DESC,A.Id"), ample},
          TCase{QStringLiteral("B.Name"), false, QStringLiteral("B.Name,A.Id"), ample},
          TCase{QString(), true, QStringLiteral("A.Id DESC"), ample}}) {
        SCOPED_TRACE(c.sqliteOrder.toStdString());
        TQueryRows rows(&dm_->DbBase);
        rows.SetSql(MovementSelect, QStringLiteral("A.AId1=1"), QStringLiteral("A.Id"));
        rows.SetOrder(c.order, c.descending);
        rows.SetByOrderBudget(c.budget);
        rows.Reload();
        EXPECT_FALSE(rows.Counted());
        EXPECT_EQ(rows.KnownRows(), TQueryRows::PageRows);
        EXPECT_EQ(rows.FirstPageByOrder(), c.budget == ample) << rows.Sql().toStdString();
        const QList<qint64> expected = KeysOf(base + QStringLiteral("ORDER BY ") + c.sqliteOrder);
        const int memo = rows.FieldIndex(QStringLiteral("Memo"));
        EXPECT_EQ(rows.Value(0, memo).Text(), QStringLiteral("m%1").arg(expected[0]));
        // A jump to the end counts the rows first.
        EXPECT_EQ(rows.Value(count - 1, memo).Text(), QStringLiteral("m%1").arg(expected.last()));
        EXPECT_TRUE(rows.Counted());
        EXPECT_EQ(rows.RowCount(), count);
        EXPECT_EQ(rows.KeyOf(count / 2), expected[count / 2]);
        EXPECT_EQ(KeysRead(rows), expected);
        for (int row = 0; row < count; row += 97) {
            ASSERT_EQ(rows.Value(row, memo).Text(), QStringLiteral("m%1").arg(expected[row]));
        }
        EXPECT_LE(rows.PagesInMemory(), TQueryRows::KeptPages);
        EXPECT_FALSE(StatementBusy());
    }
}

TEST_F(GridDataTest, TheCountComesAfterTheFirstPageWithTheSameRowsAndSums) {
    for (const int count : {0, 1, 255, 256, 257, 600}) {
        SCOPED_TRACE(count);
        Exec(QStringLiteral("DELETE FROM TbFTransaction"));
        if (count > 0) {
            AddMovements(count);
        }
        double total = 0;
        for (int i = 1; i <= count; ++i) {
            total += (i % 1000) / 4.0;
        }
        const QList<qint64> expected =
            KeysOf(QStringLiteral("SELECT Id FROM TbFTransaction ORDER BY Day,Id"));
        TGridData grid(&dm_->DbBase);
        grid.SetColumns(MovementColumns());
        grid.SetSql(MovementSelect, QStringLiteral("A.CId2=0"), QStringLiteral("A.Id"));
        grid.SetSummedColumns({2});
        grid.Reload();
        EXPECT_EQ(grid.KnownRows(), std::min(count, TQueryRows::PageRows));
        EXPECT_EQ(grid.Counted(), count <= TQueryRows::PageRows);
        if (count > 0) {
            // A key on the first page is found there, without counting.
            EXPECT_EQ(grid.RowOfId(expected[1 % count]), 1 % count);
            EXPECT_EQ(grid.Counted(), count <= TQueryRows::PageRows);
            EXPECT_EQ(grid.RowOfId(expected.last()), count - 1);
        }
        EXPECT_EQ(grid.RowCount(), count);
        EXPECT_TRUE(grid.Counted());
        EXPECT_EQ(grid.Sum(2), Currency::FromDouble(total));
        EXPECT_EQ(grid.Sum(3), Currency::FromDouble((count + 1) / 2)); // summed on its own
        EXPECT_EQ(grid.RowOfId(99999), -1);
        EXPECT_EQ(grid.KeyOf(count), -1);
    }
}

TEST_F(GridDataTest, AFirstPageCutShortInsideATransactionLeavesItsWritesWhole) {
    AddMovements(600);
    TGridData& grid = MovementGrid();
    grid.SetFilter(4, QStringLiteral("m"));
    grid.Rows().SetByOrderBudget(1); // the read along the order stops at once
    TDM::TTransaction transaction(*dm_);
    dm_->ExecSql(QStringLiteral("UPDATE TbFTransaction SET Memo=\"m改过\" WHERE Id=1"));
    grid.Reload();
    EXPECT_FALSE(grid.Rows().FirstPageByOrder());
    transaction.Commit();
    EXPECT_EQ(Value(QStringLiteral("SELECT Memo AS V FROM TbFTransaction WHERE Id=1")),
              QStringLiteral("m改过"));
    EXPECT_EQ(grid.Text(grid.RowOfId(1), 4), QStringLiteral("m改过"));
}

TEST_F(GridDataTest, RowsWrittenBetweenTheFirstPageAndTheCountShowAsCounted) {
    AddMovements(1000);
    TGridData& grid = MovementGrid();
    grid.Reload();
    ASSERT_EQ(grid.Text(0, 4), QStringLiteral("m97")); // the first of day 45000
    Exec(QStringLiteral("DELETE FROM TbFTransaction WHERE Id=97"));
    EXPECT_EQ(grid.RowCount(), 999);
    EXPECT_EQ(grid.Text(0, 4), QStringLiteral("m194"));
    EXPECT_EQ(grid.RowOfId(97), -1);
}

TEST_F(GridDataTest, TheRowOfAnIdIsFoundAfterReloadInEveryOrder) {
    AddMovements(3000);
    TGridData& grid = MovementGrid();
    for (const int column : {0, 1, 1, 2}) {
        grid.ToggleSort(column);
        for (const qint64 id : {qint64(1), qint64(7), qint64(1500), qint64(2999)}) {
            const int row = grid.RowOfId(id);
            ASSERT_GE(row, 0);
            EXPECT_EQ(grid.KeyOf(row), id) << grid.Sql().toStdString();
        }
    }
    EXPECT_EQ(grid.RowOfId(99999), -1);
    grid.SetFilter(2, QStringLiteral("0.25"));
    EXPECT_EQ(grid.RowOfId(2), -1);
    EXPECT_EQ(grid.KeyOf(grid.RowOfId(1)), 1);
}

TEST_F(GridDataTest, AWriteWhileTheListIsOpenGoesThroughAndShowsAfterReload) {
    AddMovements(2000);
    TGridData& grid = MovementGrid();
    grid.Reload();
    EXPECT_EQ(grid.Text(grid.RowOfId(2000), 4), QStringLiteral("m2000"));
    grid.Text(600, 4);
    TDM::TTransaction transaction(*dm_);
    dm_->ExecSql(QStringLiteral("UPDATE TbFTransaction SET Memo=\"改过\" WHERE Id=1"));
    dm_->ExecSql(
        QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                       "AId3,Sum1,Sum2,Memo) VALUES (#2030-01-01#,1,0,0,1,1,0,0,5,0,\"新\")"));
    transaction.Commit();
    EXPECT_EQ(grid.RowCount(), 2000);
    grid.Reload();
    ASSERT_EQ(grid.RowCount(), 2001);
    EXPECT_EQ(grid.Text(grid.RowOfId(1), 4), QStringLiteral("改过"));
    EXPECT_EQ(grid.Text(2000, 0), QStringLiteral("2030-01-01"));
}

TEST_F(GridDataTest, CellsShowMoneyDatesTicksAndNumbers) {
    Exec(QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,"
                        "Sum2,Memo) VALUES (45458,1,-1,3,1,1,0,0,12.345,-0.5,'x')"));
    TGridData grid(&dm_->DbBase);
    grid.SetColumns({{QStringLiteral("日期"), QStringLiteral("Day"), TCellKind::Date},
                     {QStringLiteral("金额"), QStringLiteral("Sum1"), TCellKind::Money},
                     {QStringLiteral("退款"), QStringLiteral("Sum2"), TCellKind::Money},
                     {QStringLiteral("收入"), QStringLiteral("Flag"), TCellKind::Tick},
                     {QStringLiteral("供应商"), QStringLiteral("CId2"), TCellKind::Number},
                     {QStringLiteral("无此列"), QStringLiteral("Nothing")}});
    grid.SetSql(QStringLiteral("SELECT * FROM TbFTransaction"), QString(), QStringLiteral("Id"));
    grid.Reload();
    EXPECT_EQ(grid.Text(0, 0), QStringLiteral("2024-06-15"));
    EXPECT_EQ(grid.Text(0, 1), QStringLiteral("12.35"));
    EXPECT_EQ(grid.Text(0, 2), QStringLiteral("-0.50"));
    EXPECT_EQ(grid.Text(0, 3), QStringLiteral("√"));
    EXPECT_EQ(grid.Text(0, 4), QStringLiteral("3"));
    EXPECT_EQ(grid.Text(0, 5), QString());
    EXPECT_EQ(grid.Columns()[1].Alignment(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(grid.Columns()[3].Alignment(), Qt::AlignCenter);
}

TEST_F(GridDataTest, AHeaderClickReRunsTheListInTheNewOrder) {
    AddMovements(50);
    TGridData& grid = MovementGrid();
    grid.Reload();
    EXPECT_TRUE(grid.Sql().endsWith(QStringLiteral(" ORDER BY Day ASC,A.Id ASC")));
    EXPECT_TRUE(grid.ToggleSort(1));
    EXPECT_TRUE(grid.Sql().endsWith(QStringLiteral(" ORDER BY B.Name ASC,A.Id ASC")));
    EXPECT_TRUE(grid.ToggleSort(1));
    EXPECT_TRUE(grid.Sql().endsWith(QStringLiteral(" ORDER BY B.Name DESC,A.Id ASC")));
    EXPECT_EQ(grid.Text(49, 1), QString()); // the unlisted category sorts last
    EXPECT_FALSE(grid.ToggleSort(4));
    EXPECT_EQ(grid.Sort().SortedColumn(), 1);
}

TEST_F(GridDataTest, ColumnFiltersNarrowTheRowsAndRefuseInputThatDoesNotFit) {
    AddMovements(1000);
    TScriptedPrompter prompter;
    TPrompterScope scope(prompter);
    TGridData& grid = MovementGrid();
    grid.Reload();
    EXPECT_TRUE(grid.SetFilter(4, QStringLiteral("m99")));
    EXPECT_EQ(grid.RowCount(), 11);                               // m99 and m990…m999
    EXPECT_TRUE(grid.SetFilter(0, QStringLiteral("2023-03-15"))); // day 45000
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_TRUE(grid.SetFilter(4, QString()));
    EXPECT_EQ(grid.RowCount(), 10); // i%97==0
    EXPECT_FALSE(grid.SetFilter(2, QStringLiteral("abc")));
    EXPECT_EQ(prompter.Texts(TScriptedPrompter::Kind::Error),
              QStringList{QStringLiteral("“\"金额\"”输入不正确，请重新输入。")});
    EXPECT_EQ(grid.RowCount(), 10);
    EXPECT_EQ(grid.FilterOf(2), QString());
    EXPECT_TRUE(grid.SetFilter(3, QStringLiteral("是")));
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.Sum(2), Currency::FromDouble((97 + 291 + 485 + 679 + 873) / 4.0));
    grid.ClearFilters();
    EXPECT_EQ(grid.RowCount(), 1000);
}

TEST_F(GridDataTest, SumsAndTheExportCoverEveryRowAsShown) {
    AddMovements(600);
    TGridData& grid = MovementGrid();
    grid.Reload();
    double total = 0;
    for (int i = 1; i <= 600; ++i) {
        total += (i % 1000) / 4.0;
    }
    EXPECT_EQ(grid.Sum(2), Currency::FromDouble(total));
    const QString path = Path(QStringLiteral("grid.txt"));
    ASSERT_TRUE(grid.Export(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 601);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("日期,收支分类,金额,收入,说明\r")));
    EXPECT_EQ(lines[600].trimmed(), grid.Texts().last().join(u','));
}

TEST_F(GridDataTest, ATreeHangsEveryRowUnderItsParent) {
    Exec(QStringLiteral("DELETE FROM TbCdCategory"));
    Exec(QStringLiteral("INSERT INTO TbCdCategory (Id,Name,SubId,Memo) VALUES (1,'电影',0,''),"
                        "(2,'动作',1,''),(3,'剧集',0,''),(4,'喜剧',1,'笑'),(5,'孤儿',77,'')"));
    TTreeRows tree;
    tree.Load(&dm_->DbBase, QStringLiteral("SELECT * FROM TbCdCategory"), QString(),
              {{QStringLiteral("分类名称"), QStringLiteral("Name")},
               {QStringLiteral("说明"), QStringLiteral("Memo")}});
    ASSERT_EQ(tree.Count(), 5);
    QStringList top;
    for (const int node : tree.Children(-1)) {
        top.append(tree.Node(node).texts[0]);
    }
    EXPECT_EQ(
        top, (QStringList{QStringLiteral("电影"), QStringLiteral("剧集"), QStringLiteral("孤儿")}));
    const TTreeRows::TNode& comedy = tree.Node(tree.NodeOfId(4));
    EXPECT_EQ(comedy.texts, (QStringList{QStringLiteral("喜剧"), QStringLiteral("笑")}));
    EXPECT_EQ(tree.Node(comedy.parent).id, 1);
    EXPECT_EQ(comedy.row, 1);
    EXPECT_EQ(tree.NodeOfId(99), -1);
}

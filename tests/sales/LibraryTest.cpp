#include "sales/LibraryLists.h"
#include "sales/TitleWriteOff.h"
#include "storage/grid/GridData.h"
#include "storage/records/RentCd.h"
#include "tests/sales/StockFixture.h"

#include <gtest/gtest.h>

namespace {

// Rental titles in each status, one without a category or fee standard, and
// a few sale titles; prices whose sum a double would not hold exactly.
class LibraryTest : public StockTest {
protected:
    void SetUp() override {
        StockTest::SetUp();
        Exec("INSERT INTO TbCdCategory (Name,SubId,Memo) VALUES (\"动作片\",0,\"分类说明\")");
        category_ = Value(QStringLiteral("SELECT Max(Id) AS V FROM TbCdCategory")).toInt();
        Exec("INSERT INTO TbFee (Name,Deposit1,Number1,Rent1,Days1,Deposit2,Number2,Rent2,Days2) "
             "VALUES (\"新片\",30,1,3,1,20,1,2,1)");
        fee_ = Value(QStringLiteral("SELECT Max(Id) AS V FROM TbFee")).toInt();
        rented_ = AddRentTitle("0001", "英雄", TRentCd::RentedOut, "0.1", category_, fee_);
        inStock_ = AddRentTitle("0002", "阿甘", TRentCd::InStock, "0.2", category_, fee_);
        writtenOff_ = AddRentTitle("0003", "卧虎", TRentCd::WrittenOff, "0.2", 0, 0);
    }
    void Exec(const char* sql, std::initializer_list<TFormatArg> args = {}) {
        dm_->ExecSql(SqlFormat(QString::fromUtf8(sql), args));
    }
    int AddRentTitle(const char* code, const char* name, int status, const char* price,
                     int category, int fee) {
        Exec("INSERT INTO TbRentCd (Code,Name,Spell,Day,Alias1,Alias2,CId,FId,Status,Director,"
             "Player,Number,Price,Power,Memo) VALUES (\"%s\",\"%s\",\"\",#2024-06-01#,\"\",\"\","
             "%d,%d,%d,\"\",\"\",2,%s,1.5,\"备注\")",
             {code, name, category, fee, status, price});
        return Value(QStringLiteral("SELECT Max(Id) AS V FROM TbRentCd")).toInt();
    }
    // The list's rows as the grid shows one column.
    static QStringList Column(TGridData& grid, int column) {
        QStringList cells;
        for (int row = 0; row < grid.RowCount(); ++row) {
            cells << grid.Text(row, column);
        }
        return cells;
    }
    static QString TotalUnder(const QList<LibraryLists::TTotal>& totals, const QString& caption) {
        for (const LibraryLists::TTotal& total : totals) {
            if (total.caption == caption) {
                return total.text;
            }
        }
        return QStringLiteral("(none)");
    }

    int category_ = 0;
    int fee_ = 0;
    int rented_ = 0;
    int inStock_ = 0;
    int writtenOff_ = 0;
};

} // namespace

TEST_F(LibraryTest, RentalListShowsStatusTextsAndSortsAndFiltersByWhatItShows) {
    TGridData grid(&dm_->DbBase);
    grid.SetColumns(LibraryLists::RentColumns());
    grid.SetSql(LibraryLists::RentSelect(), QString(), QStringLiteral("A.Id"));
    grid.Reload();
    EXPECT_EQ(Column(grid, 1), (QStringList{QStringLiteral("0001"), QStringLiteral("0002"),
                                            QStringLiteral("0003")}));
    EXPECT_EQ(Column(grid, 10), (QStringList{QStringLiteral("已租"), QStringLiteral("未租"),
                                             QStringLiteral("注销")}));
    // The joined names, a title without category or fee standard shows none.
    EXPECT_EQ(Column(grid, 3),
              (QStringList{QStringLiteral("动作片"), QStringLiteral("动作片"), QString()}));
    EXPECT_EQ(Column(grid, 4),
              (QStringList{QStringLiteral("新片"), QStringLiteral("新片"), QString()}));
    // The title's own memo, not its category's.
    EXPECT_EQ(grid.Text(0, 11), QStringLiteral("备注"));

    ASSERT_TRUE(grid.ToggleSort(3)); // category, joined: titles without one first
    EXPECT_EQ(Column(grid, 1).first(), QStringLiteral("0003"));
    ASSERT_TRUE(grid.ToggleSort(10));
    ASSERT_TRUE(grid.ToggleSort(10)); // status descending, by its text
    EXPECT_EQ(Column(grid, 10).first(), QStringLiteral("注销"));
    EXPECT_FALSE(grid.ToggleSort(11)); // the memo never sorts
    EXPECT_EQ(grid.Sort().SortedColumn(), 10);

    ASSERT_TRUE(grid.SetFilter(10, QStringLiteral("未租")));
    EXPECT_EQ(Column(grid, 2), QStringList{QStringLiteral("阿甘")});
    ASSERT_TRUE(grid.SetFilter(11, QStringLiteral("备")));
    EXPECT_EQ(grid.RowCount(), 1);
}

TEST_F(LibraryTest, TotalsCountTheWholeTableAndSumMoneyExactly) {
    const QList<LibraryLists::TTotal> rent = LibraryLists::RentTotals(*dm_);
    EXPECT_EQ(TotalUnder(rent, QStringLiteral("入库日期")), QStringLiteral("总数:3"));
    EXPECT_EQ(TotalUnder(rent, QStringLiteral("影片编号")), QStringLiteral("已租:1"));
    EXPECT_EQ(TotalUnder(rent, QStringLiteral("影片名称")), QStringLiteral("未租:1"));
    EXPECT_EQ(TotalUnder(rent, QStringLiteral("影片分类")), QStringLiteral("注销:1"));
    EXPECT_EQ(TotalUnder(rent, QStringLiteral("碟片数目")), QStringLiteral("总计:6"));
    EXPECT_EQ(TotalUnder(rent, QStringLiteral("价格")), QStringLiteral("合计:0.5"));
    EXPECT_EQ(TotalUnder(rent, QStringLiteral("计费部数")), QStringLiteral("总计:4.5"));

    // An empty table counts and sums to 0.
    const QList<LibraryLists::TTotal> sale = LibraryLists::SaleTotals(*dm_);
    EXPECT_EQ(sale.size(), 4);
    EXPECT_EQ(TotalUnder(sale, QStringLiteral("影片编号")), QStringLiteral("总数:0"));
    EXPECT_EQ(TotalUnder(sale, QStringLiteral("数量")), QStringLiteral("总计:0"));
    Exec("INSERT INTO TbSaleCd (Code,Name,Spell,Day,Alias1,Alias2,CId,Director,Player,Number1,"
         "Number2,Cost,Price,Memo) VALUES (\"S1\",\"大话\",\"\",#2024-06-01#,\"\",\"\",0,\"\",\"\","
         "2,7,5,19.9,\"\")");
    const QList<LibraryLists::TTotal> oneSale = LibraryLists::SaleTotals(*dm_);
    EXPECT_EQ(TotalUnder(oneSale, QStringLiteral("碟片数目")), QStringLiteral("总计:2"));
    EXPECT_EQ(TotalUnder(oneSale, QStringLiteral("数量")), QStringLiteral("总计:7"));
    EXPECT_EQ(TotalUnder(oneSale, QStringLiteral("价格")), QStringLiteral("合计:19.9"));
}

TEST_F(LibraryTest, WriteOffAndRestoreAskFirstAndRestoreAlwaysPutsInStock) {
    EXPECT_EQ(TitleWriteOff::StatusOf(rented_), TRentCd::RentedOut);
    EXPECT_EQ(TitleWriteOff::Caption(TRentCd::RentedOut), QStringLiteral("注销 F8"));
    EXPECT_EQ(TitleWriteOff::Caption(TRentCd::WrittenOff), QStringLiteral("恢复 F8"));

    prompter_.QueueAnswer(false);
    EXPECT_FALSE(TitleWriteOff::Toggle(rented_));
    EXPECT_EQ(TitleWriteOff::StatusOf(rented_), TRentCd::RentedOut);
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Question),
              QStringList{QStringLiteral(
                  "注销影片[0001 英雄]将使其无法参与正常的出租返还业务。真的要注销吗？")});

    prompter_.QueueAnswer(true);
    EXPECT_TRUE(TitleWriteOff::Toggle(rented_)); // a rented-out title may be written off
    EXPECT_EQ(TitleWriteOff::StatusOf(rented_), TRentCd::WrittenOff);
    prompter_.QueueAnswer(true);
    EXPECT_TRUE(TitleWriteOff::Toggle(rented_));
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Question).last(),
              QStringLiteral("真的要恢复注销影片[0001 英雄]吗？"));
    EXPECT_EQ(TitleWriteOff::StatusOf(rented_), TRentCd::InStock);
    // The rest of the row is kept.
    EXPECT_EQ(Value(QStringLiteral("SELECT Price AS V FROM TbRentCd WHERE Code=\"0001\"")),
              QStringLiteral("0.1"));

    // A title that is gone is neither asked about nor written back.
    const int asked = int(prompter_.AllTexts().size());
    EXPECT_EQ(TitleWriteOff::StatusOf(9999), 0);
    EXPECT_FALSE(TitleWriteOff::Toggle(9999));
    EXPECT_EQ(prompter_.AllTexts().size(), asked);
    EXPECT_EQ(Count(QStringLiteral("TbRentCd")), 3);
}

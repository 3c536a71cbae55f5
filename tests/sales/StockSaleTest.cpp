#include "sales/StockSaleObject.h"
#include "sales/TitleEdits.h"
#include "storage/records/RentCd.h"
#include "tests/sales/StockFixture.h"

#include <gtest/gtest.h>

namespace {

TTitleSaleEntry Title(const QString& code, const QString& quantity, const QString& cost) {
    TTitleSaleEntry entry;
    entry.code = code;
    entry.name = QStringLiteral("新片");
    entry.cid = 1;
    entry.number2 = quantity;
    entry.cost = cost;
    entry.price = QStringLiteral("25");
    return entry;
}

} // namespace

class StockSaleTest : public StockTest {
protected:
    int AddSaleTitle(const QString& code, int stock) {
        dm_->ExecSql(QStringLiteral("INSERT INTO TbSaleCd (Code,Name,Spell,Day,Alias1,Alias2,CId,"
                                    "Director,Player,Number1,Number2,Cost,Price,Memo) VALUES "
                                    "(\"%1\",\"旧片\",\"\",#2024-01-01#,\"\",\"\",1,\"\",\"\",1,%2,"
                                    "8,20,\"\")")
                         .arg(code)
                         .arg(stock));
        return Value("SELECT Max(Id) AS V FROM TbSaleCd").toInt();
    }
};

TEST_F(StockSaleTest, ARestockRaisesTheStoredStockAndANewTitleStartsWithItsQuantity) {
    const int id = AddSaleTitle("S1", 3);
    TStockSaleObject batch;
    ASSERT_TRUE(batch.LookUpCode("S1"));
    EXPECT_EQ(batch.Stock, 3);
    TTitleSaleEntry entry = batch.Entry();
    EXPECT_EQ(entry.number2, "1");
    EXPECT_EQ(entry.name, "旧片");
    entry.number2 = "5";
    ASSERT_FALSE(batch.SubmitEntry(entry, supplier_));
    ASSERT_FALSE(batch.SubmitEntry(Title("S2", "5", "4"), supplier_));
    ASSERT_EQ(batch.Lines.size(), 2);
    EXPECT_EQ(batch.Lines[0].CId1, id);
    EXPECT_EQ(batch.Lines[0].Day, QDate(2024, 6, 15)); // the stock-in's day, not the title's
    ASSERT_FALSE(batch.SetHeader(Header(batch.CostSum().ToFixed(2))));
    ASSERT_TRUE(batch.Save());

    EXPECT_EQ(Value(QStringLiteral("SELECT Number2 AS V FROM TbSaleCd WHERE Id=%1").arg(id)), "8");
    EXPECT_EQ(Value("SELECT Number2 AS V FROM TbSaleCd WHERE Code=\"S2\""), "5");
    EXPECT_EQ(Count("TbSaleCd"), 2);
    EXPECT_EQ(Count("TbITransaction", QStringLiteral("Flag=1 AND CId2=22 AND CId1=%1 AND "
                                                     "[Number]=5 AND Price=8")
                                          .arg(id)),
              1);
    EXPECT_EQ(Count("TbFTransaction", "CId1=22 AND Sum1=-60"), 1);
}

TEST_F(StockSaleTest, CostSumWeighsUnitCostsByQuantity) {
    TStockSaleObject batch;
    ASSERT_FALSE(batch.SubmitEntry(Title("A", "2", "10"), supplier_));
    ASSERT_FALSE(batch.SubmitEntry(Title("B", "3", "4"), supplier_));
    EXPECT_EQ(batch.CostSum().ToFixed(2), "32.00");
    EXPECT_EQ(batch.PriceSum().ToFixed(2), "14.00");
    EXPECT_EQ(batch.NumberSum(), 5);
    EXPECT_EQ(Refused(batch.SubmitEntry(Title("A", "1", "1"), supplier_)), "edCode");
    EXPECT_EQ(Errors().last(), "“\"A\"”编号已经添加，请重新输入。");
    EXPECT_EQ(Refused(batch.SubmitEntry(Title("C", "1.5", "1"), supplier_)), "edNumber2");
    EXPECT_EQ(batch.Lines.size(), 2);
}

TEST_F(StockSaleTest, AnEntryWhoseCostLeavesTheRangeIsRefused) {
    TStockSaleObject batch;
    ASSERT_FALSE(batch.SubmitEntry(Title("A", "2", "10"), supplier_));
    EXPECT_EQ(Refused(batch.SubmitEntry(Title("B", "2", "400000000000"), supplier_)), "edNumber2");
    EXPECT_EQ(Errors().last(), "金额超出了账本能记录的范围，请检查数量和金额。");
    EXPECT_EQ(batch.Lines.size(), 1);
    EXPECT_EQ(batch.CostSum().ToFixed(2), "20.00");
}

TEST_F(StockSaleTest, AChangedCodeNeverWritesOverTheTitleFoundBefore) {
    const int first = AddSaleTitle("S1", 3);
    const int other = AddSaleTitle("S9", 1);
    TStockSaleObject batch;
    ASSERT_TRUE(batch.LookUpCode("S1"));
    EXPECT_FALSE(batch.LookUpCode("NEW")); // nothing found: the entry stays
    TTitleSaleEntry entry = batch.Entry();
    entry.code = "NEW";
    ASSERT_FALSE(batch.SubmitEntry(entry, supplier_));
    EXPECT_EQ(batch.Lines.back().CId1, -1);
    // A typed code of another stored title restocks that one.
    ASSERT_TRUE(batch.LookUpCode("S1"));
    entry = batch.Entry();
    entry.code = "S9";
    ASSERT_FALSE(batch.SubmitEntry(entry, supplier_));
    EXPECT_EQ(batch.Lines.back().CId1, other);
    ASSERT_FALSE(batch.SetHeader(Header("0")));
    ASSERT_TRUE(batch.Save());
    EXPECT_EQ(Value(QStringLiteral("SELECT Code AS V FROM TbSaleCd WHERE Id=%1").arg(first)), "S1");
    EXPECT_EQ(Value(QStringLiteral("SELECT Number2 AS V FROM TbSaleCd WHERE Id=%1").arg(first)),
              "3");
    EXPECT_EQ(Value(QStringLiteral("SELECT Number2 AS V FROM TbSaleCd WHERE Id=%1").arg(other)),
              "2");
    EXPECT_EQ(Count("TbSaleCd", "Code=\"NEW\""), 1);
}

TEST_F(StockSaleTest, TitleEditsCheckTheCodeAndWriteOnlyTheTitle) {
    const int id = AddSaleTitle("S1", 3);
    AddSaleTitle("S2", 1);
    TSaleCd title;
    ASSERT_TRUE(title.LoadById(id));
    TTitleSaleEntry entry = TTitleSaleEntry::From(title);
    entry.code = "S2";
    EXPECT_EQ(Refused(TitleEdits::SaveSaleTitle(title, entry)), "edCode");
    entry.code = "S1";
    entry.number2 = "7";
    EXPECT_FALSE(TitleEdits::SaveSaleTitle(title, entry));
    EXPECT_EQ(Value(QStringLiteral("SELECT Number2 AS V FROM TbSaleCd WHERE Id=%1").arg(id)), "7");

    TRentCd rent;
    rent.Id = -1;
    rent.Day = QDate(2024, 6, 15); // an edited title always has its stock-in day
    TTitleRentEntry rentEntry;
    rentEntry.code = "R1";
    rentEntry.name = "片";
    rentEntry.power = "0.7";
    EXPECT_EQ(Refused(TitleEdits::SaveRentTitle(rent, rentEntry)), "edPower");
    rentEntry.power = "1.5";
    EXPECT_FALSE(TitleEdits::SaveRentTitle(rent, rentEntry));
    EXPECT_EQ(Count("TbRentCd", "Code=\"R1\" AND Power=1.5"), 1);
    EXPECT_EQ(Count("TbFTransaction"), 0);
}

TEST_F(StockSaleTest, SaleEntryRefusalsFollowTheDialogOrder) {
    TStockSaleObject batch;
    EXPECT_EQ(Refused(batch.SubmitEntry(Title("A", "1", "1"), 0)), "cbCompany");
    TTitleSaleEntry entry = Title("A", "1", "1");
    entry.cid = 0;
    entry.number1 = "x"; // the category comes first
    EXPECT_EQ(Refused(batch.SubmitEntry(entry, supplier_)), "cbCdCategory");
    entry.cid = 1;
    EXPECT_EQ(Refused(batch.SubmitEntry(entry, supplier_)), "edNumber1");
    EXPECT_EQ(Refused(batch.SubmitEntry(Title("A", "1", "abc"), supplier_)), "edCost");
    entry = Title("A", "1", "1");
    entry.price = "1.23456";
    EXPECT_EQ(Refused(batch.SubmitEntry(entry, supplier_)), "edPrice");
    EXPECT_TRUE(batch.Lines.isEmpty());

    // The title dialogs skip the category but name the same controls.
    TSaleCd title;
    title.Id = -1;
    entry = Title("S1", "1", "1");
    entry.name.clear();
    EXPECT_EQ(Refused(TitleEdits::CheckSaleTitle(title, entry)), "edName");
    entry = Title("S1", "1", "1");
    entry.cid = 0;
    EXPECT_FALSE(TitleEdits::CheckSaleTitle(title, entry));
}

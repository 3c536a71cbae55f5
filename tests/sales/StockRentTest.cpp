#include "sales/StockRentObject.h"
#include "storage/dao/DM.h"
#include "storage/records/Account.h"
#include "tests/sales/StockFixture.h"

#include <gtest/gtest.h>

namespace {

TStockRentEntry Series(const QString& code, const QString& amount, const QString& split,
                       const QString& number = "40", const QString& power = "40") {
    TStockRentEntry entry;
    entry.code = code;
    entry.name = QStringLiteral("连续剧");
    entry.cid = 2;
    entry.fid = 1;
    entry.number = number;
    entry.power = power;
    entry.price = QStringLiteral("5");
    entry.amount = amount;
    entry.split = split;
    return entry;
}

} // namespace

TEST_F(StockTest, ASeriesWithSeparatorSharesItsDiscsAndUnits) {
    TStockRentObject batch;
    ASSERT_FALSE(batch.SubmitEntry(Series("0001", "40", "-"), supplier_));
    ASSERT_EQ(batch.Lines.size(), 40);
    EXPECT_EQ(batch.Lines.front().RentCd.Code, "0001-1");
    EXPECT_EQ(batch.Lines.back().RentCd.Code, "0001-40");
    for (const TITransaction& line : batch.Lines) {
        EXPECT_EQ(line.RentCd.Number, 1);
        EXPECT_EQ(line.RentCd.Power, Currency::FromWhole(1));
        EXPECT_EQ(line.Number, 1);
    }
    EXPECT_EQ(batch.NumberSum(), 40);
    EXPECT_EQ(batch.PriceSum(), Currency::FromWhole(200));
    EXPECT_EQ(batch.EditMode, 0);
    EXPECT_EQ(batch.Disc.Code, QString()); // the entry is cleared
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(StockTest, ASeriesWithoutSeparatorCountsOnWithFullQuantities) {
    TStockRentObject batch;
    ASSERT_FALSE(batch.SubmitEntry(Series("0001", "40", ""), supplier_));
    ASSERT_EQ(batch.Lines.size(), 40);
    EXPECT_EQ(batch.Lines.front().RentCd.Code, "00001");
    EXPECT_EQ(batch.Lines.back().RentCd.Code, "00040");
    EXPECT_EQ(batch.Lines.back().RentCd.Number, 40);
    EXPECT_EQ(batch.Lines.back().RentCd.Power, Currency::FromWhole(40));

    // Counting on needs a numeric code.
    EXPECT_EQ(Refused(batch.SubmitEntry(Series("AB", "3", ""), supplier_)), "edCode");
    EXPECT_EQ(batch.Lines.size(), 40);
}

TEST_F(StockTest, EntryChecksRefuseInOrderAndKeepTheBatch) {
    TStockRentObject batch;
    EXPECT_EQ(Refused(batch.SubmitEntry(Series("0001", "1", "-"), 0)), "cbCompany");
    EXPECT_EQ(Refused(batch.SubmitEntry(Series("", "1", "-"), supplier_)), "edCode");
    // Half units shared among four episodes would be 0.75 each.
    EXPECT_EQ(Refused(batch.SubmitEntry(Series("0001", "4", "-", "4", "3"), supplier_)),
              "edAmount");
    EXPECT_EQ(Errors().last(), "“\"集数/套数\"”输入不正确，应该为0.5的倍数。请重新输入。");
    EXPECT_EQ(Refused(batch.SubmitEntry(Series("0001", "1", "-", "1", "1.2"), supplier_)),
              "edPower");
    EXPECT_EQ(Refused(batch.SubmitEntry(Series("0001", "0", "-"), supplier_)), "edAmount");
    EXPECT_EQ(Refused(batch.SubmitEntry(Series("0001", "-3", "-"), supplier_)), "edAmount");
    // A runaway count is refused instead of generating millions of titles.
    EXPECT_EQ(Refused(batch.SubmitEntry(Series("1", "99999999", "-"), supplier_)), "edAmount");
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Warning).size(), 1);
    EXPECT_TRUE(batch.Lines.isEmpty());

    ASSERT_FALSE(batch.SubmitEntry(Series("0009", "1", "-", "1", "1"), supplier_));
    EXPECT_EQ(Refused(batch.SubmitEntry(Series("0009", "1", "-", "1", "1"), supplier_)), "edCode");
    EXPECT_EQ(Errors().last(), "“\"0009\"”编号已经添加，请重新输入。");
    // The selected line itself does not count while it is being changed.
    batch.SelectLine(0);
    EXPECT_FALSE(batch.SubmitEntry(Series("0009", "1", "-", "2", "1"), supplier_));
    ASSERT_EQ(batch.Lines.size(), 1);
    EXPECT_EQ(batch.Lines[0].RentCd.Number, 2);
}

TEST_F(StockTest, AStoredEpisodeCodeIsReportedAndSkipped) {
    dm_->ExecSql(QStringLiteral("INSERT INTO TbRentCd (Code,Name,Spell,Day,Alias1,Alias2,CId,FId,"
                                "Status,Director,Player,[Number],Price,Power,Memo) VALUES "
                                "(\"0001-5\",\"旧\",\"\",#2024-01-01#,\"\",\"\",1,1,1,\"\",\"\",1,"
                                "0,1,\"\")"));
    TStockRentObject batch;
    ASSERT_FALSE(batch.SubmitEntry(Series("0001", "40", "-"), supplier_));
    EXPECT_EQ(batch.Lines.size(), 39);
    EXPECT_EQ(Errors(), QStringList{"“\"0001-5\"”编号已经存在，请重新输入。"});
}

TEST_F(StockTest, LinesAreSelectedDeletedCopiedAndPasted) {
    TStockRentObject batch;
    EXPECT_FALSE(batch.CopyLine());
    EXPECT_FALSE(batch.PasteLine());
    EXPECT_EQ(Errors(), (QStringList{"请首先选中一条进货记录。", "请先复制一条进货记录。"}));
    ASSERT_FALSE(batch.SubmitEntry(Series("0001", "3", "-", "3", "3"), supplier_));
    batch.SelectLine(1);
    EXPECT_EQ(batch.EditMode, 1);
    EXPECT_EQ(batch.Entry().code, "0001-2");
    ASSERT_TRUE(batch.CopyLine());
    batch.DeleteLine();
    ASSERT_EQ(batch.Lines.size(), 2);
    EXPECT_EQ(batch.Lines[1].RentCd.Code, "0001-3");
    EXPECT_EQ(batch.CurrentLine, 1);
    ASSERT_TRUE(batch.PasteLine());
    EXPECT_EQ(batch.EditMode, 0);
    EXPECT_EQ(batch.Disc.Code, "0001-2");
}

TEST_F(StockTest, SavingWritesTitlesLinesAndThePurchaseMovement) {
    TStockRentObject batch;
    batch.Save(); // an empty batch writes nothing
    EXPECT_EQ(Count("TbFTransaction"), 0);
    ASSERT_FALSE(batch.SubmitEntry(Series("0001", "4", "-", "4", "4"), supplier_));
    ASSERT_FALSE(batch.SetHeader(Header("20")));
    ASSERT_TRUE(batch.Save());
    EXPECT_TRUE(batch.Lines.isEmpty());
    EXPECT_EQ(Count("TbRentCd", "Status=1 AND Spell=\"LXJ\""), 4);
    EXPECT_EQ(Count("TbITransaction", "Flag=0 AND CId2=21 AND Sn=1 AND [Number]=1 AND Price=5 AND "
                                      "CId1 IN (SELECT Id FROM TbRentCd)"),
              4);
    EXPECT_EQ(Count("TbFTransaction",
                    QStringLiteral("CId1=21 AND Sum1=-20 AND Sum2=0 AND CId2=%1 AND AId1=%2 AND "
                                   "CId3=1 AND Memo=\"进货\"")
                        .arg(supplier_)
                        .arg(bank_)),
              1);
    TAccount bank;
    bank.Id = bank_;
    EXPECT_EQ(bank.Balance(), -Currency::FromWhole(20));

    TStockRentObject loaded;
    loaded.Id = Value("SELECT Min(Id) AS V FROM TbITransaction").toInt();
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.Lines.front().RentCd.Code, "0001-1");
    EXPECT_EQ(loaded.Fund.Sum1, -Currency::FromWhole(20));
}

TEST_F(StockTest, TheHeaderDayDatesTheWholeBatch) {
    TStockRentObject batch;
    ASSERT_TRUE(batch.SetEntryDay("2024-06-01"));
    ASSERT_FALSE(batch.SubmitEntry(Series("0001", "2", "-", "2", "2"), supplier_));
    // Selecting a line makes its day the entry's; the next title would keep it.
    batch.SelectLine(0);
    ASSERT_FALSE(batch.SubmitEntry(Series("0002", "1", "-", "1", "1"), supplier_));
    ASSERT_FALSE(batch.SetHeader(Header("10")));
    EXPECT_EQ(batch.Disc.Day, QDate(2024, 6, 15));
    ASSERT_TRUE(batch.Save());
    EXPECT_EQ(Count("TbITransaction", "Day=#2024-06-15#"), 2);
    EXPECT_EQ(Count("TbRentCd", "Day=#2024-06-15#"), 2);
    EXPECT_EQ(Count("TbFTransaction", "Day=#2024-06-15#"), 1);
}

TEST_F(StockTest, AFailedSaveWritesNothingAndKeepsTheBatch) {
    TStockRentObject batch;
    ASSERT_FALSE(batch.SubmitEntry(Series("0001", "3", "-", "3", "3"), supplier_));
    ASSERT_FALSE(batch.SetHeader(Header("15")));
    dm_->ExecSql(QStringLiteral("CREATE TRIGGER fail_third AFTER INSERT ON TbITransaction WHEN "
                                "(SELECT Count(*) FROM TbITransaction) > 2 BEGIN SELECT "
                                "RAISE(ABORT, 'disk full'); END"));
    EXPECT_ANY_THROW(batch.Save());
    EXPECT_EQ(Count("TbFTransaction"), 0);
    EXPECT_EQ(Count("TbRentCd"), 0);
    EXPECT_EQ(Count("TbITransaction"), 0);
    ASSERT_EQ(batch.Lines.size(), 3);
    EXPECT_EQ(batch.Lines[0].RentCd.Id, -1);

    dm_->ExecSql(QStringLiteral("DROP TRIGGER fail_third"));
    ASSERT_TRUE(batch.Save());
    EXPECT_EQ(Count("TbRentCd"), 3);
    EXPECT_EQ(Count("TbFTransaction"), 1);
}

TEST_F(StockTest, RefusalsNameTheControlToFocus) {
    TStockRentObject batch;
    TStockHeader header = Header("20");
    header.day = QStringLiteral("2024-13-01");
    EXPECT_EQ(Refused(batch.SetHeader(header)), "edDay");
    header = Header("1.23456");
    EXPECT_EQ(Refused(batch.SetHeader(header)), "edSum");
    EXPECT_EQ(batch.Fund.Memo, QString()); // a refused header is not taken

    TStockRentEntry entry = Series("0001", "1", "-");
    entry.name = QStringLiteral("  ");
    EXPECT_EQ(Refused(batch.SubmitEntry(entry, supplier_)), "edName");
    entry = Series("0001", "1", "-");
    entry.cid = 0;
    EXPECT_EQ(Refused(batch.SubmitEntry(entry, supplier_)), "cbCdCategory");
    entry = Series("0001", "1", "-");
    entry.fid = 0;
    EXPECT_EQ(Refused(batch.SubmitEntry(entry, supplier_)), "cbFee");
    EXPECT_EQ(Refused(batch.SubmitEntry(Series("0001", "1", "-", "x"), supplier_)), "edNumber");
    entry = Series("0001", "1", "-");
    entry.price = QStringLiteral("abc");
    EXPECT_EQ(Refused(batch.SubmitEntry(entry, supplier_)), "edPrice");
    EXPECT_TRUE(batch.Lines.isEmpty());
}

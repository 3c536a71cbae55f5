#include "sales/SaleAmounts.h"
#include "storage/Clock.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/records/Account.h"
#include "tests/rental/ReceiptBytes.h"
#include "tests/sales/SaleFixture.h"

#include <gtest/gtest.h>

using namespace ReceiptBytes;

namespace {

Currency CashBoxBalance() {
    TAccount cashBox;
    cashBox.Id = 1;
    return cashBox.Balance();
}

} // namespace

TEST_F(SaleTest, ASaleWithADiscountWritesLinesStockAndOneMovement) {
    AddTitle(QStringLiteral("S1"), "20", 5);
    AddTitle(QStringLiteral("S2"), "15", 0);
    engine_->EnterCode(QStringLiteral("nope"));
    EXPECT_EQ(engine_->State, TSaleObject::Empty);
    engine_->EnterCode(QStringLiteral("S1"));
    engine_->EnterCode(QStringLiteral("S1")); // the quantity is edited, not entered again
    ASSERT_EQ(engine_->NowLines.size(), 1);
    EXPECT_EQ(engine_->NowLines[0].Number, 1);
    EXPECT_EQ(engine_->Total, Money("20"));
    EXPECT_TRUE(prompter_.Messages().isEmpty());

    engine_->EnterCode(QStringLiteral("S2")); // out of stock: asked, Yes sells it anyway
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Question),
              QStringList{QStringLiteral("影片[影片S2]目前库存不足，是否继续销售？")});
    ASSERT_EQ(engine_->NowLines.size(), 2);
    EXPECT_EQ(engine_->State, TSaleObject::Selling);
    EXPECT_EQ(engine_->Received, Money("35"));

    engine_->NowLines[0].Discount = Money("8.5");
    engine_->NowLines[0].Number = 2;
    engine_->Recalculate();
    EXPECT_EQ(TSaleObject::LineAmount(engine_->NowLines[0]), Money("34"));
    EXPECT_EQ(engine_->Total, Money("49"));
    EXPECT_EQ(engine_->Received, Money("49"));
    EXPECT_EQ(TSaleObject::NumberSum(engine_->NowLines, true), 3);
    engine_->Memo = QStringLiteral("老顾客");

    engine_->CommitSale();
    EXPECT_EQ(engine_->State, TSaleObject::Selling);
    EXPECT_TRUE(engine_->NowLines.isEmpty());
    EXPECT_EQ(engine_->HistoryLines.size(), 2);
    EXPECT_EQ(engine_->Sn, 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"),
                    QStringLiteral("CId1=6 AND Flag=0 AND AId1=1 AND AId3=0 AND CId3=1 AND "
                                   "Sum1=49 AND Sum2=0 AND Memo=\"老顾客\" AND Day=#2024-06-15#")),
              1);
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction"),
                    QStringLiteral("CId2=6 AND Sn=1 AND Day=#2024-06-15#")),
              2);
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction"),
                    QStringLiteral("Discount=8.5 AND Number=2 AND Price=20")),
              1);
    EXPECT_EQ(Stock(QStringLiteral("S1")), 3);
    EXPECT_EQ(Stock(QStringLiteral("S2")), -1); // a sale may drive the stock below zero
    EXPECT_EQ(CashBoxBalance(), Money("49"));

    // Nothing new to sell: a second F6 writes nothing.
    engine_->CommitSale();
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 1);
}

TEST_F(SaleTest, TheStockQuestionAndUntickedLines) {
    AddTitle(QStringLiteral("S0"), "10", 0);
    AddTitle(QStringLiteral("S1"), "10", 1);
    prompter_.QueueAnswer(false);
    engine_->EnterCode(QStringLiteral("S0")); // No: no line, but the engine is selling
    EXPECT_TRUE(engine_->NowLines.isEmpty());
    EXPECT_EQ(engine_->State, TSaleObject::Selling);
    engine_->EnterCode(QStringLiteral("S1")); // in stock: no question
    EXPECT_EQ(prompter_.Messages().size(), 1);
    ASSERT_EQ(engine_->NowLines.size(), 1);

    // A sale with no ticked line books nothing.
    engine_->NowLines[0].Selected = false;
    engine_->Recalculate();
    EXPECT_TRUE(engine_->Total.IsZero());
    engine_->CommitSale();
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 0);
    EXPECT_EQ(engine_->NowLines.size(), 1);
}

TEST_F(SaleTest, LineAmountsAreRoundedLineByLine) {
    TSTransaction line;
    line.Price = Money("0.0001");
    line.Number = 1;
    line.Discount = Money("4"); // 0.00004 rounds to nothing on each line
    const QList<TSTransaction> lines{line, line, line};
    EXPECT_TRUE(TSaleObject::AmountSum(lines, true).IsZero());
    line.Price = Money("3.3333");
    line.Discount = Money("3.3"); // 1.099989
    EXPECT_EQ(TSaleObject::LineAmount(line), Money("1.1"));
    line.Discount = Currency();
    line.Number = 3;
    EXPECT_EQ(TSaleObject::LineAmount(line), Money("9.9999"));
}

TEST_F(SaleTest, CommitsBeforeAResetShareOneBillNumber) {
    AddTitle(QStringLiteral("S1"), "20", 5);
    AddTitle(QStringLiteral("S2"), "15", 5);
    Sell({QStringLiteral("S1")});
    EXPECT_TRUE(engine_->Total.IsZero());
    EXPECT_EQ(engine_->Received, Money("20")); // kept for the receipt
    engine_->EnterCode(QStringLiteral("S2"));
    EXPECT_EQ(engine_->Total, Money("15")); // the next title is not added to the last sale
    EXPECT_EQ(engine_->Received, Money("15"));
    engine_->CommitSale();
    EXPECT_EQ(engine_->Sn, 1);
    EXPECT_EQ(engine_->HistoryLines.size(), 2);
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction"), QStringLiteral("Sn=1")), 2);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=6")), 2);
    EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) AS V FROM (SELECT DISTINCT FId FROM "
                                   "TbSTransaction)")),
              QStringLiteral("2"));

    engine_->Reset();
    Sell({QStringLiteral("S1")});
    EXPECT_EQ(engine_->Sn, 3); // the largest line Id + 1
}

TEST_F(SaleTest, APartialThenAFullRefundRewriteTheBillsMovement) {
    AddTitle(QStringLiteral("S1"), "20", 5);
    AddTitle(QStringLiteral("S2"), "15", 5);
    TClock::SetToday(QDate(2024, 6, 10));
    engine_->Memo = QStringLiteral("首单");
    Sell({QStringLiteral("S1"), QStringLiteral("S2")});
    engine_->Reset();
    TClock::SetToday(QDate(2024, 6, 15));

    engine_->LoadBill(QStringLiteral("1"));
    EXPECT_EQ(engine_->State, TSaleObject::Refunding);
    ASSERT_EQ(engine_->NowLines.size(), 2);
    EXPECT_EQ(engine_->HistoryLines.size(), 2);
    EXPECT_EQ(engine_->Total, Money("35"));
    EXPECT_EQ(engine_->Memo, QStringLiteral("首单"));
    EXPECT_EQ(engine_->Sn, 1); // the refund is of bill 1 and its receipt says so

    engine_->NowLines[1].Selected = false; // S2 stays sold
    engine_->Recalculate();
    EXPECT_EQ(engine_->Received, Money("20"));
    engine_->Memo = QStringLiteral("退一张");
    engine_->CommitRefund();
    EXPECT_EQ(engine_->State, TSaleObject::Refunding);
    EXPECT_TRUE(engine_->NowLines.isEmpty());
    ASSERT_EQ(engine_->HistoryLines.size(), 1);
    EXPECT_EQ(engine_->HistoryLines[0].SaleCd.Code, QStringLiteral("S2"));
    EXPECT_EQ(Stock(QStringLiteral("S1")), 5);
    EXPECT_EQ(Stock(QStringLiteral("S2")), 4);
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction"), QStringLiteral("CId2=7 AND Price=20")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"),
                    QStringLiteral("CId1=6 AND Sum1=15 AND Day=#2024-06-15# AND Memo=\"退一张\"")),
              1);
    EXPECT_EQ(CashBoxBalance(), Money("15"));

    // The rest of the bill: the movement becomes a refund record.
    engine_->Reset();
    engine_->LoadBill(1);
    ASSERT_EQ(engine_->NowLines.size(), 1);
    EXPECT_EQ(engine_->Total, Money("15"));
    engine_->CommitRefund();
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=7 AND Sum1=-15")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction"), QStringLiteral("CId2=7")), 2);
    EXPECT_EQ(Stock(QStringLiteral("S2")), 5);
    EXPECT_TRUE(CashBoxBalance().IsZero());

    engine_->LoadBill(1); // nothing left to take back
    EXPECT_EQ(engine_->State, TSaleObject::Empty);
}

TEST_F(SaleTest, RefundingTwoLinesOfOneTitleRestoresBothQuantities) {
    AddTitle(QStringLiteral("S1"), "20", 5);
    Sell({QStringLiteral("S1")});
    engine_->EnterCode(QStringLiteral("S1"));
    engine_->NowLines[0].Number = 2;
    engine_->Recalculate();
    engine_->CommitSale(); // same bill, second line of S1
    EXPECT_EQ(Stock(QStringLiteral("S1")), 2);
    EXPECT_EQ(engine_->Disc.Number2, 2); // the details panel shows the stock after the sale

    engine_->Reset();
    engine_->LoadBill(1);
    ASSERT_EQ(engine_->NowLines.size(), 2);
    engine_->Recalculate();
    engine_->CommitRefund();
    EXPECT_EQ(Stock(QStringLiteral("S1")), 5);
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction"), QStringLiteral("CId2=7")), 2);
    EXPECT_TRUE(CashBoxBalance().IsZero());
}

TEST_F(SaleTest, ACodeEnteredOverALoadedBillStartsANewSale) {
    AddTitle(QStringLiteral("S1"), "20", 5);
    AddTitle(QStringLiteral("S2"), "15", 5);
    Sell({QStringLiteral("S1")});
    engine_->Reset();
    const QString soldBill = Dump();

    engine_->LoadBill(1);
    engine_->EnterCode(QStringLiteral("nope")); // unknown: the loaded bill stays
    EXPECT_EQ(engine_->State, TSaleObject::Refunding);
    EXPECT_EQ(engine_->NowLines.size(), 1);

    engine_->EnterCode(QStringLiteral("S2"));
    EXPECT_EQ(engine_->State, TSaleObject::Selling);
    ASSERT_EQ(engine_->NowLines.size(), 1);
    EXPECT_EQ(engine_->NowLines[0].Id, -1);
    EXPECT_TRUE(engine_->HistoryLines.isEmpty());
    EXPECT_EQ(engine_->Total, Money("15"));

    // The same after a bill number that found nothing left the loaded lines.
    engine_->Reset();
    engine_->LoadBill(1);
    engine_->LoadBill(99);
    EXPECT_EQ(engine_->State, TSaleObject::Empty);
    EXPECT_EQ(engine_->NowLines.size(), 1);
    engine_->CommitRefund();
    EXPECT_EQ(Dump(), soldBill);
    engine_->EnterCode(QStringLiteral("S2"));
    ASSERT_EQ(engine_->NowLines.size(), 1);
    engine_->CommitSale();
    EXPECT_EQ(engine_->Sn, 2);
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction")), 2);
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction"), QStringLiteral("Sn=1 AND CId1=1 AND FId=1")),
              1);
    EXPECT_EQ(Stock(QStringLiteral("S1")), 4);
    EXPECT_EQ(Stock(QStringLiteral("S2")), 4);
}

TEST_F(SaleTest, AnUnknownBillKeepsASaleInProgressButStopsItsCommit) {
    AddTitle(QStringLiteral("S1"), "20", 5);
    engine_->EnterCode(QStringLiteral("S1"));
    engine_->LoadBill(QStringLiteral("12x")); // refused before anything changes
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Error),
              QStringList{QStringLiteral("“\"单据编号\"”输入不正确，请重新输入。")});
    EXPECT_EQ(engine_->State, TSaleObject::Selling);

    engine_->LoadBill(7);
    EXPECT_EQ(engine_->State, TSaleObject::Empty);
    EXPECT_EQ(engine_->NowLines.size(), 1);
    engine_->CommitSale();
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction")), 0);
    engine_->EnterCode(QStringLiteral("S1"));
    engine_->CommitSale();
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction")), 1);
}

TEST_F(SaleTest, ARefundReceiptCarriesTheBillsNumberAndOnlyTheLinesTakenBack) {
    printer_.OnOff = 1;
    AddTitle(QStringLiteral("S1"), "20", 5);
    AddTitle(QStringLiteral("S2"), "15", 5);
    AddTitle(QStringLiteral("S3"), "9.9", 5);
    Sell({QStringLiteral("S3")}); // bill 1
    engine_->Reset();
    Sell({QStringLiteral("S1"), QStringLiteral("S2")}); // bill 2
    engine_->Reset();
    engine_->EnterCode(QStringLiteral("S3")); // a new customer, not yet sold

    engine_->LoadBill(2);
    EXPECT_EQ(engine_->Sn, 2);
    EXPECT_TRUE(engine_->Bill.Lines.isEmpty());
    engine_->NowLines[0].Selected = false;
    engine_->Recalculate();
    engine_->CommitRefund();
    ASSERT_EQ(engine_->Bill.Lines.size(), 1);
    EXPECT_EQ(engine_->Bill.Lines[0].SaleCd.Code, QStringLiteral("S2"));
    capture_.bytes.clear();
    engine_->FillReceipt();
    EXPECT_TRUE(capture_.bytes.contains(Gbk(QStringLiteral("小票号:2"))));
    EXPECT_FALSE(capture_.bytes.contains(Gbk(QStringLiteral("影片S1"))));

    // The rest of the bill later: its receipt lists that line alone.
    engine_->LoadBill(2);
    engine_->CommitRefund();
    ASSERT_EQ(engine_->Bill.Lines.size(), 1);
    EXPECT_EQ(engine_->Bill.Lines[0].SaleCd.Code, QStringLiteral("S1"));
    // A bill number that finds nothing keeps the refund just written.
    engine_->LoadBill(9);
    EXPECT_EQ(engine_->Sn, 2);
}

TEST_F(SaleTest, TheReceiptListsTheSoldLinesAndTheCash) {
    printer_.OnOff = 1;
    printer_.CashBox = 1;
    AddTitle(QStringLiteral("S1"), "20", 5);
    AddTitle(QStringLiteral("S2"), "15", 5);
    AddTitle(QStringLiteral("S3"), "9.9", 5);
    engine_->EnterCodes({QStringLiteral("S1"), QStringLiteral("S2")});
    engine_->NowLines[0].Discount = Money("8.5");
    engine_->NowLines[0].Number = 2;
    engine_->NowLines[1].Selected = false; // not bought: neither written nor printed
    engine_->Recalculate();
    ASSERT_TRUE(SaleAmounts::Apply(*engine_, QStringLiteral("34"), QStringLiteral("50")));
    engine_->Memo = QStringLiteral("谢谢");
    engine_->CommitSale();
    EXPECT_EQ(capture_.bytes, Drawer);
    // The same customer's second commit joins the receipt.
    engine_->EnterCode(QStringLiteral("S3"));
    ASSERT_TRUE(SaleAmounts::Apply(*engine_, QStringLiteral("9.9"), QStringLiteral("10")));
    engine_->CommitSale();
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction")), 2);
    EXPECT_EQ(engine_->Bill.Lines.size(), 2);

    capture_.bytes.clear();
    engine_->FillReceipt();
    const QByteArray printed = capture_.bytes;
    EXPECT_TRUE(printed.contains(Gbk(QStringLiteral("小票号:1"))));
    EXPECT_TRUE(printed.contains(
        Lines({QStringLiteral("影片编号    影片名称"),
               QStringLiteral("S1") + Sp(10) + QStringLiteral("影片S1"),
               QStringLiteral("折扣:8.50") + Sp(1) + QStringLiteral("单价:20.00") + Sp(3) +
                   QStringLiteral("数量:2"),
               QStringLiteral("S3") + Sp(10) + QStringLiteral("影片S3"),
               QStringLiteral("折扣:0.00") + Sp(1) + QStringLiteral("单价:9.90") + Sp(4) +
                   QStringLiteral("数量:1"),
               QString(32, u'='), Sp(8) + QStringLiteral("实收金额:9.90"),
               Sp(8) + QStringLiteral("现金:10.00"), Sp(8) + QStringLiteral("找补:0.10"),
               QStringLiteral("说明:谢谢")})));
    EXPECT_FALSE(printed.contains(Gbk(QStringLiteral("影片S2"))));
    EXPECT_FALSE(printed.contains(Gbk(QStringLiteral("会员号"))));

    engine_->Reset();
    EXPECT_TRUE(engine_->Bill.Lines.isEmpty());
}

TEST_F(SaleTest, TheChangeFollowsTheStateAndBadAmountsAreRefused) {
    EXPECT_EQ(SaleAmounts::Change(TSaleObject::Selling, Money("35"), Money("34"), Money("50"),
                                  Currency()),
              Money("16"));
    EXPECT_EQ(SaleAmounts::Change(TSaleObject::Refunding, Money("35"), Money("20"), Money("0"),
                                  Currency()),
              Money("15"));
    EXPECT_EQ(
        SaleAmounts::Change(TSaleObject::Empty, Money("35"), Money("20"), Money("0"), Money("3")),
        Money("3"));

    AddTitle(QStringLiteral("S1"), "20", 5);
    engine_->EnterCode(QStringLiteral("S1"));
    EXPECT_TRUE(SaleAmounts::Apply(*engine_, QStringLiteral("20"), QString()));
    EXPECT_TRUE(engine_->Cash.IsZero());
    EXPECT_EQ(engine_->Change, Money("-20")); // a shortfall

    EXPECT_FALSE(SaleAmounts::Apply(*engine_, QStringLiteral("-"), QStringLiteral("50")));
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Error),
              QStringList{QStringLiteral("“\"实收金额\"”输入不正确，请重新输入。")});
    EXPECT_EQ(engine_->Received, Money("20"));
    EXPECT_TRUE(engine_->Cash.IsZero());

    EXPECT_FALSE(SaleAmounts::Apply(*engine_, QStringLiteral("18"), QStringLiteral("5o")));
    EXPECT_EQ(engine_->Received, Money("18")); // taken before the cash was refused
    EXPECT_EQ(engine_->Change, Money("-20"));
}

TEST_F(SaleTest, AFailedCommitLeavesLedgerAndLinesAsTheyWere) {
    AddTitle(QStringLiteral("S1"), "20", 5);
    AddTitle(QStringLiteral("S2"), "15", 5);
    engine_->EnterCodes({QStringLiteral("S1"), QStringLiteral("S2")});
    const QString before = Dump();
    // The second line's insert fails after the movement, a stock change and
    // the first line were written.
    dm_->ExecSql(QStringLiteral("CREATE TRIGGER fail_second AFTER INSERT ON TbSTransaction WHEN "
                                "(SELECT Count(*) FROM TbSTransaction) > 1 BEGIN SELECT "
                                "RAISE(ABORT, 'disk full'); END"));
    EXPECT_ANY_THROW(engine_->CommitSale());
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(engine_->NowLines.size(), 2);
    EXPECT_TRUE(engine_->HistoryLines.isEmpty());
    EXPECT_EQ(engine_->Sn, 0);
    EXPECT_EQ(engine_->Disc.Number2, 5);
    dm_->ExecSql(QStringLiteral("DROP TRIGGER fail_second"));
    engine_->CommitSale();
    EXPECT_EQ(Count(QStringLiteral("TbSTransaction")), 2);

    // A refund whose movement cannot be rewritten takes no line back.
    engine_->Reset();
    engine_->LoadBill(1);
    const QString sold = Dump();
    dm_->ExecSql(QStringLiteral("CREATE TRIGGER fail_fund BEFORE UPDATE ON TbFTransaction BEGIN "
                                "SELECT RAISE(ABORT, 'disk full'); END"));
    EXPECT_ANY_THROW(engine_->CommitRefund());
    EXPECT_EQ(Dump(), sold);
    EXPECT_EQ(engine_->NowLines.size(), 2);
    EXPECT_EQ(engine_->HistoryLines.size(), 2);
    EXPECT_EQ(engine_->Fund.CId1, TSaleObject::SaleKind);
}

TEST_F(SaleTest, RefundingABillOfSeveralCommitsSettlesEachMovement) {
    AddTitle(QStringLiteral("S1"), "15", 5);
    AddTitle(QStringLiteral("S2"), "30", 5);
    AddTitle(QStringLiteral("S3"), "10", 5);
    Sell({QStringLiteral("S1")});
    Sell({QStringLiteral("S2"), QStringLiteral("S3")});
    engine_->Reset();
    ASSERT_EQ(CashBoxBalance(), Money("55"));

    // Part of the second commit's lines: only its movement shrinks.
    engine_->LoadBill(1);
    EXPECT_EQ(engine_->Total, Money("55")); // the whole bill, not its last movement
    engine_->NowLines[0].Selected = false;
    engine_->NowLines[2].Selected = false;
    engine_->Recalculate();
    engine_->CommitRefund();
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=6 AND Sum1=15")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=6 AND Sum1=10")), 1);

    // The rest, without recomputing: each movement becomes a refund record.
    engine_->Reset();
    engine_->LoadBill(1);
    engine_->CommitRefund();
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=7 AND Sum1=-15")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=7 AND Sum1=-10")), 1);
    EXPECT_TRUE(CashBoxBalance().IsZero());
}

TEST_F(SaleTest, ACommitRefusesWhatAnotherCounterChangedMeanwhile) {
    AddTitle(QStringLiteral("S1"), "20", 5);
    AddTitle(QStringLiteral("S2"), "15", 5);
    engine_->EnterCodes({QStringLiteral("S1"), QStringLiteral("S2")});
    dm_->ExecSql(QStringLiteral("DELETE * FROM TbSaleCd WHERE Code=\"S2\""));
    const QString before = Dump();
    try {
        engine_->CommitSale();
        ADD_FAILURE() << "a deleted title was sold";
    } catch (const EVintorError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("影片“S2”已被别处删除，本单未保存。"));
    }
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(engine_->NowLines.size(), 2);

    engine_->Reset();
    Sell({QStringLiteral("S1")});
    engine_->Reset();
    engine_->LoadBill(1);
    dm_->ExecSql(QStringLiteral("UPDATE TbSTransaction SET CId2=7")); // refunded elsewhere
    const QString refunded = Dump();
    EXPECT_THROW(engine_->CommitRefund(), EVintorError);
    EXPECT_EQ(Dump(), refunded);
    EXPECT_EQ(Stock(QStringLiteral("S1")), 4);
}

TEST_F(SaleTest, EditingALineChecksEachValueAndNeverWraps) {
    AddTitle(QStringLiteral("S1"), "20", 5);
    engine_->EnterCode(QStringLiteral("S1"));
    // A fifth decimal is refused, not rounded; the other values are taken.
    EXPECT_FALSE(engine_->EditLine(0, QStringLiteral("8.5"), QStringLiteral("2"),
                                   QStringLiteral("20.00001")));
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Error),
              QStringList{QStringLiteral("“\"单价\"”输入不正确，请重新输入。")});
    EXPECT_EQ(engine_->NowLines[0].Price, Money("20"));
    EXPECT_EQ(engine_->Total, Money("34"));

    // A count times a price beyond what the ledger holds is refused whole.
    EXPECT_THROW(engine_->EditLine(0, QStringLiteral("0"), QStringLiteral("3"),
                                   QStringLiteral("400000000000")),
                 EVintorError);
    EXPECT_EQ(engine_->NowLines[0].Number, 2);
    EXPECT_EQ(engine_->NowLines[0].Price, Money("20"));
    EXPECT_EQ(engine_->Total, Money("34"));
    engine_->NowLines[0].Number = 2000000000; // the 64-bit product would wrap
    engine_->NowLines[0].Price = Money("900000000000000");
    EXPECT_THROW(engine_->Recalculate(), EVintorError);
    EXPECT_EQ(engine_->Total, Money("34"));
}

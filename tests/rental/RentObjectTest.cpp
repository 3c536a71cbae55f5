#include "storage/Clock.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/records/Account.h"
#include "tests/rental/RentFixture.h"

#include <gtest/gtest.h>

namespace {

Currency Money(const char* text) {
    return Currency::Parse(QString::fromUtf8(text)).value();
}

} // namespace

TEST_F(RentTest, SeriesEntriesExpandIntoCodes) {
    EXPECT_EQ(TRentObject::ExpandCodes(QStringLiteral("0001")),
              QStringList{QStringLiteral("0001")});
    const QStringList series = TRentObject::ExpandCodes(QStringLiteral("0001.1-3.20-21"));
    EXPECT_EQ(series, (QStringList{"0001", "0001-1", "0001-2", "0001-3", "0001-20", "0001-21"}));
    EXPECT_EQ(TRentObject::ExpandCodes(QStringLiteral("00001.00003.00005")),
              (QStringList{"00001", "00003", "00005"}));
    EXPECT_EQ(TRentObject::ExpandCodes(QStringLiteral("0001.5-3")), QStringList{"0001"});
    EXPECT_TRUE(prompter_.Messages().isEmpty());

    // A bound that is not a number is reported under its caption and counts as 0.
    EXPECT_EQ(TRentObject::ExpandCodes(QStringLiteral("0001.x-1")),
              (QStringList{"0001", "0001-0", "0001-1"}));
    ASSERT_EQ(prompter_.Messages().size(), 1);
    EXPECT_TRUE(prompter_.Messages().front().text.contains(QStringLiteral("开始集数")));

    // A runaway series is refused as a whole instead of hanging the counter.
    prompter_.Clear();
    EXPECT_TRUE(TRentObject::ExpandCodes(QStringLiteral("0001.1-99999999")).isEmpty());
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Warning).size(), 1);
    EXPECT_EQ(TRentObject::ExpandCodes(QStringLiteral("0001.1-999")).size(), 1000);
}

TEST_F(RentTest, AWalkInRentalWritesOneBillAndOneMovement) {
    AddTitle(QStringLiteral("A1"), fee_, "1");
    AddTitle(QStringLiteral("A2"), fee_, "1.5");
    engine_->EnterCode(QStringLiteral("A1"));
    engine_->EnterCode(QStringLiteral("A1")); // the same disc twice is one line
    engine_->EnterCode(QStringLiteral("A2"));
    engine_->EnterCode(QStringLiteral("nope"));
    ASSERT_EQ(engine_->NowLines.size(), 2);
    EXPECT_EQ(engine_->State, TRentObject::Renting);
    EXPECT_EQ(engine_->NowLines[1].Deposit, Money("15")); // the deposit uses the unrounded ratio
    EXPECT_EQ(engine_->Received, Money("25"));

    engine_->CommitRent();
    EXPECT_TRUE(engine_->NowLines.isEmpty());
    EXPECT_EQ(engine_->HeldLines.size(), 2);
    EXPECT_EQ(engine_->Sn, 1);
    EXPECT_EQ(engine_->HeldLines.front().Days, 1);
    EXPECT_EQ(Count(QStringLiteral("TbRTransaction"), QStringLiteral("CId2=2 AND Sn=1 AND AId=0")),
              2);
    EXPECT_EQ(Count(QStringLiteral("TbRentCd"), QStringLiteral("Status=2")), 2);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"),
                    QStringLiteral("CId1=2 AND AId1=1 AND AId3=0 AND CId3=1 AND Sum1=25")),
              1);
    TAccount cashBox;
    cashBox.Id = 1;
    EXPECT_EQ(cashBox.Balance(), Money("25"));
}

TEST_F(RentTest, RentsFollowUnitsAndDays) {
    AddTitle(QStringLiteral("A1"), fee_, "1");
    AddTitle(QStringLiteral("A2"), fee_, "1.5");
    AddTitle(QStringLiteral("A3"), fee_, "2.5");
    TClock::SetToday(QDate(2024, 6, 11));
    Rent(QStringLiteral("A1"));
    engine_->Reset();
    TClock::SetToday(QDate(2024, 6, 15));

    engine_->EnterCode(QStringLiteral("A1")); // 4 days at 1.00 per 3 days
    ASSERT_EQ(engine_->NowLines.size(), 1);
    EXPECT_EQ(engine_->State, TRentObject::Returning);
    EXPECT_EQ(engine_->NowLines[0].Rent, Money("1.3333"));
    EXPECT_EQ(engine_->NowLines[0].Days, 4);
    EXPECT_EQ(engine_->Refund, Money("8.6667"));

    // Same day: one day shown, exactly one period's rent; ties of units go to even.
    engine_->Reset();
    Rent(QStringLiteral("A2.A3"));
    engine_->Reset();
    engine_->EnterCode(QStringLiteral("A2"));
    ASSERT_EQ(engine_->NowLines.size(), 2);
    EXPECT_EQ(engine_->NowLines[0].Days, 1);
    EXPECT_EQ(engine_->NowLines[0].Rent, Money("2")); // 1.5 units -> 2
    EXPECT_EQ(engine_->NowLines[1].Rent, Money("2")); // 2.5 units -> 2
}

TEST_F(RentTest, ReturningAWholeBillRewritesItsMovement) {
    AddTitle(QStringLiteral("A1"), fee_);
    AddTitle(QStringLiteral("A2"), fee_);
    TClock::SetToday(QDate(2024, 6, 9));
    Rent(QStringLiteral("A1.A2"));
    engine_->Reset();
    TClock::SetToday(QDate(2024, 6, 15)); // 6 days: 2.00 each
    engine_->EnterCode(QStringLiteral("A2"));
    ASSERT_EQ(engine_->NowLines.size(), 2);
    EXPECT_EQ(engine_->Received, Money("4"));
    EXPECT_EQ(engine_->Refund, Money("16"));
    engine_->CommitReturn();
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"),
                    QStringLiteral("CId1=1 AND Sum1=16 AND Sum2=-4 AND Day=#2024-06-15#")),
              1);
    EXPECT_EQ(
        Count(QStringLiteral("TbRTransaction"), QStringLiteral("CId2=1 AND Day2=#2024-06-15#")), 2);
    EXPECT_EQ(Count(QStringLiteral("TbRentCd"), QStringLiteral("Status=1")), 2);
    TAccount cashBox;
    cashBox.Id = 1;
    EXPECT_EQ(cashBox.Balance(), Money("4")); // only the rent stays in the box
}

TEST_F(RentTest, ReturningPartOfABillAddsAReturnMovement) {
    AddTitle(QStringLiteral("A1"), fee_);
    AddTitle(QStringLiteral("A2"), fee_);
    TClock::SetToday(QDate(2024, 6, 9));
    Rent(QStringLiteral("A1.A2"));
    engine_->Reset();
    TClock::SetToday(QDate(2024, 6, 15));
    engine_->EnterCode(QStringLiteral("A1"));
    engine_->SelectLine(1, false);
    EXPECT_EQ(engine_->Received, Money("2"));
    engine_->Refund = Money("10"); // the desk hands back one disc's deposit
    prompter_.QueueAnswer(true);   // take the rent out of the deposit
    engine_->CommitReturn();
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Question),
              QStringList{QStringLiteral("返还影片收取的租金：2.00元，是否从押金：20.00中扣除?")});
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=2 AND Sum1=8")), 1);
    EXPECT_EQ(
        Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=1 AND Sum1=10 AND Sum2=-2")),
        1);
    EXPECT_EQ(Count(QStringLiteral("TbRTransaction"), QStringLiteral("CId2=2")), 1);
    EXPECT_EQ(engine_->HeldLines.size(), 1);
    TAccount cashBox;
    cashBox.Id = 1;
    EXPECT_EQ(cashBox.Balance(), Money("10")); // 8 still held + 2 rent
}

TEST_F(RentTest, ReturningSomeLinesOfSeveralBillsKeepsEveryDepositHeld) {
    const int member = AddMember(QStringLiteral("M1"), AddType("押金租金", 0, "0", 0, 0, 4, 1));
    AddTitle(QStringLiteral("A1"), fee_);
    AddTitle(QStringLiteral("A2"), fee_);
    AddTitle(QStringLiteral("A3"), fee_);
    TClock::SetToday(QDate(2024, 6, 12));
    engine_->EnterMember(QStringLiteral("M1"));
    Rent(QStringLiteral("A1"));
    engine_->Reset();
    engine_->EnterMember(QStringLiteral("M1"));
    engine_->EnterCode(QStringLiteral("A2.A3"));
    engine_->CommitRent();
    engine_->Reset();
    TClock::SetToday(QDate(2024, 6, 15));
    ASSERT_TRUE(engine_->EnterMember(QStringLiteral("M1")));
    ASSERT_EQ(engine_->NowLines.size(), 3);
    EXPECT_EQ(engine_->DepositTotal, Money("30"));
    // Take back only A2 (second bill); A1 and A3 stay out.
    for (int i = 0; i < 3; ++i) {
        engine_->SelectLine(i, engine_->NowLines[i].RentCd.Code == QLatin1String("A2"));
    }
    engine_->Refund = Money("10");
    prompter_.QueueAnswer(false);
    engine_->CommitReturn();
    EXPECT_EQ(
        Count(QStringLiteral("TbRTransaction"), QStringLiteral("CId2=2 AND AId=%1").arg(member)),
        2);
    TAccount cashBox;
    cashBox.Id = 1;
    // 20 still held for A1 and A3, plus the rent of A2.
    EXPECT_EQ(cashBox.Balance(), Money("21"));
    const QString openFunds =
        Text(QStringLiteral("SELECT Count(*) AS V FROM (SELECT DISTINCT FId FROM TbRTransaction "
                            "WHERE CId2=2)"));
    EXPECT_EQ(openFunds, QStringLiteral("1"));
}

TEST_F(RentTest, AnInStockDiscOnALoadedWalkInBillJoinsThatBill) {
    AddTitle(QStringLiteral("A1"), fee_);
    AddTitle(QStringLiteral("A2"), fee_);
    Rent(QStringLiteral("A1"));
    engine_->Reset();
    engine_->EnterCode(QStringLiteral("A1")); // load the bill for return
    EXPECT_EQ(engine_->Sn, 1);
    engine_->EnterCode(QStringLiteral("A2")); // then rent another disc on it
    EXPECT_EQ(engine_->State, TRentObject::Renting);
    engine_->CommitRent();
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("Sum1=20")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbRTransaction"), QStringLiteral("Sn=1")), 2);
}

TEST_F(RentTest, ABillSettledMeanwhileMakesTheNextDiscsANewBill) {
    AddTitle(QStringLiteral("A1"), fee_);
    AddTitle(QStringLiteral("A2"), fee_);
    Rent(QStringLiteral("A1"));
    engine_->EnterCode(QStringLiteral("A1"));
    engine_->CommitReturn(); // everything on bill 1 is back; Sn survives
    EXPECT_EQ(engine_->Sn, 1);
    engine_->EnterCode(QStringLiteral("A2"));
    engine_->CommitRent();
    EXPECT_EQ(engine_->Sn, 2);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=1")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=2 AND Sum1=10")), 1);
}

TEST_F(RentTest, QuotaQuestionsComeOncePerMemberLoadAndRepeatRentalsAreAsked) {
    const int type = AddType("包月", 30, "30", 10, 0, 1, 1);
    AddMember(QStringLiteral("M1"), type, "0", 10);
    AddTitle(QStringLiteral("A1"), fee_);
    AddTitle(QStringLiteral("A2"), fee_);
    ASSERT_TRUE(engine_->EnterMember(QStringLiteral("M1")));
    prompter_.QueueAnswer(false);
    engine_->EnterCode(QStringLiteral("A1"));
    EXPECT_TRUE(engine_->NowLines.isEmpty());
    engine_->EnterCode(QStringLiteral("A1")); // not asked again for this load
    engine_->EnterCode(QStringLiteral("A2"));
    EXPECT_EQ(
        prompter_.Texts(TScriptedPrompter::Kind::Question),
        QStringList{QStringLiteral("会员[会员M1]剩余部数不足，需要缴费才能出租。是否继续出租？")});
    ASSERT_EQ(engine_->NowLines.size(), 2);
    EXPECT_EQ(engine_->Renter.Number, Money("-2")); // kind 1: no deposit, units taken
    EXPECT_EQ(engine_->Received, Currency());
    engine_->SelectLine(1, false);
    EXPECT_EQ(engine_->Renter.Number, Money("-1"));
    engine_->CommitRent();
    EXPECT_EQ(Text(QStringLiteral("SELECT [Number] AS V FROM TbAssociator WHERE Code=\"M1\"")),
              QStringLiteral("-1"));

    // The disc comes back; renting it again asks about the earlier rental.
    engine_->Reset();
    engine_->EnterCode(QStringLiteral("A1"));
    engine_->CommitReturn();
    engine_->Reset();
    prompter_.Clear();
    engine_->EnterMember(QStringLiteral("M1"));
    prompter_.QueueAnswer(true); // the quota question
    prompter_.QueueAnswer(false);
    engine_->EnterCode(QStringLiteral("A2"));
    engine_->EnterCode(QStringLiteral("A1"));
    const QStringList asked = prompter_.Texts(TScriptedPrompter::Kind::Question);
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[1], QStringLiteral("影片[影片A1]已经在 2024年6月15日 租过，是否继续出租？"));
    EXPECT_EQ(engine_->NowLines.size(), 1);
}

TEST_F(RentTest, ChargingKindsDecideDepositAndRent) {
    AddTitle(QStringLiteral("A1"), fee_);
    struct Case {
        int kind;
        const char* deposit;
        const char* rent;
    };
    for (const Case c : {Case{1, "0", "0"}, Case{2, "10", "0"}, Case{3, "0", "2"},
                         Case{4, "10", "2"}, Case{5, "0", "2"}}) {
        SCOPED_TRACE(c.kind);
        const QString code = QStringLiteral("K%1").arg(c.kind);
        AddMember(code, AddType("类型", 0, "0", 0, 0, c.kind, 1), "0", 30, "50");
        engine_->Reset();
        TClock::SetToday(QDate(2024, 6, 10));
        engine_->EnterMember(code);
        engine_->EnterCode(QStringLiteral("A1"));
        ASSERT_EQ(engine_->NowLines.size(), 1);
        EXPECT_EQ(engine_->NowLines[0].Deposit, Money(c.deposit));
        engine_->CommitRent();
        engine_->Reset();
        TClock::SetToday(QDate(2024, 6, 16)); // 6 days: two periods
        engine_->EnterCode(QStringLiteral("A1"));
        ASSERT_EQ(engine_->NowLines.size(), 1);
        EXPECT_EQ(engine_->NowLines[0].Rent, Money(c.rent));
        engine_->CommitReturn();
    }
    // Kind 5 paid its rent out of the prepaid balance.
    EXPECT_EQ(Text(QStringLiteral("SELECT Balance AS V FROM TbAssociator WHERE Code=\"K5\"")),
              QStringLiteral("48"));
}

TEST_F(RentTest, AFeeStandardWithoutUnitsChargesNothingAndSaysSo) {
    const int broken = AddFee("坏标准", "10", "0", "1", 0, "10", "0", "1", 0);
    AddTitle(QStringLiteral("B1"), broken);
    engine_->EnterCode(QStringLiteral("B1"));
    ASSERT_EQ(engine_->NowLines.size(), 1);
    EXPECT_EQ(engine_->NowLines[0].Deposit, Currency());
    const QStringList warnings = prompter_.Texts(TScriptedPrompter::Kind::Warning);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("坏标准")));
}

TEST_F(RentTest, CancellingAWholeOrPartBill) {
    const int type = AddType("计次", 0, "10", 10, 0, 4, 1);
    AddMember(QStringLiteral("M1"), type, "5");
    AddTitle(QStringLiteral("A1"), fee_);
    AddTitle(QStringLiteral("A2"), fee_);
    engine_->EnterMember(QStringLiteral("M1"));
    Rent(QStringLiteral("A1.A2"));
    EXPECT_EQ(Text(QStringLiteral("SELECT [Number] AS V FROM TbAssociator")), QStringLiteral("3"));
    engine_->Reset();
    engine_->EnterMember(QStringLiteral("M1"));
    engine_->SelectLine(0, false);
    engine_->Refund = Money("10");
    engine_->CancelRent();
    EXPECT_EQ(engine_->NowLines.size(), 1);
    EXPECT_TRUE(engine_->NowLines[0].Selected);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=2 AND Sum1=10")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=3 AND Sum1=10")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbRTransaction"), QStringLiteral("CId2=3")), 1);
    EXPECT_EQ(Text(QStringLiteral("SELECT [Number] AS V FROM TbAssociator")), QStringLiteral("4"));

    engine_->Refund = Money("10");
    engine_->CancelRent(); // the rest: the bill's own movement becomes a cancellation
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("CId1=3")), 2);
    EXPECT_EQ(Count(QStringLiteral("TbRentCd"), QStringLiteral("Status=1")), 2);
    EXPECT_EQ(Text(QStringLiteral("SELECT [Number] AS V FROM TbAssociator")), QStringLiteral("5"));
    TAccount cashBox;
    cashBox.Id = 1;
    EXPECT_EQ(cashBox.Balance(), Currency());
}

TEST_F(RentTest, LateMembersArePenalisedInUnitsOrMoney) {
    const int units = AddType("扣部数", 0, "0", 10, 3, 1, 2);
    const int money = AddType("扣金额", 0, "0", 0, 3, 5, 3);
    AddMember(QStringLiteral("U"), units, "10");
    AddMember(QStringLiteral("P"), money, "0", 30, "20");
    AddTitle(QStringLiteral("A1"), fee_);
    AddTitle(QStringLiteral("A2"), fee_);
    TClock::SetToday(QDate(2024, 6, 10));
    engine_->EnterMember(QStringLiteral("U"));
    Rent(QStringLiteral("A1"));
    engine_->Reset();
    engine_->EnterMember(QStringLiteral("P"));
    Rent(QStringLiteral("A2"));
    engine_->Reset();
    TClock::SetToday(QDate(2024, 6, 15)); // 5 days with 3 allowed: 2 overdue

    prompter_.QueuePenalty(QStringLiteral("2.5")); // a fraction of a unit rounds to even
    engine_->EnterMember(QStringLiteral("U"));
    engine_->CommitReturn();
    engine_->Reset();
    engine_->EnterMember(QStringLiteral("P"));
    engine_->CommitReturn();
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Penalty),
              (QStringList{QStringLiteral("[U]会员U | 2 天 | 扣减部数：2"),
                           QStringLiteral("[P]会员P | 2 天 | 扣减金额：2.00")}));
    EXPECT_EQ(Text(QStringLiteral("SELECT [Number] AS V FROM TbAssociator WHERE Code=\"U\"")),
              QStringLiteral("7")); // 10, one rented, two taken as the penalty
    EXPECT_EQ(Text(QStringLiteral("SELECT Balance AS V FROM TbAssociator WHERE Code=\"P\"")),
              QStringLiteral("16.3333")); // 20 - 1.6667 rent (5 days) - 2 penalty
}

TEST_F(RentTest, AFailedCommitLeavesLedgerAndLinesAsTheyWere) {
    AddTitle(QStringLiteral("A1"), fee_);
    AddTitle(QStringLiteral("A2"), fee_);
    engine_->EnterCode(QStringLiteral("A1.A2"));
    const QString before = Dump();
    // The second line's insert fails after the movement, the statuses and the
    // first line were written.
    dm_->ExecSql(QStringLiteral("CREATE TRIGGER fail_second AFTER INSERT ON TbRTransaction WHEN "
                                "(SELECT Count(*) FROM TbRTransaction) > 1 BEGIN SELECT "
                                "RAISE(ABORT, 'disk full'); END"));
    EXPECT_ANY_THROW(engine_->CommitRent());
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(engine_->NowLines.size(), 2);
    EXPECT_TRUE(engine_->HeldLines.isEmpty());
    EXPECT_EQ(engine_->Sn, 0);
    EXPECT_EQ(engine_->Received, Money("20"));

    dm_->ExecSql(QStringLiteral("DROP TRIGGER fail_second"));
    engine_->CommitRent();
    EXPECT_EQ(Count(QStringLiteral("TbRTransaction")), 2);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 1);
}

TEST_F(RentTest, AMalformedPenaltyIsRefusedAndTheDialogAsksAgain) {
    AddMember(QStringLiteral("U"), AddType("扣部数", 0, "0", 10, 3, 1, 2), "10");
    AddTitle(QStringLiteral("A1"), fee_);
    TClock::SetToday(QDate(2024, 6, 10));
    engine_->EnterMember(QStringLiteral("U"));
    Rent(QStringLiteral("A1"));
    engine_->Reset();
    TClock::SetToday(QDate(2024, 6, 15));
    prompter_.QueuePenalty(QStringLiteral("两部"));
    engine_->EnterMember(QStringLiteral("U"));
    engine_->CommitReturn(); // the second time the proposed 2 is confirmed
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Penalty).size(), 2);
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Error).size(), 1);
    EXPECT_EQ(Text(QStringLiteral("SELECT [Number] AS V FROM TbAssociator WHERE Code=\"U\"")),
              QStringLiteral("7"));
}

TEST_F(RentTest, ACommitRefusesWhatAnotherCounterChangedMeanwhile) {
    AddTitle(QStringLiteral("A1"), fee_);
    AddTitle(QStringLiteral("A2"), fee_);
    engine_->EnterCode(QStringLiteral("A1.A2"));
    {
        // The second counter, on its own connection, rents A2 out first.
        TDM other;
        other.DbBase.SetDatabaseName(ledger_);
        other.DbBase.Open();
        TRentObject counter(printer_, shop_, cashier_);
        counter.EnterCode(QStringLiteral("A2"));
        counter.CommitRent();
    }
    const QString before = Dump();
    try {
        engine_->CommitRent();
        ADD_FAILURE() << "a disc rented out elsewhere was rented again";
    } catch (const EVintorError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("光盘“A2”已被别处租出，本单未保存。"));
    }
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(engine_->NowLines.size(), 2);
    EXPECT_EQ(engine_->Sn, 0);

    // A return or cancellation of a line settled elsewhere is refused too.
    engine_->Reset();
    engine_->EnterCode(QStringLiteral("A2"));
    ASSERT_EQ(engine_->State, TRentObject::Returning);
    dm_->ExecSql(QStringLiteral("UPDATE TbRTransaction SET CId2=1"));
    const QString returned = Dump();
    EXPECT_THROW(engine_->CommitReturn(), EVintorError);
    EXPECT_THROW(engine_->CancelRent(), EVintorError);
    EXPECT_EQ(Dump(), returned);
    EXPECT_EQ(engine_->NowLines.size(), 1);
}

TEST_F(RentTest, ANewRenterStartsANewBillAndTheSameRenterKeepsIt) {
    const int type = AddType("押金租金", 0, "0", 0, 0, 4, 1);
    const int m1 = AddMember(QStringLiteral("M1"), type);
    const int m2 = AddMember(QStringLiteral("M2"), type);
    for (const char* code : {"A1", "A2", "A3", "A4", "A5"}) {
        AddTitle(QLatin1String(code), fee_);
    }
    engine_->EnterMember(QStringLiteral("M2"));
    Rent(QStringLiteral("A4"));
    engine_->Reset();

    Rent(QStringLiteral("A1")); // a walk-in renter, then M1 without F5
    engine_->EnterMember(QStringLiteral("M1"));
    Rent(QStringLiteral("A2"));
    Rent(QStringLiteral("A3")); // the same member's next disc joins the bill
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"),
                    QStringLiteral("CId1=2 AND AId3=%1 AND Sum1=20").arg(m1)),
              1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("AId3=0 AND Sum1=10")), 1);

    // Loading another member's bill by its disc leaves M1's bill.
    engine_->EnterCode(QStringLiteral("A4"));
    EXPECT_EQ(engine_->Renter.Id, m2);
    EXPECT_EQ(engine_->Sn, 0);
    Rent(QStringLiteral("A5"));
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"),
                    QStringLiteral("CId1=2 AND AId3=%1 AND Sum1=10").arg(m2)),
              2);
    EXPECT_EQ(Text(QStringLiteral("SELECT Count(*) AS V FROM (SELECT DISTINCT Sn FROM "
                                  "TbRTransaction)")),
              QStringLiteral("4"));
}

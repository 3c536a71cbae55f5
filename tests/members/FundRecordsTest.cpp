#include "tests/members/MembersFixture.h"

#include "members/AccountStore.h"
#include "members/FundRecords.h"
#include "members/ShowPeriod.h"
#include "storage/Settings.h"
#include "storage/records/Account.h"
#include "storage/records/FTransaction.h"

namespace {

TFundRecords::TMovementFields Movement(int category, const char* sum) {
    TFundRecords::TMovementFields fields;
    fields.day = QStringLiteral("2024-06-15");
    fields.categoryId = category;
    fields.operatorId = 1;
    fields.sum = QLatin1String(sum);
    return fields;
}

TFundRecords::TTransferFields Transfer(bool out, int other, const char* sum) {
    TFundRecords::TTransferFields fields;
    fields.day = QStringLiteral("2024-06-15");
    fields.operatorId = 1;
    fields.out = out;
    fields.otherAccountId = other;
    fields.sum = QLatin1String(sum);
    return fields;
}

} // namespace

class FundRecordsTest : public MembersTest {
protected:
    void SetUp() override {
        MembersTest::SetUp();
        bank_ = AddAccount(QStringLiteral("工行"));
    }
    Currency Balance(int account) {
        TAccount row;
        row.LoadById(account);
        return row.Balance();
    }
    int Saved(const TStored<int>& result) {
        EXPECT_TRUE(result.Ok()) << result.Refusal().message.toStdString();
        return result.Value();
    }
    int bank_ = 0;
};

TEST_F(FundRecordsTest, TheCategoryFixesTheSignOfAnIncomeOrExpense) {
    TFundRecords cashBox(TAccount::CashBoxId);
    // 27 rent (daily expense), 26 other income, 17 funds in, 18 funds out:
    // typed with either sign, the amount takes the category's.
    const int expense = Saved(cashBox.SaveMovement(-1, Movement(27, "-50")));
    const int income = Saved(cashBox.SaveMovement(-1, Movement(26, "-20")));
    const int in = Saved(cashBox.SaveMovement(-1, Movement(17, "7")));
    const int out = Saved(cashBox.SaveMovement(-1, Movement(18, "3")));
    EXPECT_EQ(Column("TbFTransaction", expense, "Sum1"), QStringLiteral("-50"));
    EXPECT_EQ(Column("TbFTransaction", income, "Sum1"), QStringLiteral("20"));
    EXPECT_EQ(Column("TbFTransaction", in, "Sum1"), QStringLiteral("7"));
    EXPECT_EQ(Column("TbFTransaction", out, "Sum1"), QStringLiteral("-3"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) AS V FROM TbFTransaction WHERE Id=%1 AND "
                                   "Flag=0 AND AId1=1 AND AId2=0 AND AId3=0 AND CId2=0 AND "
                                   "CId3=1 AND Sum2=0")
                        .arg(expense)),
              QStringLiteral("1"));

    // An edit keeps the row and may change the category.
    EXPECT_EQ(Saved(cashBox.SaveMovement(expense, Movement(26, "10"))), expense);
    EXPECT_EQ(Column("TbFTransaction", expense, "Sum1"), QStringLiteral("10"));
    EXPECT_EQ(Column("TbFTransaction", expense, "CId1"), QStringLiteral("26"));

    // A member category or the transfer is not offered here.
    for (int category : {11, 16, 2, 999}) {
        EXPECT_EQ(cashBox.SaveMovement(-1, Movement(category, "1")).Refusal().field,
                  QStringLiteral("cbCategory"));
    }
    EXPECT_EQ(cashBox.SaveMovement(-1, Movement(26, "")).Refusal().field, QStringLiteral("edSum"));
}

TEST_F(FundRecordsTest, ATransferMovesMoneyBetweenBothBalancesAndKeepsItsDirection) {
    Saved(TFundRecords(TAccount::CashBoxId).SaveMovement(-1, Movement(26, "500")));
    const int out =
        Saved(TFundRecords(TAccount::CashBoxId).SaveTransfer(-1, Transfer(true, bank_, "100")));
    EXPECT_EQ(Balance(TAccount::CashBoxId), Money("400"));
    EXPECT_EQ(Balance(bank_), Money("100"));
    TFTransaction row;
    row.LoadById(out);
    EXPECT_EQ(row.AId1, TAccount::CashBoxId);
    EXPECT_EQ(row.AId2, bank_);
    EXPECT_EQ(row.CId1, 16);
    EXPECT_EQ(row.Sum1, Money("-100"));
    EXPECT_EQ(row.Sum2, Money("100"));

    // Booked from the bank's side as money coming in from the cash box.
    const int in = Saved(TFundRecords(bank_).SaveTransfer(-1, Transfer(false, 1, "50")));
    EXPECT_EQ(Balance(TAccount::CashBoxId), Money("350"));
    EXPECT_EQ(Balance(bank_), Money("150"));

    // Edited from the bank's side: still out of the cash box whatever the fields say.
    Saved(TFundRecords(bank_).SaveTransfer(out, Transfer(true, 999, "30")));
    row.LoadById(out);
    EXPECT_EQ(row.AId1, TAccount::CashBoxId);
    EXPECT_EQ(row.AId2, bank_);
    EXPECT_EQ(Balance(TAccount::CashBoxId), Money("420"));
    EXPECT_EQ(Balance(bank_), Money("80"));

    // Deleting the bank deletes both transfers: the cash box gets the money back.
    EXPECT_TRUE(TAccountStore::DeleteAccount(bank_));
    EXPECT_EQ(Balance(TAccount::CashBoxId), Money("500"));
    EXPECT_EQ(
        Count(QStringLiteral("TbFTransaction"), QStringLiteral("Id IN (%1,%2)").arg(out).arg(in)),
        0);
    EXPECT_EQ(Count(QStringLiteral("TbAccount")), 1);
}

TEST_F(FundRecordsTest, AStoredTransferGoesOutOfItsPayerAndIntoItsPayee) {
    const int id =
        Saved(TFundRecords(TAccount::CashBoxId).SaveTransfer(-1, Transfer(true, bank_, "10")));
    TFTransaction row;
    row.LoadById(id);
    const TFundRecords::TDirection fromCashBox = TFundRecords::Direction(row, TAccount::CashBoxId);
    EXPECT_TRUE(fromCashBox.out);
    EXPECT_EQ(fromCashBox.otherAccountId, bank_);
    const TFundRecords::TDirection fromBank = TFundRecords::Direction(row, bank_);
    EXPECT_FALSE(fromBank.out);
    EXPECT_EQ(fromBank.otherAccountId, TAccount::CashBoxId);

    // Edited from the paying side with the other direction typed: still out to the bank.
    Saved(TFundRecords(TAccount::CashBoxId).SaveTransfer(id, Transfer(false, 999, "10")));
    row.LoadById(id);
    EXPECT_EQ(row.AId1, TAccount::CashBoxId);
    EXPECT_EQ(row.AId2, bank_);
}

TEST_F(FundRecordsTest, ATransferNeedsAnotherExistingAccount) {
    TFundRecords cashBox(TAccount::CashBoxId);
    EXPECT_EQ(cashBox.SaveTransfer(-1, Transfer(true, 1, "5")).Refusal().message,
              QStringLiteral("“\"收款账户\"”输入不能为空，请输入。"));
    EXPECT_EQ(cashBox.SaveTransfer(-1, Transfer(false, 77, "5")).Refusal().message,
              QStringLiteral("“\"划款账户\"”输入不能为空，请输入。"));
    TFundRecords::TTransferFields wrongKind = Transfer(true, bank_, "5");
    wrongKind.categoryId = 17;
    EXPECT_EQ(cashBox.SaveTransfer(-1, wrongKind).Refusal().field, QStringLiteral("cbCategory"));
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 0);
    // An income row is not edited through the transfer dialog, nor the other way round.
    const int income = Saved(cashBox.SaveMovement(-1, Movement(26, "5")));
    const int transfer = Saved(cashBox.SaveTransfer(-1, Transfer(true, bank_, "5")));
    EXPECT_FALSE(cashBox.SaveTransfer(income, Transfer(true, bank_, "9")).Ok());
    EXPECT_FALSE(cashBox.SaveMovement(transfer, Movement(26, "9")).Ok());
    EXPECT_FALSE(TFundRecords(999).SaveMovement(-1, Movement(26, "9")).Ok());
    EXPECT_EQ(Column("TbFTransaction", income, "Sum1"), QStringLiteral("5"));
}

TEST_F(FundRecordsTest, OnlyTransfersFundsInAndOutAndUserCategoriesChangeByHand) {
    for (int category : {16, 17, 18, 26, 40}) {
        EXPECT_TRUE(TFundRecords::CanChange(category)) << category;
    }
    for (int category : {1, 2, 3, 6, 7, 11, 12, 13, 21, 22, 25}) {
        EXPECT_FALSE(TFundRecords::CanChange(category)) << category;
    }
    // A rental movement is neither edited nor deleted here.
    dm_->ExecSql(
        QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                       "AId3,Sum1,Sum2,Memo) VALUES (#2024-06-15#,2,0,0,1,1,0,0,30,0,\"\")"));
    const int rental = LastId("TbFTransaction");
    EXPECT_FALSE(TFundRecords(TAccount::CashBoxId).SaveMovement(rental, Movement(26, "1")).Ok());
    EXPECT_FALSE(TFundRecords::DeleteMovement(rental));
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Question), QStringList());
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 1);

    const int income = Saved(TFundRecords(TAccount::CashBoxId).SaveMovement(-1, Movement(26, "5")));
    prompter_.QueueAnswer(false);
    EXPECT_FALSE(TFundRecords::DeleteMovement(income));
    EXPECT_TRUE(TFundRecords::DeleteMovement(income));
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Question).last(),
              QStringLiteral("确实要删除 [\"收支转账记录\"]吗？"));
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 1);
}

TEST(ShowPeriodTest, TheListStartsAtTheMonthTheSundayOrToday) {
    const QDate saturday(2024, 6, 15);
    EXPECT_EQ(ShowPeriod::Start(TSettings::ShowThisMonth, saturday), QDate(2024, 6, 1));
    EXPECT_EQ(ShowPeriod::Start(TSettings::ShowThisWeek, saturday), QDate(2024, 6, 9));
    EXPECT_EQ(ShowPeriod::Start(TSettings::ShowThisWeek, QDate(2024, 6, 9)), QDate(2024, 6, 9));
    EXPECT_EQ(ShowPeriod::Start(TSettings::ShowThisWeek, QDate(2024, 6, 10)), QDate(2024, 6, 9));
    // A week begun in the month before.
    EXPECT_EQ(ShowPeriod::Start(TSettings::ShowThisWeek, QDate(2024, 3, 1)), QDate(2024, 2, 25));
    EXPECT_EQ(ShowPeriod::Start(TSettings::ShowToday, saturday), saturday);
    EXPECT_EQ(ShowPeriod::Start(TSettings::ShowAll, saturday), std::nullopt);
    EXPECT_EQ(ShowPeriod::Start(0, saturday), std::nullopt);
}

TEST_F(FundRecordsTest, AccountsNeedAUniqueNameAndTheCashBoxStays) {
    TAccountStore::TAccountFields fields;
    fields.name = QStringLiteral("  ");
    EXPECT_EQ(TAccountStore::SaveAccount(-1, fields).Refusal().message,
              QStringLiteral("“\"账户名称\"”输入不能为空，请输入。"));
    fields.name = QStringLiteral("工行");
    EXPECT_EQ(TAccountStore::SaveAccount(-1, fields).Refusal().message,
              QStringLiteral("“\"工行\"”名称已经存在，请重新输入。"));
    fields.name = QStringLiteral("建行");
    fields.no = QStringLiteral("6222");
    fields.bank = QStringLiteral("建设银行");
    const int id = Saved(TAccountStore::SaveAccount(-1, fields));
    EXPECT_EQ(Column("TbAccount", id, "Bank"), QStringLiteral("建设银行"));
    EXPECT_EQ(Column("TbAccount", id, "Max"), QStringLiteral("0"));
    // Its own name is no clash when edited.
    fields.contact = QStringLiteral("李四");
    EXPECT_EQ(Saved(TAccountStore::SaveAccount(id, fields)), id);
    EXPECT_EQ(Column("TbAccount", id, "Contact"), QStringLiteral("李四"));
    EXPECT_FALSE(TAccountStore::SaveAccount(999, fields).Ok());

    // Member movements stay when an account goes; the cash box cannot go.
    const int member = InsertMember(QStringLiteral("M"), 1, 0, "0");
    dm_->ExecSql(QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                                "AId3,Sum1,Sum2,Memo) VALUES (#2024-06-15#,11,1,0,1,%1,1,%1,-30,"
                                "30,\"\")")
                     .arg(member));
    EXPECT_TRUE(TAccountStore::DeleteAccount(id));
    EXPECT_FALSE(TAccountStore::DeleteAccount(TAccount::CashBoxId));
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Warning),
              QStringList{QStringLiteral("收银箱是系统账户，不能删除。")});
    EXPECT_EQ(Count(QStringLiteral("TbAccount"), QStringLiteral("Id=1")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 1);
    EXPECT_EQ(Balance(TAccount::CashBoxId), Money("30"));
}

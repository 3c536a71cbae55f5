#include "tests/members/MembersFixture.h"

#include "members/MemberRecords.h"
#include "storage/records/Account.h"

namespace {

TMemberRecords::TRecordFields Record(int category, const char* sum,
                                     const char* day = "2024-06-15") {
    TMemberRecords::TRecordFields fields;
    fields.day = QLatin1String(day);
    fields.categoryId = category;
    fields.operatorId = 1;
    fields.sum = QLatin1String(sum);
    fields.memo = QStringLiteral("备注");
    return fields;
}

} // namespace

class MemberRecordsTest : public MembersTest {
protected:
    // Books a record for `member` and answers its Id.
    int Book(int member, int category, const char* sum, int recordId = -1) {
        const TStored<int> result =
            TMemberRecords(member).SaveRecord(recordId, Record(category, sum));
        EXPECT_TRUE(result.Ok()) << result.Refusal().message.toStdString();
        return result.Value();
    }
    QString Quota(int member) {
        return Column("TbAssociator", member, "LastDay") + u' ' +
               Column("TbAssociator", member, "Number") + u' ' +
               Column("TbAssociator", member, "Balance") + u' ' +
               Column("TbAssociator", member, "Deposit");
    }
};

TEST_F(MemberRecordsTest, EachMemberTypeCreditsAPaymentItsOwnWay) {
    struct Case {
        const char* name;
        int tDay;
        const char* tSum;
        int tNum;
        int fee;
        int daysLeft;
        const char* number;
        const char* sum;
        const char* after; // LastDay Number Balance Deposit
    };
    const Case cases[] = {
        // Days and discs, ran out last week with 4 discs left: they are dropped.
        {"过期", 30, "30", 10, 4, -7, "4", "30", "2024-07-15 10 0 0"},
        // Still running with 5 days and 4 discs: both are added to.
        {"未过期", 30, "30", 10, 4, 5, "4", "30", "2024-07-20 14 0 0"},
        // Days and discs each from the exact ratio: 10 days and rnd(3.33) discs.
        {"按比例", 30, "30", 10, 4, 0, "0", "10", "2024-06-25 3 0 0"},
        // Discs only, free periods: T_Num whatever the amount.
        {"计次", 0, "0", 8, 4, 0, "1", "5", "2024-06-15 9 0 0"},
        // Days only, free periods: T_Day whatever the amount.
        {"包天", 20, "0", 0, 4, 3, "0", "99", "2024-07-08 0 0 0"},
        // Prepaid rent: the balance only.
        {"预存", 30, "30", 10, 5, 2, "1", "50", "2024-06-17 1 50 0"},
        // Unlimited: nothing changes.
        {"不限", 0, "30", 0, 4, 2, "1", "50", "2024-06-17 1 0 0"},
    };
    for (const Case& c : cases) {
        const int type = AddType(c.name, c.tDay, c.tSum, c.tNum, c.fee);
        const int member = InsertMember(QString::fromUtf8(c.name), type, c.daysLeft, c.number);
        const int record = Book(member, 11, c.sum);
        EXPECT_EQ(Quota(member), QLatin1String(c.after)) << c.name;
        EXPECT_EQ(Column("TbFTransaction", record, "Sum1"), u'-' + QLatin1String(c.sum));
        EXPECT_EQ(Column("TbFTransaction", record, "Sum2"), QLatin1String(c.sum));
        EXPECT_EQ(Column("TbFTransaction", record, "AId2"), QStringLiteral("1"));
        EXPECT_EQ(Column("TbFTransaction", record, "Memo"), QStringLiteral("备注"));
    }
    // Free periods taken back take back a whole period.
    const int counted = LastId("TbAssociator") - 3;
    TMemberRecords(counted).DeleteRecord(LastId("TbFTransaction") - 3);
    EXPECT_EQ(Column("TbAssociator", counted, "Number"), QStringLiteral("1"));
}

TEST_F(MemberRecordsTest, AnEditedPaymentIsTakenBackBeforeTheNewAmountIsApplied) {
    const int type = AddType("月卡", 30, "30", 10);
    const int member = InsertMember(QStringLiteral("M"), type, 5, "4");
    const int record = Book(member, 11, "30");
    EXPECT_EQ(Quota(member), QStringLiteral("2024-07-20 14 0 0"));
    // The 30.00 goes back (30 days, 10 discs), then 15.00 brings 15 days and 5 discs.
    EXPECT_EQ(Book(member, 11, "15", record), record);
    EXPECT_EQ(Quota(member), QStringLiteral("2024-07-05 9 0 0"));
    EXPECT_EQ(Column("TbFTransaction", record, "Sum1"), QStringLiteral("-15"));
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 1);
    // A typed negative amount is its absolute value.
    Book(member, 11, "-15", record);
    EXPECT_EQ(Quota(member), QStringLiteral("2024-07-05 9 0 0"));
}

TEST_F(MemberRecordsTest, ADepositIsSetNotAddedAndRefundsLeaveTheMemberAlone) {
    const int type = AddType("月卡", 30, "30", 10);
    const int member = OpenMember(QStringLiteral("M"), type, "0", "50");
    const int second = Book(member, 13, "20");
    EXPECT_EQ(Column("TbAssociator", member, "Deposit"), QStringLiteral("20"));
    EXPECT_TRUE(TMemberRecords(member).DeleteRecord(second));
    EXPECT_EQ(Column("TbAssociator", member, "Deposit"), QStringLiteral("0"));
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Question).last(),
              QStringLiteral("删除会员[会员M]的资金记录,将改变此会员的剩余部数及剩余天数或者押金。"
                             "\r\n真的要删除吗？"));

    const QString before = Quota(member);
    const int refund = Book(member, 12, "10");
    EXPECT_EQ(Column("TbFTransaction", refund, "Sum1"), QStringLiteral("10"));
    EXPECT_EQ(Column("TbFTransaction", refund, "Sum2"), QStringLiteral("-10"));
    EXPECT_EQ(Quota(member), before);
    TAccount cashBox;
    cashBox.LoadById(TAccount::CashBoxId);
    EXPECT_EQ(cashBox.Balance(), Money("40")); // the 50 opening deposit in, 10 out
    EXPECT_TRUE(TMemberRecords(member).DeleteRecord(refund));
    EXPECT_EQ(Quota(member), before);

    // No answered No: the record and the member stay.
    const int payment = Book(member, 11, "30");
    prompter_.QueueAnswer(false);
    EXPECT_FALSE(TMemberRecords(member).DeleteRecord(payment));
    EXPECT_EQ(Column("TbAssociator", member, "Number"), QStringLiteral("10"));
    EXPECT_TRUE(TMemberRecords(member).DeleteRecord(payment));
    EXPECT_EQ(Quota(member), QStringLiteral("2024-06-15 0 0 0"));
}

TEST_F(MemberRecordsTest, ChangingARecordsCategoryUndoesWhatTheOldCategoryDid) {
    const int type = AddType("月卡", 30, "30", 10);
    const int member = InsertMember(QStringLiteral("M"), type, 0, "0");
    const int record = Book(member, 13, "20");
    // The deposit record becomes a payment: the deposit goes, no payment is revoked.
    Book(member, 11, "30", record);
    EXPECT_EQ(Quota(member), QStringLiteral("2024-07-15 10 0 0"));
    // And back into a deposit: the payment is revoked.
    Book(member, 13, "25", record);
    EXPECT_EQ(Quota(member), QStringLiteral("2024-06-15 0 0 25"));
}

TEST_F(MemberRecordsTest, RecordChecksAndForeignRecordsAreRefused) {
    const int type = AddType("月卡", 30, "30", 10);
    const int member = InsertMember(QStringLiteral("M"), type, 0, "0");
    const int other = InsertMember(QStringLiteral("N"), type, 0, "0");
    const int record = Book(other, 11, "30");
    TMemberRecords records(member);
    EXPECT_EQ(records.SaveRecord(-1, Record(11, "30", "2024-02-30")).Refusal().field,
              QStringLiteral("edDay"));
    EXPECT_EQ(records.SaveRecord(-1, Record(16, "30")).Refusal().field,
              QStringLiteral("cbCategory"));
    EXPECT_EQ(records.SaveRecord(-1, Record(11, "3.00001")).Refusal().field,
              QStringLiteral("edSum"));
    EXPECT_EQ(Errors(), (QStringList{QStringLiteral("“\"日期\"”日期输入不正确，请重新输入。"),
                                     QStringLiteral("“\"收支分类\"”输入不能为空，请输入。"),
                                     QStringLiteral("“\"金额\"”输入不正确，请重新输入。")}));
    // Another member's record is neither changed nor deleted through this member.
    const QString before = Dump();
    EXPECT_FALSE(records.SaveRecord(record, Record(11, "15")).Ok());
    EXPECT_FALSE(records.DeleteRecord(record));
    // Nor is a record booked for a member that is gone.
    EXPECT_FALSE(TMemberRecords(999).SaveRecord(-1, Record(11, "15")).Ok());
    EXPECT_EQ(Dump(), before);
}

#include "tests/members/MembersFixture.h"

#include "members/MemberStore.h"
#include "storage/records/Account.h"

namespace {

TMemberStore::TOpeningFields Opening(const QString& code, int type) {
    TMemberStore::TOpeningFields fields;
    fields.code = code;
    fields.name = QStringLiteral("张三");
    fields.typeId = type;
    return fields;
}

TMemberStore::TCorrectionFields Correction(const QString& code, int type) {
    TMemberStore::TCorrectionFields fields;
    fields.code = code;
    fields.name = QStringLiteral("张三");
    fields.typeId = type;
    return fields;
}

} // namespace

TEST_F(MembersTest, NewMemberChecksStopAtTheFirstFieldAndStoreNothing) {
    const int type = AddType("月卡", 30, "30", 10);
    TMemberStore store(cashier_);
    OpenMember(QStringLiteral("M1"), type);
    const int members = Count(QStringLiteral("TbAssociator"));
    struct Case {
        TMemberStore::TOpeningFields fields;
        const char* field;
        const char* message;
    };
    auto with = [&](auto change) {
        TMemberStore::TOpeningFields fields = Opening(QStringLiteral("M2"), type);
        change(fields);
        return fields;
    };
    const Case cases[] = {
        {with([](auto& f) { f.code = QStringLiteral("  "); }), "edCode",
         "“\"编号\"”输入不能为空，请输入。"},
        {with([](auto& f) { f.code = QStringLiteral("M1"); }), "edCode",
         "“\"M1\"”编号已经存在，请重新输入。"},
        {with([](auto& f) { f.name.clear(); }), "edName", "“\"姓名\"”输入不能为空，请输入。"},
        {with([](auto& f) { f.typeId = 999; }), "cbType",
         "请先在“系统设置”中添加“会员项目”才能使用此功能。"},
        {with([](auto& f) { f.sum = QStringLiteral("3x"); }), "edSum",
         "“\"会员缴费\"”输入不正确，请重新输入。"},
        {with([](auto& f) { f.deposit = QStringLiteral("-5"); }), "edDeposit",
         "“\"押金\"”输入不正确，请重新输入。"},
    };
    for (const Case& c : cases) {
        prompter_.Clear();
        const TStored<int> result = store.AddMember(c.fields);
        EXPECT_FALSE(result.Ok());
        EXPECT_EQ(result.Refusal().field, QLatin1String(c.field));
        EXPECT_EQ(result.Refusal().message, QString::fromUtf8(c.message));
        EXPECT_EQ(Errors(), QStringList{QString::fromUtf8(c.message)}); // shown once
    }
    EXPECT_EQ(Count(QStringLiteral("TbAssociator")), members);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 0);

    // A prepaid-rent type names the payment field after the prepaid rent.
    const int prepaid = AddType("预存", 0, "0", 0, 5);
    TMemberStore::TOpeningFields fields = Opening(QStringLiteral("M2"), prepaid);
    fields.sum = QStringLiteral("abc");
    EXPECT_EQ(store.AddMember(fields).Refusal().message,
              QStringLiteral("“\"预收租金\"”输入不正确，请重新输入。"));
}

TEST_F(MembersTest, NewMemberBooksTheFirstPaymentAndDepositIntoTheCashBox) {
    const int type = AddType("月卡", 30, "30", 10);
    const int id = OpenMember(QStringLiteral("M1"), type, "30", "50");
    EXPECT_EQ(Column("TbAssociator", id, "LastDay"), QStringLiteral("2024-07-15"));
    EXPECT_EQ(Column("TbAssociator", id, "Number"), QStringLiteral("10"));
    EXPECT_EQ(Column("TbAssociator", id, "Deposit"), QStringLiteral("50"));
    EXPECT_EQ(Column("TbAssociator", id, "Balance"), QStringLiteral("0"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) AS V FROM TbFTransaction WHERE Flag=1 AND "
                                   "AId1=%1 AND AId2=1 AND AId3=%1 AND CId2=0 AND CId3=1 AND "
                                   "Day=#2024-06-15# AND Memo=\"\" AND ((CId1=11 AND Sum1=-30 "
                                   "AND Sum2=30) OR (CId1=13 AND Sum1=-50 AND Sum2=50))")
                        .arg(id)),
              QStringLiteral("2"));
    TAccount cashBox;
    cashBox.LoadById(TAccount::CashBoxId);
    EXPECT_EQ(cashBox.Balance(), Money("80"));

    // Nothing paid: a member with a blank quota and no movement.
    const int plain = OpenMember(QStringLiteral("M2"), type);
    EXPECT_EQ(Column("TbAssociator", plain, "LastDay"), QStringLiteral("2024-06-15"));
    EXPECT_EQ(Column("TbAssociator", plain, "Number"), QStringLiteral("0"));
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("AId1=%1").arg(plain)), 0);

    // A prepaid-rent member's first payment is its balance.
    const int prepaid = OpenMember(QStringLiteral("M3"), AddType("预存", 0, "0", 0, 5), "100");
    EXPECT_EQ(Column("TbAssociator", prepaid, "Balance"), QStringLiteral("100"));
}

TEST_F(MembersTest, EditMemberCorrectsTheStoredValuesWithoutAMovement) {
    const int type = AddType("月卡", 30, "30", 10);
    const int id = InsertMember(QStringLiteral("M1"), type, -60, "4");
    TMemberStore store(cashier_);
    TMemberStore::TCorrectionFields fields = Correction(QStringLiteral("M1"), type);
    fields.days = QStringLiteral("30");
    fields.numbers = QStringLiteral("7");
    fields.balance = QStringLiteral("12.5");
    fields.deposit = QStringLiteral("40");
    fields.telephone = QStringLiteral("12345");
    const TStored<int> result = store.EditMember(id, fields);
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.Value(), id);
    // A period that ran out 60 days ago now ends 30 days from today.
    EXPECT_EQ(Column("TbAssociator", id, "LastDay"), QStringLiteral("2024-07-15"));
    EXPECT_EQ(Column("TbAssociator", id, "Number"), QStringLiteral("7"));
    EXPECT_EQ(Column("TbAssociator", id, "Balance"), QStringLiteral("12.5"));
    EXPECT_EQ(Column("TbAssociator", id, "Deposit"), QStringLiteral("40"));
    EXPECT_EQ(Column("TbAssociator", id, "Telephone"), QStringLiteral("12345"));
    EXPECT_EQ(Column("TbAssociator", id, "Spell"), QStringLiteral("ZS"));
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 0);

    // A fractional quota must become whole discs; its own code is no clash.
    fields.numbers = QStringLiteral("2.5");
    EXPECT_EQ(store.EditMember(id, fields).Refusal().field, QStringLiteral("edNumbers"));
    fields.numbers = QStringLiteral("2");
    fields.days = QStringLiteral("1.5");
    EXPECT_EQ(store.EditMember(id, fields).Refusal().field, QStringLiteral("edDays"));
    fields.days = QStringLiteral("0");
    fields.balance = QStringLiteral("x");
    EXPECT_EQ(store.EditMember(id, fields).Refusal().field, QStringLiteral("edBalance"));
    EXPECT_EQ(Column("TbAssociator", id, "Number"), QStringLiteral("7"));

    // "Save and add": a new member stored with the typed values.
    TMemberStore::TCorrectionFields blank = Correction(QStringLiteral("M2"), type);
    blank.numbers = QStringLiteral("3");
    const TStored<int> added = store.EditMember(-1, blank);
    ASSERT_TRUE(added.Ok());
    EXPECT_NE(added.Value(), id);
    EXPECT_EQ(Column("TbAssociator", added.Value(), "Number"), QStringLiteral("3"));
    EXPECT_EQ(
        store.EditMember(added.Value(), Correction(QStringLiteral("M1"), type)).Refusal().field,
        QStringLiteral("edCode"));

    // A member deleted meanwhile is not written back as a new row.
    dm_->ExecSql(QStringLiteral("DELETE FROM TbAssociator WHERE Id=%1").arg(added.Value()));
    EXPECT_FALSE(store.EditMember(added.Value(), blank).Ok());
    EXPECT_EQ(Count(QStringLiteral("TbAssociator")), 1);
}

TEST_F(MembersTest, DeletingAMemberReturnsItsTitlesAndRemovesItsLinesAndMovements) {
    const int type = AddType("月卡", 30, "30", 10);
    const int id = OpenMember(QStringLiteral("M1"), type, "30", "50");
    const int other = OpenMember(QStringLiteral("M2"), type, "30");
    for (int n = 1; n <= 3; ++n) {
        dm_->ExecSql(QStringLiteral("INSERT INTO TbRentCd (Code,Name,Spell,Day,Alias1,Alias2,CId,"
                                    "FId,Status,Director,Player,[Number],Price,Power,Memo) VALUES "
                                    "(\"D%1\",\"片\",\"\",#2024-01-01#,\"\",\"\",1,1,2,\"\",\"\","
                                    "1,20,1,\"\")")
                         .arg(n));
    }
    // Two titles out with the member, one returned, one out with the other member.
    const int lines[][3] = {{id, 1, 2}, {id, 2, 2}, {id, 3, 1}, {other, 3, 2}};
    for (const auto& [member, title, state] : lines) {
        dm_->ExecSql(QStringLiteral("INSERT INTO TbRTransaction (Sn,Day1,Day2,AId,CId1,CId2,FId,"
                                    "Deposit,Rent) VALUES (1,#2024-06-10#,#2024-06-10#,%1,%2,%3,0,"
                                    "0,0)")
                         .arg(member)
                         .arg(title)
                         .arg(state));
    }
    prompter_.QueueAnswer(false);
    EXPECT_FALSE(TMemberStore(cashier_).DeleteMember(id));
    EXPECT_EQ(Count(QStringLiteral("TbAssociator")), 2);

    EXPECT_TRUE(TMemberStore(cashier_).DeleteMember(id));
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Question).last(),
              QStringLiteral("删除会员[会员M1],将一并删除此会员的出租返还记录及所有资金记录！\r\n真"
                             "的要删除吗？"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) AS V FROM TbRentCd WHERE Status=1")),
              QStringLiteral("2"));
    EXPECT_EQ(Count(QStringLiteral("TbRTransaction")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction"), QStringLiteral("AId3=%1").arg(id)), 0);
    EXPECT_EQ(Count(QStringLiteral("TbFTransaction")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbAssociator")), 1);
    EXPECT_FALSE(TMemberStore(cashier_).DeleteMember(id));
}

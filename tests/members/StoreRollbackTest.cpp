#include "tests/members/MembersFixture.h"

#include "members/AccountStore.h"
#include "members/FundRecords.h"
#include "members/MemberRecords.h"
#include "storage/dao/Errors.h"
#include "storage/records/Account.h"

#include <functional>

// Each store operation lands whole or not at all: a statement that fails late
// takes every earlier one of the same operation back with it.
TEST_F(MembersTest, EveryStoreOperationRollsBackWholeWhenAStatementFails) {
    const int type = AddType("月卡", 30, "30", 10);
    const int member = OpenMember(QStringLiteral("M1"), type, "30", "50");
    const int payment = LastId("TbFTransaction") - 1;
    const int bank = AddAccount(QStringLiteral("工行"));
    TFundRecords::TTransferFields transfer;
    transfer.day = QStringLiteral("2024-06-15");
    transfer.otherAccountId = bank;
    transfer.sum = QStringLiteral("20");
    ASSERT_TRUE(TFundRecords(TAccount::CashBoxId).SaveTransfer(-1, transfer).Ok());
    dm_->ExecSql(QStringLiteral("INSERT INTO TbRentCd (Code,Name,Spell,Day,Alias1,Alias2,CId,FId,"
                                "Status,Director,Player,[Number],Price,Power,Memo) VALUES (\"D1\","
                                "\"片\",\"\",#2024-01-01#,\"\",\"\",1,1,2,\"\",\"\",1,20,1,\"\")"));
    dm_->ExecSql(QStringLiteral("INSERT INTO TbRTransaction (Sn,Day1,Day2,AId,CId1,CId2,FId,"
                                "Deposit,Rent) VALUES (1,#2024-06-10#,#2024-06-10#,%1,%2,2,0,0,0)")
                     .arg(member)
                     .arg(LastId("TbRentCd")));

    TMemberRecords::TRecordFields record;
    record.day = QStringLiteral("2024-06-15");
    record.categoryId = 11;
    record.sum = QStringLiteral("15");
    TMemberStore::TOpeningFields opening;
    opening.code = QStringLiteral("M2");
    opening.name = QStringLiteral("李四");
    opening.typeId = type;
    opening.sum = QStringLiteral("30");
    opening.deposit = QStringLiteral("10");
    TMemberStore::TCorrectionFields correction;
    correction.code = QStringLiteral("M1");
    correction.name = QStringLiteral("改名");
    correction.typeId = type;
    TFundRecords::TMovementFields income;
    income.day = QStringLiteral("2024-06-15");
    income.categoryId = 26;
    income.sum = QStringLiteral("5");

    struct Case {
        const char* name;
        const char* action; // the statement made to fail
        const char* table;
        std::function<void()> run;
    };
    TMemberStore store(cashier_);
    const Case cases[] = {
        // The member and both opening movements are in when the member's update fails.
        {"new member", "UPDATE", "TbAssociator", [&] { store.AddMember(opening); }},
        {"edit member", "UPDATE", "TbAssociator", [&] { store.EditMember(member, correction); }},
        // The member's quota is written before the record.
        {"edit record", "UPDATE", "TbFTransaction",
         [&] { TMemberRecords(member).SaveRecord(payment, record); }},
        {"add record", "INSERT", "TbFTransaction",
         [&] { TMemberRecords(member).SaveRecord(-1, record); }},
        {"delete record", "DELETE", "TbFTransaction",
         [&] { TMemberRecords(member).DeleteRecord(payment); }},
        // Titles back in stock, lines and movements gone before the member row fails.
        {"delete member", "DELETE", "TbAssociator", [&] { store.DeleteMember(member); }},
        {"delete account", "DELETE", "TbAccount", [&] { TAccountStore::DeleteAccount(bank); }},
        {"income", "INSERT", "TbFTransaction",
         [&] { TFundRecords(TAccount::CashBoxId).SaveMovement(-1, income); }},
        {"transfer", "INSERT", "TbFTransaction",
         [&] { TFundRecords(TAccount::CashBoxId).SaveTransfer(-1, transfer); }},
    };
    for (const Case& c : cases) {
        const QString before = Dump();
        FailOn(c.action, c.table);
        EXPECT_THROW(c.run(), EOleException) << c.name;
        EXPECT_EQ(Dump(), before) << c.name;
        dm_->ExecSql(QStringLiteral("DROP TRIGGER fail_%1_%2")
                         .arg(QLatin1String(c.action), QLatin1String(c.table)));
    }
    // Without the failure the same operations go through.
    EXPECT_TRUE(TMemberRecords(member).DeleteRecord(payment));
    EXPECT_EQ(Column("TbAssociator", member, "Number"), QStringLiteral("0"));
}

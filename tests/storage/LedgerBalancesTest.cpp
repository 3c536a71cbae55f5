#include "storage/ledger/LedgerBalances.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/OlderLedgers.h"
#include "storage/ledger/UpgradeProgress.h"
#include "storage/records/Account.h"
#include "tests/support/BalanceWatch.h"
#include "tests/support/LedgerFixture.h"

#include <sqlite3.h>

namespace {

constexpr int Bank = 2;
constexpr int Safe = 3;

class BalancesTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        for (const char* name : {"银行", "保险柜"}) {
            dm_->ExecSql(QStringLiteral("INSERT INTO TbAccount (Name,[Max],[Min],[No],Bank,"
                                        "Contact,Telephone,Memo) VALUES (\"%1\",0,0,\"\",\"\","
                                        "\"\",\"\",\"\")")
                             .arg(QString::fromUtf8(name)));
        }
    }

    void Move(int kind, int flag, int aid1, int aid2, const char* sum1, const char* sum2) {
        dm_->ExecSql(QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                                    "AId3,Sum1,Sum2,Memo) VALUES (#2024-06-15#,%1,%2,0,1,%3,%4,0,"
                                    "%5,%6,\"\")")
                         .arg(kind)
                         .arg(flag)
                         .arg(aid1)
                         .arg(aid2)
                         .arg(QLatin1String(sum1), QLatin1String(sum2)));
    }

    static Currency Balance(int id) {
        TAccount account;
        account.Id = id;
        return account.Balance();
    }
    static Currency Counted(int id) {
        TAccount account;
        account.Id = id;
        return account.CountedBalance();
    }
    static Currency Money(const char* text) {
        return Currency::Parse(QString::fromUtf8(text)).value();
    }

    // A connection of another program: plain SQLite, none of the program's
    // SQL functions. Returns the result code of `sql`.
    int Foreign(const QByteArray& sql) {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(ledger_.toUtf8().constData(), &db), SQLITE_OK);
        const int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return rc;
    }

    // Every kind of movement in every shape the balance rule tells apart.
    void WriteEveryShape() {
        Move(2, 0, 1, 0, "30", "0");            // rental out: the deposit
        Move(1, 0, 1, 0, "30", "-8.25");        // settled rental: |rent|
        Move(1, 0, 1, 0, "0", "3");             // settled with rent paid on top
        Move(3, 0, 1, 0, "10", "10");           // cancelled rental: nothing
        Move(7, 0, 1, 0, "-12.5", "0");         // refunded sale: nothing
        Move(6, 0, 1, 0, "25.0001", "0");       // sale
        Move(16, 0, 1, Bank, "-50", "50");      // cash box pays the bank
        Move(16, 0, Bank, 1, "-5", "5");        // the bank pays the cash box
        Move(16, 0, Bank, Safe, "-7", "7");     // between two other accounts
        Move(16, 0, Bank, Bank, "-3", "3");     // an account to itself: Sum1 once
        Move(16, 0, 1, 1, "-4", "4");           // the cash box to itself
        Move(1, 0, Bank, 0, "9", "-2");         // a desk kind on another account
        Move(21, 0, Safe, 0, "-100.1234", "0"); // a stock-in paid from the safe
        Move(11, 1, 9, 1, "-100", "100");       // member payment into the cash box
        Move(12, 1, 9, 1, "20", "-20");         // member refund
        Move(13, 1, 1, 1, "-30", "30");         // member 1: counted once
        Move(11, 1, 1, Bank, "-60", "60");      // member 1, other account: cash box only
        Move(11, 1, 9, Bank, "-70", "70");      // names no account the rule counts
        Move(27, 0, Safe, 0, "-0.0001", "0");   // a user expense
    }
};

TEST_F(BalancesTest, EveryShapeOfMovementKeepsTheCountedBalance) {
    WriteEveryShape();
    EXPECT_EQ(Balance(1), Money("30") + Money("8.25") + Money("3") + Money("25.0001") -
                              Money("50") + Money("5") - Money("4") + Money("100") - Money("20") +
                              Money("30") + Money("60"));
    EXPECT_EQ(Balance(Bank), Money("50") - Money("5") - Money("7") - Money("3") + Money("9"));
    EXPECT_EQ(Balance(Safe), Money("7") - Money("100.1234") - Money("0.0001"));

    // Changing every column the rule reads moves the shares between accounts.
    for (const char* change :
         {"UPDATE TbFTransaction SET AId1=2 WHERE CId1=6",
          "UPDATE TbFTransaction SET CId1=6 "
          "WHERE CId1=3",
          "UPDATE TbFTransaction SET Flag=0 WHERE CId1=13",
          "UPDATE TbFTransaction SET AId2=3 "
          "WHERE CId1=16 AND AId2=2",
          "UPDATE TbFTransaction SET Sum1=Sum1*3,Sum2=-Sum2", "UPDATE TbFTransaction SET Id=Id+100",
          "DELETE FROM TbFTransaction WHERE CId1=1", "DELETE FROM TbFTransaction"}) {
        dm_->ExecSql(QString::fromLatin1(change)); // the watch compares after each commit
        EXPECT_EQ(Balance(1), Counted(1)) << change;
    }
    EXPECT_EQ(Balance(1), Currency());
    EXPECT_EQ(Balance(Bank), Currency());
}

TEST_F(BalancesTest, BalanceReadsTheKeptTotalWhileItIsTrusted) {
    Move(6, 0, 1, 0, "25", "0");
    ASSERT_TRUE(LedgerBalances::Trusted(*dm_));
    // Written behind the triggers' back without a schema change: it is read as kept.
    ASSERT_EQ(Foreign("UPDATE TbBalance SET Total=10000 WHERE AId=1"), SQLITE_OK);
    EXPECT_EQ(Balance(1), Money("1"));
    // A schema change (here an index) takes the trust away: it is counted again,
    // and the next open recounts it.
    ASSERT_EQ(Foreign("CREATE INDEX IX_Memo ON TbFTransaction (Memo)"), SQLITE_OK);
    EXPECT_FALSE(LedgerBalances::Trusted(*dm_));
    EXPECT_EQ(Balance(1), Money("25"));
    EXPECT_TRUE(LedgerBalances::Ensure(*dm_));
    EXPECT_TRUE(LedgerBalances::Trusted(*dm_));
    EXPECT_FALSE(LedgerBalances::Ensure(*dm_));
    EXPECT_EQ(Balance(1), Money("25"));
    BalanceWatch::ExpectKept(dm_->DbBase);
}

TEST_F(BalancesTest, OtherProgramsKeepTheBalancesWithPlainSqlite) {
    WriteEveryShape();
    ASSERT_EQ(Foreign("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,"
                      "Sum2,Memo) VALUES (45458,16,0,0,1,2,1,0,-12.3456,12.3456,'')"),
              SQLITE_OK)
        << "the triggers need none of the program's own SQL functions";
    ASSERT_EQ(Foreign("UPDATE TbFTransaction SET Sum1=Sum1+1 WHERE Flag=1"), SQLITE_OK);
    ASSERT_EQ(Foreign("DELETE FROM TbFTransaction WHERE CId1=16 AND AId1=AId2"), SQLITE_OK);
    ASSERT_EQ(Foreign("BEGIN; DELETE FROM TbFTransaction; ROLLBACK;"), SQLITE_OK);
    BalanceWatch::ExpectKept(dm_->DbBase);
    EXPECT_TRUE(LedgerBalances::Trusted(*dm_));

    // Writing a movement over another one's Id would remove it unseen: refused.
    const QString before = Value(QStringLiteral("SELECT Sum(Total) AS V FROM TbBalance"));
    EXPECT_EQ(Foreign("INSERT OR REPLACE INTO TbFTransaction (Id,Day,CId1,Flag,CId2,CId3,AId1,"
                      "AId2,AId3,Sum1,Sum2,Memo) VALUES (1,45458,6,0,0,1,1,0,0,999,0,'')"),
              SQLITE_CONSTRAINT);
    EXPECT_EQ(Foreign("UPDATE OR REPLACE TbFTransaction SET Id=1 WHERE Id=2"), SQLITE_CONSTRAINT);
    EXPECT_EQ(Value(QStringLiteral("SELECT Sum(Total) AS V FROM TbBalance")), before);
    BalanceWatch::ExpectKept(dm_->DbBase);
}

TEST_F(BalancesTest, TriggersDroppedAndRestoredOutsideAreFoundOut) {
    Move(6, 0, 1, 0, "25", "0");
    // A tool that rebuilds the table: the triggers are gone while it writes.
    ASSERT_EQ(Foreign("BEGIN; DROP TRIGGER TbBalance_Insert; INSERT INTO TbFTransaction (Day,CId1,"
                      "Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,Memo) VALUES (45458,6,0,0,1,1,0,0,"
                      "40,0,''); COMMIT;"),
              SQLITE_OK);
    for (const QString& statement : LedgerBalances::CreateStatements()) {
        if (statement.contains(QLatin1String("TbBalance_Insert "))) {
            ASSERT_EQ(Foreign(dm_->DbBase.Translate(statement).statements.front().toUtf8()),
                      SQLITE_OK);
        }
    }
    EXPECT_FALSE(LedgerBalances::Trusted(*dm_));
    EXPECT_EQ(Balance(1), Money("65"));
    EXPECT_TRUE(LedgerBalances::Ensure(*dm_));
    EXPECT_EQ(Value(QStringLiteral("SELECT Total AS V FROM TbBalance WHERE AId=1")),
              QStringLiteral("650000"));
}

TEST_F(BalancesTest, LedgersOfOlderBuildsGetTheirBalancesOnOpen) {
    // A ledger of an earlier build of ours: the current layout without them.
    WriteEveryShape();
    for (const QString& statement : LedgerBalances::DropStatements()) {
        dm_->ExecSql(statement);
    }
    Move(6, 0, Bank, 0, "5", "0");
    EXPECT_FALSE(LedgerBalances::Trusted(*dm_));
    const Currency counted = Counted(1);
    EXPECT_EQ(Balance(1), counted);
    TUpgradeProgress progress;
    LedgerUpgrade::UpgradeLedger(*dm_, progress);
    EXPECT_TRUE(LedgerBalances::Trusted(*dm_));
    EXPECT_EQ(Balance(1), counted);
    BalanceWatch::ExpectKept(dm_->DbBase);

    // A ledger of the oldest build, with its rental history.
    const QString old = Path(QStringLiteral("old.mdb"));
    OlderLedgers::Write(old, LedgerUpgrade::Builds().front());
    dm_->DbBase.Close();
    dm_->DbBase.SetDatabaseName(old);
    dm_->DbBase.Open();
    EXPECT_EQ(Count(QStringLiteral("sqlite_master"), QStringLiteral("name LIKE \"TbBalance*\"")),
              0);
    LedgerUpgrade::UpgradeLedger(*dm_, progress);
    EXPECT_TRUE(LedgerBalances::Trusted(*dm_));
    EXPECT_GT(Count(QStringLiteral("TbBalance")), 0);
    BalanceWatch::ExpectKept(dm_->DbBase);
}

TEST_F(BalancesTest, ALedgerOpenedForReadingIsCountedAndLeftAsItIs) {
    Move(6, 0, 1, 0, "25", "0");
    ASSERT_EQ(Foreign("CREATE INDEX IX_Memo ON TbFTransaction (Memo)"), SQLITE_OK);
    dm_->DbBase.Close();
    dm_->DbBase.SetReadOnly(true);
    dm_->DbBase.Open();
    EXPECT_FALSE(LedgerBalances::Ensure(*dm_));
    EXPECT_FALSE(LedgerBalances::Trusted(*dm_));
    EXPECT_EQ(Balance(1), Money("25"));
}

} // namespace

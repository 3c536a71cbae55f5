#include "tests/support/VintorctlRun.h"

#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

namespace {

int Exec(const QString& ledger, const char* sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(ledger.toUtf8().constData(), &db), SQLITE_OK);
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc;
}

} // namespace

TEST(BalancesCommand, ComparesKeptBalancesWithTheMovementsAndRecountsThem) {
    QTemporaryDir dir;
    const QString ledger = dir.filePath(QStringLiteral("shop.mdb"));
    ASSERT_EQ(RunVintorctl({QStringLiteral("example"), ledger}, {}, dir.path()).rc, 0);

    TRun run = RunVintorctl({QStringLiteral("balances"), ledger}, {}, dir.path());
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("保存的余额可以直接使用。\n所有账户的余额一致。\n"));

    ASSERT_EQ(Exec(ledger, "UPDATE TbBalance SET Total=Total+1 WHERE AId=1"), SQLITE_OK);
    run = RunVintorctl({QStringLiteral("balances"), ledger}, {}, dir.path());
    EXPECT_EQ(run.rc, 1);
    EXPECT_TRUE(run.out.contains(QStringLiteral("账户 1: 保存的余额 "))) << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("有账户的余额不一致。\n")));

    ASSERT_EQ(Exec(ledger, "DROP TRIGGER TbBalance_Delete"), SQLITE_OK);
    run = RunVintorctl({QStringLiteral("balances"), ledger, QStringLiteral("--rebuild")}, {},
                       dir.path());
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("已重新计算所有账户的余额。\n保存的余额可以直接使用。\n"
                                      "所有账户的余额一致。\n"));
    ASSERT_EQ(Exec(ledger, "DELETE FROM TbFTransaction WHERE Id=1"), SQLITE_OK);
    EXPECT_EQ(RunVintorctl({QStringLiteral("balances"), ledger}, {}, dir.path()).rc, 0)
        << "the delete trigger is back";

    EXPECT_EQ(RunVintorctl({QStringLiteral("balances")}, {}, dir.path()).rc, 2);
}

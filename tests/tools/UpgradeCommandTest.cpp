#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

#include "tests/support/VintorctlRun.h"

#include <gtest/gtest.h>

namespace {

class UpgradeCommand : public ::testing::Test {
protected:
    TRun Vintorctl(const QStringList& args, const QByteArray& input = QByteArray()) {
        return RunVintorctl(args, input, dir_.path());
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(UpgradeCommand, UpgradesAnOlderLedgerAndNamesTheBuildsBeforeAndAfter) {
    const QString ledger = Path(QStringLiteral("old.mdb"));
    TRun run = Vintorctl(
        {QStringLiteral("create"), ledger, QStringLiteral("--build"), QStringLiteral("Build2.03")});
    ASSERT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, ledger + u'\n');

    run = Vintorctl({QStringLiteral("upgrade"), ledger});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Build2.03 -> Build2.06\n"));

    run = Vintorctl({QStringLiteral("upgrade"), ledger});
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(run.out, QStringLiteral("Build2.06 -> Build2.06\n"));
}

TEST_F(UpgradeCommand, CreateWithoutBuildStillMakesABlankLedger) {
    const QString ledger = Path(QStringLiteral("new.mdb"));
    TRun run = Vintorctl({QStringLiteral("create"), ledger});
    ASSERT_EQ(run.rc, 0) << run.err.toStdString();
    run = Vintorctl({QStringLiteral("sql"), ledger},
                    "SELECT Version FROM TbVersion\nSELECT Count(*) AS N FROM TbAssociator\n");
    EXPECT_EQ(run.out, QStringLiteral("Version\nBuild2.06\nN\n0\n"));
}

TEST_F(UpgradeCommand, RefusesAnUnknownBuildAndSaysWhenALedgerCannotBeUpgraded) {
    const QString ledger = Path(QStringLiteral("old.mdb"));
    TRun run = Vintorctl(
        {QStringLiteral("create"), ledger, QStringLiteral("--build"), QStringLiteral("Build1.00")});
    EXPECT_EQ(run.rc, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Build2.00|Build2.01"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(ledger));

    run = Vintorctl({QStringLiteral("upgrade"), ledger});
    EXPECT_EQ(run.rc, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(ledger)) << run.err.toStdString();

    ASSERT_EQ(Vintorctl({QStringLiteral("create"), ledger}).rc, 0);
    Vintorctl({QStringLiteral("sql"), ledger}, "UPDATE TbVersion SET Version=\"Build9\"\n");
    run = Vintorctl({QStringLiteral("upgrade"), ledger});
    EXPECT_EQ(run.rc, 1);
    EXPECT_EQ(run.out, QStringLiteral("Build9 -> Build9\n"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("Build9"))) << run.err.toStdString();
}

TEST_F(UpgradeCommand, AFailedUpgradeSaysSoAndNamesTheBuildTheLedgerStaysAt) {
    const QString ledger = Path(QStringLiteral("old.mdb"));
    ASSERT_EQ(Vintorctl({QStringLiteral("create"), ledger, QStringLiteral("--build"),
                         QStringLiteral("Build2.04")})
                  .rc,
              0);
    // Step 6 fails when it writes its build: step 5 stays done.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(ledger.toUtf8().constData(), &db), SQLITE_OK);
    const int rc = sqlite3_exec(db,
                                "CREATE TRIGGER Failing BEFORE UPDATE OF Version ON TbVersion "
                                "WHEN new.Version='Build2.06' BEGIN "
                                "SELECT RAISE(ABORT,'injected failure'); END",
                                nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK);

    const TRun run = Vintorctl({QStringLiteral("upgrade"), ledger});
    EXPECT_EQ(run.rc, 1);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("injected failure"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("账本仍是 Build2.05"))) << run.err.toStdString();
}

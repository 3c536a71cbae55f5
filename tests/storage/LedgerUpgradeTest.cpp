#include "storage/ledger/LedgerUpgrade.h"
#include "storage/Pinyin.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerSchema.h"
#include "storage/ledger/OlderLedgers.h"
#include "storage/ledger/UpgradeProgress.h"
#include "tests/support/LedgerFixture.h"

#include <QMap>

#include <sqlite3.h>

#include <gtest/gtest.h>

namespace {

class TRecordingProgress : public TUpgradeProgress {
public:
    void Show() override { ++shown; }
    void Close() override { ++closed; }
    int shown = 0;
    int closed = 0;
};

// Every row of a statement run directly on the connection, values as text.
QList<QStringList> Rows(sqlite3* db, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr), SQLITE_OK)
        << sql.toStdString() << ": " << sqlite3_errmsg(db);
    QList<QStringList> rows;
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
            row.append(text ? QString::fromUtf8(text) : QStringLiteral("<null>"));
        }
        rows.append(row);
    }
    sqlite3_finalize(statement);
    return rows;
}

QStringList Joined(const QList<QStringList>& rows) {
    QStringList lines;
    for (const QStringList& row : rows) {
        lines.append(row.join(u'|'));
    }
    return lines;
}

// Tables with their columns (name, declared type, NOT NULL, default, key) and
// indexes with their columns, one line each; the order of columns aside.
QStringList Layout(sqlite3* db) {
    QStringList layout;
    for (const QStringList& t :
         Rows(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'"))) {
        QStringList columns = Joined(Rows(db, QStringLiteral("SELECT name,type,\"notnull\","
                                                             "dflt_value,pk FROM "
                                                             "pragma_table_info('%1')")
                                                  .arg(t[0])));
        columns.sort();
        layout.append(QStringLiteral("table %1: %2").arg(t[0], columns.join(QLatin1String(", "))));
    }
    for (const QStringList& i :
         Rows(db, QStringLiteral("SELECT name,tbl_name FROM sqlite_master WHERE type='index'"))) {
        const QStringList columns =
            Joined(Rows(db, QStringLiteral("SELECT name FROM pragma_index_info('%1')").arg(i[0])));
        layout.append(QStringLiteral("index %1 on %2: %3").arg(i[0], i[1], columns.join(u',')));
    }
    layout.sort();
    return layout;
}

// The whole ledger: its schema as written and every row of every table.
QStringList Snapshot(sqlite3* db) {
    QStringList all = Joined(Rows(db, QStringLiteral("SELECT type,name,sql FROM sqlite_master "
                                                     "ORDER BY type,name")));
    for (const QStringList& t : Rows(db, QStringLiteral("SELECT name FROM sqlite_master WHERE "
                                                        "type='table' ORDER BY name"))) {
        all.append(t[0]);
        all += Joined(Rows(db, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(t[0])));
    }
    return all;
}

// The lines only one of two snapshots holds, for a short failure message.
QStringList Difference(const QStringList& before, const QStringList& after) {
    QStringList lines;
    for (const QString& line : before) {
        if (!after.contains(line)) {
            lines.append(QStringLiteral("- ") + line);
        }
    }
    for (const QString& line : after) {
        if (!before.contains(line)) {
            lines.append(QStringLiteral("+ ") + line);
        }
    }
    return lines;
}

} // namespace

class LedgerUpgradeTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        qputenv("VINTOR_HOME", dir_.path().toUtf8()); // the template of the example ledger
        current_ = Layout(Db());
    }
    void TearDown() override {
        qunsetenv("VINTOR_HOME");
        LedgerTest::TearDown();
    }

    sqlite3* Db() {
        dm_->DbBase.CompletePendingReads();
        return dm_->DbBase.Handle();
    }
    // Switches the test's data module to a ledger file.
    void Reopen(const QString& path) {
        dm_.reset();
        dm_ = std::make_unique<TDM>();
        dm_->DbBase.SetDatabaseName(path);
        dm_->DbBase.Open();
    }
    QString OpenOlder(const QString& build) {
        const QString path = Path(build + QStringLiteral(".mdb"));
        OlderLedgers::Write(path, build);
        Reopen(path);
        return path;
    }
    void Upgrade() {
        TUpgradeProgress progress;
        LedgerUpgrade::UpgradeLedger(*dm_, progress);
    }
    QString Build() { return LedgerUpgrade::LedgerBuild(*dm_); }
    QList<QStringList> Select(const QString& sql) { return Rows(Db(), sql); }

    QStringList current_; // the layout of a new ledger
};

TEST_F(LedgerUpgradeTest, EveryOlderBuildEndsInTheLayoutOfANewLedger) {
    const QStringList& builds = LedgerUpgrade::Builds();
    ASSERT_EQ(builds.size(), 7);
    ASSERT_EQ(builds.last(), LedgerSchema::CurrentBuild);
    for (int i = 0; i + 1 < builds.size(); ++i) {
        SCOPED_TRACE(builds[i].toStdString());
        OpenOlder(builds[i]);
        EXPECT_EQ(Build(), builds[i]);
        EXPECT_NE(Layout(Db()), current_);
        TRecordingProgress progress;
        LedgerUpgrade::UpgradeLedger(*dm_, progress);
        EXPECT_EQ(Build(), LedgerSchema::CurrentBuild);
        EXPECT_EQ(Difference(current_, Layout(Db())), QStringList());
        EXPECT_EQ(progress.shown, 6 - i); // one step per build left behind
        EXPECT_EQ(progress.closed, 1);
    }
}

TEST_F(LedgerUpgradeTest, SystemCategoriesGetTheirNamesAndClasses) {
    OpenOlder(QStringLiteral("Build2.00"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Flag AS V FROM TbCategory WHERE Id=17")), "0");
    Upgrade();
    for (const auto& c : LedgerSchema::SystemCategories()) {
        if (QList<int>{3, 7, 12, 13, 16, 17, 18}.contains(c.id)) {
            EXPECT_EQ(
                Select(
                    QStringLiteral("SELECT Name,Spell,Flag FROM TbCategory WHERE Id=%1").arg(c.id)),
                (QList<QStringList>{{QString::fromUtf8(c.name), QString::fromUtf8(c.spell),
                                     QString::number(c.flag)}}))
                << c.id;
        }
    }
}

TEST_F(LedgerUpgradeTest, MovementsCarryTheMemberOfTheirRentalLinesOrPayment) {
    OpenOlder(QStringLiteral("Build2.01"));
    QMap<QString, QString> renterOfFund;
    for (const QStringList& l : Select(QStringLiteral("SELECT FId,AId FROM TbRTransaction"))) {
        renterOfFund.insert(l[0], l[1]);
    }
    QMap<QString, QString> expected;
    for (const QStringList& f : Select(QStringLiteral("SELECT Id,CId1,AId1 FROM TbFTransaction"))) {
        expected.insert(f[0], f[1] == "11" ? f[2] : renterOfFund.value(f[0], QStringLiteral("0")));
    }
    ASSERT_TRUE(renterOfFund.values().contains("0")); // walk-in rentals
    ASSERT_GT(expected.size() - expected.values().count(QStringLiteral("0")), 3);
    Upgrade();
    QMap<QString, QString> actual;
    for (const QStringList& f : Select(QStringLiteral("SELECT Id,AId3 FROM TbFTransaction"))) {
        actual.insert(f[0], f[1]);
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(LedgerUpgradeTest, RentDaysPenaltyCodesAndPrinterSettingsCarryOver) {
    OpenOlder(QStringLiteral("Build2.03"));
    const auto days = Select(QStringLiteral("SELECT Id,Day,Day FROM TbRTransaction ORDER BY Id"));
    const auto penalties = Select(QStringLiteral("SELECT Id,Punish+1 FROM TbAtorType ORDER BY Id"));
    ASSERT_EQ(Select(QStringLiteral("SELECT DISTINCT Punish FROM TbAtorType ORDER BY 1")),
              (QList<QStringList>{{"0"}, {"1"}, {"2"}}));
    const auto printer = Select(QStringLiteral("SELECT OnOff,Port,Com,Speed,Lpt FROM TbPrinter"));
    ASSERT_EQ(printer, (QList<QStringList>{{"1", "0", "COM2", "4800", "LPT2"}}));
    ASSERT_FALSE(days.isEmpty());
    Upgrade();
    EXPECT_EQ(Select(QStringLiteral("SELECT Id,Day1,Day2 FROM TbRTransaction ORDER BY Id")), days);
    EXPECT_EQ(Select(QStringLiteral("SELECT Id,Punish FROM TbAtorType ORDER BY Id")), penalties);
    EXPECT_EQ(Select(QStringLiteral("SELECT ID,OnOff,Port,Com,Speed,Lpt,CashBox FROM TbPrinter")),
              (QList<QStringList>{{"1", "1", "0", "COM2", "4800", "LPT2", "0"}}));
}

TEST_F(LedgerUpgradeTest, LedgersWithoutPrinterTableOrWithTheMisspeltOneGetTheDefaultRow) {
    const QList<QStringList> defaults{{"1", "0", "1", "COM1", "9600", "LPT1", "0"}};
    OpenOlder(QStringLiteral("Build2.02"));
    Upgrade();
    EXPECT_EQ(Select(QStringLiteral("SELECT * FROM TbPrinter")), defaults);
    EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) AS V FROM TbAtorType WHERE Punish<>1")), "0");

    OpenOlder(QStringLiteral("Build2.03"));
    ASSERT_EQ(
        sqlite3_exec(Db(), "ALTER TABLE TbPrinter RENAME TO TbPinter", nullptr, nullptr, nullptr),
        SQLITE_OK);
    dm_->DbBase.SchemaChanged();
    Upgrade();
    EXPECT_EQ(Select(QStringLiteral("SELECT * FROM TbPrinter")), defaults);
    EXPECT_EQ(Difference(current_, Layout(Db())), QStringList());
}

TEST_F(LedgerUpgradeTest, OperatorsGetTheFlagsOfTheirRoleAndCountsKeepTheirValue) {
    OpenOlder(QStringLiteral("Build2.04"));
    // New flag n takes the old role column RoleColumn[n - 1].
    const int RoleColumn[] = {1, 9, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 4, 5, 6, 7, 8};
    QStringList roleColumns;
    for (int column : RoleColumn) {
        roleColumns.append(QStringLiteral("Ifnull(B.Op%1,0)").arg(column));
    }
    const auto expected = Select(QStringLiteral("SELECT A.Id,%1 FROM TbOperator AS A LEFT JOIN "
                                                "TbPower AS B ON B.Id=A.PId ORDER BY A.Id")
                                     .arg(roleColumns.join(u',')));
    ASSERT_EQ(expected.size(), 3);
    EXPECT_EQ(expected[0], QStringList(24, QStringLiteral("1")));        // the administrator
    EXPECT_EQ(expected[2].mid(1), QStringList(23, QStringLiteral("0"))); // its role is missing
    const auto counts = Select(QStringLiteral(
        "SELECT (SELECT group_concat(Number) FROM TbAssociator),(SELECT group_concat(Power) FROM "
        "TbRentCd),(SELECT group_concat(Number1||'/'||Number2) FROM TbFee)"));
    Upgrade();
    QStringList flags;
    for (int n = 1; n <= LedgerSchema::OperatorFlagCount; ++n) {
        flags.append(QStringLiteral("Op%1").arg(n));
    }
    auto actual =
        Select(QStringLiteral("SELECT Id,%1 FROM TbOperator ORDER BY Id").arg(flags.join(u',')));
    for (QStringList& row : actual) {
        EXPECT_EQ(row.mid(24), QStringList(27, QStringLiteral("0")));
        row = row.mid(0, 24);
    }
    EXPECT_EQ(actual, expected);
    // Whole counts read the same as money.
    auto asWhole = Select(QStringLiteral(
        "SELECT (SELECT group_concat(CAST(Number AS INTEGER)) FROM TbAssociator),(SELECT "
        "group_concat(CAST(Power AS INTEGER)) FROM TbRentCd),(SELECT group_concat(CAST(Number1 AS "
        "INTEGER)||'/'||CAST(Number2 AS INTEGER)) FROM TbFee)"));
    EXPECT_EQ(asWhole, counts);
    EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) AS V FROM TbAssociator WHERE Deposit<>0")),
              "0");
}

TEST_F(LedgerUpgradeTest, ActorsGetTheirInitialsCutToTheColumn) {
    OpenOlder(QStringLiteral("Build2.05"));
    QList<QStringList> expected;
    for (const QStringList& p :
         Select(QStringLiteral("SELECT Id,Name FROM TbPlayer ORDER BY Id"))) {
        expected.append({p[0], PinyinInitials(p[1]).left(20)});
    }
    ASSERT_TRUE(std::any_of(expected.cbegin(), expected.cend(),
                            [](const QStringList& p) { return p[1].size() == 20; }));
    Upgrade();
    EXPECT_EQ(Select(QStringLiteral("SELECT Id,Spell FROM TbPlayer ORDER BY Id")), expected);
    EXPECT_EQ(Value(QStringLiteral("SELECT Spell AS V FROM TbPlayer WHERE Id=1")), "ZXC");
}

TEST_F(LedgerUpgradeTest, CurrentOrUnknownBuildsAreLeftAlone) {
    TRecordingProgress progress;
    const QStringList blank = Snapshot(Db());
    LedgerUpgrade::UpgradeLedger(*dm_, progress);
    EXPECT_EQ(Difference(blank, Snapshot(Db())), QStringList());

    OpenOlder(QStringLiteral("Build2.03"));
    for (const char* build : {"", "Build1.99", "build2.03", "Build2.07"}) {
        dm_->ExecSql(QStringLiteral("UPDATE TbVersion SET Version=\"%1\"").arg(build));
        const QStringList before = Snapshot(Db());
        LedgerUpgrade::UpgradeLedger(*dm_, progress);
        EXPECT_EQ(Difference(before, Snapshot(Db())), QStringList()) << build;
    }
    EXPECT_EQ(progress.shown, 0);
    EXPECT_EQ(progress.closed, 0);
}

TEST_F(LedgerUpgradeTest, AFailingStepLeavesTheBuildBeforeItWholeAndRunsAgainCleanly) {
    const QStringList& builds = LedgerUpgrade::Builds();
    for (int i = 0; i + 1 < builds.size(); ++i) {
        SCOPED_TRACE(builds[i].toStdString());
        const QString path = OpenOlder(builds[i]);
        // The step fails at its last statement, when all its other changes are made.
        ASSERT_EQ(sqlite3_exec(Db(),
                               "CREATE TRIGGER Failing BEFORE UPDATE ON TbVersion BEGIN "
                               "SELECT RAISE(ABORT,'injected failure'); END",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        const QStringList before = Snapshot(Db());
        TRecordingProgress progress;
        EXPECT_THROW(LedgerUpgrade::UpgradeLedger(*dm_, progress), EVintorError);
        EXPECT_EQ(Difference(before, Snapshot(Db())), QStringList());
        EXPECT_EQ(progress.shown, 1);
        EXPECT_EQ(progress.closed, 1);
        EXPECT_EQ(Build(), builds[i]);
        // The connection forgets the columns the rolled-back step had added.
        EXPECT_EQ(dm_->DbBase.Catalog().KindOf(QStringLiteral("TbFTransaction"),
                                               QStringLiteral("AId3")) == TColumnKind::Unknown,
                  i <= 1);
        ASSERT_EQ(sqlite3_exec(Db(), "DROP TRIGGER Failing", nullptr, nullptr, nullptr), SQLITE_OK);

        // The next open runs the step again, as does the same connection.
        if (i % 2 == 0) {
            Reopen(path);
        }
        Upgrade();
        EXPECT_EQ(Build(), LedgerSchema::CurrentBuild);
        EXPECT_EQ(Difference(current_, Layout(Db())), QStringList());
    }
}

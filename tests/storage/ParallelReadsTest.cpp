#include "storage/dao/ParallelReads.h"
#include "storage/dao/DAODatabase.h"
#include "storage/dao/Format.h"
#include "tests/support/LedgerFixture.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace {

using ParallelReads::TFirstRow;

class ParallelReadsTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        for (int id = 1; id <= 40; ++id) {
            dm_->ExecSql(
                Format("INSERT INTO TbBank (Id,Name,Memo) VALUES (%d,\"银行%d\",\"\")", {id, id}));
        }
    }
    TDAODatabase& Db() { return dm_->DbBase; }

    // Statements of every kind of value, a statement giving no row and one the
    // engine refuses, many times over so that every worker takes some.
    static QStringList Statements() {
        QStringList statements;
        for (int round = 0; round < 6; ++round) {
            statements << Format("SELECT COUNT(*) AS N, SUM(Id)/4 AS Q, \"第%d轮\" AS T, "
                                 "MAX(Memo) AS M FROM TbBank WHERE Id>%d",
                                 {round, round})
                       << QStringLiteral("SELECT Name FROM TbBank WHERE Id>1000")
                       << QStringLiteral("SELECT Name FROM TbNoSuchTable");
        }
        return statements;
    }
};

TEST_F(ParallelReadsTest, EveryStatementGivesItsOwnFirstRowOrError) {
    const QStringList statements = Statements();
    const QList<TFirstRow> one = ParallelReads::FirstRows(Db(), statements, 1);
    const QList<TFirstRow> many = ParallelReads::FirstRows(Db(), statements, 4);
    ASSERT_EQ(one.size(), statements.size());
    ASSERT_EQ(many.size(), statements.size());
    for (int i = 0; i < statements.size(); ++i) {
        SCOPED_TRACE(statements[i].toStdString());
        EXPECT_EQ(many[i].values, one[i].values);
        EXPECT_EQ(many[i].error.has_value(), one[i].error.has_value());
        switch (i % 3) {
        case 0: {
            const int round = i / 3;
            ASSERT_EQ(one[i].values.size(), 4);
            EXPECT_EQ(one[i].values[0], QVariant(qint64(40 - round)));
            EXPECT_DOUBLE_EQ(one[i].values[1].toDouble(),
                             (40 * 41 / 2 - round * (round + 1) / 2) / 4.0);
            EXPECT_EQ(one[i].values[2], QVariant(QStringLiteral("第%1轮").arg(round)));
            EXPECT_EQ(one[i].values[3], QVariant(QString()));
            EXPECT_FALSE(one[i].error);
            break;
        }
        case 1:
            EXPECT_TRUE(one[i].values.isEmpty());
            EXPECT_FALSE(one[i].error);
            break;
        default:
            ASSERT_TRUE(many[i].error);
            EXPECT_TRUE(many[i].error->Message().contains(QStringLiteral("TbNoSuchTable")))
                << many[i].error->Message().toStdString();
            EXPECT_EQ(many[i].error->Message(), one[i].error->Message());
        }
    }
}

TEST_F(ParallelReadsTest, ActionsAndUntranslatableTextAreRefusedWithoutRunning) {
    const QList<TFirstRow> rows =
        ParallelReads::FirstRows(Db(),
                                 {QStringLiteral("DELETE * FROM TbBank"),
                                  QStringLiteral("SELECT Id FROM TbBank WHERE Day=#2024-13-45#"),
                                  QStringLiteral("SELECT COUNT(*) AS N FROM TbBank")},
                                 4);
    EXPECT_TRUE(rows[0].error);
    EXPECT_TRUE(rows[1].error);
    EXPECT_EQ(rows[2].values, QList<QVariant>{QVariant(qint64(40))});
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 40);
}

// Another connection would not see what the ledger's connection has not
// committed yet; inside a transaction everything is read on that connection.
TEST_F(ParallelReadsTest, ReadsInsideATransactionSeeItsChanges) {
    Db().BeginTransaction();
    dm_->ExecSql(QStringLiteral("DELETE * FROM TbBank WHERE Id>10"));
    EXPECT_EQ(Db().OpenReader(), nullptr);
    QStringList statements;
    for (int i = 0; i < 8; ++i) {
        statements << QStringLiteral("SELECT COUNT(*) AS N FROM TbBank");
    }
    for (const TFirstRow& row : ParallelReads::FirstRows(Db(), statements, 4)) {
        EXPECT_EQ(row.values, QList<QVariant>{QVariant(qint64(10))});
    }
    Db().RollbackTransaction();
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 40);
}

TEST_F(ParallelReadsTest, AReaderOnlyReadsAndSeesWhatIsCommitted) {
    sqlite3* reader = Db().OpenReader();
    ASSERT_NE(reader, nullptr);
    dm_->ExecSql(QStringLiteral("DELETE * FROM TbBank WHERE Id>30"));
    sqlite3_stmt* count = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(reader, "SELECT COUNT(*) FROM TbBank", -1, &count, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(count, 0), 30);
    sqlite3_finalize(count);
    EXPECT_NE(sqlite3_exec(reader, "DELETE FROM TbBank", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(reader);
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 30);
}

// A ledger opened read-only while nobody else has it is read as it stands:
// its readers leave no log files beside it either.
TEST_F(ParallelReadsTest, ReadersOfALedgerReadAsItStandsLeaveNoFiles) {
    Db().Close();
    ASSERT_FALSE(QFileInfo::exists(ledger_ + QStringLiteral("-wal")));
    QFile file(ledger_);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    Db().SetReadOnly(true);
    Db().Open();
    QStringList statements;
    for (int i = 0; i < 8; ++i) {
        statements << QStringLiteral("SELECT COUNT(*) AS N FROM TbBank");
    }
    for (const TFirstRow& row : ParallelReads::FirstRows(Db(), statements, 4)) {
        EXPECT_EQ(row.values, QList<QVariant>{QVariant(qint64(40))});
    }
    EXPECT_FALSE(QFileInfo::exists(ledger_ + QStringLiteral("-wal")));
    EXPECT_FALSE(QFileInfo::exists(ledger_ + QStringLiteral("-shm")));
    Db().Close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

} // namespace

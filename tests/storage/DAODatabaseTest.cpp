#include "storage/dao/DAODatabase.h"
#include "storage/dao/CBQuery.h"
#include "storage/dao/DAOQuery.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerFiles.h"
#include "storage/ledger/LedgerFormat.h"
#include "tests/support/LedgerFixture.h"
#include "tests/support/OtherUser.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
}

// The message of the EOleException that opening `path` with `password` raises.
QString OpenRefusal(const QString& path, const QString& password = LedgerFormat::LedgerPassword) {
    TDAODatabase db;
    db.SetDatabaseName(path);
    db.SetPassword(password);
    try {
        db.Open();
    } catch (const EOleException& e) {
        EXPECT_FALSE(db.Connected());
        return e.Message();
    }
    ADD_FAILURE() << "opened " << path.toStdString();
    return {};
}

class DAODatabaseTest : public LedgerTest {
protected:
    TDAODatabase& Db() { return dm_->DbBase; }
    // Closes the fixture's connection and returns the ledger's bytes.
    QByteArray ClosedLedgerBytes() {
        Db().Close();
        EXPECT_FALSE(QFileInfo::exists(ledger_ + QStringLiteral("-wal")));
        return Bytes(ledger_);
    }
    void ExpectNoSideFiles(const QString& path) {
        EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral("-wal")));
        EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral("-shm")));
        EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral("-journal")));
    }
};

} // namespace

TEST_F(DAODatabaseTest, PropertiesAreRefusedWhileConnected) {
    const std::vector<std::function<void()>> setters = {
        [&] { Db().SetDatabaseName(Path(QStringLiteral("other.mdb"))); },
        [&] { Db().SetPassword(Db().Password()); },
        [&] { Db().SetDAOVersion(TDAOVersion::Dao36); },
        [&] { Db().SetExclusive(true); },
        [&] { Db().SetReadOnly(true); },
        [&] { Db().SetCreateWorkspace(true); },
        [&] {
            Db().SetWorkspace({QStringLiteral("admin"), QStringLiteral("x")});
        },
        [&] { Db().SetSystemDB(QStringLiteral("system.mdw")); },
        [&] { Db().SetAllowZeroLength(true); },
    };
    ASSERT_TRUE(Db().Connected());
    for (const auto& set : setters) {
        try {
            set();
            ADD_FAILURE() << "a property changed while connected";
        } catch (const EDAODatabaseError& e) {
            EXPECT_EQ(e.Message(),
                      QStringLiteral("Cannot perform this operation on an open database"));
        }
    }
    EXPECT_EQ(Db().DatabaseName(), ledger_);
    EXPECT_EQ(Db().DAOVersion(), TDAOVersion::Dao35);
    EXPECT_FALSE(Db().ReadOnly());
    // The same file name may be set again, and the connection stays open.
    EXPECT_NO_THROW(Db().SetDatabaseName(ledger_));
    EXPECT_TRUE(Db().Connected());

    Db().Close();
    for (const auto& set : setters) {
        EXPECT_NO_THROW(set());
    }
    EXPECT_TRUE(Db().ReadOnly());
    EXPECT_EQ(Db().Workspace().UserName, QStringLiteral("admin"));
    EXPECT_EQ(TDAODatabase::Version(), QStringLiteral("2.1"));
}

TEST_F(DAODatabaseTest, OpeningAndClosingTwiceActOnce) {
    Db().Close();
    int connects = 0;
    int disconnects = 0;
    Db().OnConnect = [&] {
        EXPECT_FALSE(Db().Connected()); // called before opening
        ++connects;
    };
    Db().OnDisconnect = [&] {
        EXPECT_TRUE(Db().Connected()); // called before closing
        ++disconnects;
    };
    Db().Open();
    Db().SetConnected(true);
    EXPECT_EQ(connects, 1);
    EXPECT_TRUE(Db().Connected());
    Db().Close();
    Db().Close();
    EXPECT_EQ(disconnects, 1);

    // While loading, opening is only remembered.
    Db().BeginLoading();
    Db().Open();
    EXPECT_FALSE(Db().Connected());
    Db().EndLoading();
    EXPECT_TRUE(Db().Connected());
    EXPECT_EQ(connects, 2);
}

TEST_F(DAODatabaseTest, ClosingClosesEveryAttachedDataset) {
    dm_->OpenSql(QStringLiteral("SELECT * FROM TbCategory"));
    TDAOQuery own(&Db());
    own.SetSQL(QStringLiteral("SELECT * FROM TbCdCategory"));
    own.Open();
    ASSERT_TRUE(dm_->Q1.Active());
    ASSERT_TRUE(own.Active());
    Db().Close();
    EXPECT_FALSE(dm_->Q1.Active());
    EXPECT_FALSE(own.Active());
    // The same statements run again on the reopened connection.
    own.Open();
    EXPECT_TRUE(Db().Connected());
    EXPECT_GT(own.RecordCount(), 0);
}

TEST_F(DAODatabaseTest, ADatasetMayOutliveItsConnection) {
    auto db = std::make_unique<TDAODatabase>();
    db->SetDatabaseName(ledger_);
    db->SetPassword(LedgerFormat::LedgerPassword);
    TDAOQuery query(db.get());
    query.SetSQL(QStringLiteral("SELECT * FROM TbCategory"));
    query.Open();
    db.reset();
    EXPECT_FALSE(query.Active());
    EXPECT_EQ(query.Database(), nullptr);
}

TEST_F(DAODatabaseTest, AWrongPasswordIsRefusedAndTheFileStaysAsItWas) {
    const QByteArray before = ClosedLedgerBytes();
    EXPECT_TRUE(OpenRefusal(ledger_, QStringLiteral("123456")).contains(QStringLiteral("密码")));
    EXPECT_TRUE(OpenRefusal(ledger_, QString()).contains(QStringLiteral("密码")));
    EXPECT_EQ(Bytes(ledger_), before);
    ExpectNoSideFiles(ledger_);
    EXPECT_NO_THROW(Db().Open());
}

TEST_F(DAODatabaseTest, FilesThatAreNoLedgerAreRefusedUntouched) {
    const QString text = Path(QStringLiteral("text.mdb"));
    WriteFile(text, QByteArrayLiteral("这不是账本\nname;value\n"));
    const QString empty = Path(QStringLiteral("empty.mdb"));
    WriteFile(empty, QByteArray());
    const QString foreign = Path(QStringLiteral("foreign.mdb"));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(foreign.toUtf8().constData(), &other), SQLITE_OK);
    sqlite3_exec(other, "CREATE TABLE TbVersion (Version TEXT); INSERT INTO TbVersion VALUES(1)",
                 nullptr, nullptr, nullptr);
    sqlite3_close(other);

    for (const QString& path : {text, empty, foreign}) {
        const QByteArray before = Bytes(path);
        EXPECT_TRUE(OpenRefusal(path).contains(QStringLiteral("不是账本文件")))
            << path.toStdString();
        EXPECT_EQ(Bytes(path), before) << path.toStdString();
        ExpectNoSideFiles(path);
    }
    EXPECT_TRUE(
        OpenRefusal(Path(QStringLiteral("missing.mdb"))).contains(QStringLiteral("找不到")));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("missing.mdb"))));
}

TEST_F(DAODatabaseTest, AReadOnlyConnectionReadsAndRefusesWrites) {
    const QByteArray before = ClosedLedgerBytes();
    Db().SetReadOnly(true);
    Db().Open();
    EXPECT_EQ(Count(QStringLiteral("TbOperator")), 1);
    try {
        dm_->ExecSql(QStringLiteral("UPDATE TbOperator SET Name=\"x\""));
        ADD_FAILURE() << "wrote through a read-only connection";
    } catch (const EOleException& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("只读")));
    }
    Db().Close();
    EXPECT_EQ(Bytes(ledger_), before);
    ExpectNoSideFiles(ledger_);
}

TEST_F(DAODatabaseTest, AReadOnlyFileIsRefusedForWriting) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "file permissions do not bind the superuser";
    }
    const QByteArray before = ClosedLedgerBytes();
    QFile(ledger_).setPermissions(QFile::ReadOwner);
    EXPECT_TRUE(OpenRefusal(ledger_).contains(QStringLiteral("只读")));
    EXPECT_EQ(Bytes(ledger_), before);
    Db().SetReadOnly(true);
    EXPECT_NO_THROW(Db().Open());
}

TEST_F(DAODatabaseTest, AFailureInsideANestedTransactionRollsBackTheWhole) {
    auto insertBank = [&](const char* name) {
        dm_->ExecSql(QStringLiteral("INSERT INTO TbBank (Name,Memo) VALUES (\"%1\",\"\")")
                         .arg(QLatin1String(name)));
    };
    {
        TDM::TTransaction outer(*dm_);
        insertBank("outer");
        {
            TDM::TTransaction inner(*dm_);
            insertBank("inner");
        } // left without Commit: the inner part failed
        insertBank("after");
        EXPECT_THROW(outer.Commit(), EOleException);
    }
    EXPECT_FALSE(Db().InTransaction());
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 0);

    // An exception thrown inside both guards rolls back as well.
    try {
        TDM::TTransaction outer(*dm_);
        insertBank("outer");
        TDM::TTransaction inner(*dm_);
        insertBank("inner");
        dm_->ExecSql(QStringLiteral("INSERT INTO TbNoSuchTable (Name) VALUES (1)"));
        ADD_FAILURE() << "the bad statement ran";
    } catch (const EOleException&) {
    }
    EXPECT_FALSE(Db().InTransaction());
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 0);

    // Nested guards that all commit land together.
    {
        TDM::TTransaction outer(*dm_);
        insertBank("outer");
        TDM::TTransaction inner(*dm_);
        insertBank("inner");
        inner.Commit();
        EXPECT_TRUE(Db().InTransaction());
        outer.Commit();
    }
    EXPECT_FALSE(Db().InTransaction());
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 2);
}

TEST_F(DAODatabaseTest, CachedStatementsSeeSchemaChanges) {
    const QString select = QStringLiteral("SELECT * FROM TbBank");
    auto columns = [&] {
        dm_->OpenSql(select);
        const QStringList names = dm_->Q1.FieldNames();
        dm_->Q1.Close();
        return names;
    };
    ASSERT_FALSE(columns().contains(QStringLiteral("Extra")));
    dm_->ExecSql(QStringLiteral("ALTER TABLE TbBank ADD COLUMN Extra TEXT(10)"));
    EXPECT_TRUE(columns().contains(QStringLiteral("Extra")));
    dm_->ExecSql(QStringLiteral("ALTER TABLE TbBank DROP COLUMN Extra"));
    EXPECT_FALSE(columns().contains(QStringLiteral("Extra")));

    // A translation made before a column existed is not reused after it came.
    TCBQuery query;
    const QString year = QStringLiteral("SELECT Left(Since,4) AS Y FROM TbBank");
    EXPECT_EQ(query.OpenCount(year), -1);
    dm_->ExecSql(QStringLiteral("ALTER TABLE TbBank ADD COLUMN Since DATE"));
    dm_->ExecSql(
        QStringLiteral("INSERT INTO TbBank (Name,Memo,Since) VALUES (\"a\",\"\",#2024-03-01#)"));
    EXPECT_EQ(query.FieldText(year, QStringLiteral("Y")), QStringLiteral("2024"));
}

TEST_F(DAODatabaseTest, ARolledBackSchemaChangeIsForgotten) {
    {
        TDM::TTransaction transaction(*dm_);
        dm_->ExecSql(QStringLiteral("ALTER TABLE TbBank ADD COLUMN Since DATE"));
        ASSERT_EQ(dm_->DbBase.Catalog().KindOf(QStringLiteral("TbBank"), QStringLiteral("Since")),
                  TColumnKind::Date);
    } // not committed
    EXPECT_NE(dm_->DbBase.Catalog().KindOf(QStringLiteral("TbBank"), QStringLiteral("Since")),
              TColumnKind::Date);
    TCBQuery query;
    EXPECT_EQ(query.OpenCount(QStringLiteral("SELECT Since FROM TbBank")), -1);
}

TEST_F(DAODatabaseTest, CachedStatementsSeeAColumnAddedByAnotherConnection) {
    const QString select = QStringLiteral("SELECT * FROM TbBank");
    dm_->OpenSql(select);
    dm_->Q1.Close(); // the statement waits in the cache
    TDM other;
    other.DbBase.SetDatabaseName(ledger_);
    other.ExecSql(QStringLiteral("ALTER TABLE TbBank ADD COLUMN Extra TEXT(10)"));
    other.ExecSql(QStringLiteral("INSERT INTO TbBank (Name,Memo,Extra) VALUES (\"a\",\"\",\"x\")"));
    other.DbBase.Close();
    EXPECT_EQ(dm_->SqlFieldText(select, QStringLiteral("Extra")), QStringLiteral("x"));
}

TEST_F(DAODatabaseTest, AReadOnlyOpenByAnotherAccountLeavesNoFilesBehind) {
    Db().Close();
    ::chmod(QFile::encodeName(dir_.path()).constData(), 0777);
    ::chmod(QFile::encodeName(ledger_).constData(), Superuser() ? 0644 : 0444);
    const int read = AsOtherUser([&] {
        TDM other;
        other.DbBase.SetDatabaseName(ledger_);
        other.DbBase.SetReadOnly(true);
        try {
            const QString n = other.SqlFieldText(
                QStringLiteral("SELECT Count(*) AS N FROM TbOperator"), QStringLiteral("N"));
            other.DbBase.Close();
            return n == QLatin1String("1") ? 0 : 1;
        } catch (const EVintorError&) {
            return 2;
        }
    });
    EXPECT_EQ(read, 0);
    ExpectNoSideFiles(ledger_);
    ::chmod(QFile::encodeName(ledger_).constData(), 0644);
    EXPECT_NO_THROW(Db().Open());
}

TEST_F(DAODatabaseTest, LogFilesThatCannotBeWrittenAreNamed) {
    Db().Close();
    const QString wal = ledger_ + QStringLiteral("-wal");
    const QString shm = ledger_ + QStringLiteral("-shm");
    WriteFile(wal, QByteArray());
    WriteFile(shm, QByteArray());
    if (Superuser()) { // the logs stay the superuser's, the ledger becomes the other's
        ::chmod(QFile::encodeName(dir_.path()).constData(), 0777);
        ASSERT_EQ(::chown(QFile::encodeName(ledger_).constData(), 65534, 65534), 0);
    } else {
        ::chmod(QFile::encodeName(wal).constData(), 0444);
        ::chmod(QFile::encodeName(shm).constData(), 0444);
    }
    const int told = AsOtherUser([&] {
        TDAODatabase db;
        db.SetDatabaseName(ledger_);
        db.SetPassword(LedgerFormat::LedgerPassword);
        try {
            db.Open();
            return 1;
        } catch (const EOleException& e) {
            return e.Message().contains(wal) && e.Message().contains(shm) &&
                           e.Message().contains(QStringLiteral("删除"))
                       ? 0
                       : 2;
        }
    });
    EXPECT_EQ(told, 0);
}

TEST_F(DAODatabaseTest, AFullDiskStillLetsTheLedgerBeReadAndSaysWhyItCannotWrite) {
    Db().Close();
    const QString disk = Path(QStringLiteral("disk"));
    ASSERT_TRUE(QDir().mkpath(disk));
    const QByteArray size = "size=" + QByteArray::number(QFileInfo(ledger_).size() + 256 * 1024);
    if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, size.constData()) != 0) {
        GTEST_SKIP() << "a small disk needs a tmpfs mount, which only the superuser may make";
    }
    struct TUnmount {
        QByteArray path;
        ~TUnmount() { ::umount2(path.constData(), MNT_DETACH); }
    } unmount{QFile::encodeName(disk)};
    const QString full = QDir(disk).filePath(QStringLiteral("full.mdb"));
    ASSERT_TRUE(QFile::copy(ledger_, full));
    QFile filler(QDir(disk).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();

    TDM onFull;
    onFull.DbBase.SetDatabaseName(full);
    EXPECT_EQ(onFull.SqlFieldText(QStringLiteral("SELECT Count(*) AS N FROM TbOperator"),
                                  QStringLiteral("N")),
              QStringLiteral("1"));
    try {
        onFull.ExecSql(QStringLiteral("UPDATE TbOperator SET Name=\"x\""));
        ADD_FAILURE() << "wrote on a full disk";
    } catch (const EOleException& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("磁盘空间不足")))
            << e.Message().toStdString();
    }
    onFull.DbBase.Close();
    const auto copy = LedgerFiles::Backup(onFull.DbBase, Path(QStringLiteral("copy.mdb")));
    EXPECT_TRUE(copy.Ok()) << copy.Refusal().message.toStdString();
    EXPECT_EQ(Bytes(Path(QStringLiteral("copy.mdb"))).left(15), QByteArray("SQLite format 3"));
}

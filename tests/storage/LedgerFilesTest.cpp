#include "storage/ledger/LedgerFiles.h"
#include "storage/ScriptedPrompter.h"
#include "storage/dao/DAODatabase.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerFormat.h"
#include "tests/support/LedgerFixture.h"
#include "tests/support/OtherUser.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Overwrites the start of every page after the first: the header still reads
// as a ledger, the tables are garbage.
void DamagePages(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray header = file.read(100);
    const int pageSize = (uchar(header[16]) << 8) | uchar(header[17]);
    ASSERT_GE(pageSize, 512);
    for (qint64 at = pageSize; at < file.size(); at += pageSize) {
        file.seek(at);
        file.write(QByteArray(16, '\xff'));
    }
}

} // namespace

class LedgerFilesTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        data_ = Path(QStringLiteral("data"));
        QDir().mkpath(data_);
        qputenv("VINTOR_HOME", dir_.path().toUtf8());
    }
    void TearDown() override {
        qunsetenv("VINTOR_HOME");
        LedgerTest::TearDown();
    }
    // Opens a ledger file on its own connection and counts a table's rows.
    int RowsIn(const QString& path, const QString& table) {
        TDM other;
        other.DbBase.SetDatabaseName(path);
        other.DbBase.Open();
        return other
            .SqlFieldText(QStringLiteral("SELECT Count(*) AS N FROM ") + table, QStringLiteral("N"))
            .toInt();
    }

    QString data_;
};

TEST_F(LedgerFilesTest, NewLedgersAreCheckedAndListedByName) {
    EXPECT_TRUE(LedgerFiles::List(data_).isEmpty());
    const QString refused = QStringLiteral("请输入账本名称,并且名称中不能包含空格字符。");
    EXPECT_EQ(LedgerFiles::Create(data_, QString()).Refusal().message, refused);
    EXPECT_EQ(LedgerFiles::Create(data_, QStringLiteral("星光 影碟")).Refusal().message, refused);
    EXPECT_EQ(LedgerFiles::Create(data_, QStringLiteral("星光\t影碟")).Refusal().message, refused);
    EXPECT_FALSE(LedgerFiles::Create(data_, QStringLiteral("../外面")).Ok());
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("外面.mdb"))));

    const auto made = LedgerFiles::Create(data_, QStringLiteral("星光影碟"));
    ASSERT_TRUE(made.Ok()) << made.Refusal().message.toStdString();
    EXPECT_EQ(made.Value(), QDir(data_).filePath(QStringLiteral("星光影碟.mdb")));
    EXPECT_EQ(RowsIn(made.Value(), QStringLiteral("TbAccount")), 1);
    const QByteArray before = Bytes(made.Value());
    EXPECT_EQ(LedgerFiles::Create(data_, QStringLiteral("星光影碟")).Refusal().message,
              QStringLiteral("已有同名的账本文件,请重新命名。"));
    EXPECT_EQ(Bytes(made.Value()), before);

    ASSERT_TRUE(LedgerFiles::Create(data_, QStringLiteral("Abc")).Ok());
    Write(QDir(data_).filePath(QStringLiteral("notes.txt")), "x");
    EXPECT_TRUE(QFile::exists(QDir(data_).filePath(QStringLiteral("Blank"))));
    EXPECT_EQ(LedgerFiles::List(data_),
              (QStringList{QStringLiteral("Abc"), QStringLiteral("星光影碟")}));
}

TEST_F(LedgerFilesTest, ARefusalIsShownOnceAndNamesTheFieldToCorrect) {
    TScriptedPrompter prompter;
    TPrompterScope scope(prompter);
    ASSERT_TRUE(LedgerFiles::Create(data_, QStringLiteral("店")).Ok());
    const auto taken = LedgerFiles::Create(data_, QStringLiteral("店"));
    const auto slash = LedgerFiles::Create(data_, QStringLiteral("a/b"));
    const auto nowhere = LedgerFiles::Backup(dm_->DbBase, Path(QStringLiteral("no/dir.mdb")));
    const auto notLedger = LedgerFiles::Restore(ledger_ + QStringLiteral(".none"), data_);
    for (const auto* refused : {&taken, &slash, &nowhere, &notLedger}) {
        ASSERT_FALSE(refused->Ok());
    }
    EXPECT_EQ(taken.Refusal().field, LedgerFiles::NameField);
    EXPECT_EQ(slash.Refusal().field, LedgerFiles::NameField);
    EXPECT_TRUE(nowhere.Refusal().field.isEmpty()); // a chosen file, no entry box
    EXPECT_TRUE(notLedger.Refusal().field.isEmpty());
    EXPECT_EQ(prompter.Texts(TScriptedPrompter::Kind::Error),
              QStringList({taken.Refusal().message, slash.Refusal().message,
                           nowhere.Refusal().message, notLedger.Refusal().message}));
    EXPECT_EQ(prompter.Messages().size(), 4);
}

TEST_F(LedgerFilesTest, ABackupOfTheOpenLedgerHoldsEveryCommittedRow) {
    dm_->ExecSql(QStringLiteral("INSERT INTO TbBank (Name,Memo) VALUES (\"工商银行\",\"\")"));
    // A reader still open on the ledger does not spoil the copy.
    dm_->OpenSql(QStringLiteral("SELECT * FROM TbCategory"));
    const QString copy = Path(QStringLiteral("backup/copy.mdb"));
    QDir().mkpath(Path(QStringLiteral("backup")));
    Write(copy, "an older file in the way");
    Write(copy + QStringLiteral("-wal"), "a stale log");
    const auto result = LedgerFiles::Backup(dm_->DbBase, copy);
    ASSERT_TRUE(result.Ok()) << result.Refusal().message.toStdString();
    EXPECT_TRUE(dm_->DbBase.Connected());
    EXPECT_FALSE(QFile::exists(copy + QStringLiteral(".part")));
    EXPECT_FALSE(QFile::exists(copy + QStringLiteral("-wal")));
    EXPECT_EQ(RowsIn(copy, QStringLiteral("TbBank")), 1);

    const auto blocked = LedgerFiles::Backup(dm_->DbBase, Path(QStringLiteral("no/such/dir.mdb")));
    EXPECT_FALSE(blocked.Ok());
    EXPECT_TRUE(blocked.Refusal().message.contains(QStringLiteral("无法写入文件")));
}

TEST_F(LedgerFilesTest, RestoreCopiesOnlyLedgersAndNeverOverTheOpenOne) {
    const QString backup = Path(QStringLiteral("店.mdb"));
    ASSERT_TRUE(LedgerFiles::Backup(dm_->DbBase, backup).Ok());

    const auto restored = LedgerFiles::Restore(backup, data_, ledger_);
    ASSERT_TRUE(restored.Ok()) << restored.Refusal().message.toStdString();
    EXPECT_EQ(restored.Value(), QDir(data_).filePath(QStringLiteral("店.mdb")));
    EXPECT_EQ(RowsIn(restored.Value(), QStringLiteral("TbAccount")), 1);
    // Overwriting: a stale log of the old file must not be replayed into the new one.
    Write(restored.Value() + QStringLiteral("-wal"), "stale");
    ASSERT_TRUE(LedgerFiles::Restore(backup, data_, ledger_).Ok());
    EXPECT_FALSE(QFile::exists(restored.Value() + QStringLiteral("-wal")));
    EXPECT_EQ(RowsIn(restored.Value(), QStringLiteral("TbAccount")), 1);

    const QString text = Path(QStringLiteral("text.mdb"));
    Write(text, "hello, not a ledger");
    const auto refused = LedgerFiles::Restore(text, data_, ledger_);
    EXPECT_FALSE(refused.Ok());
    EXPECT_FALSE(QFile::exists(QDir(data_).filePath(QStringLiteral("text.mdb"))));

    const auto overOpen = LedgerFiles::Restore(backup, QFileInfo(ledger_).absolutePath(),
                                               Path(QStringLiteral("店.mdb")));
    EXPECT_FALSE(overOpen.Ok());
}

TEST_F(LedgerFilesTest, RestoreTakesOnlyWholeLedgersOfAKnownBuild) {
    QDir().mkpath(Path(QStringLiteral("good")));
    const QString good = Path(QStringLiteral("good/店.mdb"));
    ASSERT_TRUE(LedgerFiles::Backup(dm_->DbBase, good).Ok());
    ASSERT_TRUE(LedgerFiles::Restore(good, data_, ledger_).Ok());
    const QString inData = QDir(data_).filePath(QStringLiteral("店.mdb"));
    const QByteArray before = Bytes(inData);

    QDir().mkpath(Path(QStringLiteral("damaged")));
    const QString damaged = Path(QStringLiteral("damaged/店.mdb"));
    ASSERT_TRUE(QFile::copy(good, damaged));
    DamagePages(damaged);
    const auto broken = LedgerFiles::Restore(damaged, data_, ledger_);
    EXPECT_TRUE(broken.Refusal().message.contains(QStringLiteral("损坏")))
        << broken.Refusal().message.toStdString();

    QDir().mkpath(Path(QStringLiteral("future")));
    const QString future = Path(QStringLiteral("future/店.mdb"));
    ASSERT_TRUE(QFile::copy(good, future));
    {
        TDM other;
        other.DbBase.SetDatabaseName(future);
        other.ExecSql(QStringLiteral("UPDATE TbVersion SET Version=\"Build9.99\""));
    }
    const auto unknown = LedgerFiles::Restore(future, data_, ledger_);
    EXPECT_TRUE(unknown.Refusal().message.contains(QStringLiteral("Build9.99")))
        << unknown.Refusal().message.toStdString();

    EXPECT_EQ(Bytes(inData), before);
    EXPECT_EQ(RowsIn(inData, QStringLiteral("TbAccount")), 1);
}

TEST_F(LedgerFilesTest, AnOpenLedgerIsBackedUpButNeitherReplacedNorCompacted) {
    QDir().mkpath(Path(QStringLiteral("backup")));
    const QString copy = Path(QStringLiteral("backup/test.mdb"));
    ASSERT_TRUE(LedgerFiles::Backup(dm_->DbBase, copy).Ok());
    dm_->ExecSql(QStringLiteral("INSERT INTO TbBank (Name,Memo) VALUES (\"工商银行\",\"\")"));
    const QString inUse = QStringLiteral("正在被使用");

    // The fixture's connection holds the ledger: no other connection replaces it.
    const auto restored = LedgerFiles::Restore(copy, QFileInfo(ledger_).absolutePath());
    EXPECT_TRUE(restored.Refusal().message.contains(inUse))
        << restored.Refusal().message.toStdString();
    TDAODatabase backupSource;
    backupSource.SetDatabaseName(copy);
    backupSource.SetPassword(LedgerFormat::LedgerPassword);
    EXPECT_TRUE(LedgerFiles::Backup(backupSource, ledger_).Refusal().message.contains(inUse));
    TDM second;
    second.DbBase.SetDatabaseName(ledger_);
    second.DbBase.Open();
    QString failure;
    EXPECT_EQ(second.CompactLedger(&failure), Currency::FromWhole(1));
    EXPECT_TRUE(failure.contains(inUse)) << failure.toStdString();
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 1);

    // Its own connection closed, a program compacts the ledger it had open.
    dm_->DbBase.Close();
    failure.clear();
    second.DbBase.Open();
    second.CompactLedger(&failure);
    EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 1);
}

TEST_F(LedgerFilesTest, AReadOnlyFolderIsNamedWhenCreatingOrOpening) {
    const QString folder = Path(QStringLiteral("只读"));
    QDir().mkpath(folder);
    const QString shop = QDir(folder).filePath(QStringLiteral("店.mdb"));
    ASSERT_TRUE(LedgerFiles::Backup(dm_->DbBase, shop).Ok());
    ::chmod(QFile::encodeName(dir_.path()).constData(), 0755);
    if (Superuser()) {
        ASSERT_EQ(::chown(QFile::encodeName(shop).constData(), 65534, 65534), 0);
    }
    ::chmod(QFile::encodeName(folder).constData(), 0555);
    const int told = AsOtherUser([&] {
        const auto made = LedgerFiles::Create(folder, QStringLiteral("新店"));
        if (!made.Refusal().message.contains(folder) ||
            !made.Refusal().message.contains(QStringLiteral("只读"))) {
            return 1;
        }
        TDAODatabase db;
        db.SetDatabaseName(shop);
        db.SetPassword(LedgerFormat::LedgerPassword);
        try {
            db.Open();
            return 2;
        } catch (const EOleException& e) {
            return e.Message().contains(QStringLiteral("文件夹“%1”是只读的").arg(folder)) ? 0 : 3;
        }
    });
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(told, 0);
}

TEST(LedgerFileNames, CompactMessagesAndCarryOverNames) {
    EXPECT_EQ(LedgerFiles::CompactMessage(Currency::Parse(QStringLiteral("0.4567")).value()),
              QStringLiteral("账本整理完成！目前账本大小为整理前的 45.67％"));
    EXPECT_EQ(LedgerFiles::CompactMessage(Currency::FromWhole(1)),
              QStringLiteral("账本整理完成！目前账本大小为整理前的 100.00％"));
    EXPECT_EQ(LedgerFiles::CompactMessage(Currency()), QStringLiteral("账本整理失败！"));
    const QDateTime at(QDate(2004, 5, 1), QTime(14, 5, 9));
    EXPECT_EQ(LedgerFiles::CarryOverBackupName(QStringLiteral("/srv/data/shop.mdb"), at),
              QStringLiteral("shop2004-05-01.14.05.09.mdb"));
    EXPECT_EQ(LedgerFiles::CarryOverBackupName(QStringLiteral("/srv/data/a.b.mdb"), at),
              QStringLiteral("a2004-05-01.14.05.09.mdb"));
}

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/VintorctlRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TRun Vintorctl(const QStringList& args) {
    return RunVintorctl(args);
}

} // namespace

TEST(LedgerFileCommands, ListBackUpRestoreAndCompact) {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    QDir().mkpath(data);
    const QString shop = QDir(data).filePath(QStringLiteral("星光.mdb"));
    ASSERT_EQ(Vintorctl({QStringLiteral("example"), shop}).rc, 0);
    ASSERT_EQ(
        Vintorctl({QStringLiteral("create"), QDir(data).filePath(QStringLiteral("A.mdb"))}).rc, 0);
    EXPECT_EQ(Vintorctl({QStringLiteral("ledgers"), data}).out, QStringLiteral("A\n星光\n"));

    const QString copy = dir.filePath(QStringLiteral("备份.mdb"));
    const TRun backup = Vintorctl({QStringLiteral("backup"), shop, copy});
    EXPECT_EQ(backup.rc, 0) << backup.err.toStdString();
    EXPECT_TRUE(QFile::exists(copy));

    const TRun restore = Vintorctl({QStringLiteral("restore"), copy, data});
    EXPECT_EQ(restore.rc, 0) << restore.err.toStdString();
    EXPECT_EQ(restore.out, QStringLiteral("账本恢复成功！请选择打开账本开始使用。\n"));
    EXPECT_EQ(Vintorctl({QStringLiteral("ledgers"), data}).out, QStringLiteral("A\n备份\n星光\n"));

    const TRun compact = Vintorctl({QStringLiteral("compact"), shop});
    EXPECT_EQ(compact.rc, 0) << compact.err.toStdString();
    EXPECT_TRUE(compact.out.startsWith(QStringLiteral("账本整理完成！目前账本大小为整理前的 ")));
    EXPECT_TRUE(compact.out.endsWith(QStringLiteral("％\n")));
}

TEST(LedgerFileCommands, FilesThatAreNoLedgerAreRefused) {
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("notes.mdb"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a ledger");
    file.close();
    EXPECT_NE(Vintorctl({QStringLiteral("restore"), text, dir.filePath(QStringLiteral("x"))}).rc,
              0);
    EXPECT_EQ(Vintorctl({QStringLiteral("compact"), text}).rc, 2);
    EXPECT_EQ(Vintorctl({QStringLiteral("backup"), text, dir.filePath(QStringLiteral("b.mdb"))}).rc,
              2);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("b.mdb"))));
    QFile again(text);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("not a ledger"));
}

TEST(LedgerFileCommands, ALedgerInUseIsNeitherRestoredNorCompactedUntilItsHolderIsGone) {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    QDir().mkpath(data);
    const QString shop = QDir(data).filePath(QStringLiteral("店.mdb"));
    ASSERT_EQ(Vintorctl({QStringLiteral("example"), shop}).rc, 0);
    const QString copy = dir.filePath(QStringLiteral("店.mdb"));
    ASSERT_EQ(Vintorctl({QStringLiteral("backup"), shop, copy}).rc, 0);

    // A second program has the ledger open until it is killed.
    QProcess holder;
    holder.start(QStringLiteral(VINTORCTL_PATH), {QStringLiteral("sql"), shop});
    holder.write("SELECT Count(*) AS N FROM TbOperator\n");
    ASSERT_TRUE(holder.waitForReadyRead(60000));
    const QString inUse = QStringLiteral("正在被使用");
    const TRun restore = Vintorctl({QStringLiteral("restore"), copy, data});
    EXPECT_EQ(restore.rc, 1);
    EXPECT_TRUE(restore.err.contains(inUse)) << restore.err.toStdString();
    const TRun compact = Vintorctl({QStringLiteral("compact"), shop});
    EXPECT_EQ(compact.rc, 1);
    EXPECT_TRUE(compact.err.contains(QStringLiteral("账本整理失败！")))
        << compact.err.toStdString();
    EXPECT_TRUE(compact.err.contains(inUse));
    EXPECT_EQ(Vintorctl({QStringLiteral("backup"), shop, dir.filePath(QStringLiteral("b.mdb"))}).rc,
              0);

    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(60000));
    const TRun later = Vintorctl({QStringLiteral("compact"), shop});
    EXPECT_EQ(later.rc, 0) << later.err.toStdString();
    EXPECT_EQ(Vintorctl({QStringLiteral("restore"), copy, data}).rc, 0);
}

TEST(LedgerFileCommands, BackupsGoOnlyIntoRegularFiles) {
    QTemporaryDir dir;
    const QString shop = dir.filePath(QStringLiteral("店.mdb"));
    ASSERT_EQ(Vintorctl({QStringLiteral("example"), shop}).rc, 0);
    const QString pipe = dir.filePath(QStringLiteral("pipe.mdb"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("folder.mdb"));
    QDir().mkpath(folder);
    for (const QString& target : {pipe, folder}) {
        const TRun refused = Vintorctl({QStringLiteral("backup"), shop, target});
        EXPECT_NE(refused.rc, 0) << target.toStdString();
        EXPECT_TRUE(refused.err.contains(QStringLiteral("不是普通文件")))
            << refused.err.toStdString();
    }
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    // A link is followed: the file it names takes the copy, the link stays.
    const QString real = dir.filePath(QStringLiteral("real.mdb"));
    const QString link = dir.filePath(QStringLiteral("link.mdb"));
    ASSERT_TRUE(QFile::link(real, link));
    const TRun linked = Vintorctl({QStringLiteral("backup"), shop, link});
    EXPECT_EQ(linked.rc, 0) << linked.err.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    QFile copied(real);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.read(15), QByteArray("SQLite format 3"));
}

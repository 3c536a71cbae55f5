#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/VintorctlRun.h"

#include <gtest/gtest.h>

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

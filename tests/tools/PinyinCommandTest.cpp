#include <QProcess>

#include "tests/support/VintorctlRun.h"

#include <gtest/gtest.h>

namespace {

TRun Vintorctl(const QStringList& args) {
    return RunVintorctl(args);
}

} // namespace

TEST(PinyinCommand, PrintsTheInitialsOfEachArgumentOnItsOwnLine) {
    const TRun run = Vintorctl({QStringLiteral("pinyin"), QStringLiteral("少林足球"),
                                QStringLiteral("Ｘ 战警"), QString(), QStringLiteral("《龘》")});
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(run.out, QStringLiteral("SLZQ\nXZJ\n\nD\n"));
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

TEST(PinyinCommand, WithoutArgumentsReadsOneNameALine) {
    QProcess process;
    process.start(QStringLiteral(VINTORCTL_PATH), {QStringLiteral("pinyin")});
    process.write(QStringLiteral("少林足球\n大话西游\n\nABC 123\n").toUtf8());
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()),
              QStringLiteral("SLZQ\nDHXY\n\nABC123\n"));
}

#include "tests/storage/import/JetFiles.h"
#include "tests/storage/import/JetImportFixture.h"
#include "tests/support/VintorctlRun.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using ImportJetCommandTest = JetImportTest;

TEST_F(ImportJetCommandTest, PrintsTheRowsOfEveryTableAndExitsZero) {
    const QString source = Jet(Older(QStringLiteral("Build2.02")), TJetFormat::Jet3);
    const QString target = Path(QStringLiteral("imported.mdb"));

    const TRun run = RunVintorctl({QStringLiteral("import-jet"), source, target});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.front(), source + QStringLiteral(": Jet 3, Build2.02"));
    EXPECT_TRUE(lines.contains(QStringLiteral("TbRTransaction\t7")));
    EXPECT_TRUE(lines.contains(QStringLiteral("TbVersion\t1")));
    // Two roles; the third operator's role had been deleted.
    EXPECT_TRUE(lines.contains(QStringLiteral("TbPower\t2"))) << run.out.toStdString();
    EXPECT_EQ(lines.back(), QStringLiteral("已导入到 %1（Build2.02 -> Build2.06）").arg(target));
    EXPECT_TRUE(QFile::exists(target));
}

TEST_F(ImportJetCommandTest, RefusalsExitOneAndWrongArgumentsTwo) {
    const QString source = Jet(Older(QStringLiteral("Build2.06")), TJetFormat::Jet4);
    const QString taken = Path(QStringLiteral("taken.mdb"));
    ASSERT_TRUE(QFile::copy(source, taken));

    const TRun refused = RunVintorctl({QStringLiteral("import-jet"), source, taken});
    EXPECT_EQ(refused.rc, 1);
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_TRUE(refused.err.startsWith(QStringLiteral("ERROR: 账本文件“%1”已经存在").arg(taken)))
        << refused.err.toStdString();

    const TRun usage = RunVintorctl({QStringLiteral("import-jet"), source});
    EXPECT_EQ(usage.rc, 2);
    EXPECT_TRUE(usage.err.startsWith(QStringLiteral("用法: vintorctl import-jet SOURCE.mdb "
                                                    "DEST.mdb\n")));
}

// The imported ledger works at the counter: a title rented and brought back
// gets the next Ids, and the kept balances agree with the movements.
TEST_F(ImportJetCommandTest, AnImportedLedgerTakesARentalAndItsReturn) {
    const QString source = Jet(Older(QStringLiteral("Build2.04")), TJetFormat::Jet4);
    const QString target = Path(QStringLiteral("imported.mdb"));
    ASSERT_EQ(RunVintorctl({QStringLiteral("import-jet"), source, target}).rc, 0);

    const TRun desk = RunVintorctl(
        {QStringLiteral("desk"), target, QStringLiteral("--today"), QStringLiteral("2024-06-15")},
        QByteArray("rent.code 00006\n"
                   "rent.commit\n"
                   "today 2024-06-17\n"
                   "rent.reset\n"
                   "rent.code 00006\n"
                   "rent.return\n"
                   "sql SELECT Id,CId2,Deposit,Rent FROM TbRTransaction WHERE CId1=6\n"
                   "sql SELECT Id,CId1,Sum1,Sum2 FROM TbFTransaction WHERE Id>=14\n"));
    EXPECT_EQ(desk.rc, 0) << desk.err.toStdString();
    QStringList out = desk.out.split(u'\n', Qt::SkipEmptyParts);
    out.removeIf([](const QString& line) { return line.startsWith(QLatin1String("PRINTER:")); });
    // Seven rental lines and fourteen movements came over: the new ones follow.
    EXPECT_EQ(out,
              (QStringList{QStringLiteral("Id\tCId2\tDeposit\tRent"),
                           QStringLiteral("8\t1\t60\t12"), QStringLiteral("Id\tCId1\tSum1\tSum2"),
                           QStringLiteral("14\t2\t20\t0"), QStringLiteral("15\t1\t48\t-12")}));
    const TRun balances = RunVintorctl({QStringLiteral("balances"), target});
    EXPECT_EQ(balances.rc, 0) << balances.out.toStdString() << balances.err.toStdString();
}

} // namespace

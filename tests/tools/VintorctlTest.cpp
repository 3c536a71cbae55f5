#include "storage/dao/DM.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "tests/support/VintorctlRun.h"

#include <gtest/gtest.h>

namespace {

// vintorctl with a data directory of the test's own.
class VintorctlTest : public ::testing::Test {
protected:
    TRun Run(const QStringList& args, const QString& input = QString()) {
        return RunVintorctl(args, input.toUtf8(), Path(QStringLiteral("home")));
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // A new ledger made by "create".
    QString Created(const QString& name) {
        const QString ledger = Path(name);
        const TRun run = Run({QStringLiteral("create"), ledger});
        EXPECT_EQ(run.rc, 0) << run.err.toStdString();
        return ledger;
    }
    // The first row's column V of a Jet SELECT on a ledger.
    static QString Value(const QString& ledger, const QString& sql) {
        TDM dm;
        dm.DbBase.SetDatabaseName(ledger);
        return dm.SqlFieldText(sql, QStringLiteral("V"));
    }
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(VintorctlTest, CreateMakesABlankLedgerAndNeverOverwrites) {
    const QString ledger = Path(QStringLiteral("shop.mdb"));
    const TRun run = Run({QStringLiteral("create"), ledger});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, ledger + u'\n');
    EXPECT_EQ(Value(ledger, QStringLiteral("SELECT Version AS V FROM TbVersion")),
              QStringLiteral("Build2.06"));
    EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("home/data/Blank"))));

    Run({QStringLiteral("sql"), ledger}, QStringLiteral("DELETE * FROM TbFee\n"));
    const QByteArray before = Bytes(ledger);
    const TRun again = Run({QStringLiteral("create"), ledger});
    EXPECT_EQ(again.rc, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("已经存在"))) << again.err.toStdString();
    EXPECT_EQ(Bytes(ledger), before);

    const TRun usage = Run({QStringLiteral("create")});
    EXPECT_EQ(usage.rc, 2);
    EXPECT_TRUE(usage.err.contains(QStringLiteral("create PATH")));
}

TEST_F(VintorctlTest, ExampleWritesAShopWithMembersAndTitles) {
    const QString ledger = Path(QStringLiteral("example.mdb"));
    const TRun run = Run({QStringLiteral("example"), ledger});
    ASSERT_EQ(run.rc, 0) << run.err.toStdString();
    auto value = [&](const char* sql) { return Value(ledger, QString::fromUtf8(sql)); };
    EXPECT_EQ(value("SELECT Name AS V FROM TbShopInfo WHERE Id=1"),
              QStringLiteral("星光影碟出租店"));
    EXPECT_EQ(value("SELECT Count(*) AS V FROM TbAssociator"), QStringLiteral("6"));
    EXPECT_EQ(value("SELECT Name AS V FROM TbAssociator WHERE Code=\"1001\""),
              QStringLiteral("王小姐"));
    EXPECT_EQ(value("SELECT Count(*) AS V FROM TbRentCd"), QStringLiteral("20"));
    EXPECT_EQ(value("SELECT Count(*) AS V FROM TbRentCd WHERE Code LIKE \"0001-*\""),
              QStringLiteral("10"));
    EXPECT_EQ(value("SELECT Count(*) AS V FROM TbSaleCd"), QStringLiteral("4"));
    // Every member's type exists, and so does every title's category and fee standard.
    EXPECT_EQ(value("SELECT Count(*) AS V FROM TbAssociator WHERE AId NOT IN (SELECT Id FROM "
                    "TbAtorType)"),
              QStringLiteral("0"));
    EXPECT_EQ(value("SELECT Count(*) AS V FROM TbRentCd WHERE CId NOT IN (SELECT Id FROM "
                    "TbCdCategory) OR FId NOT IN (SELECT Id FROM TbFee)"),
              QStringLiteral("0"));
    // Each stock-in batch is paid by one movement of its own kind and amount.
    EXPECT_EQ(value("SELECT Count(*) AS V FROM TbITransaction AS I LEFT JOIN TbFTransaction AS F "
                    "ON F.Id=I.FId WHERE F.CId1<>I.CId2 OR F.Id IS NULL"),
              QStringLiteral("0"));
    EXPECT_EQ(value("SELECT Count(*) AS V FROM TbFTransaction AS F WHERE F.CId1 IN (21,22) AND "
                    "-F.Sum1<>(SELECT Sum(Number*Price) FROM TbITransaction WHERE FId=F.Id)"),
              QStringLiteral("0"));

    const TRun again = Run({QStringLiteral("example"), ledger});
    EXPECT_EQ(again.rc, 1);
    EXPECT_EQ(value("SELECT Count(*) AS V FROM TbAssociator"), QStringLiteral("6"));
}

TEST_F(VintorctlTest, SqlPrintsRowsCountsAndErrorsLineByLine) {
    const QString ledger = Created(QStringLiteral("shop.mdb"));
    const TRun run = Run(
        {QStringLiteral("sql"), ledger, QStringLiteral("--today"), QStringLiteral("2024-01-02")},
        QStringLiteral("SELECT Id,Name,Memo FROM TbCdCategory WHERE Id<=2 ORDER "
                       "BY Id\n"
                       "\n"
                       "INSERT INTO TbBank (Name,Memo) VALUES (\"工商\",\"\")\n"
                       "UPDATE TbBank SET Memo=\"m\" WHERE Id=99\n"
                       "SELEC * FROM TbBank\n"
                       "SELECT Count(*) AS N FROM TbVersion WHERE "
                       "Date()=#2024-01-02#"));
    EXPECT_EQ(run.rc, 1); // one statement failed
    const QStringList lines = run.out.split(u'\n');
    ASSERT_GE(lines.size(), 8) << run.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Id\tName\tMemo"));
    EXPECT_EQ(lines[1], QStringLiteral("1\t电影\t"));
    EXPECT_EQ(lines[2], QStringLiteral("2\t电视剧\t"));
    EXPECT_EQ(lines[3], QStringLiteral("OK 1"));
    EXPECT_EQ(lines[4], QStringLiteral("OK 0"));
    EXPECT_TRUE(lines[5].startsWith(QLatin1String("ERROR: "))) << lines[5].toStdString();
    EXPECT_GT(lines[5].size(), 8);
    EXPECT_EQ(lines[6], QStringLiteral("N"));
    EXPECT_EQ(lines[7], QStringLiteral("1"));
    EXPECT_EQ(Value(ledger, QStringLiteral("SELECT Name AS V FROM TbBank")),
              QStringLiteral("工商"));
}

// Hostile statements are refused one by one; the rest still run, and the exit
// status tells that something failed.
TEST_F(VintorctlTest, SqlRunsEveryStatementAndExitsWithOneWhenAnyFailed) {
    const QString ledger = Created(QStringLiteral("shop.mdb"));
    const QString fees = QStringLiteral("SELECT Count(*) AS V FROM TbFee");
    const QString feesBefore = Value(ledger, fees);
    const QString deep = QStringLiteral("SELECT ") + QStringLiteral("Len(").repeated(13000) + u'1' +
                         QString(13000, u')') + QStringLiteral(" FROM TbVersion\n");
    const TRun run =
        Run({QStringLiteral("sql"), ledger},
            deep + QStringLiteral("DELETE * FROM TbFee WHERE Id=99; DELETE * FROM "
                                  "TbFee\n"
                                  "SELECT Count(*) AS N FROM TbBank WHERE Name LIKE "
                                  "\"100*\n"
                                  "INSERT INTO TbBank (Name,Memo) VALUES (\"工商\",\"\")\n"));
    EXPECT_EQ(run.rc, 1) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n');
    ASSERT_EQ(lines.size(), 5) << run.out.toStdString();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(lines[i].startsWith(QLatin1String("ERROR: "))) << lines[i].toStdString();
    }
    EXPECT_EQ(lines[3], QStringLiteral("OK 1"));
    EXPECT_EQ(Value(ledger, fees), feesBefore);

    const TRun clean =
        Run({QStringLiteral("sql"), ledger}, QStringLiteral("SELECT Count(*) AS N FROM TbBank;\n"));
    EXPECT_EQ(clean.rc, 0);
    EXPECT_EQ(clean.out, QStringLiteral("N\n1\n"));
}

TEST_F(VintorctlTest, SqlOnAFileThatCannotBeOpenedExitsWithTwo) {
    const TRun missing = Run({QStringLiteral("sql"), Path(QStringLiteral("missing.mdb"))},
                             QStringLiteral("SELECT * FROM TbBank\n"));
    EXPECT_EQ(missing.rc, 2);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains(QStringLiteral("找不到"))) << missing.err.toStdString();

    const QString text = Path(QStringLiteral("notes.mdb"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a ledger\n");
    file.close();
    const TRun foreign = Run({QStringLiteral("sql"), text}, QStringLiteral("SELECT 1\n"));
    EXPECT_EQ(foreign.rc, 2);
    EXPECT_TRUE(foreign.err.contains(QStringLiteral("不是账本文件"))) << foreign.err.toStdString();
    EXPECT_EQ(Bytes(text), QByteArray("not a ledger\n"));

    const TRun badDay = Run({QStringLiteral("sql"), Created(QStringLiteral("a.mdb")),
                             QStringLiteral("--today"), QStringLiteral("2024-02-30")});
    EXPECT_EQ(badDay.rc, 2);
    EXPECT_TRUE(badDay.err.contains(QStringLiteral("2024-02-30")));
}

TEST_F(VintorctlTest, AnUnknownCommandShowsTheUsage) {
    const TRun unknown = Run({QStringLiteral("frobnicate")});
    EXPECT_EQ(unknown.rc, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("frobnicate")));
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("用法")));
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("sql PATH")));
    const TRun none = Run({});
    EXPECT_EQ(none.rc, 2);
    EXPECT_TRUE(none.err.contains(QStringLiteral("用法")));
}

#include "storage/import/JetImport.h"

#include "storage/dao/DM.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "tests/storage/import/JetFiles.h"
#include "tests/storage/import/JetImportFixture.h"

#include <QFile>
#include <QMap>

#include <gtest/gtest.h>

#include <tuple>

namespace {

using TBuildAndFormat = std::tuple<QString, TJetFormat>;

class JetImportBuildTest : public JetImportTest,
                           public ::testing::WithParamInterface<TBuildAndFormat> {};

// The tables of an SQLite ledger that a Jet ledger has too (not the kept
// balances), with their row counts.
QMap<QString, qint64> RowCounts(const QString& ledger) {
    TDM dm;
    dm.DbBase.SetDatabaseName(ledger);
    dm.DbBase.SetReadOnly(true);
    dm.OpenSql(QStringLiteral("SELECT name FROM sqlite_master WHERE type=\"table\" AND name NOT "
                              "IN (\"sqlite_sequence\",\"TbBalance\",\"TbBalanceStamp\")"));
    QStringList tables;
    for (; !dm.Q1.Eof(); dm.Q1.Next()) {
        tables.append(dm.Q1.FieldByName(QStringLiteral("name")).AsString());
    }
    QMap<QString, qint64> counts;
    for (const QString& table : tables) {
        counts[table] = dm.SqlFieldText(QStringLiteral("SELECT Count(*) AS N FROM ") + table,
                                        QStringLiteral("N"))
                            .toLongLong();
    }
    return counts;
}

TEST_P(JetImportBuildTest, EveryRowComesOverAndIsUpgradedAsOpeningDoes) {
    const auto& [build, format] = GetParam();
    const QString older = Older(build);
    const QString jet = Jet(older, format);
    const QString target = Path(QStringLiteral("imported.mdb"));

    const TStored<JetImport::TImported> imported = Import(jet, target);
    ASSERT_TRUE(imported.Ok()) << Refusal().toStdString();
    EXPECT_EQ(imported.Value().path, target);
    EXPECT_EQ(imported.Value().build, build);
    EXPECT_EQ(imported.Value().jet4, format == TJetFormat::Jet4);
    EXPECT_TRUE(imported.Value().skippedTables.isEmpty());
    // The rows copied are the older ledger's, table by table.
    QMap<QString, qint64> copied;
    for (const JetImport::TTableRows& table : imported.Value().tables) {
        copied[table.table] = table.rows;
    }
    EXPECT_EQ(copied, RowCounts(older));

    // Row for row, seed for seed, what the older ledger becomes when opened.
    const QStringList rows = LedgerRows(target);
    EXPECT_GT(rows.size(), 100);
    EXPECT_EQ(rows, LedgerRows(Upgraded(older)));
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

// Every build, in Jet 3 and Jet 4 by turns (the layout does not depend on
// the format; the values of both formats are tried below).
QList<TBuildAndFormat> BuildsAndFormats() {
    QList<TBuildAndFormat> cases;
    for (const QString& build : LedgerUpgrade::Builds()) {
        cases.append({build, cases.size() % 2 == 0 ? TJetFormat::Jet3 : TJetFormat::Jet4});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Builds, JetImportBuildTest, ::testing::ValuesIn(BuildsAndFormats()),
                         [](const ::testing::TestParamInfo<TBuildAndFormat>& info) {
                             return QString(std::get<0>(info.param)).remove(u'.').toStdString() +
                                    (std::get<1>(info.param) == TJetFormat::Jet3 ? "Jet3" : "Jet4");
                         });

TEST_F(JetImportTest, CounterSeedsAreKeptSoTheNextRecordGetsTheNextId) {
    const QString older = Older(QStringLiteral("Build2.03"));
    // The last rental lines and a supplier were deleted: their Ids stay used.
    Sql(older, {QStringLiteral("DELETE * FROM TbRTransaction WHERE Id>5"),
                QStringLiteral("INSERT INTO TbBank (Name,Memo) VALUES (\"临时\",\"\")"),
                QStringLiteral("DELETE * FROM TbBank")});
    const auto bankSeed = [](const QString& ledger) {
        TDM dm;
        dm.DbBase.SetDatabaseName(ledger);
        return dm
            .SqlFieldText(QStringLiteral("SELECT seq AS V FROM sqlite_sequence WHERE "
                                         "name=\"TbBank\""),
                          QStringLiteral("V"))
            .toInt();
    };
    const int banks = bankSeed(older);
    ASSERT_GT(banks, 0);
    const QString target = Path(QStringLiteral("imported.mdb"));
    ASSERT_TRUE(Import(Jet(older, TJetFormat::Jet4), target).Ok()) << Refusal().toStdString();

    TDM dm;
    dm.DbBase.SetDatabaseName(target);
    dm.ExecSql(QStringLiteral("INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,Deposit,Rent,"
                              "Sn,CId2) VALUES (#2024-06-15#,#2024-06-15#,0,6,1,20,0,9,2)"));
    dm.ExecSql(QStringLiteral("INSERT INTO TbBank (Name,Memo) VALUES (\"新银行\",\"\")"));
    EXPECT_EQ(dm.SqlFieldText(QStringLiteral("SELECT Max(Id) AS V FROM TbRTransaction"),
                              QStringLiteral("V")),
              QStringLiteral("8"));
    EXPECT_EQ(dm.SqlFieldText(QStringLiteral("SELECT Id AS V FROM TbBank"), QStringLiteral("V")),
              QString::number(banks + 1));
}

TEST_F(JetImportTest, MoneyDatesAndTextsArriveExactly) {
    const QString older = Older(QStringLiteral("Build2.06"));
    const QString name = QStringLiteral("《大话西游》之月光宝盒——周星驰 ABC abc 123");
    Sql(older,
        {QStringLiteral("UPDATE TbAssociator SET Balance=499999999999.9999,Deposit=-0.0001,"
                        "Number=1.3333,LastDay=#1800-01-01# WHERE Id=1"),
         QStringLiteral("UPDATE TbAssociator SET Balance=0.1,LastDay=#2099-12-31# WHERE Id=2"),
         QStringLiteral("UPDATE TbRentCd SET Name=\"%1\",Price=12345678.5678 WHERE Id=1")
             .arg(name)});
    for (const TJetFormat format : {TJetFormat::Jet3, TJetFormat::Jet4}) {
        const QString target = Path(QStringLiteral("imported%1.mdb").arg(int(format)));
        ASSERT_TRUE(Import(Jet(older, format), target).Ok()) << Refusal().toStdString();
        TDM dm;
        dm.DbBase.SetDatabaseName(target);
        const auto value = [&dm](const QString& sql) {
            return dm.SqlFieldText(sql, QStringLiteral("V"));
        };
        EXPECT_EQ(value(QStringLiteral("SELECT Balance AS V FROM TbAssociator WHERE Id=1")),
                  QStringLiteral("499999999999.9999"));
        EXPECT_EQ(value(QStringLiteral("SELECT Deposit AS V FROM TbAssociator WHERE Id=1")),
                  QStringLiteral("-0.0001"));
        EXPECT_EQ(value(QStringLiteral("SELECT Count(*) AS V FROM TbAssociator WHERE "
                                       "LastDay=#1800-01-01# OR LastDay=#2099-12-31#")),
                  QStringLiteral("2"));
        EXPECT_EQ(value(QStringLiteral("SELECT Count(*) AS V FROM TbAssociator WHERE "
                                       "Balance=0.1 AND Number=1.3333")),
                  QStringLiteral("0")); // member 1 has the count, member 2 the balance
        EXPECT_EQ(value(QStringLiteral("SELECT Name AS V FROM TbRentCd WHERE Id=1")), name);
        EXPECT_EQ(value(QStringLiteral("SELECT Price AS V FROM TbRentCd WHERE Id=1")),
                  QStringLiteral("12345678.5678"));
    }
}

TEST_F(JetImportTest, TablesNoLedgerOfTheBuildHasAreLeftOutAndNamed) {
    const QString older = Older(QStringLiteral("Build2.03"));
    Sql(older, {QStringLiteral("CREATE TABLE TbPinter (Id COUNTER CONSTRAINT PK PRIMARY KEY,"
                               "Com TEXT(4) NOT NULL)"),
                QStringLiteral("INSERT INTO TbPinter (Com) VALUES (\"COM3\")")});
    const TStored<JetImport::TImported> imported =
        Import(Jet(older, TJetFormat::Jet3), Path(QStringLiteral("imported.mdb")));
    ASSERT_TRUE(imported.Ok()) << Refusal().toStdString();
    EXPECT_EQ(imported.Value().skippedTables, QStringList{QStringLiteral("TbPinter")});
    EXPECT_EQ(JetImport::SummaryLines(imported.Value()).back(),
              QStringLiteral("未导入的表（不属于 Build2.03 的账本）：TbPinter"));
}

// Each refusal: its message, no ledger made, nothing left beside it, and
// the source as it was.
TEST_F(JetImportTest, FilesThatAreNoLedgerOfAKnownLayoutAreRefusedAndLeaveNothing) {
    struct TCase {
        QString build;
        QStringList statements; // run on the SQLite ledger before writing it as Jet
        QString message;
    };
    const QString source = Path(QStringLiteral("shop.mdb"));
    const QList<TCase> cases = {
        {QStringLiteral("Build2.06"),
         {QStringLiteral("UPDATE TbVersion SET Version=\"Build1.99\"")},
         QStringLiteral("账本“%1”的版本“Build1.99”不认识，只能导入 Build2.00 到 Build2.06 的账本。")
             .arg(source)},
        {QStringLiteral("Build2.06"),
         {QStringLiteral("INSERT INTO TbVersion (Version) VALUES (\"Build2.06\")")},
         QStringLiteral("账本“%1”的版本表 TbVersion 应当正好有一行，现在有 2 行，不能导入。")
             .arg(source)},
        {QStringLiteral("Build2.06"),
         {QStringLiteral("DROP TABLE TbBank")},
         QStringLiteral("这不是完整的 Build2.06 账本：缺少表 TbBank，不能导入。")},
        {QStringLiteral("Build2.04"),
         {QStringLiteral("ALTER TABLE TbBank DROP COLUMN Memo")},
         QStringLiteral("这不是完整的 Build2.04 账本：表 TbBank 缺少列 Memo，不能导入。")},
        // A step of the upgrade had run on it: the column is the next build's.
        {QStringLiteral("Build2.01"),
         {QStringLiteral("ALTER TABLE TbFTransaction ADD COLUMN AId3 INTEGER NOT NULL")},
         QStringLiteral("表 TbFTransaction 的列 AId3 不属于 Build2.01 的账本，不能导入。")},
        {QStringLiteral("Build2.06"),
         {QStringLiteral("ALTER TABLE TbBank DROP COLUMN Memo"),
          QStringLiteral("ALTER TABLE TbBank ADD COLUMN Memo CURRENCY NOT NULL")},
         QStringLiteral("表 TbBank 的列 Memo 是货币类型，Build2.06 的账本中它是文本，不能导入。")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        const QString older = Older(c.build);
        Sql(older, c.statements);
        Jet(older, TJetFormat::Jet4);
        QFile::remove(older);
        const QStringList before = Files();
        const QByteArray digest = JetFiles::Digest(source);

        const TStored<JetImport::TImported> imported =
            Import(source, Path(QStringLiteral("imported.mdb")));
        ASSERT_FALSE(imported.Ok());
        EXPECT_EQ(imported.Refusal().message, c.message);
        EXPECT_EQ(Refusal(), c.message);
        EXPECT_EQ(Files(), before);
        EXPECT_EQ(JetFiles::Digest(source), digest);
    }
}

TEST_F(JetImportTest, FilesThatAreNoJetDatabaseOrNoLedgerAreRefused) {
    const QString text = Path(QStringLiteral("notes.mdb"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("这不是数据库\n");
    file.close();
    const QString empty = Path(QStringLiteral("empty.mdb"));
    ASSERT_TRUE(QFile(empty).open(QIODevice::WriteOnly));
    const QString other = Path(QStringLiteral("other.mdb"));
    ASSERT_TRUE(WriteJet(other, TJetFormat::Jet3,
                         QList<TJetTable>{{QStringLiteral("Customers"),
                                           {{QStringLiteral("Name"), TJetType::Text, 50}},
                                           {{QStringLiteral("张三")}},
                                           0}})
                    .isEmpty());
    const QString target = Path(QStringLiteral("imported.mdb"));

    for (const QString& path : {text, empty}) {
        EXPECT_FALSE(Import(path, target).Ok());
        EXPECT_EQ(Refusal(),
                  QStringLiteral("“%1”不是 Jet 数据库文件（旧版软件的 .mdb 账本），不能导入。")
                      .arg(path));
    }
    EXPECT_FALSE(Import(other, target).Ok());
    EXPECT_EQ(Refusal(),
              QStringLiteral("“%1”是 Jet 数据库，但不是本软件的账本（没有 TbVersion 表），不能"
                             "导入。")
                  .arg(other));
    EXPECT_FALSE(Import(other, Path(QStringLiteral("nowhere/imported.mdb"))).Ok());
    EXPECT_EQ(Refusal(), QStringLiteral("文件夹“%1”不存在，新账本无法写在那里。")
                             .arg(Path(QStringLiteral("nowhere"))));
    EXPECT_FALSE(Import(Path(QStringLiteral("missing.mdb")), target).Ok());
    EXPECT_TRUE(Refusal().startsWith(
        QStringLiteral("无法打开文件“%1”：").arg(Path(QStringLiteral("missing.mdb")))));
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(JetImportTest, ARowThatCannotBeReadIsNamedAndNoLedgerIsLeft) {
    const QString older = Older(QStringLiteral("Build2.06"));
    const QString source = Jet(older, TJetFormat::Jet3);
    const TJetRowPlace place = JetFiles::PlaceOf(source, QStringLiteral("TbRTransaction"), 4);
    ASSERT_EQ(place.ordinal, 4);
    JetFiles::BreakRow(source, TJetFormat::Jet3, place);
    const QStringList before = Files();
    const QByteArray digest = JetFiles::Digest(source);

    EXPECT_FALSE(Import(source, Path(QStringLiteral("imported.mdb"))).Ok());
    EXPECT_EQ(Refusal(), QStringLiteral("表 TbRTransaction 第 4 行（数据页 %1 第 %2 条记录）无法"
                                        "读取：记录的位置超出了数据页。")
                             .arg(place.page)
                             .arg(place.slot + 1));
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(JetFiles::Digest(source), digest);
}

TEST_F(JetImportTest, AnExistingTargetIsRefusedAndKept) {
    const QString source = Jet(Older(QStringLiteral("Build2.06")), TJetFormat::Jet4);
    const QString target = Path(QStringLiteral("imported.mdb"));
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("mine");
    file.close();

    EXPECT_FALSE(Import(source, target).Ok());
    EXPECT_EQ(Refusal(), QStringLiteral("账本文件“%1”已经存在，导入不会覆盖它。请先把它改名或者"
                                        "移走，或者把要导入的文件改名。")
                             .arg(target));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("mine"));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".import")));
}

TEST(JetImportTargetTest, TheDesktopPutsTheImportInTheDataDirectoryUnderItsName) {
    EXPECT_EQ(JetImport::TargetIn(QStringLiteral("/home/a/data/"),
                                  QStringLiteral("/media/old/星光.店.MDB")),
              QStringLiteral("/home/a/data/星光.店.mdb"));
}

} // namespace

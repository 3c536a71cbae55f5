#include "storage/dao/CBQuery.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/ledger/LedgerFormat.h"
#include "tests/support/LedgerFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DataModuleTest : public LedgerTest {
protected:
    void AddBank(const QString& name, const QString& memo = QString()) {
        dm_->ExecSql(
            SqlFormat("INSERT INTO TbBank (Name,Memo) VALUES (\"%s\",\"%s\")", {name, memo}));
    }
    // Many rows, then most of them deleted: free pages for a compaction.
    void LeaveFreePages() {
        TDM::TTransaction transaction(*dm_);
        for (int i = 0; i < 2000; ++i) {
            AddBank(QStringLiteral("bank %1").arg(i), QString(200, u'x'));
        }
        dm_->ExecSql(QStringLiteral("DELETE * FROM TbBank WHERE Id>3"));
        transaction.Commit();
    }
    QString Tmp() const { return QFileInfo(ledger_).absoluteDir().filePath("Tmp_mdb.mdb"); }
};

} // namespace

TEST_F(DataModuleTest, OperationsOnAQueryWithoutRows) {
    const QString none = QStringLiteral("SELECT Id,Name AS Txt,Name FROM TbBank");
    EXPECT_FALSE(dm_->SqlHasRows(none));
    EXPECT_TRUE(dm_->Q1.Active());
    EXPECT_EQ(dm_->SqlFieldText(none, QStringLiteral("Name")), QString());
    EXPECT_EQ(dm_->SqlSum(dm_->Q2, none, QStringLiteral("Id")), Currency());
    TIdList list{{QStringLiteral("所有"), 0}};
    dm_->FillIdList(list, none);
    EXPECT_EQ(list.size(), 1);
    TCBQuery query;
    EXPECT_EQ(query.OpenCount(none), 0);
    EXPECT_FALSE(query.HasRows(none));
    EXPECT_EQ(query.FieldText(none, QStringLiteral("Name")), QString());
}

TEST_F(DataModuleTest, OperationsThatTakeSqlText) {
    AddBank(QStringLiteral("工商"), QStringLiteral("0.1"));
    dm_->ExecSqlOn(dm_->Q2,
                   QStringLiteral("INSERT INTO TbBank (Name,Memo) VALUES (\"建设\",\"0.2\")"));
    dm_->OpenSqlOn(dm_->Q2, QStringLiteral("SELECT * FROM TbCdCategory"));

    // Opening leaves the query open on its first row.
    dm_->OpenSql(QStringLiteral("SELECT * FROM TbBank ORDER BY Id"));
    EXPECT_EQ(dm_->Q1.FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("工商"));
    EXPECT_TRUE(dm_->SqlHasRows(QStringLiteral("SELECT * FROM TbBank WHERE Id=2")));
    EXPECT_EQ(dm_->Q1.FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("建设"));
    EXPECT_TRUE(dm_->SqlHasRowsOn(dm_->Q2, QStringLiteral("SELECT * FROM TbBank")));
    EXPECT_EQ(dm_->Q2.RecordCount(), 2);

    // Reading one value closes the query.
    EXPECT_EQ(dm_->SqlFieldText(QStringLiteral("SELECT Name FROM TbBank WHERE Id=2"),
                                QStringLiteral("name")),
              QStringLiteral("建设"));
    EXPECT_FALSE(dm_->Q1.Active());
    EXPECT_EQ(dm_->SqlFieldTextOn(dm_->Q2, QStringLiteral("SELECT Count(*) AS N FROM TbBank"),
                                  QStringLiteral("N")),
              QStringLiteral("2"));
    EXPECT_FALSE(dm_->Q2.Active());

    // Pick lists are appended to; the query stays open.
    TIdList list{{QStringLiteral("所有银行"), 0}};
    dm_->FillIdList(list, QStringLiteral("SELECT Id,Name AS Txt FROM TbBank ORDER BY Id"));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[1].Text, QStringLiteral("工商"));
    EXPECT_EQ(list[2].Id, 2);
    EXPECT_TRUE(dm_->Q1.Active());

    // Sums are exact money: 0.1 + 0.2 is 0.3.
    EXPECT_EQ(
        dm_->SqlSum(dm_->Q2, QStringLiteral("SELECT Memo*1 AS S FROM TbBank"), QStringLiteral("S")),
        Currency::FromRaw(3000));
    EXPECT_FALSE(dm_->Q2.Active());

    // The data module lets every error through.
    EXPECT_THROW(dm_->ExecSql(QStringLiteral("UPDATE TbNoSuchTable SET A=1")), EOleException);
    EXPECT_THROW(dm_->SqlFieldText(QStringLiteral("SELECT * FROM TbBank"), QStringLiteral("X")),
                 EDAODatabaseError);
}

TEST_F(DataModuleTest, TheRecordQueryTurnsEngineErrorsIntoMinusOneOrFalse) {
    AddBank(QStringLiteral("a"));
    AddBank(QStringLiteral("b"));
    TCBQuery query;
    EXPECT_EQ(query.OpenCount(QStringLiteral("SELECT * FROM TbBank ORDER BY Id DESC")), 2);
    EXPECT_EQ(query.FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("b"));
    EXPECT_TRUE(query.HasRows(QStringLiteral("SELECT * FROM TbBank")));
    EXPECT_EQ(query.FieldText(QStringLiteral("SELECT Name FROM TbBank WHERE Id=1"),
                              QStringLiteral("Name")),
              QStringLiteral("a"));
    EXPECT_FALSE(query.Active());
    EXPECT_TRUE(query.RunSql(QStringLiteral("UPDATE TbBank SET Memo=\"m\"")));

    for (const char* bad : {"SELEC * FROM TbBank", "SELECT * FROM TbNoSuchTable",
                            "SELECT * FROM TbBank WHERE Day>=#2024-13-45#"}) {
        const QString sql = QString::fromLatin1(bad);
        EXPECT_EQ(query.OpenCount(sql), -1) << bad;
        EXPECT_FALSE(query.HasRows(sql)) << bad;
        EXPECT_EQ(query.FieldText(sql, QStringLiteral("Name")), QString()) << bad;
        EXPECT_FALSE(query.Active());
    }
    EXPECT_FALSE(query.RunSql(QStringLiteral("DELETE * FROM TbNoSuchTable")));
    EXPECT_FALSE(query.RunSql(QStringLiteral("INSERT INTO TbBank (Name) VALUES (\"他说\"好\"\")")));
    // Only engine errors are caught.
    EXPECT_THROW(query.FieldText(QStringLiteral("SELECT * FROM TbBank"), QStringLiteral("X")),
                 EDAODatabaseError);
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 2);
}

TEST_F(DataModuleTest, AValueWithQuotesIsStoredAndFoundAsTyped) {
    const QString name = QStringLiteral("他说\"好\" it's");
    AddBank(name);
    TCBQuery query;
    const QString find = SqlFormat("SELECT Id FROM TbBank WHERE Name=\"%s\"", {name});
    EXPECT_TRUE(query.HasRows(find));
    EXPECT_EQ(query.FieldText(SqlFormat("SELECT Name FROM TbBank WHERE Name='%s'", {name}),
                              QStringLiteral("Name")),
              name);
    EXPECT_TRUE(query.HasRows(
        SqlFormat("SELECT Id FROM TbBank WHERE Name LIKE \"%s*\"", {QStringLiteral("他说\"")})));
}

TEST_F(DataModuleTest, FileSizeOfReadsTheSizeOrRaises) {
    dm_->DbBase.Close();
    EXPECT_EQ(TDM::FileSizeOf(ledger_), QFileInfo(ledger_).size());
    EXPECT_GT(TDM::FileSizeOf(ledger_), 0);
    EXPECT_THROW(TDM::FileSizeOf(Path(QStringLiteral("missing.mdb"))), EInOutError);
}

TEST_F(DataModuleTest, CompactingKeepsEveryRowInASmallerLedger) {
    LeaveFreePages();
    const QString categories = Value(QStringLiteral("SELECT Count(*) AS V FROM TbCategory"));
    dm_->DbBase.Close();
    const qint64 before = QFileInfo(ledger_).size();
    dm_->DbBase.Open();
    const Currency ratio = dm_->CompactLedger();
    EXPECT_FALSE(dm_->DbBase.Connected());
    const qint64 after = QFileInfo(ledger_).size();
    EXPECT_LT(after, before);
    EXPECT_EQ(ratio,
              Currency::FromLongDouble(RoundHalfEven(static_cast<long double>(after) / before, 4)));
    EXPECT_FALSE(QFileInfo::exists(Tmp()));

    // Still a ledger with its password, holding the same rows; the next query reopens it.
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 3);
    EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) AS V FROM TbCategory")), categories);
    EXPECT_EQ(Value(QStringLiteral("SELECT Version AS V FROM TbVersion")),
              QStringLiteral("Build2.06"));
    AddBank(QStringLiteral("new"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Max(Id) AS V FROM TbBank")), QStringLiteral("2001"));

    // A second compaction works as the first.
    LeaveFreePages();
    EXPECT_LT(dm_->CompactLedger(), Currency::FromWhole(1));
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 3);
}

TEST_F(DataModuleTest, CompactingIsRefusedWhileTheLedgerIsOpenElsewhere) {
    LeaveFreePages();
    TDAODatabase other;
    other.SetDatabaseName(ledger_);
    other.SetPassword(LedgerFormat::LedgerPassword);
    other.Open();
    dm_->DbBase.Close();
    const QByteArray before = Bytes(ledger_);
    EXPECT_EQ(dm_->CompactLedger(), Currency::FromWhole(1));
    EXPECT_EQ(Bytes(ledger_), before);
    EXPECT_FALSE(QFileInfo::exists(Tmp()));
    TDAOQuery query(&other);
    query.SetSQL(QStringLiteral("SELECT Count(*) AS N FROM TbBank"));
    query.Open();
    EXPECT_EQ(query.FieldByName(QStringLiteral("N")).AsInteger(), 3);
}

TEST_F(DataModuleTest, AFailedCompactionLeavesTheLedgerAsItWas) {
    dm_->DbBase.Close();
    dm_->DbBase.SetPassword(QStringLiteral("wrong"));
    const QByteArray before = Bytes(ledger_);
    EXPECT_EQ(dm_->CompactLedger(), Currency::FromWhole(1));
    EXPECT_EQ(Bytes(ledger_), before);
    EXPECT_FALSE(QFileInfo::exists(Tmp()));
}

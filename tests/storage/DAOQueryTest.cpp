#include "storage/dao/DAOQuery.h"
#include "storage/dao/Errors.h"
#include "tests/support/LedgerFixture.h"

#include <sqlite3.h>

namespace {

QStringList Names(const TParams& list) {
    QStringList names;
    for (const TParam& p : list) {
        names.append(p.Name());
    }
    return names;
}

// A query on no connection: scanning and the final SQL need none.
struct TScan {
    explicit TScan(const QString& sql) { query.SetSQL(sql); }
    QStringList Params() { return Names(query.Params()); }
    QStringList Macros() { return Names(query.Macros()); }
    TDAOQuery query;
};

class DAOQueryTest : public LedgerTest {
protected:
    bool IndexExists(const QString& name) {
        return Count(QStringLiteral("sqlite_master"),
                     QStringLiteral("type=\"index\" AND name=\"%1\"").arg(name)) == 1;
    }
    void RawSql(const char* sql) {
        ASSERT_EQ(sqlite3_exec(dm_->DbBase.Handle(), sql, nullptr, nullptr, nullptr), SQLITE_OK);
        dm_->DbBase.SchemaChanged();
    }
};

} // namespace

TEST(DAOQueryScan, ParametersOutsideQuotedStretches) {
    EXPECT_EQ(TScan("SELECT * FROM TbFTransaction AS A WHERE A.FId=:Id").Params(),
              QStringList{"Id"});
    // Colons inside number signs, apostrophes and double quotes start nothing.
    EXPECT_EQ(TScan("SELECT * FROM T WHERE Day<#2004-05-01 2:30:00 PM# AND Memo='a:b' AND "
                    "Name=\"x:y\" AND Id=:Id")
                  .Params(),
              QStringList{"Id"});
    // Names end at blanks, commas, semicolons and closing brackets.
    EXPECT_EQ(TScan("SELECT * FROM T WHERE Id IN (:A,:B) OR X=:C;").Params(),
              (QStringList{"A", "B", "C"}));
    // A name used twice is listed twice; a doubled colon starts no name.
    EXPECT_EQ(TScan("SELECT a::b FROM T WHERE Id=:Id OR SubId=:Id").Params(),
              (QStringList{"Id", "Id"}));
    // A quoted name loses its quotes.
    EXPECT_EQ(TScan("SELECT * FROM T WHERE Name=:\"my name\"").Params(), QStringList{"my name"});
    EXPECT_TRUE(TScan("SELECT a : b FROM T").Params().isEmpty());
}

TEST(DAOQueryScan, MacrosAndLineEnds) {
    EXPECT_EQ(TScan("SELECT * FROM %Table WHERE Id=%d AND Name LIKE \"%s*\"").Macros(),
              (QStringList{"Table", "d"}));
    EXPECT_TRUE(TScan("SELECT 100%% FROM T").Macros().isEmpty());
    TDAOQuery query;
    query.SetSQL(QStringList{"SELECT *\r\nFROM T", "WHERE Id=:Id"});
    EXPECT_FALSE(query.Text().contains(u'\n'));
    EXPECT_FALSE(query.Text().contains(u'\r'));
    EXPECT_EQ(query.Text().simplified(), QStringLiteral("SELECT * FROM T WHERE Id=:Id"));
    EXPECT_EQ(Names(query.Params()), QStringList{"Id"});
    query.SetMacroChar(u'&');
    query.SetSQL(QStringLiteral("SELECT * FROM &Table WHERE Id=%d"));
    EXPECT_EQ(Names(query.Macros()), QStringList{"Table"});
}

TEST(DAOQueryScan, NewListsKeepTheValuesOfSameNamedEntries) {
    TDAOQuery query;
    query.SetSQL(QStringLiteral("SELECT * FROM T WHERE Id=:Id"));
    query.Params().ParamByName(QStringLiteral("id")).SetAsInteger(5);
    query.SetSQL(QStringLiteral("SELECT * FROM T WHERE Id=:Id OR X=:ID OR Y=:Other"));
    ASSERT_EQ(query.Params().Count(), 3);
    EXPECT_EQ(query.Params()[0].Value().toLongLong(), 5);
    EXPECT_TRUE(query.Params()[1].IsNull()); // letter case counts
    EXPECT_TRUE(query.Params()[2].IsNull());
    EXPECT_THROW(query.Params().ParamByName(QStringLiteral("Missing")), EDAODatabaseError);
}

TEST(DAOQueryScan, FinalSqlDeclaresParametersAndPutsMacrosIn) {
    TScan one("SELECT A.* FROM TbFTransaction AS A WHERE A.FId=:Id");
    one.query.Params()[0].SetAsInteger(3);
    EXPECT_EQ(one.query.FinalSql(),
              QStringLiteral("PARAMETERS [Id] LONG; SELECT A.* FROM TbFTransaction AS A WHERE "
                             "A.FId=[Id]"));

    TScan twice("SELECT * FROM T WHERE Id=:Id OR Name=:Name OR SubId=:Id AND Memo=\":Id\"");
    twice.query.Params()[0].SetAsInteger(1);
    twice.query.Params()[1].SetAsString(QStringLiteral("a"));
    twice.query.Params()[2].SetAsInteger(1);
    EXPECT_EQ(twice.query.FinalSql(),
              QStringLiteral("PARAMETERS [Id] LONG,[Name] TEXT,[Id] LONG; SELECT * FROM T WHERE "
                             "Id=[Id] OR Name=[Name] OR SubId=[Id] AND Memo=\":Id\""));

    // An unformatted "%d" is a macro without a value: it leaves nothing behind.
    TScan macros("SELECT * FROM %Table WHERE Flag=%Flag AND Day>=#%Day# AND Since=%Day AND "
                 "Id=%d AND P=5%%2");
    EXPECT_EQ(macros.Macros(), (QStringList{"Table", "Flag", "Day", "d"}));
    macros.query.Macros().ParamByName(QStringLiteral("table")).SetAsString(QStringLiteral("TbX"));
    macros.query.Macros().ParamByName(QStringLiteral("Flag")).SetAsBoolean(false);
    macros.query.Macros()[2].SetAsDateTime(QDate(2004, 5, 1));
    EXPECT_EQ(macros.query.FinalSql(),
              QStringLiteral("SELECT * FROM TbX WHERE Flag=False AND Day>=#%Day# AND "
                             "Since=2004-05-01 AND Id= AND P=5%%2"));
}

TEST(DAOQueryScan, ParameterTypesAsThePARAMETERSClauseNamesThem) {
    const QList<QPair<TFieldType, const char*>> names = {
        {TFieldType::String, "TEXT"},       {TFieldType::Smallint, "SHORT"},
        {TFieldType::Word, "SHORT"},        {TFieldType::Integer, "LONG"},
        {TFieldType::Boolean, "YESNO"},     {TFieldType::Float, "FLOAT"},
        {TFieldType::Currency, "CURRENCY"}, {TFieldType::Date, "DATETIME"},
        {TFieldType::Time, "DATETIME"},     {TFieldType::DateTime, "DATETIME"},
        {TFieldType::Guid, "GUID"},         {TFieldType::Unknown, ""},
    };
    for (const auto& [type, name] : names) {
        EXPECT_EQ(JetTypeName(type), QString::fromLatin1(name));
    }
}

TEST_F(DAOQueryTest, OpenAndExecSqlBindTheParameters) {
    dm_->DbBase.Close();
    TDAOQuery query(&dm_->DbBase);
    EXPECT_EQ(query.RowsAffected(), -1);
    query.SetSQL(QStringLiteral("SELECT Name FROM TbCategory WHERE Id=:Id"));
    query.Params().ParamByName(QStringLiteral("Id")).SetAsInteger(7);
    query.Open(); // opens the closed connection
    EXPECT_TRUE(dm_->DbBase.Connected());
    EXPECT_EQ(query.FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("退还"));

    query.SetSQL(QStringLiteral("INSERT INTO TbAssociator (Code,Name,Spell,AId,LastDay,Number,"
                                "Balance,Deposit,Telephone,Address,Memo) VALUES (:Code,:Name,\"\","
                                "1,:Day,0,:Balance,0,\"\",\"\",\"\")"));
    query.Params().ParamByName(QStringLiteral("Code")).SetAsString(QStringLiteral("1001"));
    query.Params().ParamByName(QStringLiteral("Name")).SetAsString(QStringLiteral("他说\"好\"'"));
    query.Params().ParamByName(QStringLiteral("Day")).SetAsDateTime(QDate(2024, 6, 30));
    query.Params().ParamByName(QStringLiteral("Balance")).SetAsCurrency(Currency::FromRaw(125));
    query.ExecSQL();
    EXPECT_EQ(query.RowsAffected(), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT Name&\"|\"&Balance AS V FROM TbAssociator")),
              QStringLiteral("他说\"好\"'|0.0125"));
    EXPECT_EQ(Value(QStringLiteral("SELECT LastDay AS V FROM TbAssociator")),
              QStringLiteral("2024-06-30"));

    // A name used twice is one value, set once.
    query.SetSQL(QStringLiteral("SELECT Count(*) AS N FROM TbCategory WHERE Id>=:Id AND Id<=:Id"));
    query.Params().ParamByName(QStringLiteral("Id")).SetAsInteger(12);
    query.Open();
    EXPECT_EQ(query.FieldByName(QStringLiteral("N")).AsInteger(), 1);

    query.SetSQL(QStringLiteral("UPDATE TbCategory SET Memo=\"m\" WHERE Flag=:Flag"));
    query.Params()[0].SetAsInteger(2);
    query.ExecSQL();
    EXPECT_EQ(query.RowsAffected(), 1);
    query.Params()[0].Clear(); // Null matches nothing
    query.ExecSQL();
    EXPECT_EQ(query.RowsAffected(), 0);
}

TEST_F(DAOQueryTest, AMasterRowSuppliesTheParameters) {
    dm_->OpenSqlOn(dm_->Q2, QStringLiteral("SELECT Id FROM TbCategory WHERE Id=12"));
    TDAOQuery detail(&dm_->DbBase);
    detail.SetDataSource(&dm_->Q2);
    detail.SetSQL(QStringLiteral("SELECT Name FROM TbCategory WHERE Id=:Id"));
    detail.Open();
    EXPECT_EQ(detail.FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("会员退费"));
}

TEST_F(DAOQueryTest, StatementsOfTheWrongKindAreRefused) {
    TDAOQuery query(&dm_->DbBase);
    query.SetSQL(QStringLiteral("DELETE * FROM TbBank"));
    EXPECT_THROW(query.Open(), EOleException);
    EXPECT_FALSE(query.Active());
    query.SetSQL(QStringLiteral("SELECT * FROM TbBank"));
    EXPECT_THROW(query.ExecSQL(), EOleException);
    query.SetSQL(QStringLiteral("SELEC * FROM TbBank"));
    EXPECT_THROW(query.Open(), EOleException);
    TDAOQuery unbound;
    unbound.SetSQL(QStringLiteral("SELECT * FROM TbBank"));
    EXPECT_THROW(unbound.Open(), EDAODatabaseError);
}

TEST_F(DAOQueryTest, AStatementOfSeveralStepsLandsWholeOrNotAtAll) {
    dm_->ExecSql(QStringLiteral("ALTER TABLE TbBank ADD COLUMN Extra TEXT(10)"));
    dm_->ExecSql(QStringLiteral("CREATE INDEX IX_Extra ON TbBank (Extra)"));
    RawSql("CREATE VIEW VwBank AS SELECT Extra FROM TbBank");
    {
        TDM::TTransaction transaction(*dm_);
        dm_->ExecSql(QStringLiteral("INSERT INTO TbBank (Name,Memo) VALUES (\"a\",\"\")"));
        // The column cannot go while a view reads it: its index stays as well.
        EXPECT_THROW(dm_->ExecSql(QStringLiteral("ALTER TABLE TbBank DROP COLUMN Extra")),
                     EOleException);
        EXPECT_TRUE(IndexExists(QStringLiteral("IX_Extra")));
        EXPECT_TRUE(dm_->SqlHasRows(QStringLiteral("SELECT Extra FROM TbBank")));
        transaction.Commit(); // the rest of the transaction is not harmed
    }
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 1);
    EXPECT_TRUE(IndexExists(QStringLiteral("IX_Extra")));

    RawSql("DROP VIEW VwBank");
    dm_->ExecSql(QStringLiteral("ALTER TABLE TbBank DROP COLUMN Extra"));
    EXPECT_FALSE(IndexExists(QStringLiteral("IX_Extra")));
    dm_->OpenSql(QStringLiteral("SELECT * FROM TbBank"));
    EXPECT_LT(dm_->Q1.FieldIndex(QStringLiteral("Extra")), 0);
}

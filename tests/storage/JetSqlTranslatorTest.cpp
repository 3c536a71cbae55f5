#include "storage/dao/JetSqlTranslator.h"
#include "storage/dao/Errors.h"
#include "tests/support/LedgerFixture.h"

#include <gtest/gtest.h>

namespace {

TCatalog SampleCatalog() {
    TCatalog catalog;
    catalog.AddColumn(QStringLiteral("TbFTransaction"), QStringLiteral("Day"), TColumnKind::Date);
    catalog.AddColumn(QStringLiteral("TbFTransaction"), QStringLiteral("Sum1"),
                      TColumnKind::Currency);
    catalog.AddColumn(QStringLiteral("TbFTransaction"), QStringLiteral("CId1"),
                      TColumnKind::Integer);
    catalog.AddColumn(QStringLiteral("TbRentCd"), QStringLiteral("Code"), TColumnKind::Text);
    catalog.AddColumn(QStringLiteral("TbRentCd"), QStringLiteral("Status"), TColumnKind::Integer);
    catalog.AddColumn(QStringLiteral("TbFee"), QStringLiteral("Number1"), TColumnKind::Currency);
    catalog.AddIndex(QStringLiteral("IX_Fee_Number1"), QStringLiteral("TbFee"),
                     {QStringLiteral("Number1")});
    return catalog;
}

QString One(const QString& jet) {
    const TTranslation t = TJetSqlTranslator::Translate(jet, SampleCatalog());
    EXPECT_EQ(t.statements.size(), 1) << jet.toStdString();
    return t.statements.value(0);
}

} // namespace

TEST(JetSqlTranslation, TextLiteralsBecomeApostropheQuotedWithQuotesKept) {
    EXPECT_EQ(One(QStringLiteral("SELECT * FROM TbRentCd WHERE Code=\"0001\"")),
              QStringLiteral("SELECT * FROM TbRentCd WHERE Code='0001'"));
    // A doubled double quote is one quote of the value; an apostrophe is doubled.
    EXPECT_EQ(One(QStringLiteral("SELECT * FROM TbRentCd WHERE Name=\"他说\"\"好\"\" it's\"")),
              QStringLiteral("SELECT * FROM TbRentCd WHERE Name='他说\"好\" it''s'"));
    EXPECT_EQ(One(QStringLiteral("SELECT 'a''b' AS X FROM TbRentCd")),
              QStringLiteral("SELECT 'a''b' AS X FROM TbRentCd"));
}

TEST(JetSqlTranslation, DateLiteralsBecomeDayNumbers) {
    EXPECT_EQ(One(QStringLiteral("SELECT * FROM TbFTransaction AS A WHERE A.Day>=#2004-05-01#")),
              QStringLiteral("SELECT * FROM TbFTransaction AS A WHERE A.Day>=38108"));
    EXPECT_EQ(One(QStringLiteral("SELECT * FROM TbFTransaction WHERE Day=#05/01/2004#")),
              QStringLiteral("SELECT * FROM TbFTransaction WHERE Day=38108"));
    EXPECT_EQ(
        One(QStringLiteral("SELECT * FROM TbFTransaction WHERE Day<#1899-12-31 12:00:00 PM#")),
        QStringLiteral("SELECT * FROM TbFTransaction WHERE Day<1.50000000"));
    EXPECT_THROW(One(QStringLiteral("SELECT * FROM TbFTransaction WHERE Day>=#$BDAY$#")),
                 EOleException);
}

TEST(JetSqlTranslation, LikePatternsUseSqliteWildcardsAndEscapeTheirOwn) {
    EXPECT_EQ(One(QStringLiteral("SELECT * FROM TbRentCd WHERE Code LIKE \"*0?1*\"")),
              QStringLiteral("SELECT * FROM TbRentCd WHERE Code LIKE '%0_1%' ESCAPE '\\'"));
    EXPECT_EQ(One(QStringLiteral("SELECT * FROM TbRentCd WHERE Code LIKE \"50%_a[*]*\"")),
              QStringLiteral("SELECT * FROM TbRentCd WHERE Code LIKE '50\\%\\_a*%' ESCAPE '\\'"));
    // Only the pattern of a LIKE is converted.
    EXPECT_EQ(One(QStringLiteral("SELECT * FROM TbRentCd WHERE Code=\"a*\"")),
              QStringLiteral("SELECT * FROM TbRentCd WHERE Code='a*'"));
}

TEST(JetSqlTranslation, JetStatementFormsAndFunctions) {
    EXPECT_EQ(One(QStringLiteral("DELETE * FROM TbRentCd WHERE Id=3")),
              QStringLiteral("DELETE FROM TbRentCd WHERE Id=3"));
    EXPECT_EQ(One(QStringLiteral("SELECT Id,AId FROM TbRTransaction WHERE CId2=2 AND Sn=(SELECT "
                                 "Top 1 Sn FROM TbRTransaction WHERE CId2=2 AND CId1=7 ORDER BY Id "
                                 "DESC)")),
              QStringLiteral("SELECT Id,AId FROM TbRTransaction WHERE CId2=2 AND Sn=(SELECT Sn "
                             "FROM TbRTransaction WHERE CId2=2 AND CId1=7 ORDER BY Id DESC LIMIT "
                             "1)"));
    EXPECT_EQ(One(QStringLiteral("SELECT DISTINCT TOP 5 Code FROM TbRentCd")),
              QStringLiteral("SELECT DISTINCT Code FROM TbRentCd LIMIT 5"));
    EXPECT_EQ(One(QStringLiteral("SELECT (Date()-A.Day) AS Days FROM TbFTransaction AS A")),
              QStringLiteral("SELECT (jet_today()-A.Day) AS Days FROM TbFTransaction AS A"));
    // Left of a date column cuts its date text; of anything else the value itself.
    EXPECT_EQ(One(QStringLiteral("SELECT Left(A.Day,7) AS Month FROM TbFTransaction AS A GROUP BY "
                                 "Left(A.Day,7)")),
              QStringLiteral("SELECT substr(jet_datetext(A.Day),1,7) AS Month FROM TbFTransaction "
                             "AS A GROUP BY substr(jet_datetext(A.Day),1,7)"));
    EXPECT_EQ(One(QStringLiteral("SELECT Left(Code,2) AS P FROM TbRentCd")),
              QStringLiteral("SELECT substr(Code,1,2) AS P FROM TbRentCd"));
    EXPECT_EQ(One(QStringLiteral("SELECT A.Number*A.Price*(A.Discount/10) AS S, \"a\" & Code FROM "
                                 "TbRentCd AS A")),
              QStringLiteral("SELECT A.Number*A.Price*(A.Discount*1.0/ 10) AS S, 'a' || Code FROM "
                             "TbRentCd AS A"));
    // A negative value after a minus must not turn into a comment.
    EXPECT_EQ(One(QStringLiteral("UPDATE TbRentCd SET Status=Status--1 WHERE Id=1")),
              QStringLiteral("UPDATE TbRentCd SET Status=Status- -1 WHERE Id=1"));
}

TEST(JetSqlTranslation, MoneyAssignmentsAreRoundedToFourDecimals) {
    EXPECT_EQ(One(QStringLiteral("UPDATE TbFTransaction SET Sum1=Sum1+12.50,CId1=2 WHERE Id=4")),
              QStringLiteral("UPDATE TbFTransaction SET Sum1=jet_money(Sum1+12.50),CId1=2 WHERE "
                             "Id=4"));
}

TEST(JetSqlTranslation, ParametersAndBracketedNames) {
    const TTranslation t = TJetSqlTranslator::Translate(
        QStringLiteral("PARAMETERS [Id] LONG; SELECT [Code] FROM TbRentCd AS A WHERE A.Id=[Id]"),
        SampleCatalog());
    ASSERT_EQ(t.statements.size(), 1);
    EXPECT_EQ(t.statements[0], QStringLiteral("SELECT [Code] FROM TbRentCd AS A WHERE A.Id=?"));
    EXPECT_EQ(t.parameters, QStringList{QStringLiteral("Id")});
    EXPECT_TRUE(t.isQuery);
    EXPECT_EQ(t.aliases.value(QStringLiteral("a")), QStringLiteral("TbRentCd"));
}

TEST(JetSqlTranslation, OnlyPlainSingleTableSelectsAreUpdatable) {
    auto table = [](const char* sql) {
        return TJetSqlTranslator::Translate(QString::fromUtf8(sql), SampleCatalog()).updatableTable;
    };
    EXPECT_EQ(table("SELECT * FROM TbRentCd WHERE Id=1"), QStringLiteral("TbRentCd"));
    EXPECT_EQ(table("SELECT * FROM TbRentCd AS A ORDER BY Code"), QStringLiteral("TbRentCd"));
    EXPECT_EQ(table("SELECT A.* FROM TbRentCd AS A LEFT JOIN TbFee AS B ON B.Id=A.FId"), QString());
    EXPECT_EQ(table("SELECT DISTINCT Code FROM TbRentCd"), QString());
    EXPECT_EQ(table("SELECT Code FROM TbRentCd GROUP BY Code"), QString());
}

TEST(JetSqlTranslation, TableDefinitionsGetSqliteTypesAndDefaults) {
    EXPECT_EQ(One(QStringLiteral("CREATE TABLE TbPrinter (ID COUNTER Constraint IDPK Primary "
                                 "Key,OnOff INTEGER NOT NULL,Com TEXT(4) NOT NULL)")),
              QStringLiteral("CREATE TABLE \"TbPrinter\" (\"ID\" INTEGER CONSTRAINT \"IDPK\" "
                             "PRIMARY KEY AUTOINCREMENT, \"OnOff\" INTEGER NOT NULL DEFAULT 0, "
                             "\"Com\" TEXT(4) COLLATE NOCASE NOT NULL DEFAULT '')"));
    EXPECT_EQ(One(QStringLiteral("ALTER TABLE TbAssociator ADD COLUMN Deposit Money NOT NULL")),
              QStringLiteral("ALTER TABLE \"TbAssociator\" ADD COLUMN \"Deposit\" CURRENCY NOT "
                             "NULL DEFAULT 0"));
    EXPECT_EQ(One(QStringLiteral("ALTER TABLE TbRTransaction ADD COLUMN Day2 DATE NOT NULL")),
              QStringLiteral("ALTER TABLE \"TbRTransaction\" ADD COLUMN \"Day2\" DATETIME NOT "
                             "NULL DEFAULT 0"));
    EXPECT_EQ(One(QStringLiteral("ALTER TABLE TbFee DROP CONSTRAINT Number1")),
              QStringLiteral("DROP INDEX IF EXISTS \"Number1\""));
    const TTranslation drop = TJetSqlTranslator::Translate(
        QStringLiteral("ALTER TABLE TbFee DROP COLUMN [Number1]"), SampleCatalog());
    EXPECT_EQ(drop.statements,
              (QStringList{QStringLiteral("DROP INDEX \"IX_Fee_Number1\""),
                           QStringLiteral("ALTER TABLE \"TbFee\" DROP COLUMN \"Number1\"")}));
    EXPECT_TRUE(drop.changesSchema);
}

TEST(JetSqlTranslation, EmptyStatementIsRefused) {
    EXPECT_THROW(One(QStringLiteral("   ")), EOleException);
}

TEST(JetSqlTranslation, ClausesSqliteTakesAsWrittenPassUnchanged) {
    // IIF, ABS, Is Null, Not, Between, In and joins nested in parentheses.
    EXPECT_EQ(One(QStringLiteral(
                  "SELECT IIF(A.Flag=0,ABS(A.Sum2),-A.Sum1) AS S FROM (TbFTransaction AS A INNER "
                  "JOIN TbCategory AS B ON A.CId1=B.Id) LEFT JOIN TbOperator AS C ON C.Id=A.CId3 "
                  "WHERE A.Memo Is Null AND NOT A.Flag=1 AND A.Day Between #2024-01-01# And "
                  "#2024-01-31# AND A.CId1 IN (1,2,3)")),
              QStringLiteral(
                  "SELECT IIF(A.Flag=0,ABS(A.Sum2),-A.Sum1) AS S FROM (TbFTransaction AS A INNER "
                  "JOIN TbCategory AS B ON A.CId1=B.Id) LEFT JOIN TbOperator AS C ON C.Id=A.CId3 "
                  "WHERE A.Memo Is Null AND NOT A.Flag=1 AND A.Day Between 45292 And 45322 AND "
                  "A.CId1 IN (1,2,3)"));
    EXPECT_EQ(One(QStringLiteral("SELECT 0 AS Id,\"所有影片分类\" AS Txt FROM TbVersion UNION "
                                 "SELECT Id,Name AS TXT FROM TbCdCategory")),
              QStringLiteral("SELECT 0 AS Id,'所有影片分类' AS Txt FROM TbVersion UNION SELECT "
                             "Id,Name AS TXT FROM TbCdCategory"));
}

TEST(JetSqlTranslation, ConversionFunctionsAndMod) {
    EXPECT_EQ(One(QStringLiteral("SELECT Val(Code) AS V FROM TbRentCd")),
              QStringLiteral("SELECT CAST(Code AS REAL) AS V FROM TbRentCd"));
    EXPECT_EQ(One(QStringLiteral("SELECT Fix(A.Sum1) AS V FROM TbFTransaction AS A")),
              QStringLiteral("SELECT CAST(A.Sum1 AS INTEGER) AS V FROM TbFTransaction AS A"));
    // Int rounds down, also below zero; the argument is repeated.
    EXPECT_EQ(One(QStringLiteral("SELECT Int(A.Sum1) AS V FROM TbFTransaction AS A")),
              QStringLiteral("SELECT (CAST(A.Sum1 AS INTEGER)-(A.Sum1<CAST(A.Sum1 AS INTEGER))) "
                             "AS V FROM TbFTransaction AS A"));
    // CStr of a date column is its date text; a real number prints without trailing zeros.
    EXPECT_EQ(One(QStringLiteral("SELECT CStr(A.Day) AS V FROM TbFTransaction AS A")),
              QStringLiteral("SELECT jet_datetext(A.Day) AS V FROM TbFTransaction AS A"));
    EXPECT_EQ(One(QStringLiteral("SELECT CStr(Sum1) AS V FROM TbFTransaction")),
              QStringLiteral("SELECT iif(typeof(Sum1)='real',printf('%.15g',Sum1),CAST(Sum1 AS "
                             "TEXT)) AS V FROM TbFTransaction"));
    EXPECT_EQ(One(QStringLiteral("SELECT * FROM TbRentCd WHERE IsNull(Memo) OR Id Mod 2=1")),
              QStringLiteral("SELECT * FROM TbRentCd WHERE (-(Memo IS NULL)) OR Id % 2=1"));
}

TEST(JetSqlTranslation, DatePartsAreCutFromTheDateText) {
    EXPECT_EQ(One(QStringLiteral("SELECT Year(A.Day) AS Y, Month(Date()) AS M, Day(Day) AS D "
                                 "FROM TbFTransaction AS A")),
              QStringLiteral("SELECT CAST(substr(jet_datetext(A.Day),1,4) AS INTEGER) AS Y, "
                             "CAST(substr(jet_datetext(jet_today()),6,2) AS INTEGER) AS M, "
                             "CAST(substr(jet_datetext(Day),9,2) AS INTEGER) AS D FROM "
                             "TbFTransaction AS A"));
    // A column called Day stays a column; a function of a wrong arity stays as written.
    EXPECT_EQ(One(QStringLiteral("SELECT Day, Year(1,2) FROM TbFTransaction")),
              QStringLiteral("SELECT Day, Year(1,2) FROM TbFTransaction"));
}

TEST(JetSqlTranslation, RepeatedArgumentsKeepTheirParametersInOrder) {
    const TTranslation t = TJetSqlTranslator::Translate(
        QStringLiteral("PARAMETERS [v] CURRENCY, [s] TEXT, [n] LONG; SELECT Int([v]) AS I, "
                       "Mid([s],[n]) AS M FROM TbRentCd"),
        SampleCatalog());
    ASSERT_EQ(t.statements.size(), 1);
    EXPECT_EQ(t.statements[0], QStringLiteral("SELECT (CAST(? AS INTEGER)-(?<CAST(? AS INTEGER))) "
                                              "AS I, substr(?,?) AS M FROM TbRentCd"));
    EXPECT_EQ(t.parameters,
              (QStringList{QStringLiteral("v"), QStringLiteral("v"), QStringLiteral("v"),
                           QStringLiteral("s"), QStringLiteral("n")}));
}

class JetFunctionValues : public LedgerTest {};

// What the SQLite forms of the Jet functions give on a ledger (today is 2024-06-15).
TEST_F(JetFunctionValues, MatchWhatJetGives) {
    auto value = [this](const char* expression) {
        return Value(
            QStringLiteral("SELECT %1 AS V FROM TbVersion").arg(QString::fromUtf8(expression)));
    };
    EXPECT_EQ(value("Int(2.5)"), QStringLiteral("2"));
    EXPECT_EQ(value("Int(-2.5)"), QStringLiteral("-3"));
    EXPECT_EQ(value("Int(-3)"), QStringLiteral("-3"));
    EXPECT_EQ(value("Fix(-2.5)"), QStringLiteral("-2"));
    EXPECT_EQ(value("Val(\"12.5abc\")"), QStringLiteral("12.5"));
    EXPECT_EQ(value("Val(\"abc\")"), QStringLiteral("0"));
    EXPECT_EQ(value("CStr(40.00)"), QStringLiteral("40"));
    EXPECT_EQ(value("CStr(12.50) & \"元\""), QStringLiteral("12.5元"));
    EXPECT_EQ(value("CStr(7)"), QStringLiteral("7"));
    EXPECT_EQ(value("Year(#2023-12-31#)"), QStringLiteral("2023"));
    EXPECT_EQ(value("Month(Date())"), QStringLiteral("6"));
    EXPECT_EQ(value("Day(Date()-20)"), QStringLiteral("26"));
    EXPECT_EQ(value("7 Mod 3"), QStringLiteral("1"));
    EXPECT_EQ(value("IIF(IsNull(Null),\"yes\",\"no\")"), QStringLiteral("yes"));
    EXPECT_EQ(value("IsNull(Version)=False"), QStringLiteral("1"));
}

// A misspelt column in brackets must fail, not be written as its own name.
TEST_F(JetFunctionValues, UnknownBracketedNameIsAnErrorNotText) {
    EXPECT_THROW(dm_->ExecSql(QStringLiteral("UPDATE TbVersion SET [Version]=[Versoin]")),
                 EOleException);
    EXPECT_EQ(Value(QStringLiteral("SELECT [Version] AS V FROM TbVersion")),
              QStringLiteral("Build2.06"));
}

namespace {

// Jet calls of `function` nested `depth` deep around `inner`.
QString Nested(const QString& function, int depth, const QString& inner) {
    return function.repeated(depth) + inner + QString(depth, u')');
}

} // namespace

TEST(JetSqlTranslation, NestingIsLimitedAndRepeatedArgumentsCannotMultiplyTheText) {
    const QString len = QStringLiteral("Len(");
    EXPECT_EQ(One(QStringLiteral("SELECT ") + Nested(len, 30, QStringLiteral("\"a\"")) +
                  QStringLiteral(" AS V FROM TbVersion")),
              QStringLiteral("SELECT ") +
                  Nested(QStringLiteral("length("), 30, QStringLiteral("'a'")) +
                  QStringLiteral(" AS V FROM TbVersion"));
    // Refused with a message, not by running out of stack (nor after quadratic work).
    for (const int depth : {31, 13000}) {
        EXPECT_THROW(One(QStringLiteral("SELECT ") + Nested(len, depth, QStringLiteral("1")) +
                         QStringLiteral(" FROM TbVersion")),
                     EOleException)
            << depth;
    }
    EXPECT_THROW(One(QStringLiteral("SELECT ") + QString(31, u'(') + u'1' + QString(31, u')')),
                 EOleException);
    // Each Int repeats its argument three times; nested, the text would triple per level.
    EXPECT_NO_THROW(One(QStringLiteral("SELECT Int(Int(Sum1)) FROM TbFTransaction")));
    EXPECT_THROW(One(QStringLiteral("SELECT ") +
                     Nested(QStringLiteral("Int("), 12, QStringLiteral("Sum1")) +
                     QStringLiteral(" FROM TbFTransaction")),
                 EOleException);
}

TEST(JetSqlTranslation, UnclosedLiteralsAndTextAfterASemicolonAreRefused) {
    for (const char* sql : {"SELECT * FROM TbRentCd WHERE Code LIKE \"100*",
                            "SELECT * FROM TbRentCd WHERE Code='0001",
                            "SELECT * FROM TbFTransaction WHERE Day>=#2024-01-01",
                            "DELETE * FROM TbRentCd WHERE Id=99; DELETE * FROM TbRentCd",
                            "SELECT 1 FROM TbRentCd; ;x",
                            "PARAMETERS [n] LONG; SELECT * FROM TbRentCd WHERE Id=[n]; SELECT 1"}) {
        EXPECT_THROW(One(QString::fromUtf8(sql)), EOleException) << sql;
    }
    // A closing ";" followed by blanks is fine, and so is a ";" inside a literal.
    EXPECT_EQ(One(QStringLiteral("DELETE * FROM TbRentCd WHERE Code=\"a;b\" ; \t")),
              QStringLiteral("DELETE FROM TbRentCd WHERE Code='a;b'"));
    // The statements of a trigger's body end with their own ";".
    const QString trigger = QStringLiteral(
        "CREATE TRIGGER t BEFORE DELETE ON TbRentCd BEGIN SELECT RAISE(ABORT,'no'); END");
    EXPECT_EQ(One(trigger + u';'), trigger);
    EXPECT_THROW(One(trigger + QStringLiteral("; DELETE * FROM TbRentCd")), EOleException);
    EXPECT_EQ(One(QStringLiteral("SELECT \"\"\"\" AS V FROM TbRentCd;")),
              QStringLiteral("SELECT '\"' AS V FROM TbRentCd"));
}

// SQLite is handed at most the nesting the translator takes: at that depth it
// either runs the statement or reports its own error, never overflows.
TEST_F(JetFunctionValues, TheDeepestNestingTakenRunsOrFailsCleanly) {
    EXPECT_EQ(Value(QStringLiteral("SELECT ") +
                    Nested(QStringLiteral("Len("), 30, QStringLiteral("\"abc\"")) +
                    QStringLiteral(" AS V FROM TbVersion")),
              QStringLiteral("1"));
    // Day() becomes three nested SQLite calls: beyond SQLite's parser stack.
    EXPECT_THROW(Value(QStringLiteral("SELECT ") +
                       Nested(QStringLiteral("Day("), 29, QStringLiteral("Date()")) +
                       QStringLiteral(" AS V FROM TbVersion")),
                 EOleException);
}

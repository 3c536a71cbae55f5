#include "storage/JetSqlTranslator.h"
#include "storage/Errors.h"

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
    EXPECT_EQ(t.statements[0], QStringLiteral("SELECT \"Code\" FROM TbRentCd AS A WHERE A.Id=?"));
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

#include "storage/ledger/LedgerSchema.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerFormat.h"
#include "storage/ledger/LedgerTemplate.h"
#include "tests/support/LedgerFixture.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace {

// The layout of a ledger, column by column: K counter key, T text, I integer,
// C currency, D date.
const QList<QPair<const char*, const char*>> ExpectedTables = {
    {"TbVersion", "Version:T"},
    {"TbShopInfo", "Id:K Name:T Address:T Telephone:T Memo:T"},
    {"TbPrinter", "ID:K OnOff:I Port:I Com:T Speed:T Lpt:T CashBox:I"},
    {"TbAtorType", "Id:K Name:T T_Day:I T_Sum:C T_Num:I Days:I Fee:I Punish:I Memo:T"},
    {"TbAssociator", "Id:K Code:T Name:T Spell:T AId:I LastDay:D Number:C Balance:C Deposit:C "
                     "Telephone:T Address:T Memo:T"},
    {"TbCdCategory", "Id:K Name:T SubId:I Memo:T"},
    {"TbCategory", "Id:K Name:T Spell:T SubId:I Flag:I Memo:T"},
    {"TbFee", "Id:K Name:T Deposit1:C Number1:C Rent1:C Days1:I Deposit2:C Number2:C Rent2:C "
              "Days2:I"},
    {"TbRentCd", "Id:K Code:T Name:T Spell:T Day:D Alias1:T Alias2:T CId:I FId:I Status:I "
                 "Director:T Player:T Number:I Price:C Power:C Memo:T"},
    {"TbSaleCd", "Id:K Code:T Name:T Spell:T Day:D Alias1:T Alias2:T CId:I Director:T Player:T "
                 "Number1:I Number2:I Cost:C Price:C Memo:T"},
    {"TbRTransaction", "Id:K Day1:D Day2:D AId:I CId1:I FId:I Deposit:C Rent:C Sn:I CId2:I"},
    {"TbSTransaction", "Id:K Day:D CId1:I CId2:I FId:I Discount:C Number:I Price:C Sn:I"},
    {"TbITransaction", "Id:K Day:D CId1:I CId2:I FId:I Flag:I Number:I Price:C Sn:I"},
    {"TbFTransaction", "Id:K Day:D CId1:I Flag:I CId2:I CId3:I AId1:I AId2:I AId3:I Sum1:C "
                       "Sum2:C Memo:T"},
    {"TbAccount", "Id:K Name:T Max:C Min:C No:T Bank:T Contact:T Telephone:T Memo:T"},
    {"TbCompany", "Id:K Name:T Address:T Telephone:T Memo:T"},
    {"TbBank", "Id:K Name:T Memo:T"},
    {"TbPlayer", "Id:K Name:T Spell:T Memo:T"},
    {"TbBalance", "AId:K Total:I"},
    {"TbBalanceStamp", "Stamp:I"},
};

QString OperatorColumns() {
    QString columns = QStringLiteral("Id:K Name:T Password:T");
    for (int n = 1; n <= 50; ++n) {
        columns += QStringLiteral(" Op%1:I").arg(n);
    }
    return columns;
}

class LedgerSchemaTest : public LedgerTest {
protected:
    // Rows of a statement run on the engine as written.
    QList<QStringList> Raw(const QString& sql) {
        QList<QStringList> rows;
        sqlite3_stmt* statement = nullptr;
        const QByteArray text = sql.toUtf8();
        EXPECT_EQ(
            sqlite3_prepare_v2(dm_->DbBase.Handle(), text.constData(), -1, &statement, nullptr),
            SQLITE_OK)
            << sql.toStdString();
        while (statement && sqlite3_step(statement) == SQLITE_ROW) {
            QStringList row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                row.append(QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, i))));
            }
            rows.append(row);
        }
        sqlite3_finalize(statement);
        return rows;
    }
    // "Name:K ..." of a table as the ledger has it.
    QString Layout(const QString& table) {
        QStringList columns;
        for (const QStringList& c :
             Raw(QStringLiteral("SELECT name,type,pk FROM pragma_table_info('%1')").arg(table))) {
            const QString type = c[1].toUpper();
            const char* kind = c[2] == QLatin1String("1") && type == QLatin1String("INTEGER") ? "K"
                               : type.startsWith(QLatin1String("TEXT"))                       ? "T"
                               : type == QLatin1String("INTEGER")                             ? "I"
                               : type == QLatin1String("CURRENCY")                            ? "C"
                               : type == QLatin1String("DATETIME")                            ? "D"
                                                                                              : "?";
            columns.append(c[0] + u':' + QLatin1String(kind));
        }
        return columns.join(u' ');
    }
    QString DeclaredType(const QString& table, const QString& column) {
        const auto rows = Raw(QStringLiteral("SELECT type FROM pragma_table_info('%1') WHERE "
                                             "name='%2'")
                                  .arg(table, column));
        return rows.isEmpty() ? QString() : rows[0][0];
    }
    // The plan SQLite makes for a Jet SELECT.
    QString Plan(const QString& jet) {
        QStringList steps;
        for (const QStringList& row : Raw(QStringLiteral("EXPLAIN QUERY PLAN ") +
                                          dm_->DbBase.Translate(jet).statements.value(0))) {
            steps.append(row.value(3));
        }
        return steps.join(QStringLiteral("; "));
    }
};

// A data directory of the test's own, for the blank template.
class LedgerTemplateTest : public LedgerSchemaTest {
protected:
    void SetUp() override {
        LedgerSchemaTest::SetUp();
        previousHome_ = qgetenv("VINTOR_HOME");
        qputenv("VINTOR_HOME", dir_.filePath(QStringLiteral("home")).toUtf8());
    }
    void TearDown() override {
        qputenv("VINTOR_HOME", previousHome_);
        LedgerSchemaTest::TearDown();
    }
    QByteArray previousHome_;
};

} // namespace

TEST_F(LedgerSchemaTest, EveryTableHasItsColumnsInOrderWithTheirTypes) {
    QStringList expectedNames{QStringLiteral("TbOperator")};
    EXPECT_EQ(Layout(QStringLiteral("TbOperator")), OperatorColumns());
    for (const auto& [table, columns] : ExpectedTables) {
        EXPECT_EQ(Layout(QString::fromLatin1(table)), QString::fromLatin1(columns)) << table;
        expectedNames.append(QString::fromLatin1(table));
    }
    QStringList actualNames;
    for (const QStringList& row :
         Raw(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE "
                            "'sqlite_%'"))) {
        actualNames.append(row[0]);
    }
    expectedNames.sort();
    actualNames.sort();
    EXPECT_EQ(actualNames, expectedNames);

    for (const char* column : {"Com", "Speed", "Lpt"}) {
        EXPECT_TRUE(DeclaredType(QStringLiteral("TbPrinter"), QString::fromLatin1(column))
                        .startsWith(QLatin1String("TEXT(4)")))
            << column;
    }
    EXPECT_TRUE(DeclaredType(QStringLiteral("TbPlayer"), QStringLiteral("Spell"))
                    .startsWith(QLatin1String("TEXT(20)")));
    // Keys are never reused.
    EXPECT_TRUE(
        Raw(QStringLiteral("SELECT sql FROM sqlite_master WHERE name='TbRentCd'"))[0][0].contains(
            QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive));
}

TEST_F(LedgerSchemaTest, TextComparesWithoutCaseAndEveryColumnHasADefault) {
    dm_->ExecSql(QStringLiteral("INSERT INTO TbRentCd (Code,Name) VALUES (\"abc-1\",\"x\")"));
    EXPECT_EQ(Count(QStringLiteral("TbRentCd"), QStringLiteral("Code=\"ABC-1\"")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbRentCd"), QStringLiteral("Code LIKE \"AB*\"")), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT Spell&\"|\"&Number&\"|\"&Price AS V FROM TbRentCd")),
              QStringLiteral("|0|0"));
}

TEST_F(LedgerSchemaTest, LookUpsUseTheIndexes) {
    for (const char* table : {"TbAssociator", "TbRentCd", "TbSaleCd"}) {
        const QString t = QString::fromLatin1(table);
        EXPECT_TRUE(Plan(QStringLiteral("SELECT * FROM %1 WHERE Code=\"0001\"").arg(t))
                        .contains(QLatin1String("INDEX")))
            << table;
        EXPECT_TRUE(Plan(QStringLiteral("SELECT * FROM %1 WHERE Name=\"英雄\"").arg(t))
                        .contains(QLatin1String("INDEX")))
            << table;
        EXPECT_TRUE(Plan(QStringLiteral("SELECT * FROM %1 WHERE Spell LIKE \"YX*\"").arg(t))
                        .contains(QLatin1String("INDEX")))
            << table;
    }
    for (const char* where : {"Sn=3", "FId=3", "CId1=3", "AId=3 AND CId2=2", "Day1>=45000"}) {
        EXPECT_TRUE(
            Plan(QStringLiteral("SELECT * FROM TbRTransaction WHERE %1").arg(QLatin1String(where)))
                .contains(QLatin1String("INDEX")))
            << where;
    }
    for (const char* where : {"Day>=45000", "AId1=3", "AId3=3", "CId1=3"}) {
        EXPECT_TRUE(
            Plan(QStringLiteral("SELECT * FROM TbFTransaction WHERE %1").arg(QLatin1String(where)))
                .contains(QLatin1String("INDEX")))
            << where;
    }
    EXPECT_TRUE(Plan(QStringLiteral("SELECT * FROM TbPlayer WHERE Spell LIKE \"Z*\""))
                    .contains(QLatin1String("INDEX")));
}

TEST_F(LedgerSchemaTest, ANewLedgerHoldsTheRequiredRows) {
    EXPECT_EQ(Count(QStringLiteral("TbVersion")), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT Version AS V FROM TbVersion")),
              QStringLiteral("Build2.06"));
    EXPECT_EQ(Count(QStringLiteral("TbShopInfo"), QStringLiteral("Id=1")), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT OnOff&\"|\"&Port&\"|\"&Com&\"|\"&Speed&\"|\"&Lpt&\"|\"&"
                                   "CashBox AS V FROM TbPrinter WHERE ID=1")),
              QStringLiteral("0|1|COM1|9600|LPT1|0"));
    EXPECT_EQ(Count(QStringLiteral("TbAccount"), QStringLiteral("Id=1 AND Name=\"收银箱\"")), 1);

    // The administrator: empty password, the 23 meaningful permissions.
    EXPECT_EQ(Count(QStringLiteral("TbOperator")), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT Password AS V FROM TbOperator WHERE Id=1")), QString());
    EXPECT_FALSE(Value(QStringLiteral("SELECT Name AS V FROM TbOperator WHERE Id=1")).isEmpty());
    for (int n = 1; n <= 50; ++n) {
        EXPECT_EQ(Value(QStringLiteral("SELECT Op%1 AS V FROM TbOperator WHERE Id=1").arg(n)),
                  n <= 23 ? QStringLiteral("1") : QStringLiteral("0"))
            << "Op" << n;
    }

    // System categories with their fixed Ids.
    for (int id : {1, 2, 3, 6, 7, 11, 12, 13, 16, 17, 18, 21, 22}) {
        EXPECT_EQ(Count(QStringLiteral("TbCategory"), QStringLiteral("Id=%1").arg(id)), 1) << id;
    }
    EXPECT_EQ(Count(QStringLiteral("TbCategory"), QStringLiteral("Id<=25")), 13);
    EXPECT_EQ(Value(QStringLiteral("SELECT Flag AS V FROM TbCategory WHERE Id=16")),
              QStringLiteral("2"));
    for (int id : {3, 7, 12, 13, 17, 18}) {
        EXPECT_EQ(Value(QStringLiteral("SELECT Flag AS V FROM TbCategory WHERE Id=%1").arg(id)),
                  QStringLiteral("1"))
            << id;
    }
    const QList<QPair<int, QString>> named = {{7, QStringLiteral("退还|TH")},
                                              {12, QStringLiteral("会员退费|HYTF")},
                                              {13, QStringLiteral("会员押金|HYYJ")},
                                              {17, QStringLiteral("资金划入|ZJHR")},
                                              {18, QStringLiteral("资金划出|ZJHC")}};
    for (const auto& [id, text] : named) {
        EXPECT_EQ(
            Value(
                QStringLiteral("SELECT Name&\"|\"&Spell AS V FROM TbCategory WHERE Id=%1").arg(id)),
            text);
    }
    // User categories come above the reserved Ids.
    dm_->ExecSql(QStringLiteral("INSERT INTO TbCategory (Name,Spell,SubId,Flag,Memo) VALUES "
                                "(\"杂费\",\"ZF\",0,6,\"\")"));
    EXPECT_GT(Value(QStringLiteral("SELECT Max(Id) AS V FROM TbCategory")).toInt(), 25);
}

TEST_F(LedgerSchemaTest, TheLayoutAloneReservesTheSystemCategoryIds) {
    const QString path = Path(QStringLiteral("bare.mdb"));
    LedgerFormat::CreateEmptyLedgerFile(path, LedgerFormat::LedgerPassword);
    dm_->DbBase.Close();
    dm_->DbBase.SetDatabaseName(path);
    LedgerSchema::CreateCurrentLayout(*dm_);
    EXPECT_EQ(Layout(QStringLiteral("TbOperator")), OperatorColumns());
    dm_->ExecSql(QStringLiteral("INSERT INTO TbCategory (Name,Spell,SubId,Flag,Memo) VALUES "
                                "(\"杂费\",\"ZF\",0,6,\"\")"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Max(Id) AS V FROM TbCategory")), QStringLiteral("26"));
    EXPECT_THROW(LedgerFormat::CreateEmptyLedgerFile(path, LedgerFormat::LedgerPassword),
                 EOleException);
}

TEST(LedgerFormat, PasswordStampsTellPasswordsApart) {
    const qint32 ledger = LedgerFormat::PasswordStamp(LedgerFormat::LedgerPassword);
    EXPECT_NE(ledger, 0);
    EXPECT_GT(ledger, 0);
    EXPECT_EQ(ledger, LedgerFormat::PasswordStamp(QStringLiteral("408317")));
    EXPECT_NE(ledger, LedgerFormat::PasswordStamp(QString()));
    EXPECT_NE(ledger, LedgerFormat::PasswordStamp(QStringLiteral("408318")));
    EXPECT_NE(LedgerFormat::PasswordStamp(QString()), 0);
}

TEST_F(LedgerTemplateTest, TheBlankTemplateHasStartingRowsAndNoLog) {
    const QString path = LedgerTemplate::EnsureBlankTemplate();
    EXPECT_TRUE(path.startsWith(dir_.filePath(QStringLiteral("home"))));
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral("-wal")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(20);
    EXPECT_EQ(header[18], 1) << "the template is in rollback-journal mode";

    dm_->DbBase.Close();
    dm_->DbBase.SetDatabaseName(path);
    dm_->DbBase.SetReadOnly(true);
    EXPECT_EQ(Value(QStringLiteral("SELECT Version AS V FROM TbVersion")),
              QStringLiteral("Build2.06"));
    EXPECT_GE(Count(QStringLiteral("TbAtorType")), 1);
    EXPECT_GE(Count(QStringLiteral("TbFee")), 1);
    EXPECT_GE(Count(QStringLiteral("TbCdCategory"), QStringLiteral("SubId=0")), 1);
    EXPECT_EQ(Count(QStringLiteral("TbCategory"), QStringLiteral("Id>25 AND Flag IN (3,4,5,6)")),
              Count(QStringLiteral("TbCategory"), QStringLiteral("Id>25")));
}

TEST_F(LedgerTemplateTest, ANewLedgerIsACopyOfTheTemplateAndNeverOverwrites) {
    const QString created = Path(QStringLiteral("new.mdb"));
    LedgerTemplate::CreateLedgerFromTemplate(created);
    dm_->DbBase.Close();
    dm_->DbBase.SetDatabaseName(created);
    EXPECT_EQ(Count(QStringLiteral("TbCategory"), QStringLiteral("Id<=25")), 13);
    dm_->DbBase.Close();

    const QString existing = Path(QStringLiteral("existing.mdb"));
    for (const QString& path : {created, existing}) {
        if (!QFileInfo::exists(path)) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("keep me");
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        EXPECT_THROW(LedgerTemplate::CreateLedgerFromTemplate(path), EVintorError);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before);
        EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".part")));
    }
    EXPECT_THROW(LedgerTemplate::WriteBlankLedger(existing), EOleException);
}

TEST_F(LedgerTemplateTest, AStaleHalfBuiltTemplateIsReplacedAndNeverUsed) {
    const QString path = Path(QStringLiteral("Blank"));
    QFile stale(path + QStringLiteral(".new"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("broken off");
    stale.close();
    LedgerTemplate::WriteBlankLedger(path);
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".new")));
    dm_->DbBase.Close();
    dm_->DbBase.SetDatabaseName(path);
    EXPECT_EQ(Count(QStringLiteral("TbCategory"), QStringLiteral("Id<=25")), 13);
}

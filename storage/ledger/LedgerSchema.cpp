#include "storage/ledger/LedgerSchema.h"

#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/ledger/LedgerBalances.h"

namespace LedgerSchema {

namespace {

QString OperatorFlags(const char* type) {
    QStringList flags;
    for (int n = 1; n <= OperatorFlagCount; ++n) {
        flags.append(QStringLiteral("Op%1 %2 NOT NULL").arg(n).arg(QLatin1String(type)));
    }
    return flags.join(u',');
}

struct TIndexSpec {
    const char* table;
    const char* columns;
    const char* label = nullptr; // a partial index: its name's ending and its condition
    const char* where = nullptr;
};

// Every look-up the program runs: codes, initials and names, the reference
// columns of the line tables, bill numbers and days.
const TIndexSpec Indexes[] = {
    {"TbAssociator", "Code"},
    {"TbAssociator", "Spell"},
    {"TbAssociator", "Name"},
    {"TbAssociator", "AId"},
    {"TbRentCd", "Code"},
    {"TbRentCd", "Spell"},
    {"TbRentCd", "Name"},
    {"TbRentCd", "CId"},
    {"TbRentCd", "FId"},
    {"TbRentCd", "Day"}, // the disc library opens in the order of stocking
    {"TbSaleCd", "Code"},
    {"TbSaleCd", "Spell"},
    {"TbSaleCd", "Name"},
    {"TbSaleCd", "CId"},
    {"TbSaleCd", "Day"},
    // A title's lines; the overview walks them all in title order for a long range.
    {"TbRTransaction", "CId1,CId2,AId,Day1,Day2"},
    {"TbRTransaction", "AId,CId2,Day1,CId1"}, // and the walk-in renter's lines by day
    // The overview asks per movement whether a line of it was rented in the
    // range, returned, by the walk-in renter: from this alone.
    {"TbRTransaction", "FId,CId2,AId,Day1"},
    {"TbRTransaction", "Sn"},
    // The rental reports count lines rented, or returned, in a range of days
    // from these alone (the overview by renter, AId); the overdue lists read
    // the discs out by rental day.
    {"TbRTransaction", "Day1,CId2,CId1,AId"},
    {"TbRTransaction", "Day2,CId2,Day1,CId1,AId"},
    {"TbRTransaction", "Day1", "Out", "CId2=2"},
    {"TbRTransaction", "Day2,CId2,CId1", "Cancelled", "CId2=3"}, // the overview's cancellations
    {"TbSTransaction", "CId1"},
    {"TbSTransaction", "FId"},
    {"TbSTransaction", "Sn"},
    {"TbSTransaction", "Day"},
    {"TbITransaction", "CId1"},
    {"TbITransaction", "FId"},
    {"TbITransaction", "Sn"},
    {"TbITransaction", "Day"},
    {"TbFTransaction", "Day"},
    {"TbFTransaction", "CId1,Day,Sum1,Sum2"}, // the overview's sums by kind and day
    {"TbFTransaction", "CId2"},
    {"TbFTransaction", "CId3"},
    {"TbFTransaction", "AId1"},
    {"TbFTransaction", "AId2"},
    {"TbFTransaction", "AId3"},
    {"TbCategory", "SubId"},
    {"TbCategory", "Name"},
    {"TbCdCategory", "SubId"},
    {"TbCdCategory", "Name"},
    {"TbPlayer", "Spell"},
    {"TbPlayer", "Name"},
    {"TbOperator", "Name"},
    {"TbAccount", "Name"},
    {"TbCompany", "Name"},
    {"TbBank", "Name"},
    {"TbFee", "Name"},
    {"TbAtorType", "Name"},
};

// "IX_<table>_<columns>", the columns' commas made underscores; a partial
// index's name ends in "_<label>".
QString IndexName(const TIndexSpec& index) {
    QString name =
        QStringLiteral("IX_%1_%2").arg(QLatin1String(index.table), QLatin1String(index.columns));
    name.replace(u',', u'_');
    if (index.where) {
        name.append(u'_').append(QLatin1String(index.label));
    }
    return name;
}

} // namespace

QStringList TableStatements() {
    return {
        QStringLiteral("CREATE TABLE TbVersion (Version TEXT(20) NOT NULL)"),
        QStringLiteral("CREATE TABLE TbShopInfo (Id COUNTER CONSTRAINT PK_TbShopInfo PRIMARY KEY,"
                       "Name TEXT(100) NOT NULL,Address TEXT(200) NOT NULL,"
                       "Telephone TEXT(50) NOT NULL,Memo TEXT(255) NOT NULL)"),
        QStringLiteral("CREATE TABLE TbPrinter (ID COUNTER Constraint IDPK Primary Key,OnOff "
                       "INTEGER NOT NULL,Port INTEGER NOT NULL,Com TEXT(4) NOT NULL,Speed TEXT(4) "
                       "NOT NULL,Lpt TEXT(4) NOT NULL,CashBox INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE TbOperator (Id COUNTER CONSTRAINT PK_TbOperator PRIMARY KEY,"
                       "Name TEXT(50) NOT NULL,Password TEXT(50) NOT NULL,%1)")
            .arg(OperatorFlags("INTEGER")),
        QStringLiteral("CREATE TABLE TbAtorType (Id COUNTER CONSTRAINT PK_TbAtorType PRIMARY KEY,"
                       "Name TEXT(100) NOT NULL,T_Day INTEGER NOT NULL,T_Sum CURRENCY NOT NULL,"
                       "T_Num INTEGER NOT NULL,Days INTEGER NOT NULL,Fee INTEGER NOT NULL,"
                       "Punish INTEGER NOT NULL,Memo TEXT(255) NOT NULL)"),
        QStringLiteral("CREATE TABLE TbAssociator (Id COUNTER CONSTRAINT PK_TbAssociator PRIMARY "
                       "KEY,Code TEXT(50) NOT NULL,Name TEXT(100) NOT NULL,Spell TEXT(100) NOT "
                       "NULL,AId INTEGER NOT NULL,LastDay DATETIME NOT NULL,Number CURRENCY NOT "
                       "NULL,Balance CURRENCY NOT NULL,Deposit CURRENCY NOT NULL,Telephone "
                       "TEXT(50) NOT NULL,Address TEXT(200) NOT NULL,Memo TEXT(255) NOT NULL)"),
        QStringLiteral("CREATE TABLE TbCdCategory (Id COUNTER CONSTRAINT PK_TbCdCategory PRIMARY "
                       "KEY,Name TEXT(100) NOT NULL,SubId INTEGER NOT NULL,Memo TEXT(255) NOT "
                       "NULL)"),
        QStringLiteral("CREATE TABLE TbCategory (Id COUNTER CONSTRAINT PK_TbCategory PRIMARY KEY,"
                       "Name TEXT(100) NOT NULL,Spell TEXT(100) NOT NULL,SubId INTEGER NOT NULL,"
                       "Flag INTEGER NOT NULL,Memo TEXT(255) NOT NULL)"),
        QStringLiteral("CREATE TABLE TbFee (Id COUNTER CONSTRAINT PK_TbFee PRIMARY KEY,Name "
                       "TEXT(100) NOT NULL,Deposit1 CURRENCY NOT NULL,Number1 CURRENCY NOT NULL,"
                       "Rent1 CURRENCY NOT NULL,Days1 INTEGER NOT NULL,Deposit2 CURRENCY NOT "
                       "NULL,Number2 CURRENCY NOT NULL,Rent2 CURRENCY NOT NULL,Days2 INTEGER NOT "
                       "NULL)"),
        QStringLiteral("CREATE TABLE TbRentCd (Id COUNTER CONSTRAINT PK_TbRentCd PRIMARY KEY,Code "
                       "TEXT(50) NOT NULL,Name TEXT(100) NOT NULL,Spell TEXT(100) NOT NULL,Day "
                       "DATETIME NOT NULL,Alias1 TEXT(100) NOT NULL,Alias2 TEXT(100) NOT NULL,"
                       "CId INTEGER NOT NULL,FId INTEGER NOT NULL,Status INTEGER NOT NULL,"
                       "Director TEXT(100) NOT NULL,Player TEXT(255) NOT NULL,Number INTEGER NOT "
                       "NULL,Price CURRENCY NOT NULL,Power CURRENCY NOT NULL,Memo TEXT(255) NOT "
                       "NULL)"),
        QStringLiteral("CREATE TABLE TbSaleCd (Id COUNTER CONSTRAINT PK_TbSaleCd PRIMARY KEY,Code "
                       "TEXT(50) NOT NULL,Name TEXT(100) NOT NULL,Spell TEXT(100) NOT NULL,Day "
                       "DATETIME NOT NULL,Alias1 TEXT(100) NOT NULL,Alias2 TEXT(100) NOT NULL,"
                       "CId INTEGER NOT NULL,Director TEXT(100) NOT NULL,Player TEXT(255) NOT "
                       "NULL,Number1 INTEGER NOT NULL,Number2 INTEGER NOT NULL,Cost CURRENCY NOT "
                       "NULL,Price CURRENCY NOT NULL,Memo TEXT(255) NOT NULL)"),
        QStringLiteral("CREATE TABLE TbRTransaction (Id COUNTER CONSTRAINT PK_TbRTransaction "
                       "PRIMARY KEY,Day1 DATETIME NOT NULL,Day2 DATETIME NOT NULL,AId INTEGER "
                       "NOT NULL,CId1 INTEGER NOT NULL,FId INTEGER NOT NULL,Deposit CURRENCY NOT "
                       "NULL,Rent CURRENCY NOT NULL,Sn INTEGER NOT NULL,CId2 INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE TbSTransaction (Id COUNTER CONSTRAINT PK_TbSTransaction "
                       "PRIMARY KEY,Day DATETIME NOT NULL,CId1 INTEGER NOT NULL,CId2 INTEGER NOT "
                       "NULL,FId INTEGER NOT NULL,Discount CURRENCY NOT NULL,Number INTEGER NOT "
                       "NULL,Price CURRENCY NOT NULL,Sn INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE TbITransaction (Id COUNTER CONSTRAINT PK_TbITransaction "
                       "PRIMARY KEY,Day DATETIME NOT NULL,CId1 INTEGER NOT NULL,CId2 INTEGER NOT "
                       "NULL,FId INTEGER NOT NULL,Flag INTEGER NOT NULL,Number INTEGER NOT NULL,"
                       "Price CURRENCY NOT NULL,Sn INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE TbFTransaction (Id COUNTER CONSTRAINT PK_TbFTransaction "
                       "PRIMARY KEY,Day DATETIME NOT NULL,CId1 INTEGER NOT NULL,Flag INTEGER NOT "
                       "NULL,CId2 INTEGER NOT NULL,CId3 INTEGER NOT NULL,AId1 INTEGER NOT NULL,"
                       "AId2 INTEGER NOT NULL,AId3 INTEGER NOT NULL,Sum1 CURRENCY NOT NULL,Sum2 "
                       "CURRENCY NOT NULL,Memo TEXT(255) NOT NULL)"),
        QStringLiteral("CREATE TABLE TbAccount (Id COUNTER CONSTRAINT PK_TbAccount PRIMARY KEY,"
                       "Name TEXT(100) NOT NULL,[Max] CURRENCY NOT NULL,[Min] CURRENCY NOT NULL,"
                       "[No] TEXT(50) NOT NULL,Bank TEXT(100) NOT NULL,Contact TEXT(50) NOT NULL,"
                       "Telephone TEXT(50) NOT NULL,Memo TEXT(255) NOT NULL)"),
        QStringLiteral("CREATE TABLE TbCompany (Id COUNTER CONSTRAINT PK_TbCompany PRIMARY KEY,"
                       "Name TEXT(100) NOT NULL,Address TEXT(200) NOT NULL,Telephone TEXT(50) NOT "
                       "NULL,Memo TEXT(255) NOT NULL)"),
        QStringLiteral("CREATE TABLE TbBank (Id COUNTER CONSTRAINT PK_TbBank PRIMARY KEY,Name "
                       "TEXT(100) NOT NULL,Memo TEXT(255) NOT NULL)"),
        QStringLiteral("CREATE TABLE TbPlayer (Id COUNTER CONSTRAINT PK_TbPlayer PRIMARY KEY,Name "
                       "TEXT(100) NOT NULL,Spell TEXT(20) NOT NULL,Memo TEXT(255) NOT NULL)"),
    };
}

QStringList IndexStatements() {
    QStringList statements;
    for (const TIndexSpec& index : Indexes) {
        QString statement =
            QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                .arg(IndexName(index), QLatin1String(index.table), QLatin1String(index.columns));
        if (index.where) {
            statement += QStringLiteral(" WHERE ") + QLatin1String(index.where);
        }
        statements.append(statement);
    }
    return statements;
}

QStringList IndexNames() {
    QStringList names;
    for (const TIndexSpec& index : Indexes) {
        names.append(IndexName(index));
    }
    return names;
}

QStringList RetiredIndexStatements() {
    // The single-day indexes of the line table lead the covering ones that
    // replaced them; so do the narrower forms of the indexes the overview
    // widened.
    return {QStringLiteral("DROP INDEX IF EXISTS IX_TbRTransaction_Day1"),
            QStringLiteral("DROP INDEX IF EXISTS IX_TbRTransaction_Day2"),
            QStringLiteral("DROP INDEX IF EXISTS IX_TbRTransaction_CId1"),
            QStringLiteral("DROP INDEX IF EXISTS IX_TbRTransaction_AId_CId2"),
            QStringLiteral("DROP INDEX IF EXISTS IX_TbRTransaction_FId"),
            QStringLiteral("DROP INDEX IF EXISTS IX_TbRTransaction_Day1_CId2_CId1"),
            QStringLiteral("DROP INDEX IF EXISTS IX_TbRTransaction_Day2_CId2_Day1_CId1"),
            QStringLiteral("DROP INDEX IF EXISTS IX_TbFTransaction_CId1_Day")};
}

const QList<TSystemCategory>& SystemCategories() {
    static const QList<TSystemCategory> categories = {
        {1, "返还", "FH", 1},        {2, "出租", "CZ", 1},        {3, "撤消", "CX", 1},
        {6, "销售", "XS", 1},        {7, "退还", "TH", 1},        {11, "会员缴费", "HYJF", 1},
        {12, "会员退费", "HYTF", 1}, {13, "会员押金", "HYYJ", 1}, {16, "转账", "ZZ", 2},
        {17, "资金划入", "ZJHR", 1}, {18, "资金划出", "ZJHC", 1}, {21, "出租进货", "CZJH", 1},
        {22, "销售进货", "XSJH", 1},
    };
    return categories;
}

QStringList RequiredRowStatements() {
    QStringList rows = {
        SqlFormat("INSERT INTO TbVersion (Version) VALUES (\"%s\")", {CurrentBuild}),
        QStringLiteral("INSERT INTO TbShopInfo (Id,Name,Address,Telephone,Memo) "
                       "VALUES (1,\"\",\"\",\"\",\"\")"),
        QStringLiteral("INSERT INTO TbPrinter (ID,OnOff,Port,Com,Speed,Lpt,CashBox) "
                       "VALUES (1,0,1,\"COM1\",\"9600\",\"LPT1\",0)"),
        QStringLiteral("INSERT INTO TbAccount (Id,Name,[Max],[Min],[No],Bank,Contact,Telephone,"
                       "Memo) VALUES (1,\"收银箱\",0,0,\"\",\"\",\"\",\"\",\"系统账户\")"),
    };
    QStringList columns;
    QStringList values;
    for (int n = 1; n <= OperatorFlagCount; ++n) {
        columns.append(QStringLiteral("Op%1").arg(n));
        values.append(n <= PermissionCount ? QStringLiteral("1") : QStringLiteral("0"));
    }
    rows.append(QStringLiteral("INSERT INTO TbOperator (Id,Name,Password,%1) VALUES "
                               "(1,\"管理员\",\"\",%2)")
                    .arg(columns.join(u','), values.join(u',')));
    for (const TSystemCategory& c : SystemCategories()) {
        rows.append(SqlFormat("INSERT INTO TbCategory (Id,Name,Spell,SubId,Flag,Memo) VALUES "
                              "(%d,\"%s\",\"%s\",0,%d,\"\")",
                              {c.id, c.name, c.spell, c.flag}));
    }
    return rows;
}

void CreateCurrentLayout(TDM& dm) {
    TDM::TTransaction transaction(dm);
    for (const QString& statement : TableStatements()) {
        dm.ExecSql(statement);
    }
    for (const QString& statement : IndexStatements()) {
        dm.ExecSql(statement);
    }
    for (const QString& statement : LedgerBalances::CreateStatements()) {
        dm.ExecSql(statement);
    }
    for (const QString& statement : RequiredRowStatements()) {
        dm.ExecSql(statement);
    }
    LedgerBalances::Stamp(dm);
    // User categories get Ids above the 25 reserved for system kinds.
    dm.ExecSql(QStringLiteral("UPDATE sqlite_sequence SET seq=25 WHERE name=\"TbCategory\" AND "
                              "seq<25"));
    transaction.Commit();
}

// The rental lines from which a ledger is analysed after its indexes changed.
constexpr int AnalysedLines = 10000;

void EnsureIndexes(TDM& dm) {
    // The indexes by name: a widened index replaces one of another name.
    const auto indexNames = [&dm] {
        QStringList names;
        dm.OpenSql(QStringLiteral("SELECT name FROM sqlite_master WHERE type=\"index\" ORDER BY "
                                  "name"));
        for (; !dm.Q1.Eof(); dm.Q1.Next()) {
            names.append(dm.Q1.FieldByName(QStringLiteral("name")).AsString());
        }
        dm.Q1.Close();
        return names;
    };
    const QStringList before = indexNames();
    for (const QString& statement : RetiredIndexStatements()) {
        dm.ExecSql(statement);
    }
    for (const QString& statement : IndexStatements()) {
        try {
            dm.ExecSql(statement);
        } catch (const EVintorError&) {
            // A ledger of an older layout lacks some columns until it is upgraded.
        }
    }
    // New indexes on a filled ledger: let the planner see how the rows spread
    // over them (a third of the rental lines are walk-ins). A small ledger is
    // planned well without.
    if (indexNames() != before &&
        dm.SqlFieldText(QStringLiteral("SELECT Count(*) AS V FROM TbRTransaction"),
                        QStringLiteral("V"))
                .toLongLong() >= AnalysedLines) {
        dm.ExecSql(QStringLiteral("ANALYZE"));
    }
}

} // namespace LedgerSchema

#include "storage/ledger/OlderLedgers.h"

#include "storage/Clock.h"
#include "storage/JetDate.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/ledger/ExampleLedger.h"
#include "storage/ledger/FileOps.h"
#include "storage/ledger/LedgerBalances.h"
#include "storage/ledger/LedgerFormat.h"
#include "storage/ledger/LedgerSchema.h"
#include "storage/ledger/LedgerUpgrade.h"

namespace OlderLedgers {

namespace {

void Exec(TDM& dm, const char* sql) {
    dm.ExecSql(QString::fromUtf8(sql));
}

QString Day(int offset) {
    return JetDate::ShortText(TClock::Today().addDays(offset));
}

// A rental transaction's money movement (kind 2 out, 1 returned, 3 cancelled).
struct TBill {
    int kind;
    int member; // 0 = walk-in renter
    int day;
    double received;
    double rent;
};

const TBill Bills[] = {
    {2, 1, -5, 40, 0},  // a member with two titles out
    {1, 0, -8, 20, -2}, // a walk-in renter who brought the title back
    {3, 3, -4, 10, 0},  // a member's rental cancelled
    {1, 2, -9, 0, 3},   // a member who returned two titles
    {2, 0, -1, 20, 0},  // a walk-in renter with a title out
};

struct TLine {
    int bill; // index into Bills
    int title;
    int state; // 1 returned, 2 out, 3 cancelled
    int outDay;
    int backDay;
    double deposit;
    double rent;
};

const TLine Lines[] = {
    {0, 1, 2, -5, -5, 20, 0},  {0, 2, 2, -5, -5, 20, 0},   {1, 3, 1, -10, -8, 20, 2},
    {2, 4, 3, -4, -4, 10, 0},  {3, 5, 1, -12, -9, 0, 1.5}, {3, 11, 1, -12, -9, 0, 1.5},
    {4, 12, 2, -1, -1, 20, 0},
};

void WriteRentals(TDM& dm) {
    QList<qint64> funds;
    for (const TBill& b : Bills) {
        dm.ExecSql(SqlFormat(
            "INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,Memo) "
            "VALUES (#%s#,%d,0,0,1,1,0,%d,%f,%f,\"\")",
            {Day(b.day), b.kind, b.member, Currency::FromDouble(b.received),
             Currency::FromDouble(b.rent)}));
        funds.append(dm.SqlFieldText(QStringLiteral("SELECT Max(Id) AS MaxId FROM TbFTransaction"),
                                     QStringLiteral("MaxId"))
                         .toLongLong());
    }
    for (const TLine& l : Lines) {
        dm.ExecSql(SqlFormat("INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,Deposit,Rent,Sn,"
                             "CId2) VALUES (#%s#,#%s#,%d,%d,%d,%f,%f,%d,%d)",
                             {Day(l.outDay), Day(l.backDay), Bills[l.bill].member, l.title,
                              funds[l.bill], Currency::FromDouble(l.deposit),
                              Currency::FromDouble(l.rent), l.bill + 1, l.state}));
        if (l.state == 2) {
            dm.ExecSql(SqlFormat("UPDATE TbRentCd SET Status=2 WHERE Id=%d", {l.title}));
        }
    }
}

// What the example shop lacks of a ledger that has been in use: rentals,
// printer settings of its own and an actor whose initials fill the column.
void WriteHistory(TDM& dm) {
    WriteRentals(dm);
    Exec(dm, "UPDATE TbPrinter SET OnOff=1,Port=0,Com=\"COM2\",Speed=\"4800\",Lpt=\"LPT2\","
             "CashBox=1");
    Exec(dm, "INSERT INTO TbPlayer (Name,Spell,Memo) VALUES "
             "(\"阿卜杜勒阿齐兹本阿卜杜勒拉赫曼阿勒沙特国王殿下\",\"ABDLAQZBABDLLHMALSTG\",\"\")");
}

// Each undo turns a ledger of the build a step writes into one of the build
// the step leaves.

void UndoStep1(TDM& dm) {
    Exec(dm, "UPDATE TbCategory SET Name=\"资金转入\",Spell=\"ZJZR\",Flag=0 WHERE Id=17");
    Exec(dm, "UPDATE TbCategory SET Name=\"资金转出\",Spell=\"ZJZC\",Flag=0 WHERE Id=18");
    Exec(dm, "UPDATE TbCategory SET Name=\"销售退货\",Spell=\"XSTH\",Flag=0 WHERE Id=7");
    Exec(dm, "UPDATE TbCategory SET Flag=1 WHERE Id=16");
}

void UndoStep2(TDM& dm) {
    Exec(dm, "ALTER TABLE TbFTransaction DROP COLUMN AId3");
}

void UndoStep3(TDM& dm) {
    Exec(dm, "ALTER TABLE TbAtorType DROP COLUMN Punish");
    Exec(dm, "DROP TABLE TbPrinter");
}

void UndoStep4(TDM& dm) {
    Exec(dm, "UPDATE TbCategory SET Flag=0 WHERE Id=3");
    Exec(dm, "ALTER TABLE TbPrinter DROP COLUMN CashBox");
    Exec(dm, "UPDATE TbAtorType SET Punish=Punish-1");
    // Lines kept only the day they went out.
    Exec(dm, "ALTER TABLE TbRTransaction DROP COLUMN Day2");
    LedgerUpgrade::MoveColumn(dm, QStringLiteral("TbRTransaction"), QStringLiteral("Day1"),
                              QStringLiteral("Day"), QStringLiteral("DATE"));
}

// Permissions lived in roles (TbPower, 9 flags) that operators referenced by PId.
void UndoPermissions(TDM& dm) {
    QStringList roleFlags;
    for (int n = 1; n <= 9; ++n) {
        roleFlags.append(QStringLiteral("Op%1 INTEGER NOT NULL").arg(n));
    }
    dm.ExecSql(QStringLiteral("CREATE TABLE TbPower (Id COUNTER CONSTRAINT PK_TbPower PRIMARY KEY,"
                              "Name TEXT(50) NOT NULL,%1)")
                   .arg(roleFlags.join(u',')));
    // One role per operator, each role column read from the first flag the
    // upgrade spreads it over.
    Exec(dm, "INSERT INTO TbPower (Id,Name,Op1,Op2,Op3,Op4,Op5,Op6,Op7,Op8,Op9) "
             "SELECT Id,Name,Op1,Op3,Op5,Op13,Op20,Op21,Op22,Op23,Op2 FROM TbOperator");
    Exec(dm, "ALTER TABLE TbOperator ADD COLUMN PId INTEGER NOT NULL");
    Exec(dm, "UPDATE TbOperator SET PId=Id");
    for (int n = 1; n <= LedgerSchema::OperatorFlagCount; ++n) {
        dm.ExecSql(QStringLiteral("ALTER TABLE TbOperator DROP COLUMN Op%1").arg(n));
    }
    // An old ledger may keep an operator whose role was deleted.
    Exec(dm, "INSERT INTO TbOperator (Name,Password,PId) VALUES (\"临时工\",\"\",0)");
}

void UndoStep5(TDM& dm) {
    Exec(dm, "UPDATE TbCategory SET Name=\"退会费\",Spell=\"THF\",Flag=0 WHERE Id=12");
    Exec(dm, "UPDATE TbCategory SET Name=\"押金\",Spell=\"YJ\",Flag=0 WHERE Id=13");
    UndoPermissions(dm);
    Exec(dm, "ALTER TABLE TbAssociator DROP COLUMN Deposit");
    // Counts were whole numbers.
    const char* const counts[][2] = {{"TbAssociator", "Number"},
                                     {"TbRentCd", "Power"},
                                     {"TbFee", "Number1"},
                                     {"TbFee", "Number2"}};
    for (const auto& count : counts) {
        const QString table = QString::fromUtf8(count[0]);
        const QString column = QString::fromUtf8(count[1]);
        dm.ExecSql(Format("UPDATE %s SET %s=Round(%s,0)", {table, column, column}));
        LedgerUpgrade::RetypeColumn(dm, table, column, QStringLiteral("INTEGER"));
    }
    Exec(dm, "CREATE INDEX Number1 ON TbFee (Number1)");
    Exec(dm, "CREATE INDEX Number2 ON TbFee (Number2)");
}

void UndoStep6(TDM& dm) {
    Exec(dm, "ALTER TABLE TbPlayer DROP COLUMN Spell");
}

using TUndo = void (*)(TDM&);

// The undo of the step that leaves each build but the last, in the order of
// LedgerUpgrade::Builds().
const TUndo Undos[] = {UndoStep1, UndoStep2, UndoStep3, UndoStep4, UndoStep5, UndoStep6};

// The position of `build` in LedgerUpgrade::Builds(); an unknown build raises.
qsizetype BuildIndex(const QString& build) {
    const QStringList& builds = LedgerUpgrade::Builds();
    const qsizetype index = builds.indexOf(build);
    if (index < 0) {
        throw EOleException(QStringLiteral("未知的账本版本“%1”，可用的版本是 %2。")
                                .arg(build, builds.join(QLatin1String("、"))));
    }
    return index;
}

void DropBalances(TDM& dm) {
    for (const QString& statement : LedgerBalances::DropStatements()) {
        dm.ExecSql(statement);
    }
}

// Takes the ledger of the current build back to the build at `target`.
void TakeBack(TDM& dm, qsizetype target) {
    const QStringList& builds = LedgerUpgrade::Builds();
    if (target + 1 < builds.size()) {
        DropBalances(dm); // older builds kept no balances
    }
    for (qsizetype written = builds.size() - 1; written > target; --written) {
        Undos[written - 1](dm);
        dm.ExecSql(SqlFormat("UPDATE TbVersion SET Version=\"%s\"", {builds[written - 1]}));
    }
}

// Runs `write` in one transaction on the ledger at `path`; the file goes when
// anything fails.
template <typename TWrite> void WriteInto(const QString& path, TWrite write) {
    try {
        TDM dm;
        dm.DbBase.SetDatabaseName(path);
        TDM::TTransaction transaction(dm);
        write(dm);
        transaction.Commit();
        dm.DbBase.Close();
    } catch (...) {
        FileOps::RemoveWithLogs(path);
        throw;
    }
}

} // namespace

void Write(const QString& path, const QString& build) {
    const qsizetype target = BuildIndex(build);
    ExampleLedger::Write(path);
    WriteInto(path, [target](TDM& dm) {
        WriteHistory(dm);
        TakeBack(dm, target);
    });
}

void WriteEmpty(const QString& path, const QString& build) {
    const qsizetype target = BuildIndex(build);
    LedgerFormat::CreateEmptyLedgerFile(path, LedgerFormat::LedgerPassword);
    WriteInto(path, [target](TDM& dm) {
        LedgerSchema::CreateCurrentLayout(dm);
        TakeBack(dm, target);
        DropBalances(dm);
        dm.OpenSql(QStringLiteral("SELECT name FROM sqlite_master WHERE type=\"table\" AND "
                                  "name<>\"sqlite_sequence\""));
        QStringList tables;
        for (; !dm.Q1.Eof(); dm.Q1.Next()) {
            tables.append(dm.Q1.FieldByName(QStringLiteral("name")).AsString());
        }
        for (const QString& table : tables) {
            dm.ExecSql(QStringLiteral("DELETE * FROM ") + table);
        }
        dm.ExecSql(QStringLiteral("DELETE * FROM sqlite_sequence"));
    });
}

} // namespace OlderLedgers

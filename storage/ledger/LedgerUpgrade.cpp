#include "storage/ledger/LedgerUpgrade.h"

#include "storage/Pinyin.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/ledger/LedgerBalances.h"
#include "storage/ledger/LedgerSchema.h"
#include "storage/ledger/UpgradeProgress.h"

#include <optional>

namespace LedgerUpgrade {

namespace {

constexpr int PlayerSpellWidth = 20; // TbPlayer.Spell is TEXT(20)

void Exec(TDM& dm, const char* sql) {
    dm.ExecSql(QString::fromUtf8(sql));
}

// System categories of money movements.
void Step1(TDM& dm, TUpgradeProgress&) {
    Exec(dm, "UPDATE TbCategory SET Name=\"资金划入\",Spell=\"ZJHR\",Flag=1 WHERE Id=17");
    Exec(dm, "UPDATE TbCategory SET Name=\"资金划出\",Spell=\"ZJHC\",Flag=1 WHERE Id=18");
    Exec(dm, "UPDATE TbCategory SET Name=\"退还\",Spell=\"TH\",Flag=1 WHERE Id=7");
    Exec(dm, "UPDATE TbCategory SET Flag=2 WHERE Id=16");
    Exec(dm, "UPDATE TbVersion SET Version=\"Build2.01\"");
}

// The member of each money movement: the renter of a rental movement's lines
// (the first one found), the member of a member payment.
void Step2(TDM& dm, TUpgradeProgress& progress) {
    Exec(dm, "ALTER TABLE TbFTransaction ADD COLUMN AId3 INTEGER NOT NULL");
    Exec(dm, "UPDATE TbFTransaction SET AId3=0");
    dm.OpenSql(SqlFormat("SELECT DISTINCT AId,FId FROM TbRTransaction WHERE (CId2=%d) OR "
                         "(CId2=%d) OR (CId2=%d)",
                         {1, 2, 3}));
    const TField member = dm.Q1.FieldByName(QStringLiteral("AId"));
    const TField fund = dm.Q1.FieldByName(QStringLiteral("FId"));
    for (; !dm.Q1.Eof(); dm.Q1.Next()) {
        dm.ExecSqlOn(dm.Q2, SqlFormat("UPDATE TbFTransaction SET AId3=%d WHERE Id=%d AND AId3=0",
                                      {member.AsInteger(), fund.AsInteger()}));
        progress.ProcessMessages();
    }
    dm.ExecSql(SqlFormat("UPDATE TbFTransaction SET AId3=AId1 WHERE CId1=%d", {11}));
    Exec(dm, "UPDATE TbVersion SET Version=\"Build2.02\"");
}

// Penalty mode of member types and the printer table.
void Step3(TDM& dm, TUpgradeProgress&) {
    Exec(dm, "ALTER TABLE TbAtorType ADD COLUMN Punish INTEGER NOT NULL");
    Exec(dm, "UPDATE TbAtorType SET Punish=0");
    Exec(dm, "CREATE TABLE TbPrinter (ID COUNTER Constraint IDPK Primary Key,OnOff INTEGER NOT "
             "NULL,Port INTEGER NOT NULL,Com TEXT(4) NOT NULL,Speed TEXT(4) NOT NULL,Lpt TEXT(4) "
             "NOT NULL)");
    Exec(dm, "INSERT INTO TbPrinter ( OnOff,Port,Com,Speed,Lpt) "
             "VALUES(0,1,\"COM1\",\"9600\",\"LPT1\")");
    Exec(dm, "UPDATE TbVersion SET Version=\"Build2.03\"");
}

struct TPrinterSettings {
    qint64 onOff;
    qint64 port;
    QString com;
    QString speed;
    QString lpt;
};

std::optional<TPrinterSettings> ReadPrinterSettings(TDM& dm) {
    if (!dm.SqlHasRows(QStringLiteral("SELECT * FROM TbPrinter ORDER BY ID"))) {
        return std::nullopt;
    }
    TDAOQuery& q = dm.Q1;
    return TPrinterSettings{q.FieldByName(QStringLiteral("OnOff")).AsInteger(),
                            q.FieldByName(QStringLiteral("Port")).AsInteger(),
                            q.FieldByName(QStringLiteral("Com")).AsString(),
                            q.FieldByName(QStringLiteral("Speed")).AsString(),
                            q.FieldByName(QStringLiteral("Lpt")).AsString()};
}

// Cash drawer, penalty codes from 1, the return day of rental lines. The
// printer table is made anew; the settings kept in the old one stay.
void Step4(TDM& dm, TUpgradeProgress&) {
    Exec(dm, "UPDATE TbCategory SET Flag=1 WHERE Id=3");
    std::optional<TPrinterSettings> printer;
    try {
        Exec(dm, "DROP TABLE TbPinter");
    } catch (const EVintorError&) {
        // The usual case: only the correctly spelt table exists.
        printer = ReadPrinterSettings(dm);
        Exec(dm, "DROP TABLE TbPrinter");
    }
    Exec(dm, "CREATE TABLE TbPrinter (ID COUNTER Constraint IDPK Primary Key,OnOff INTEGER NOT "
             "NULL,Port INTEGER NOT NULL,Com TEXT(4) NOT NULL,Speed TEXT(4) NOT NULL,Lpt TEXT(4) "
             "NOT NULL,CashBox INTEGER NOT NULL)");
    Exec(dm, "INSERT INTO TbPrinter ( OnOff,Port,Com,Speed,Lpt,CashBox) "
             "VALUES(0,1,\"COM1\",\"9600\",\"LPT1\",0)");
    if (printer) {
        dm.ExecSql(
            SqlFormat("UPDATE TbPrinter SET OnOff=%d,Port=%d,Com=\"%s\",Speed=\"%s\","
                      "Lpt=\"%s\"",
                      {printer->onOff, printer->port, printer->com, printer->speed, printer->lpt}));
    }
    Exec(dm, "UPDATE TbAtorType SET Punish=Punish+1");
    Exec(dm, "ALTER TABLE TbRTransaction ADD COLUMN Day2 DATE NOT NULL");
    Exec(dm, "UPDATE TbRTransaction SET Day2=Day");
    MoveColumn(dm, QStringLiteral("TbRTransaction"), QStringLiteral("Day"), QStringLiteral("Day1"),
               QStringLiteral("DATE"));
    Exec(dm, "UPDATE TbVersion SET Version=\"Build2.04\"");
}

// Each operator's permission flags from the old role table: the 9 role
// columns spread over the 23 flags that carry meaning.
void MapRolesToFlags(TDM& dm, TUpgradeProgress& progress) {
    dm.OpenSql(QStringLiteral(
        "SELECT A.Id AS OperId,B.* FROM TbOperator AS A LEFT JOIN TbPower AS B ON B.Id=A.PId"));
    TDAOQuery& q = dm.Q1;
    const TField operatorId = q.FieldByName(QStringLiteral("OperId"));
    const auto role = [&q](int n) {
        return int(q.FieldByName(QStringLiteral("Op%1").arg(n)).AsInteger()); // no role: 0
    };
    for (; !q.Eof(); q.Next()) {
        dm.ExecSqlOn(
            dm.Q2,
            SqlFormat("UPDATE TbOperator SET Op1=%d,Op2=%d,Op3=%d,Op4=%d,Op5=%d,Op6=%d,Op7=%d,"
                      "Op8=%d,Op9=%d,Op10=%d,Op11=%d,Op12=%d,Op13=%d,Op14=%d,Op15=%d,Op16=%d,"
                      "Op17=%d,Op18=%d,Op19=%d,Op20=%d,Op21=%d,Op22=%d,Op23=%d,Op24=0,Op25=0,"
                      "Op26=0,Op27=0,Op28=0,Op29=0,Op30=0,Op31=0,Op32=0,Op33=0,Op34=0,Op35=0,"
                      "Op36=0,Op37=0,Op38=0,Op39=0,Op40=0,Op41=0,Op42=0,Op43=0,Op44=0,Op45=0,"
                      "Op46=0,Op47=0,Op48=0,Op49=0,Op50=0 WHERE Id=%d",
                      {role(1), role(9), role(2), role(2), role(3), role(3),
                       role(3), role(3), role(3), role(3), role(3), role(3),
                       role(4), role(4), role(4), role(4), role(4), role(4),
                       role(4), role(5), role(6), role(7), role(8), operatorId.AsInteger()}));
        progress.ProcessMessages();
    }
}

// Fractional counts, member deposit, per-operator permissions.
void Step5(TDM& dm, TUpgradeProgress& progress) {
    const QString currency = QStringLiteral("Currency");
    RetypeColumn(dm, QStringLiteral("TbAssociator"), QStringLiteral("Number"), currency);
    RetypeColumn(dm, QStringLiteral("TbRentCd"), QStringLiteral("Power"), currency);
    Exec(dm, "ALTER TABLE TbFee DROP CONSTRAINT Number1");
    Exec(dm, "ALTER TABLE TbFee DROP CONSTRAINT Number2");
    RetypeColumn(dm, QStringLiteral("TbFee"), QStringLiteral("Number1"), currency);
    RetypeColumn(dm, QStringLiteral("TbFee"), QStringLiteral("Number2"), currency);
    Exec(dm, "ALTER TABLE TbAssociator ADD COLUMN Deposit Money NOT NULL");
    Exec(dm, "UPDATE TbAssociator SET Deposit=0");
    for (int n = 1; n <= LedgerSchema::OperatorFlagCount; ++n) {
        dm.ExecSql(SqlFormat("ALTER TABLE TbOperator ADD COLUMN %s INTEGER NOT NULL",
                             {QStringLiteral("Op%1").arg(n)}));
    }
    MapRolesToFlags(dm, progress);
    Exec(dm, "ALTER TABLE TbOperator DROP COLUMN PId");
    Exec(dm, "DROP TABLE TbPower");
    dm.ExecSql(SqlFormat(
        "UPDATE TbCategory SET Name=\"会员退费\",Spell=\"HYTF\",Flag=1 WHERE Id=%d", {12}));
    dm.ExecSql(SqlFormat(
        "UPDATE TbCategory SET Name=\"会员押金\",Spell=\"HYYJ\",Flag=1 WHERE Id=%d", {13}));
    Exec(dm, "UPDATE TbVersion SET Version=\"Build2.05\"");
}

// Pinyin initials of the actors.
void Step6(TDM& dm, TUpgradeProgress& progress) {
    Exec(dm, "ALTER TABLE TbPlayer ADD COLUMN Spell TEXT(20) NOT NULL");
    dm.OpenSql(QStringLiteral("SELECT * FROM TbPlayer"));
    TDAOQuery& q = dm.Q1;
    const TField name = q.FieldByName(QStringLiteral("Name"));
    const TField spell = q.FieldByName(QStringLiteral("Spell"));
    for (; !q.Eof(); q.Next()) {
        q.Edit();
        spell.SetAsString(PinyinInitials(name.AsString()).left(PlayerSpellWidth));
        progress.ProcessMessages();
        q.Post();
    }
    Exec(dm, "UPDATE TbVersion SET Version=\"Build2.06\"");
}

using TStep = void (*)(TDM&, TUpgradeProgress&);

// The step that leaves each build but the last, in the order of Builds().
const TStep Steps[] = {Step1, Step2, Step3, Step4, Step5, Step6};

// One step in one transaction: it lands whole or leaves the ledger as it was.
void RunStep(TDM& dm, TStep step, TUpgradeProgress& progress) {
    progress.Show();
    progress.ProcessMessages();
    try {
        TDM::TTransaction transaction(dm);
        step(dm, progress);
        transaction.Commit();
    } catch (...) {
        progress.Close();
        throw;
    }
}

} // namespace

const QStringList& Builds() {
    static const QStringList builds = {
        QStringLiteral("Build2.00"), QStringLiteral("Build2.01"), QStringLiteral("Build2.02"),
        QStringLiteral("Build2.03"), QStringLiteral("Build2.04"), QStringLiteral("Build2.05"),
        LedgerSchema::CurrentBuild,
    };
    return builds;
}

QString LedgerBuild(TDM& dm) {
    return dm.SqlFieldText(QStringLiteral("SELECT * FROM TbVersion"), QStringLiteral("Version"));
}

void UpgradeLedger(TDM& dm, TUpgradeProgress& progress) {
    const QString build = LedgerBuild(dm);
    if (!Builds().contains(build)) {
        return;
    }
    UpgradeFrom(dm, build, progress);
    // The look-ups on the columns the steps added or retyped, and the indexes
    // a ledger of the current build made before they were listed.
    LedgerSchema::EnsureIndexes(dm);
    // Last, so that the schema changes above are counted as the program's own.
    LedgerBalances::Ensure(dm);
}

void UpgradeFrom(TDM& dm, const QString& build, TUpgradeProgress& progress) {
    const qsizetype index = Builds().indexOf(build);
    if (index < 0 || index + 1 >= Builds().size()) {
        return;
    }
    RunStep(dm, Steps[index], progress);
    const QString written = Builds()[index + 1];
    if (written == LedgerSchema::CurrentBuild) {
        progress.Close();
    }
    UpgradeFrom(dm, written, progress);
}

void MoveColumn(TDM& dm, const QString& table, const QString& from, const QString& to,
                const QString& type) {
    dm.ExecSql(Format("ALTER TABLE %s ADD COLUMN [%s] %s NOT NULL", {table, to, type}));
    dm.ExecSql(Format("UPDATE %s SET [%s]=[%s]", {table, to, from}));
    dm.ExecSql(Format("ALTER TABLE %s DROP COLUMN [%s]", {table, from}));
}

void RetypeColumn(TDM& dm, const QString& table, const QString& column, const QString& type) {
    const QString temporary = QStringLiteral("Temp_") + column;
    MoveColumn(dm, table, column, temporary, type);
    MoveColumn(dm, table, temporary, column, type);
}

} // namespace LedgerUpgrade

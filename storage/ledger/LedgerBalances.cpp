#include "storage/ledger/LedgerBalances.h"

#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/dao/JetSqlTranslator.h"
#include "storage/dao/SqliteError.h"
#include "storage/records/Account.h"

#include <QHash>

#include <sqlite3.h>

namespace LedgerBalances {

namespace {

// What one movement adds to each account, as rows (AId, Delta) in 1/10000;
// %R stands for the movement (NEW, OLD or a scan's alias), %F for the scanned
// table. The cash box (1) counts a settled rental (kind 1) by its rent, a
// cancelled rental (3) and a refunded sale (7) as nothing, a movement naming
// it second and every member movement as -Sum1; any other account counts Sum1
// where it is named first and Sum2 where it is named second (once when both).
const char* const ShareRows =
    "SELECT %R.AId1 AS AId,%S(CASE WHEN %R.AId1<>1 THEN %1 WHEN %R.CId1=1 THEN abs(%2) "
    "WHEN %R.CId1 IN (3,7) THEN 0 ELSE %1 END) AS Delta%F WHERE %R.Flag=0 "
    "UNION ALL SELECT %R.AId2,%S(CASE WHEN %R.AId2=1 THEN -%1 ELSE %2 END)%F "
    "WHERE %R.Flag=0 AND %R.AId2 IS NOT %R.AId1 "
    "UNION ALL SELECT 1,%S(-%1)%F WHERE %R.Flag IS NOT 0 AND (%R.AId1=1 OR %R.AId2=1)";

enum class TSign { Add, Remove };

QString Shares(const QString& row, TSign sign, const QString& from = QString()) {
    return QString::fromLatin1(ShareRows)
        .replace(QLatin1String("%1"), QStringLiteral("CAST(round(%R.Sum1*10000) AS INTEGER)"))
        .replace(QLatin1String("%2"), QStringLiteral("CAST(round(%R.Sum2*10000) AS INTEGER)"))
        .replace(QLatin1String("%R"), row)
        .replace(QLatin1String("%S"), sign == TSign::Remove ? QStringLiteral("-") : QString())
        .replace(QLatin1String("%F"), from);
}

// Adds the share rows to the totals, one write per account whose sum is not 0.
QString AddShares(const QString& shares) {
    return QStringLiteral("INSERT INTO TbBalance (AId,Total) SELECT AId,SUM(Delta) FROM (%1) "
                          "WHERE AId>0 GROUP BY AId HAVING SUM(Delta)<>0 ON CONFLICT(AId) DO "
                          "UPDATE SET Total=Total+excluded.Total")
        .arg(shares);
}

QString Trigger(const QString& name, const QString& event, const QString& body,
                const QString& when = QString()) {
    return QStringLiteral("CREATE TRIGGER %1 %2 ON TbFTransaction%3 BEGIN %4; END")
        .arg(name, event, when.isEmpty() ? QString() : QStringLiteral(" WHEN ") + when, body);
}

// REPLACE removes a row without firing delete triggers: a movement is never
// written over another one's Id, by an insert or by a change of Id.
QString Guard(const QString& name, const QString& event, const QString& when) {
    return Trigger(name, event,
                   QStringLiteral("SELECT RAISE(ABORT,'资金记录的编号已经存在，不能覆盖。')"),
                   when);
}

const char* const Triggers[] = {"TbBalance_Insert", "TbBalance_Update", "TbBalance_Delete",
                                "TbBalance_NoReplace", "TbBalance_NoReplaceId"};

// The condition under which the kept totals are read.
const char* const StampCurrent = "S.Stamp=(SELECT schema_version FROM pragma_schema_version)";

} // namespace

QStringList CreateStatements() {
    const QString added = Shares(QStringLiteral("NEW"), TSign::Add);
    const QString removed = Shares(QStringLiteral("OLD"), TSign::Remove);
    return {
        QStringLiteral("CREATE TABLE TbBalance (AId INTEGER PRIMARY KEY,Total INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE TbBalanceStamp (Stamp INTEGER NOT NULL)"),
        Trigger(QLatin1String(Triggers[0]), QStringLiteral("AFTER INSERT"), AddShares(added)),
        Trigger(QLatin1String(Triggers[1]),
                QStringLiteral("AFTER UPDATE OF Flag,CId1,AId1,AId2,Sum1,Sum2"),
                AddShares(removed + QStringLiteral(" UNION ALL ") + added)),
        Trigger(QLatin1String(Triggers[2]), QStringLiteral("AFTER DELETE"), AddShares(removed)),
        Guard(QLatin1String(Triggers[3]), QStringLiteral("BEFORE INSERT"),
              QStringLiteral("NEW.Id IN (SELECT Id FROM TbFTransaction)")),
        Guard(QLatin1String(Triggers[4]), QStringLiteral("BEFORE UPDATE OF Id"),
              QStringLiteral("NEW.Id IS NOT OLD.Id AND NEW.Id IN (SELECT Id FROM TbFTransaction)")),
    };
}

QStringList DropStatements() {
    QStringList statements;
    for (const char* trigger : Triggers) {
        statements.append(QStringLiteral("DROP TRIGGER IF EXISTS ") + QLatin1String(trigger));
    }
    statements.append(QStringLiteral("DROP TABLE IF EXISTS TbBalance"));
    statements.append(QStringLiteral("DROP TABLE IF EXISTS TbBalanceStamp"));
    return statements;
}

bool Trusted(TDM& dm) {
    try {
        const bool trusted =
            dm.SqlHasRows(QStringLiteral("SELECT S.Stamp FROM TbBalanceStamp AS S WHERE ") +
                          QLatin1String(StampCurrent));
        dm.Q1.Close(); // an open read would keep this connection on its snapshot
        return trusted;
    } catch (const EVintorError&) {
        return false; // no table: a ledger of an older build
    }
}

void Rebuild(TDM& dm) {
    TDM::TTransaction transaction(dm);
    dm.ExecSql(QStringLiteral("DELETE FROM TbBalance"));
    dm.ExecSql(AddShares(
        Shares(QStringLiteral("A"), TSign::Add, QStringLiteral(" FROM TbFTransaction AS A"))));
    transaction.Commit();
}

void Stamp(TDM& dm) {
    TDM::TTransaction transaction(dm);
    dm.ExecSql(QStringLiteral("DELETE FROM TbBalanceStamp"));
    dm.ExecSql(QStringLiteral(
        "INSERT INTO TbBalanceStamp (Stamp) SELECT schema_version FROM pragma_schema_version"));
    transaction.Commit();
}

void Reinstall(TDM& dm) {
    TDM::TTransaction transaction(dm);
    for (const QString& statement : DropStatements() + CreateStatements()) {
        dm.ExecSql(statement);
    }
    Rebuild(dm);
    Stamp(dm);
    transaction.Commit();
}

bool Ensure(TDM& dm) {
    if (dm.DbBase.ReadOnly() || Trusted(dm)) {
        return false;
    }
    try {
        Reinstall(dm);
    } catch (const EVintorError&) {
        // A full disk or a file opened for reading only: the balances are
        // counted from the movements until an open can recount them.
        return false;
    }
    return true;
}

std::optional<Currency> Kept(TDM& dm, int accountId) {
    if (accountId <= 0) {
        return std::nullopt;
    }
    try {
        const QString sql = Format(QStringLiteral("SELECT IFNULL(B.Total,0) AS Total FROM "
                                                  "TbBalanceStamp AS S LEFT JOIN TbBalance AS B "
                                                  "ON B.AId=%d WHERE "),
                                   {accountId}) +
                            QLatin1String(StampCurrent);
        std::optional<Currency> kept;
        if (dm.SqlHasRowsOn(dm.Q2, sql)) {
            kept = Currency::FromRaw(dm.Q2.FieldByName(QStringLiteral("Total")).AsInteger());
        }
        dm.Q2.Close();
        return kept;
    } catch (const EVintorError&) {
        return std::nullopt;
    }
}

QList<TDifference> Differences(TDAODatabase& db) {
    sqlite3* handle = db.Handle();
    // Runs a statement, handing each row to `row`.
    const auto each = [handle](const QString& sql, const auto& row) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray text = sql.toUtf8();
        int rc =
            sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &statement, nullptr);
        while (rc == SQLITE_OK && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
            row(statement);
            rc = SQLITE_OK;
        }
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE) {
            RaiseEngineError(handle, rc);
        }
    };
    bool installed = false;
    each(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name='TbBalance'"),
         [&](sqlite3_stmt*) { installed = true; });
    QList<TDifference> differences;
    if (!installed) {
        return differences;
    }
    QList<TDifference> accounts;
    each(QStringLiteral("SELECT K.Id,IFNULL(B.Total,0) FROM (SELECT Id FROM TbAccount UNION "
                        "SELECT AId FROM TbBalance) AS K LEFT JOIN TbBalance AS B ON B.AId=K.Id "
                        "WHERE K.Id>0"),
         [&](sqlite3_stmt* s) {
             accounts.append({sqlite3_column_int(s, 0),
                              Currency::FromRaw(sqlite3_column_int64(s, 1)), Currency()});
         });
    // The counting statements translated once each (they name no column the
    // schema could change), apart from the connection's own cache, which a
    // check right after a commit must not disturb.
    static QHash<QString, QString> translated;
    for (TDifference& account : accounts) {
        const QString jet = TAccount::CountingSql(account.accountId);
        auto counting = translated.constFind(jet);
        if (counting == translated.cend()) {
            counting = translated.insert(
                jet, TJetSqlTranslator::Translate(jet, db.Catalog()).statements.front());
        }
        // The sum read as the data layer reads it: to the nearest 1/10000.
        each(*counting, [&](sqlite3_stmt* s) {
            account.counted = sqlite3_column_type(s, 0) == SQLITE_INTEGER
                                  ? Currency::FromWhole(sqlite3_column_int64(s, 0))
                                  : Currency::FromDouble(sqlite3_column_double(s, 0));
        });
        if (account.kept != account.counted) {
            differences.append(account);
        }
    }
    return differences;
}

} // namespace LedgerBalances

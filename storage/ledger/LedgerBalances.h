#pragma once

#include "storage/Currency.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class TDAODatabase;
class TDM;

// Every account's balance kept in TbBalance (AId, Total in 1/10000), so that
// reading it costs one row however many movements the ledger holds.
//
// Triggers on TbFTransaction add each row's share when it is inserted, take
// it away when it is deleted and do both when an amount, kind, flag or account
// of it changes, inside the writing statement: every writer (the program,
// vintorctl, another SQLite tool, a rollback) keeps the totals true. A row's
// share is the one TAccount's counting statement gives it, each amount taken
// to the nearest 1/10000, so the totals are exact integers.
//
// The totals are trusted while TbBalanceStamp holds the ledger's present
// schema version: a writer can only get round the triggers by changing the
// schema (dropping them, rebuilding the table), and any change of the schema
// moves that version on. An older ledger, one restored from a copy without the
// table, or one whose schema changed since is untrusted: its totals are
// recounted on open, and until then reading falls back to the counting
// statement.
namespace LedgerBalances {

// The tables, triggers and guards, for a new layout or a reinstall.
QStringList CreateStatements();
// Removes every piece of them (the layouts of older builds have none).
QStringList DropStatements();

// True when the kept totals can be read as they stand.
bool Trusted(TDM& dm);
// Recounts every total from the movements in one pass.
void Rebuild(TDM& dm);
// Records the present schema version as the one the totals were counted under.
void Stamp(TDM& dm);
// Installs the tables and triggers anew, recounts and stamps, in one
// transaction; a failing statement raises the engine's error.
void Reinstall(TDM& dm);
// On open: an untrusted ledger is reinstalled. True when it recounted. A
// ledger that cannot be written is left as it is (balances are then counted).
bool Ensure(TDM& dm);

// The kept balance of the account, or nothing when the totals are not trusted
// (or cannot be read) or the Id is not a stored account's (≤ 0).
std::optional<Currency> Kept(TDM& dm, int accountId);

struct TDifference {
    int accountId = 0;
    Currency kept;
    Currency counted;
};
// Every account (of TbAccount, or with a kept total) whose kept total is not
// what TAccount's counting statement gives, trusted or not; none without a
// TbBalance table. Reads through the connection's SQLite handle only, without
// touching its datasets or caches, so it may run right after a commit.
QList<TDifference> Differences(TDAODatabase& db);

} // namespace LedgerBalances

#pragma once

#include "storage/Currency.h"
#include "storage/Refusal.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class TDAODatabase;

// The file-level operations on the ledgers of the data directory: listing,
// creating from the template, backing up, restoring and naming backups.
namespace LedgerFiles {

// The ledgers of a data directory: the names of its "*.mdb" files without the
// extension, by name. The template "Blank" has no extension and is never listed.
QStringList List(const QString& dataDirectory);

// The control that takes a new ledger's name, named by Create's refusals.
inline const QString NameField = QStringLiteral("edDbName");

// Create, Backup and Restore show a refusal's message through the prompter
// themselves and hand back the path of the file made, or the refusal.

// A new ledger `name`.mdb in the data directory, copied from the template.
// Refuses an empty name, one with a blank or a path separator in it, the
// name of an existing ledger and a folder that cannot be written, each with
// its message; a refusal of the name names NameField.
TStored<QString> Create(const QString& dataDirectory, const QString& name);

// A consistent copy of the open (or closed) ledger of `database` at `target`,
// overwriting it. Taken with SQLite's online backup, so the copy is whole even
// while the ledger is in use; written beside the target and renamed at the end.
// A closed ledger is opened read-only for it. A target that is a link writes
// the file it names; one that is no regular file, or a ledger some connection
// has open, is refused.
TStored<QString> Backup(TDAODatabase& database, const QString& target);

// Copies the ledger `source` into `directory` under its own file name,
// overwriting a ledger of that name in one rename. Refused, with the ledger in
// the directory left as it was: a file that is not a ledger, is damaged or
// names an unknown build; the ledger that is open right now (`openLedger`);
// a ledger any connection of this or another program has open.
TStored<QString> Restore(const QString& source, const QString& directory,
                         const QString& openLedger = QString());

// The compaction result as the operator reads it: the new size as a share of
// the old, or the failure.
QString CompactMessage(Currency ratio);

// The name a backup taken before a carry-over gets: the ledger's file name up
// to its first ".", the date, the time with "." for ":", and ".mdb".
QString CarryOverBackupName(const QString& ledgerPath, const QDateTime& now);

} // namespace LedgerFiles

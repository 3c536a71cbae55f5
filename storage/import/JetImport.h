#pragma once

#include "storage/Refusal.h"
#include "storage/ledger/UpgradeProgress.h"

#include <QList>
#include <QString>
#include <QStringList>

// Brings a ledger of the Windows program (a Jet 3 or Jet 4 .mdb file of build
// Build2.00 … Build2.06) over into a new ledger: an empty ledger of the
// Jet ledger's build gets every row of every table of that build, with its
// Id and each table's COUNTER seed, and is then upgraded to the current
// build as opening does.
namespace JetImport {

// How far an import has got: the rows copied, then the upgrade (reported as
// TUpgradeProgress reports it).
class TImportProgress : public TUpgradeProgress {
public:
    // `done` of the `total` rows of the file copied so far; `table` is the
    // table being copied.
    virtual void Copied(const QString& /*table*/, qint64 /*done*/, qint64 /*total*/) {}
};

struct TTableRows {
    QString table;
    qint64 rows = 0;
};

// What an import made.
struct TImported {
    QString path;              // the new ledger
    QString build;             // the build of the Jet ledger
    bool jet4 = false;         // Jet 4 (else Jet 3)
    QList<TTableRows> tables;  // rows copied, per table of the build
    QStringList skippedTables; // tables of the file that no ledger of that build has
};

// Imports the Jet ledger `source` as a new ledger at `target`. The source is
// only read. The ledger is built beside the target and takes its name in one
// step at the end, so a failed import leaves no file at `target`.
//
// Refused, with the message shown through the prompter: a target that exists,
// or whose folder is missing or cannot be written; a file that cannot be read
// or is no Jet 3 or Jet 4 database; a Jet database that is not a ledger; an
// unknown build; a table or column of the build that is missing, a column the
// build does not have or one of another type; a row that cannot be read (the
// message names the table and the row). Engine failures (a full disk) are
// raised.
TStored<TImported> Import(const QString& source, const QString& target, TImportProgress& progress);

// Where the desktop program puts the import of `source`: the data directory,
// under the source's own name with the extension ".mdb".
QString TargetIn(const QString& dataDirectory, const QString& source);

// The rows copied per table, one "table<TAB>rows" line each, then a line
// naming the tables left out, when there were any.
QStringList SummaryLines(const TImported& imported);

} // namespace JetImport

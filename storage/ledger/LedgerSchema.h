#pragma once

#include <QString>
#include <QStringList>

class TDM;

// The layout of a ledger of the current build: its tables in Jet DDL, the
// indexes of every look-up, and the rows every ledger holds from the start.
namespace LedgerSchema {

inline const QString CurrentBuild = QStringLiteral("Build2.06");

// Statements creating every table of the current build.
QStringList TableStatements();
// Statements creating the look-up indexes ("CREATE INDEX IF NOT EXISTS ..."),
// for the columns that exist in the ledger's present layout.
QStringList IndexStatements();
// The names of the indexes IndexStatements() creates, in the same order.
QStringList IndexNames();
// The system rows: build, shop row, printer row, administrator, cash box and
// the system categories with their fixed Ids.
QStringList RequiredRowStatements();

// Creates the tables, indexes, kept balances and required rows on the open
// ledger of `dm`, in one transaction.
void CreateCurrentLayout(TDM& dm);
// Statements dropping the indexes an earlier layout had and this one replaced.
QStringList RetiredIndexStatements();
// Drops the retired indexes and creates any missing look-up index (run after a
// ledger is opened or upgraded); when that changed the indexes, analyses the
// ledger for the query planner.
void EnsureIndexes(TDM& dm);

// Names and initials of the system categories, by Id.
struct TSystemCategory {
    int id;
    const char* name;
    const char* spell;
    int flag;
};
const QList<TSystemCategory>& SystemCategories();

// The 23 permissions carry meaning; the administrator holds all of them.
constexpr int PermissionCount = 23;
constexpr int OperatorFlagCount = 50;

} // namespace LedgerSchema

#pragma once

#include <QString>
#include <QStringList>

class TDM;
class TUpgradeProgress;

// Brings a ledger of an older build to the current layout, one step per build.
// Each step runs in one transaction and ends by writing the next build into
// TbVersion: a step that fails leaves the ledger whole at the build before it,
// and the next open runs that step again from its start.
namespace LedgerUpgrade {

// Every build with a layout, oldest first; the last is the current one.
const QStringList& Builds();

// The build the ledger names in TbVersion (empty without a row).
QString LedgerBuild(TDM& dm);

// Reads the ledger's build and upgrades it from there, then recounts the kept
// balances when they cannot be trusted (LedgerBalances::Ensure). An unknown
// build is left alone. A failing statement raises the engine's error.
void UpgradeLedger(TDM& dm, TUpgradeProgress& progress);

// Runs the step that leaves `build`, then goes on from the build it wrote,
// until the current build is reached.
void UpgradeFrom(TDM& dm, const QString& build, TUpgradeProgress& progress);

// Moves a column's data into a new column of another name or type; the old
// column is dropped.
void MoveColumn(TDM& dm, const QString& table, const QString& from, const QString& to,
                const QString& type);
// Gives a column another type under the same name: two moves through a column
// named "Temp_" plus the name.
void RetypeColumn(TDM& dm, const QString& table, const QString& column, const QString& type);

} // namespace LedgerUpgrade

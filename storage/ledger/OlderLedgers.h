#pragma once

#include <QString>

// Ledgers in the layout of an older build, to try out and test the upgrade.
// Each is the example shop with a rental history, taken back build by build:
// the layout of a build is that of the next one with its upgrade step undone.
namespace OlderLedgers {

// Writes the ledger of `build` (one of LedgerUpgrade::Builds()) at `path`.
// Refuses to overwrite; an unknown build raises EOleException and writes
// nothing.
void Write(const QString& path, const QString& build);
// Writes an empty ledger in the layout of `build` at `path`: its tables and
// indexes with no rows, no kept balances and every COUNTER at its start.
// Refuses to overwrite; an unknown build raises EOleException.
void WriteEmpty(const QString& path, const QString& build);

} // namespace OlderLedgers

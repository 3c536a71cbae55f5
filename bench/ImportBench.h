#pragma once

#include <QString>

// The import of a ledger of the Windows program: the large ledger written as
// a Jet 4 file (once; the file is kept next to the ledger and reused), then
// imported into a new ledger and upgraded. Prints the time of each import,
// its processor time and peak memory, and the rows copied per second.
namespace ImportBench {

// `ledger` is only read.
void Run(const QString& ledger);

} // namespace ImportBench

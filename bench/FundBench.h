#pragma once

#include <QString>

// The funds window as the operator meets it: the real TFundFm shown offscreen
// on a copy of a ledger. The cash box holds nearly every movement of the
// ledger; the figures are its tab opened with its first screen, details and
// footers, the rest of its rows counted after that, the way to its last
// movement and the memory that takes, the periods of "显示选项" and a change
// of account.
namespace FundBench {

// Prints one line per figure with its target. `ledger` is only read: the
// window works on a copy of it.
void Run(const QString& ledger);

} // namespace FundBench

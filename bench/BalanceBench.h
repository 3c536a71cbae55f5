#pragma once

#include <QString>

// The kept account balances on a copy of a large ledger: the cash box's
// balance counted by its statement and read from the kept total, the trust
// check and the open that runs it, the full recount, and what the triggers
// add to a rental's and a return's commit.
namespace BalanceBench {

// Prints one line per figure. `ledger` is only read: the figures are taken on
// a copy of it.
void Run(const QString& ledger);

} // namespace BalanceBench

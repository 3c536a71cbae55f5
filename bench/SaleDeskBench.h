#pragma once

#include <QString>

// The sales counter as the operator meets it: the real TSaleFm and the bill
// search TSearchBillFm shown offscreen on a copy of a ledger, driven by keys.
// Each figure runs from the key to the window redrawn: a sale code, the sale
// of ten titles, a bill brought up by its number and a month of sales found
// by the bill search.
namespace SaleDeskBench {

// Prints one line per figure with its target. `ledger` is only read: the
// desk writes into a copy of it.
void Run(const QString& ledger);

} // namespace SaleDeskBench

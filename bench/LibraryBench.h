#pragma once

#include <QString>

// The disc library as the operator meets it: the real TManageFm shown
// offscreen on a copy of a ledger. Figures: the window opening with its first
// screen and totals, each header click, the rows counted after the first
// screen, a title located by code and by initials, the rental history of a
// busy title, the sale page shown, and the memory used while scrolling through
// every rental title.
namespace LibraryBench {

// Prints one line per figure with its target. `ledger` is only read: the
// window works on a copy of it.
void Run(const QString& ledger);

} // namespace LibraryBench

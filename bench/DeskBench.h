#pragma once

#include <QString>

// The rental desk as the operator meets it: the real TRentalFm shown in a
// window of its own (offscreen), on a copy of a ledger, driven by keys. Each
// figure runs from the key to the window redrawn: a disc code, a member with
// 20 open rentals, a 10-episode series code, the rental commit, the disc of
// an open bill and the return of its 10 lines; then the disc search by a name
// fragment, in the engine and in the search window.
namespace DeskBench {

// Prints one line per figure with its target. `ledger` is only read: the
// desk writes into a copy of it.
void Run(const QString& ledger);

} // namespace DeskBench

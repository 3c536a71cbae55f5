#pragma once

#include <QString>

// The members window as the operator meets it: the real TPersonFm shown
// offscreen on a copy of a ledger, driven by keys. Each figure runs from the
// key to the window redrawn: the window opened with its list, the next member
// with its records, a member found by its code, the list sorted by name and
// the rentals page of a member.
namespace MembersBench {

// Prints one line per figure with its target. `ledger` is only read: the
// window works on a copy of it.
void Run(const QString& ledger);

} // namespace MembersBench

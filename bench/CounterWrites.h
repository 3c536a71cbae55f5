#pragma once

#include "storage/Currency.h"
#include "storage/records/RentCd.h"

#include <QList>

class TDM;

// The writes of a rental and of its return at the counter, in the order and
// through the same row saves (load the row by Id, edit or append, post) the
// rental engine makes them, each commit in one TDM::TTransaction. The amounts
// follow the member fee columns of the discs' fee standards; they are only
// there to be written.
namespace CounterWrites {

struct TBill {
    int fund = 0;
    int sn = 0;
    int member = 0;
    QList<int> lines;
    QList<TRentCd*> discs;
    Currency deposit;
};

// Rents the loaded discs to the member: the serial (Max(Id)+1), the fund
// movement, per disc its status and its line, then the member's reduced quota.
TBill Rent(TDM& dm, int member, const QList<TRentCd*>& discs, int clerk);

// Takes the whole bill back: per line the disc's status and the line, then the
// bill's movement rewritten as a settled return.
void Return(TDM& dm, const TBill& bill, int clerk);

} // namespace CounterWrites

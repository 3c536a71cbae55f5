#pragma once

#include "storage/Currency.h"

#include <QString>

class TRentObject;

// The money entries of the rental desk handed to the engine: the amount
// received, typed under the caption of the desk's state, and the deposit
// handed back with its memo.
namespace RentAmounts {

// "实收金额" when idle, "实收租金" while returning, "实收押金" while renting.
QString ReceivedCaption(int state);

// The deposit handed back while returning: what the amount received leaves
// of the deposit, 0 when it covers the deposit.
Currency FollowingRefund(Currency deposit, Currency received);

// The typing form, run whenever the received entry changes: the typed amount
// (empty counts as 0) becomes the engine's Received and, while returning, the
// refund follows it. A text that is not an amount is reported under its
// caption and changes nothing; false then.
bool TypeReceived(TRentObject& rent, const QString& received);

// The refund entry taken before a commit: the typed amount (empty counts as
// 0) becomes Refund and the memo becomes Memo, unless it is above the
// deposit, which is refused with "实退押金不能大于押金，请重新输入！" and keeps
// both as they were; false then, as for a text that is not an amount.
bool TakeRefund(TRentObject& rent, const QString& refund, const QString& memo);

// The commit form, run before each commit (which follows in either case):
// the received amount is taken without touching the refund, then the refund
// and memo; a received text that is not an amount stops it there.
bool BeforeCommit(TRentObject& rent, const QString& received, const QString& refund,
                  const QString& memo);

} // namespace RentAmounts

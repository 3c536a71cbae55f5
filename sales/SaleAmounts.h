#pragma once

#include "storage/Currency.h"

#include <QString>

class TSaleObject;

// The amounts the sales desk hands to the engine: what is charged or paid
// back, the cash tendered, and the change that follows from them.
namespace SaleAmounts {

// Change or shortfall: cash − received while selling, total + cash − received
// while refunding; in any other state the previous change stays. A change out
// of range raises EVintorError.
Currency Change(int state, Currency total, Currency received, Currency cash, Currency previous);

// Takes the typed "实收金额" and "收到现金" (empty counts as 0) into the engine
// and recomputes its change. A text that is not an amount is reported under
// its caption and stops there, so the engine keeps the figures not yet taken;
// false then. A change out of range raises EVintorError with the cash and
// change not taken.
bool Apply(TSaleObject& sale, const QString& received, const QString& cash);

} // namespace SaleAmounts

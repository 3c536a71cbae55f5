#pragma once

#include "storage/Currency.h"

#include <optional>

// The engines' sums and products of money and stock counts. A result that
// would leave the range the ledger holds exactly (FitsLedger) or an integer
// column's range is refused: EVintorError with a clear message, raised before
// the result is kept anywhere.
namespace CheckedMoney {

Currency Add(Currency a, Currency b);
Currency Subtract(Currency a, Currency b);
Currency Multiply(Currency a, qint64 factor);
// Nearest 1/10000, ties to even.
Currency FromLongDouble(long double value);
// A stock count (an integer column) moved by `change`.
int AddCount(int count, qint64 change);

} // namespace CheckedMoney

#include "storage/CheckedMoney.h"

#include "storage/dao/Errors.h"

#include <limits>

namespace CheckedMoney {

namespace {

// Beyond the 64-bit count the arithmetic gave nothing; beyond FitsLedger the
// ledger would not store the amount exactly.
Currency InRange(const std::optional<Currency>& amount) {
    if (!amount || !FitsLedger(*amount)) {
        throw EVintorError(QStringLiteral("金额超出了账本能记录的范围，请检查数量和金额。"));
    }
    return *amount;
}

} // namespace

Currency Add(Currency a, Currency b) {
    return InRange(CheckedAdd(a, b));
}

Currency Subtract(Currency a, Currency b) {
    return InRange(CheckedSubtract(a, b));
}

Currency Multiply(Currency a, qint64 factor) {
    return InRange(CheckedMultiply(a, factor));
}

Currency FromLongDouble(long double value) {
    return InRange(CheckedFromLongDouble(value));
}

int AddCount(int count, qint64 change) {
    const qint64 sum = qint64(count) + change;
    if (change > std::numeric_limits<int>::max() || change < std::numeric_limits<int>::min() ||
        sum > std::numeric_limits<int>::max() || sum < std::numeric_limits<int>::min()) {
        throw EVintorError(QStringLiteral("数量超出了账本能记录的范围，请检查数量。"));
    }
    return int(sum);
}

} // namespace CheckedMoney

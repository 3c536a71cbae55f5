#include "sales/SaleAmounts.h"

#include "sales/SaleObject.h"
#include "storage/CheckedMoney.h"
#include "storage/InputChecks.h"

#include <optional>

namespace SaleAmounts {

Currency Change(int state, Currency total, Currency received, Currency cash, Currency previous) {
    using namespace CheckedMoney;
    switch (state) {
    case TSaleObject::Selling:
        return Subtract(cash, received);
    case TSaleObject::Refunding:
        return Subtract(Add(total, cash), received);
    default:
        return previous;
    }
}

bool Apply(TSaleObject& sale, const QString& received, const QString& cash) {
    const std::optional<Currency> receivedAmount =
        InputChecks::TypedMoney(QStringLiteral("实收金额"), received);
    if (!receivedAmount) {
        return false;
    }
    sale.Received = *receivedAmount;
    const std::optional<Currency> cashAmount =
        InputChecks::TypedMoney(QStringLiteral("收到现金"), cash);
    if (!cashAmount) {
        return false;
    }
    const Currency change = Change(sale.State, sale.Total, sale.Received, *cashAmount, sale.Change);
    sale.Cash = *cashAmount;
    sale.Change = change;
    return true;
}

} // namespace SaleAmounts

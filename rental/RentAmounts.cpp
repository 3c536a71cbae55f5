#include "rental/RentAmounts.h"

#include "rental/RentObject.h"
#include "storage/InputChecks.h"
#include "storage/Prompter.h"

#include <optional>

namespace {

// The typed received amount into the engine; false after the check reported it.
bool TakeReceived(TRentObject& rent, const QString& received) {
    const std::optional<Currency> amount =
        InputChecks::TypedMoney(RentAmounts::ReceivedCaption(rent.State), received);
    if (!amount) {
        return false;
    }
    rent.Received = *amount;
    return true;
}

} // namespace

namespace RentAmounts {

QString ReceivedCaption(int state) {
    switch (state) {
    case TRentObject::Returning:
        return QStringLiteral("实收租金");
    case TRentObject::Renting:
        return QStringLiteral("实收押金");
    default:
        return QStringLiteral("实收金额");
    }
}

Currency FollowingRefund(Currency deposit, Currency received) {
    return received < deposit ? deposit - received : Currency();
}

bool TypeReceived(TRentObject& rent, const QString& received) {
    if (!TakeReceived(rent, received)) {
        return false;
    }
    if (rent.State == TRentObject::Returning) {
        rent.Refund = FollowingRefund(rent.DepositTotal, rent.Received);
    }
    return true;
}

bool TakeRefund(TRentObject& rent, const QString& refund, const QString& memo) {
    const std::optional<Currency> amount =
        InputChecks::TypedMoney(QStringLiteral("实退押金"), refund);
    if (!amount) {
        return false;
    }
    if (*amount > rent.DepositTotal) {
        ShowError(QStringLiteral("实退押金不能大于押金，请重新输入！"));
        return false;
    }
    rent.Refund = *amount;
    rent.Memo = memo;
    return true;
}

bool BeforeCommit(TRentObject& rent, const QString& received, const QString& refund,
                  const QString& memo) {
    return TakeReceived(rent, received) && TakeRefund(rent, refund, memo);
}

} // namespace RentAmounts

#include "members/MemberDetails.h"

#include "storage/TextFormats.h"
#include "storage/records/Associator.h"

namespace {

const QString Unlimited = QStringLiteral("无限制");

QString Yuan(Currency amount) {
    return TextFormats::MoneyText(amount) + QStringLiteral("元");
}

} // namespace

TMemberDetails TMemberDetails::Of(const TAssociator& shown) {
    // Reading the quota drops an expired one in memory: done on a copy, so
    // showing a member never changes it.
    TAssociator member = shown;
    const TAtorType& type = member.AtorType;
    TMemberDetails details;
    details.code = member.Code;
    details.name = member.Name;
    details.type = type.Name;
    details.days = type.T_Day != 0 ? QStringLiteral("%1天").arg(member.RemainingDays()) : Unlimited;
    details.number = type.T_Num != 0 ? TextFormats::OneDecimalText(member.RemainingNumber()) +
                                           QStringLiteral("部")
                                     : Unlimited;
    details.balance = Yuan(member.Balance);
    details.deposit = Yuan(member.Deposit);
    details.telephone = member.Telephone;
    details.address = member.Address;
    details.memo = member.Memo;
    return details;
}

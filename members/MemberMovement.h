#pragma once

#include "storage/Currency.h"

#include <QDate>
#include <QString>

class TAssociator;
class TFTransaction;

// The money movements about a member's account (membership payment, refund to
// the member, member deposit), all through the cash box, and what each does to
// the member.
namespace MemberMovement {

enum { PaymentCategory = 11, RefundCategory = 12, DepositCategory = 13 };

bool IsMemberCategory(int category);
// Fills every column of a member movement of `amount` (never negative): the
// signs of Sum1 and Sum2 carry the direction.
void Fill(TFTransaction& movement, int memberId, int category, const QDate& day, int operatorId,
          Currency amount, const QString& memo);
// A payment is credited to the quota, a deposit replaces the one held (it is
// set, not added), a refund changes nothing.
void Apply(TAssociator& member, int category, Currency amount);
// Takes a stored movement's effect back, as deleting it does: the payment is
// revoked, the deposit reduced by the amount.
void Undo(TAssociator& member, const TFTransaction& movement);

} // namespace MemberMovement

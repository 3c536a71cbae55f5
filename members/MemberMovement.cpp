#include "members/MemberMovement.h"

#include "members/FieldValues.h"

#include "storage/records/Account.h"
#include "storage/records/Associator.h"
#include "storage/records/FTransaction.h"

namespace MemberMovement {

bool IsMemberCategory(int category) {
    return category == PaymentCategory || category == RefundCategory || category == DepositCategory;
}

void Fill(TFTransaction& movement, int memberId, int category, const QDate& day, int operatorId,
          Currency amount, const QString& memo) {
    // Money in for the cash box is -Sum1: payments and deposits come in, a
    // refund goes out.
    const Currency in = category == RefundCategory ? -amount : amount;
    movement.Day = day;
    movement.CId1 = category;
    movement.Flag = TFTransaction::MemberMovement;
    movement.CId2 = 0;
    movement.CId3 = operatorId;
    movement.AId1 = memberId;
    movement.AId2 = TAccount::CashBoxId;
    movement.AId3 = memberId;
    movement.Sum1 = -in;
    movement.Sum2 = in;
    movement.Memo = memo;
}

void Apply(TAssociator& member, int category, Currency amount) {
    if (category == PaymentCategory) {
        member.ApplyPayment(amount);
    } else if (category == DepositCategory) {
        member.Deposit = amount;
    }
}

void Undo(TAssociator& member, const TFTransaction& movement) {
    const Currency amount = FieldValues::Absolute(movement.Sum1);
    if (movement.CId1 == PaymentCategory) {
        member.RevokePayment(amount);
    } else if (movement.CId1 == DepositCategory) {
        member.ReduceDeposit(amount);
    }
}

} // namespace MemberMovement

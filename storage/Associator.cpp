#include "storage/Associator.h"

#include "storage/Clock.h"
#include "storage/DM.h"
#include "storage/FieldBinder.h"
#include "storage/Pinyin.h"

#include <algorithm>

namespace {

enum { PrepaidRentFee = 5 };

// rnd(amount ÷ fee × units): the units a payment buys, from the exact ratio.
qint64 UnitsBought(Currency amount, Currency periodFee, int unitsPerPeriod) {
    if (periodFee.IsZero()) {
        return unitsPerPeriod;
    }
    return RoundHalfEven(amount / periodFee * unitsPerPeriod);
}

} // namespace

void TAssociator::Bind(TFieldBinder& binder) {
    if (!binder.Reading()) {
        Spell = PinyinInitials(Name);
    }
    binder("Code", Code);
    binder("Name", Name);
    binder("Spell", Spell);
    binder("AId", AId);
    binder("LastDay", LastDay);
    binder("Number", Number);
    binder("Balance", Balance);
    binder("Deposit", Deposit);
    binder("Telephone", Telephone);
    binder("Address", Address);
    binder("Memo", Memo);
}

void TAssociator::DoLoadLinked() {
    AtorType = TAtorType();
    if (AId > 0) {
        AtorType.LoadById(AId);
    }
}

void TAssociator::DoSaveLinked() {
    AtorType.Save();
}

int TAssociator::Delete() {
    TDM::TTransaction transaction(TDM::Instance());
    Execute("UPDATE TbRentCd SET Status=%d WHERE Id IN (SELECT CId1 FROM TbRTransaction WHERE "
            "AId=%d AND CId2=%d)",
            {1, Id, 2});
    Execute("DELETE * FROM TbRTransaction WHERE AId=%d", {Id});
    Execute("DELETE * FROM TbFTransaction WHERE AId3=%d", {Id});
    Execute("DELETE * FROM %s WHERE Id=%d", {TableName(), Id});
    transaction.Commit();
    return DeleteDone;
}

qint64 TAssociator::DaysLeft() const {
    return TClock::Today().daysTo(LastDay);
}

int TAssociator::RemainingDays() const {
    return int(std::max<qint64>(0, DaysLeft()));
}

void TAssociator::SetRemainingDays(int days) {
    LastDay = TClock::Today().addDays(days);
}

Currency TAssociator::RemainingNumber() {
    if (AtorType.T_Day != 0 && DaysLeft() < 0 && Number > Currency()) {
        Number = Currency();
    }
    return Number;
}

void TAssociator::ApplyPayment(Currency amount) {
    BookPayment(amount, 1);
}

void TAssociator::RevokePayment(Currency amount) {
    BookPayment(amount, -1);
}

void TAssociator::BookPayment(Currency amount, int sign) {
    const TAtorType& type = AtorType;
    if (type.Fee >= PrepaidRentFee) {
        Balance += sign > 0 ? amount : -amount;
        return;
    }
    const bool limitsDays = type.T_Day != 0;
    const bool limitsNumber = type.T_Num != 0;
    if (!limitsDays && !limitsNumber) {
        return;
    }
    const QDate today = TClock::Today();
    if (limitsDays && today > LastDay) {
        // A run-out period starts again today; its unused quota is gone. A
        // payment taken back also clears an overdrawn quota.
        LastDay = today;
        if (sign < 0 || Number > Currency()) {
            Number = Currency();
        }
    }
    if (limitsDays) {
        LastDay = LastDay.addDays(sign * UnitsBought(amount, type.T_Sum, type.T_Day));
    }
    if (limitsNumber) {
        Number += Currency::FromWhole(sign * UnitsBought(amount, type.T_Sum, type.T_Num));
    }
}

#include "storage/records/Associator.h"

#include "storage/Clock.h"
#include "storage/Pinyin.h"
#include "storage/Prompter.h"
#include "storage/dao/DM.h"
#include "storage/records/FieldBinder.h"

#include <algorithm>

namespace {

enum { PrepaidRentFee = 5 };

// The charge of `units` per `perUnits` and `perDays`, or nothing with a warning
// when the fee standard has a zero divisor.
bool UsableFee(const TFee& fee, Currency perUnits, int perDays) {
    if (!perUnits.IsZero() && perDays != 0) {
        return true;
    }
    ShowWarning(QStringLiteral("收费标准[%1]的计费部数或天数为0，无法计算押金和租金，本次按0计算。"
                               "请在系统设置中修改此收费标准。")
                    .arg(fee.Name));
    return false;
}

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
    QuotaCheckPending = true;
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

bool TAssociator::UsesQuota() const {
    return !IsWalkIn() && AtorType.Fee >= 1 && AtorType.Fee < PrepaidRentFee && AtorType.T_Num != 0;
}

Currency TAssociator::DepositFor(const TRentCd& disc) {
    const TFee& fee = disc.Fee;
    Currency deposit;
    if (IsWalkIn()) {
        if (UsableFee(fee, fee.Number1, fee.Days1)) {
            deposit =
                Currency::FromLongDouble(disc.Power / fee.Number1 * fee.Deposit1.ToLongDouble());
        }
        return deposit;
    }
    if ((AtorType.Fee == 2 || AtorType.Fee == 4) && UsableFee(fee, fee.Number2, fee.Days2)) {
        deposit = Currency::FromLongDouble(disc.Power / fee.Number2 * fee.Deposit2.ToLongDouble());
    }
    if (UsesQuota()) {
        Number -= disc.Power;
    }
    return deposit;
}

Currency TAssociator::RentFor(const TRentCd& disc, qint64 rawDays) const {
    const TFee& fee = disc.Fee;
    Currency perUnits;
    Currency rent;
    int perDays = 0;
    if (IsWalkIn()) {
        perUnits = fee.Number1;
        rent = fee.Rent1;
        perDays = fee.Days1;
    } else if (AtorType.Fee >= 3) {
        perUnits = fee.Number2;
        rent = fee.Rent2;
        perDays = fee.Days2;
    } else {
        return {};
    }
    if (!UsableFee(fee, perUnits, perDays)) {
        return {};
    }
    const qint64 units = RoundHalfEven(disc.Power / perUnits);
    if (rawDays <= 0) {
        return rent * units;
    }
    const long double factor =
        std::max<long double>(RoundHalfEven(static_cast<long double>(rawDays) / perDays, 4), 1.0L);
    return Currency::FromLongDouble(rent.ToLongDouble() * units * factor);
}

bool TAssociator::IsLate(const QDate& day) const {
    return !IsWalkIn() && AtorType.Days >= 1 && AtorType.Punish >= 2 &&
           day.daysTo(TClock::Today()) > AtorType.Days;
}

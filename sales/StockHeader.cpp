#include "sales/StockHeader.h"

#include "storage/FTransaction.h"
#include "storage/InputChecks.h"
#include "storage/JetDate.h"

std::optional<TStockField> TStockHeader::Check() const {
    if (!InputChecks::CheckDate(QStringLiteral("日期"), day)) {
        return TStockField::Day;
    }
    if (!InputChecks::CheckMoney(QStringLiteral("金额"), amount, true)) {
        return TStockField::Sum;
    }
    return std::nullopt;
}

void TStockHeader::CopyInto(TFTransaction& fund) const {
    fund.Day = JetDate::ParseShort(day).value_or(fund.Day);
    fund.CId2 = supplier;
    fund.AId1 = account;
    fund.CId3 = operatorId;
    const Currency paid = Currency::Parse(amount).value_or(Currency());
    fund.Sum1 = paid < Currency() ? paid : -paid;
    fund.Memo = memo;
}

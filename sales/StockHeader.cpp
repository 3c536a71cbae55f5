#include "sales/StockHeader.h"

#include "storage/InputChecks.h"
#include "storage/JetDate.h"
#include "storage/RefusalRun.h"
#include "storage/records/FTransaction.h"

TChecked TStockHeader::Check() const {
    return TRefusalRun()
        .Check(QStringLiteral("edDay"),
               [&] { return InputChecks::CheckDate(QStringLiteral("日期"), day); })
        .Check(QStringLiteral("edSum"),
               [&] { return InputChecks::CheckMoney(QStringLiteral("金额"), amount, true); })
        .Result();
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

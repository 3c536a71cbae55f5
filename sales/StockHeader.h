#pragma once

#include "storage/Refusal.h"

#include <QString>

class TFTransaction;

// The header of a stock-in dialog: the day, supplier, paying account and
// operator (Ids of the chosen entries), the amount paid and the memo.
struct TStockHeader {
    QString day;
    int supplier = 0;
    int account = 0;
    int operatorId = 0;
    QString amount;
    QString memo;

    // "日期" (edDay) a valid date and "金额" (edSum) an amount (zero allowed);
    // the refusal of the first failure, whose message has been shown.
    TChecked Check() const;
    // The purchase movement's day, supplier, account, operator, memo and the
    // money going out (-|amount|).
    void CopyInto(TFTransaction& fund) const;
};

#pragma once

#include "storage/Currency.h"

#include <QString>

class TBillObject;

// What a desk hands its receipt: the bill number, the member shown (0 for
// none), the amounts its body prints, the memo and the desk's state.
struct TReceiptFigures {
    QString billNo;
    int renterId = 0;
    Currency amount1;
    Currency amount2;
    Currency amount3;
    QString note;
    int kind = 0;
};

// Puts the figures on the receipt and prints it; false when the printer
// failed (its error has been shown).
bool PrintReceipt(TBillObject& bill, const TReceiptFigures& figures);

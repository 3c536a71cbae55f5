#pragma once

#include "sales/TitleEntry.h"

#include <QString>

class TSaleCd;

// The title fields of a sale title as the dialogs show and take them.
// "进货数量" (number2) is the quantity bought in a stock-in and the stock
// itself in the edit dialog.
struct TTitleSaleEntry : TTitleEntry {
    QString number1 = QStringLiteral("1");
    QString number2 = QStringLiteral("1");
    QString cost = QStringLiteral("0.00");

    // The controls filled from a title ("%0.2f" amounts).
    static TTitleSaleEntry From(const TSaleCd& title);
    // The typed values into the title; checked values are assumed.
    void CopyInto(TSaleCd& title) const;
};

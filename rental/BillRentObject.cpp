#include "rental/BillRentObject.h"

#include "rental/ReceiptText.h"
#include "storage/TextFormats.h"

using ReceiptText::Pad;
using TextFormats::MoneyText;

void TBillRentObject::AddLines(const QList<TRTransaction>& lines) {
    for (const TRTransaction& line : lines) {
        if (line.Selected) {
            Lines.append(line);
        }
    }
}

void TBillRentObject::Body() {
    if (Kind != RentalReceipt && Kind != ReturnReceipt) {
        return;
    }
    TitleHeading();
    for (const TRTransaction& line : Lines) {
        TitleLine(line.RentCd.Code, line.RentCd.Name);
    }
    Rule();
    if (Kind == RentalReceipt) {
        Line(Pad(8) + QStringLiteral("实收押金:") + MoneyText(Amount1));
    } else {
        Line(Pad(8) + QStringLiteral("实退押金:") + MoneyText(Amount2));
        Line(Pad(8) + QStringLiteral("实收租金:") + MoneyText(Amount1));
    }
    NoteLine();
}

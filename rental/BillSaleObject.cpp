#include "rental/BillSaleObject.h"

#include "rental/ReceiptText.h"
#include "storage/TextFormats.h"

using ReceiptText::Pad;
using ReceiptText::Width;
using TextFormats::MoneyText;

namespace {

const int PriceColumn = 10;
const int NumberColumn = 22;

} // namespace

void TBillSaleObject::Body() {
    TitleHeading();
    for (const TSTransaction& line : Lines) {
        TitleLine(line.SaleCd.Code, line.SaleCd.Name);
        const QString discount = QStringLiteral("折扣:") + MoneyText(line.Discount);
        const QString price = QStringLiteral("单价:") + MoneyText(line.Price);
        // The second gap is measured from the texts alone, without the first gap.
        Line(discount + Pad(PriceColumn - Width(discount)) + price +
             Pad(NumberColumn - Width(discount + price)) + QStringLiteral("数量:") +
             QString::number(line.Number));
    }
    Rule();
    Line(Pad(8) + QStringLiteral("实收金额:") + MoneyText(Amount1));
    Line(Pad(8) + QStringLiteral("现金:") + MoneyText(Amount2));
    Line(Pad(8) + QStringLiteral("找补:") + MoneyText(Amount3));
    NoteLine();
}

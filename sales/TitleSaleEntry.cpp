#include "sales/TitleSaleEntry.h"

#include "storage/TextFormats.h"
#include "storage/records/SaleCd.h"

TTitleSaleEntry TTitleSaleEntry::From(const TSaleCd& title) {
    TTitleSaleEntry entry;
    entry.ShowTitle(title);
    entry.number1 = QString::number(title.Number1);
    entry.number2 = QString::number(title.Number2);
    entry.cost = TextFormats::MoneyText(title.Cost);
    return entry;
}

void TTitleSaleEntry::CopyInto(TSaleCd& title) const {
    TakeTitle(title);
    title.Number1 = number1.trimmed().toInt();
    title.Number2 = number2.trimmed().toInt();
    title.Cost = Currency::Parse(cost).value_or(Currency());
}

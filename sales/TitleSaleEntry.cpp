#include "sales/TitleSaleEntry.h"

#include "storage/SaleCd.h"
#include "storage/TextFormats.h"

TTitleSaleEntry TTitleSaleEntry::From(const TSaleCd& title) {
    TTitleSaleEntry entry;
    entry.code = title.Code;
    entry.name = title.Name;
    entry.alias1 = title.Alias1;
    entry.alias2 = title.Alias2;
    entry.director = title.Director;
    entry.player = title.Player;
    entry.memo = title.Memo;
    entry.cid = title.CId > 0 ? title.CId : 0;
    entry.number1 = QString::number(title.Number1);
    entry.number2 = QString::number(title.Number2);
    entry.cost = TextFormats::MoneyText(title.Cost);
    entry.price = TextFormats::MoneyText(title.Price);
    return entry;
}

void TTitleSaleEntry::CopyInto(TSaleCd& title) const {
    title.Code = code;
    title.Name = name;
    title.Alias1 = alias1;
    title.Alias2 = alias2;
    title.Director = director;
    title.Player = player;
    title.Memo = memo;
    title.CId = cid;
    title.Number1 = number1.trimmed().toInt();
    title.Number2 = number2.trimmed().toInt();
    title.Cost = Currency::Parse(cost).value_or(Currency());
    title.Price = Currency::Parse(price).value_or(Currency());
}

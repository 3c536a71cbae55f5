#include "sales/TitleEntry.h"

#include "storage/TextFormats.h"
#include "storage/records/CdTitle.h"

void TTitleEntry::ShowTitle(const TCdTitle& title) {
    code = title.Code;
    name = title.Name;
    alias1 = title.Alias1;
    alias2 = title.Alias2;
    director = title.Director;
    player = title.Player;
    memo = title.Memo;
    cid = title.CId > 0 ? title.CId : 0;
    price = TextFormats::MoneyText(title.Price);
}

void TTitleEntry::TakeTitle(TCdTitle& title) const {
    title.Code = code;
    title.Name = name;
    title.Alias1 = alias1;
    title.Alias2 = alias2;
    title.Director = director;
    title.Player = player;
    title.Memo = memo;
    title.CId = cid;
    title.Price = Currency::Parse(price).value_or(Currency());
}

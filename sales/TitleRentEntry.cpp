#include "sales/TitleRentEntry.h"

#include "storage/RentCd.h"
#include "storage/TextFormats.h"

TTitleRentEntry TTitleRentEntry::From(const TRentCd& title) {
    TTitleRentEntry entry;
    entry.code = title.Code;
    entry.name = title.Name;
    entry.alias1 = title.Alias1;
    entry.alias2 = title.Alias2;
    entry.director = title.Director;
    entry.player = title.Player;
    entry.memo = title.Memo;
    entry.cid = title.CId > 0 ? title.CId : 0;
    entry.fid = title.FId > 0 ? title.FId : 0;
    entry.number = QString::number(title.Number);
    entry.power = TextFormats::OneDecimalText(title.Power);
    entry.price = TextFormats::MoneyText(title.Price);
    return entry;
}

void TTitleRentEntry::CopyInto(TRentCd& title) const {
    title.Code = code;
    title.Name = name;
    title.Alias1 = alias1;
    title.Alias2 = alias2;
    title.Director = director;
    title.Player = player;
    title.Memo = memo;
    title.CId = cid;
    title.FId = fid;
    title.Number = number.trimmed().toInt();
    title.Power = Currency::Parse(power).value_or(Currency());
    title.Price = Currency::Parse(price).value_or(Currency());
}

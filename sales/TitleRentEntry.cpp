#include "sales/TitleRentEntry.h"

#include "storage/TextFormats.h"
#include "storage/records/RentCd.h"

TTitleRentEntry TTitleRentEntry::From(const TRentCd& title) {
    TTitleRentEntry entry;
    entry.ShowTitle(title);
    entry.fid = title.FId > 0 ? title.FId : 0;
    entry.number = QString::number(title.Number);
    entry.power = TextFormats::OneDecimalText(title.Power);
    return entry;
}

void TTitleRentEntry::CopyInto(TRentCd& title) const {
    TakeTitle(title);
    title.FId = fid;
    title.Number = number.trimmed().toInt();
    title.Power = Currency::Parse(power).value_or(Currency());
}

#include "members/ShowPeriod.h"

#include "storage/Settings.h"

namespace ShowPeriod {

std::optional<QDate> Start(int showOption, const QDate& today) {
    switch (showOption) {
    case TSettings::ShowThisMonth:
        return QDate(today.year(), today.month(), 1);
    case TSettings::ShowThisWeek:
        // dayOfWeek counts Monday as 1 and Sunday as 7.
        return today.addDays(-(today.dayOfWeek() % 7));
    case TSettings::ShowToday:
        return today;
    default:
        return std::nullopt;
    }
}

} // namespace ShowPeriod

#pragma once

#include "sales/TitleRentEntry.h"

// The entry of the rental stock-in: the title fields plus "集数/套数" (the
// number of episodes or sets) and "分隔" (the series separator).
struct TStockRentEntry : TTitleRentEntry {
    QString amount = QStringLiteral("1");
    QString split = QStringLiteral("-");
};

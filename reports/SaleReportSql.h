#pragma once

#include <QString>

// The Jet SQL of the sales reports, with the date macros $BDAY$ and $EDAY$.
// Only sold lines count; refunded lines are left out. A line is worth
// Number × Price, times Discount/10 when a discount (in tenths) is set.
// Ties in the sums go by code or name, so the ten printed are always the same.
namespace SaleReportSql {

// Code, Name, TNumber, TSum; with `group` also the category name (CName)
// first, in category order.
QString Top(bool group);
// CName, TNumber.
QString Pie();
// One row per sold line, by day: Month, Day, Code, Name, Discount, Number, Sum.
QString Detail();
// Month, CName, TNumber, TSum, by month and category.
QString Month();

} // namespace SaleReportSql

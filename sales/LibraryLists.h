#pragma once

#include "storage/grid/GridColumn.h"

#include <QList>
#include <QString>

class TDM;

// What the disc library lists: the rental and sale titles with their
// columns, the rental history of one title, and the totals under the title
// lists, which count the whole table whatever the grid shows.
namespace LibraryLists {

// "SELECT … FROM …" of each list (the grid adds its order) and its columns,
// each sorting and filtering by the expression it shows; the memo columns
// never sort.
QString RentSelect();
QList<TGridColumn> RentColumns();
QString SaleSelect();
QList<TGridColumn> SaleColumns();
// The rental lines of one title: the condition picks them by the title's Id.
QString HistorySelect();
QString HistoryWhere(int titleId);
QList<TGridColumn> HistoryColumns();
// The history's summed columns: "押金" and "租金".
QList<int> HistorySummedColumns();

// One total under a list: the caption of the column it stands under and its
// text ("已租:12").
struct TTotal {
    QString caption;
    QString text;
};
QList<TTotal> RentTotals(TDM& dm);
QList<TTotal> SaleTotals(TDM& dm);

} // namespace LibraryLists

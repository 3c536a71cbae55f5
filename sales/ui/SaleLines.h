#pragma once

#include "app/kit/DeskLineModel.h"
#include "storage/records/STransaction.h"

#include <QList>

class TGridFooter;

// The sale lines as the sales desk's grids show them: "日期", "编号", "名称",
// "折扣" (one decimal), "数量", "单价", "金额", after a check box in the grid
// of the lines being prepared.
namespace SaleLines {

QList<TGridColumn> Columns(bool withTick);
// One of the engine's line lists as a grid over `columns` shows it.
TDeskLineSource Source(const QList<TSTransaction>& lines, const QList<TGridColumn>& columns);
// The column showing `field` ("Discount", "Number", "Price", …); -1 if none.
int ColumnOf(const QList<TGridColumn>& columns, const char* field);
// "总数:" the count under "日期", the quantities under "数量" and "合计:" the
// amount under "金额": of every line, or of the ticked ones.
void ShowTotals(TGridFooter& footer, const QList<TGridColumn>& columns,
                const QList<TSTransaction>& lines, bool all);

} // namespace SaleLines

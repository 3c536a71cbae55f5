#pragma once

#include "storage/Currency.h"
#include "storage/dao/IdList.h"
#include "storage/grid/GridColumn.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// The movement list of one account in the funds window: what it selects,
// shows and sorts by, the rows a period shows, and the texts under it.
namespace FundLists {

// Every account by its Id, the cash box first: the tabs of the window.
TIdList Accounts();

// The key of a row.
inline const QString Key = QStringLiteral("A.Id");

enum TColumn {
    DayColumn,
    CategoryColumn,
    OperatorColumn,
    CounterpartColumn,
    SumColumn,
    MemoColumn
};

// 日期, 收支分类, 经手人, 账户/会员, 金额, 说明 (which does not sort).
QList<TGridColumn> Columns();
// Every movement with its category, operator, counterpart and the amount as
// it changes the account's money.
QString Select(int accountId);
// The account's movements, those on or after `since` when given. With a start
// day the account's terms are kept off their indexes, so the day index finds
// the few rows of the period instead of the account's indexes finding all of
// its rows to be sorted.
QString Where(int accountId, const std::optional<QDate>& since = std::nullopt);

// The number of the account's movements, whatever the period: what Where
// lists without a start day.
int MovementCount(int accountId);

// Texts under the list, by column.
using TFooter = QMap<int, QString>;
// "总数:" and every movement counted under the date, "合计:" and the account's
// balance under the amount; both whatever the period and the column filters.
TFooter Footer(int accountId, Currency balance);

} // namespace FundLists

#pragma once

#include "storage/grid/GridColumn.h"

#include <QList>
#include <QMap>
#include <QString>

// The three lists of the members window: every member, one member's money
// records and one member's rentals. What each selects, shows and sorts by,
// the texts under its columns and the name its export proposes.
namespace MemberLists {

// The key of a row in every list.
inline const QString Key = QStringLiteral("A.Id");

// Texts under a list, by column.
using TFooter = QMap<int, QString>;

// Every member with its type's name.
QList<TGridColumn> MemberColumns();
QString MemberSelect();
// "总数:" and the number of members, under the code.
TFooter MemberFooter();
QString MemberExportName();

// The payments, refunds and deposits of a member.
QList<TGridColumn> FeeColumns();
QString FeeSelect();
QString FeeWhere(int memberId);
// "总数:" under the date, "总计:" and the sum of the amounts under the amount.
TFooter FeeFooter(int memberId);
QString FeeExportName(const QString& memberName);

// The rental lines of a member with their title and its category.
QList<TGridColumn> RentColumns();
QString RentSelect();
QString RentWhere(int memberId);
// All lines, then the lines out, returned and cancelled, under the first four
// columns.
TFooter RentFooter(int memberId);
QString RentExportName(const QString& memberName);

} // namespace MemberLists

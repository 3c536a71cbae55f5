#pragma once

#include "reports/PreparedReport.h"
#include "reports/ReportFrame.h"
#include "storage/Refusal.h"
#include "storage/grid/GridColumn.h"

#include <QList>
#include <QString>

// The rental reports, prepared from the ledger open in the data module.
//
// The dated reports check the two dates as typed, "开始日期" then "结束日期";
// a bad date is shown through the prompter and refused naming its field
// ("edFrom" or "edTo"), and nothing is run. When the query gives no records
// the warning "没有数据！无法查看此报表。" is shown and the report is still
// prepared (records == 0).
namespace RentReports {

using ReportFrame::TDates;
// Default dates: the rank list and the pie the current month, the detail list
// today, the monthly totals the current year.
using ReportFrame::CurrentMonth;
using ReportFrame::CurrentYear;
using ReportFrame::TodayOnly;

// Window captions, which are also the report titles.
QString TopCaption();      // "影片出租排行榜"
QString PieCaption();      // "影片出租情况分布图"
QString DetailCaption();   // "影片出租明细表"
QString MonthCaption();    // "影片月出租情况"
QString LateCaption();     // "影片出租逾期报表"
QString LateGridCaption(); // "影片出租逾期情况"

// The ten most rented titles (ten per category when grouped).
TStored<TPreparedReport> RentTop(const TDates& dates, bool group);
// Rented units per category: one slice each, and "合计出租影片 %d部".
TStored<TPreparedReport> RentPie(const TDates& dates);
// The rental, return and cancellation bills with their discs, by month. With
// `all` false only the bills of `memberId` (0, no member picked: walk-in bills).
TStored<TPreparedReport> RentDetail(const TDates& dates, bool all, int memberId);
// Deposit and rent per month.
TStored<TPreparedReport> RentMonth(const TDates& dates);
// Discs out that were rented between maxDays and minDays days ago, both ends
// included.
TPreparedReport RentLate(int minDays, int maxDays);

// The overdue grid: discs out rented minDays days ago or earlier, listed by
// TQueryRows as SetSql(LateGridSelect(), LateGridWhere(minDays), LateGridKey).
inline constexpr int LateGridMaxDays = 999; // the most edMin takes
QString LateGridSelect();
QString LateGridWhere(int minDays);
inline const char* const LateGridKey = "A.Id";
// The grid's columns with the expression each sorts by.
QList<TGridColumn> LateGridColumns();
// The grid's rows as printed rows (vintorctl), ordered by a grid field ("Day",
// "Code", ...; empty: the rental day) ascending or descending. An unknown
// field is refused with a message.
TStored<TPreparedReport> RentLateGrid(int minDays, const QString& sortField, bool descending);

} // namespace RentReports

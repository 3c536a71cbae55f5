#pragma once

#include "reports/PreparedReport.h"
#include "reports/ReportFrame.h"
#include "storage/Refusal.h"

#include <QString>

// The sales reports, prepared from the ledger open in the data module. They
// count sold lines only (a refund never shows), each worth Number × Price,
// times Discount/10 when discounted; quantities are whole sets, amounts money.
//
// Each checks the two dates as typed, "开始日期" then "结束日期"; a bad date is
// shown through the prompter and refused naming its field ("edFrom" or
// "edTo"), and nothing is run. When the query gives no records the warning
// "没有数据！无法查看此报表。" is shown and the report is still prepared
// (records == 0). Default dates: the rank list and the pie the current month
// (ReportFrame::CurrentMonth), the detail list and the monthly totals the
// current year (ReportFrame::CurrentYear).
namespace SaleReports {

// Window captions, which are also the report titles.
QString TopCaption();    // "影片销售排行榜"
QString PieCaption();    // "影片销售情况分布图"
QString DetailCaption(); // "影片销售明细表"
QString MonthCaption();  // "影片月销售情况"

// The ten best-selling titles by quantity, with their amounts (ten per
// category when grouped); footers and summary total the printed rows.
TStored<TPreparedReport> SaleTop(const ReportFrame::TDates& dates, bool group);
// Sold sets per category: one slice each, and "合计销售影片 %d".
TStored<TPreparedReport> SalePie(const ReportFrame::TDates& dates);
// Every sold line, grouped by month, with the quantity and amount of each
// month and of the whole range.
TStored<TPreparedReport> SaleDetail(const ReportFrame::TDates& dates);
// Quantity and amount per category, grouped by month, with the same totals.
TStored<TPreparedReport> SaleMonth(const ReportFrame::TDates& dates);

} // namespace SaleReports

#pragma once

#include "reports/PreparedReport.h"
#include "storage/Refusal.h"

#include <QString>

#include <functional>

// What every dated report does before it runs: check the two dates typed in
// the report window and put them into the report's SQL.
namespace ReportFrame {

// The report SQL's placeholders for the start and end date.
inline const QString BeginMacro = QStringLiteral("$BDAY$");
inline const QString EndMacro = QStringLiteral("$EDAY$");

// Shown when a report's query gives no records.
inline const QString NoDataText = QStringLiteral("没有数据！无法查看此报表。");

// The two dates as typed in edFrom and edTo.
struct TDates {
    QString from;
    QString to;
};

// Default dates, from the clock's today.
TDates CurrentMonth(); // first and last day of the month
TDates TodayOnly();    // today, today
TDates CurrentYear();  // 1 January and 31 December

// The start date ("开始日期", field "edFrom") and then the end date ("结束日期",
// field "edTo") checked as the operator typed them; the first refusal is shown.
TChecked CheckDates(const QString& from, const QString& to);

// A date that passed CheckDate as the ledger's SQL and the title band write
// it: yyyy-MM-dd ("2024-3-5" becomes "2024-03-05").
QString DateText(const QString& typed);

// `sql` with every $BDAY$ replaced by `from` and every $EDAY$ by `to`.
QString ExpandDates(QString sql, const QString& from, const QString& to);

// A dated report being prepared: the title band's dates are set and `sql` is
// the report's SQL with them.
struct TDatedRun {
    TPreparedReport report;
    QString sql;
};

// Checks the dates, then `fill` reads the expanded SQL into the report titled
// `title`. A refused date stops before anything is run.
TStored<TPreparedReport> RunDated(const QString& title, const TDates& dates, const QString& sql,
                                  const std::function<void(TDatedRun&)>& fill);

// The finished report, with the no-data warning shown when its query gave
// nothing.
TPreparedReport Finish(TPreparedReport report);

} // namespace ReportFrame

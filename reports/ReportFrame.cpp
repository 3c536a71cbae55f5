#include "reports/ReportFrame.h"

#include "storage/Clock.h"
#include "storage/InputChecks.h"
#include "storage/JetDate.h"
#include "storage/Prompter.h"
#include "storage/RefusalRun.h"

namespace ReportFrame {

namespace {

TDates Range(const QDate& from, const QDate& to) {
    return {JetDate::ShortText(from), JetDate::ShortText(to)};
}

} // namespace

TDates CurrentMonth() {
    const QDate today = TClock::Today();
    const QDate first(today.year(), today.month(), 1);
    return Range(first, first.addMonths(1).addDays(-1));
}

TDates TodayOnly() {
    return Range(TClock::Today(), TClock::Today());
}

TDates CurrentYear() {
    const int year = TClock::Today().year();
    return Range(QDate(year, 1, 1), QDate(year, 12, 31));
}

TChecked CheckDates(const QString& from, const QString& to) {
    TRefusalRun run;
    run.Check(QStringLiteral("edFrom"),
              [&] { return InputChecks::CheckDate(QStringLiteral("开始日期"), from); })
        .Check(QStringLiteral("edTo"),
               [&] { return InputChecks::CheckDate(QStringLiteral("结束日期"), to); });
    return run.Result();
}

QString DateText(const QString& typed) {
    return JetDate::ShortText(JetDate::ParseShort(typed).value_or(QDate()));
}

QString ExpandDates(QString sql, const QString& from, const QString& to) {
    return sql.replace(BeginMacro, from).replace(EndMacro, to);
}

TStored<TPreparedReport> RunDated(const QString& title, const TDates& dates, const QString& sql,
                                  const std::function<void(TDatedRun&)>& fill) {
    const TChecked refusal = CheckDates(dates.from, dates.to);
    if (refusal) {
        return *refusal;
    }
    TDatedRun run;
    run.report.title = title;
    run.report.dateFrom = DateText(dates.from);
    run.report.dateTo = DateText(dates.to);
    run.sql = ExpandDates(sql, run.report.dateFrom, run.report.dateTo);
    fill(run);
    return Finish(std::move(run.report));
}

TPreparedReport Finish(TPreparedReport report) {
    if (report.records == 0) {
        ShowWarning(NoDataText);
    }
    return report;
}

} // namespace ReportFrame

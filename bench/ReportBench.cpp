#include "bench/ReportBench.h"

#include "bench/Measurement.h"
#include "bench/QueryPlan.h"
#include "bench/WindowRig.h"
#include "reports/RentReportSql.h"
#include "reports/RentReports.h"
#include "reports/ReportFrame.h"
#include "storage/Clock.h"
#include "storage/JetDate.h"
#include "storage/dao/DM.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/UpgradeProgress.h"

#include <QElapsedTimer>

namespace ReportBench {

namespace {

using Measurement::Print;

constexpr int Runs = 5;

struct TSpan {
    const char* name;
    RentReports::TDates dates;
};

} // namespace

void PrintPlan(TDM& dm, const QString& name, const QString& sql) {
    Print(QStringLiteral("plan of %1:").arg(name));
    for (const QString& step : QueryPlan::Explain(dm.DbBase, sql)) {
        Print(QStringLiteral("    ") + step);
    }
}

void Time(const QString& name, const std::function<TStored<TPreparedReport>()>& prepare) {
    qsizetype rows = 0;
    const Measurement::TFigure figure = Measurement::Time(Runs, [&](int) {
        const TStored<TPreparedReport> report = prepare();
        WindowRig::Require(report.Ok() && report.Value().records > 0, name);
        rows = report.Value().rows.size();
    });
    Print(Measurement::Line(QStringLiteral("%1 (%2 printed rows)").arg(name).arg(rows), figure));
}

void FirstOpen(TDM& dm, const QString& name) {
    const double cpu = Measurement::CpuMs();
    QElapsedTimer wall;
    wall.start();
    TUpgradeProgress progress;
    LedgerUpgrade::UpgradeLedger(dm, progress);
    Print(QStringLiteral("%1: first open (indexes made, ledger analysed)   wall %2 ms   cpu %3 ms")
              .arg(name)
              .arg(double(wall.elapsed()), 0, 'f', 0)
              .arg(Measurement::CpuMs() - cpu, 0, 'f', 0));
}

void Run(const QString& ledger) {
    WindowRig::TLedgerSession session(ledger);
    TDM& dm = session.Dm();

    FirstOpen(dm, QStringLiteral("report"));

    const auto day = [&](const char* aggregate) {
        return JetDate::FromDayNumber(
            dm.SqlFieldText(QStringLiteral("SELECT %1(Day1) AS V FROM TbRTransaction")
                                .arg(QLatin1String(aggregate)),
                            QStringLiteral("V"))
                .toDouble());
    };
    const QDate first = day("Min");
    const QDate last = day("Max");
    TClock::SetToday(last);
    const RentReports::TDates year{JetDate::ShortText(last.addYears(-1).addDays(1)),
                                   JetDate::ShortText(last)};
    const QList<TSpan> spans = {
        {"month", RentReports::CurrentMonth()},
        {"year", year},
        {"all years", {JetDate::ShortText(first), JetDate::ShortText(last)}}};

    const auto expanded = [&](const QString& sql) {
        return ReportFrame::ExpandDates(sql, year.from, year.to);
    };
    PrintPlan(dm, QStringLiteral("the rank list"), expanded(RentReportSql::Top(false)));
    PrintPlan(dm, QStringLiteral("the grouped rank list"), expanded(RentReportSql::Top(true)));
    PrintPlan(dm, QStringLiteral("the pie"), expanded(RentReportSql::Pie()));
    PrintPlan(dm, QStringLiteral("the detail list's bills"), expanded(RentReportSql::Detail({})));
    PrintPlan(dm, QStringLiteral("the detail list's lines"),
              expanded(RentReportSql::DetailLines({})));
    PrintPlan(dm, QStringLiteral("the monthly totals"), expanded(RentReportSql::Month()));
    PrintPlan(dm, QStringLiteral("the overdue report"),
              RentReportSql::Late(JetDate::ShortText(last.addDays(-3)),
                                  JetDate::ShortText(last.addDays(-30))));
    PrintPlan(dm, QStringLiteral("the overdue grid"),
              RentReports::LateGridSelect() + QStringLiteral(" WHERE ") +
                  RentReports::LateGridWhere(3) + QStringLiteral(" ORDER BY A.Day1"));

    for (const TSpan& span : spans) {
        const QString over = QStringLiteral(" over %1").arg(QLatin1String(span.name));
        const RentReports::TDates dates = span.dates;
        Time(QStringLiteral("report: rank list") + over,
             [&] { return RentReports::RentTop(dates, false); });
        Time(QStringLiteral("report: grouped rank list") + over,
             [&] { return RentReports::RentTop(dates, true); });
        Time(QStringLiteral("report: pie") + over, [&] { return RentReports::RentPie(dates); });
        Time(QStringLiteral("report: monthly totals") + over,
             [&] { return RentReports::RentMonth(dates); });
        if (span.dates.from != spans.last().dates.from) {
            Time(QStringLiteral("report: detail list") + over,
                 [&] { return RentReports::RentDetail(dates, true, 0); });
        }
    }
    Time(QStringLiteral("report: overdue report, 3 to 30 days"),
         [] { return TStored<TPreparedReport>(RentReports::RentLate(3, 30)); });
    Time(QStringLiteral("report: overdue grid, 3 days and more, by code"),
         [] { return RentReports::RentLateGrid(3, QStringLiteral("Code"), false); });
    TClock::Release();
}

} // namespace ReportBench

#include "bench/OverViewBench.h"

#include "bench/Measurement.h"
#include "bench/QueryPlan.h"
#include "bench/ReportBench.h"
#include "bench/WindowRig.h"
#include "reports/OverView.h"
#include "reports/OverViewSql.h"
#include "reports/ReportFrame.h"
#include "storage/Clock.h"
#include "storage/JetDate.h"
#include "storage/dao/DM.h"

#include <QThread>

namespace OverViewBench {

namespace {

using Measurement::Print;
using OverViewSql::TFigure;

constexpr int Runs = 5;

// The names the figures go by in the code.
const char* const Names[OverViewSql::FigureCount] = {
    "WalkInDeposit",  "MemberDeposit",   "DepositReturned",  "DepositHeld",     "WalkInRent",
    "MemberRent",     "RentalPurchases", "SalePurchases",    "Sales",           "SaleRefunds",
    "MemberPayments", "MemberDeposits",  "MemberRefunds",    "WalkInRented",    "MemberRented",
    "WalkInReturned", "MemberReturned",  "RentalBought",     "SaleBought",      "Sold",
    "Refunded",       "Cancelled",       "RentFromDeposits", "RangeSaleRefunds"};

struct TSpan {
    const char* name;
    ReportFrame::TDates dates;
};

} // namespace

void Run(const QString& ledger) {
    WindowRig::TLedgerSession session(ledger);
    TDM& dm = session.Dm();

    ReportBench::FirstOpen(dm, QStringLiteral("overview"));

    const QDate last = JetDate::FromDayNumber(
        dm.SqlFieldText(QStringLiteral("SELECT Max(Day) AS V FROM TbFTransaction"),
                        QStringLiteral("V"))
            .toDouble());
    TClock::SetToday(last);
    const QList<TSpan> spans = {
        {"one year", {JetDate::ShortText(last.addYears(-1).addDays(1)), JetDate::ShortText(last)}},
        {"ten years",
         {JetDate::ShortText(last.addYears(-10).addDays(1)), JetDate::ShortText(last)}}};

    for (const TSpan& span : spans) {
        // The form the page takes for the range: by day, or every line by title.
        const OverViewSql::TSpan reach = OverView::SpanOf(span.dates.from, span.dates.to);
        const QString over =
            QStringLiteral(" over %1 (%2 to %3, %4)")
                .arg(QLatin1String(span.name), span.dates.from, span.dates.to,
                     reach == OverViewSql::TSpan::Long ? QStringLiteral("long form")
                                                       : QStringLiteral("short form"));
        double sumMs = 0;
        double sumCpuMs = 0;
        for (int i = 0; i < OverViewSql::FigureCount; ++i) {
            const QString name = QLatin1String(Names[i]);
            const QString sql = ReportFrame::ExpandDates(OverViewSql::Statement(TFigure(i), reach),
                                                         span.dates.from, span.dates.to);
            Print(QStringLiteral("plan of %1%2:").arg(name, over));
            for (const QString& step : QueryPlan::Explain(dm.DbBase, sql)) {
                Print(QStringLiteral("    ") + step);
            }
            QString value;
            const Measurement::TFigure figure = Measurement::Time(
                Runs, [&](int) { value = dm.SqlFieldText(sql, QStringLiteral("TSum")); });
            sumMs += figure.medianMs;
            sumCpuMs += figure.cpuMedianMs;
            Print(Measurement::Line(QStringLiteral("overview: %1%2 = %3").arg(name, over, value),
                                    figure));
        }
        Print(QStringLiteral("overview: the %1 statements%2   sum of medians %3 ms   cpu %4 ms")
                  .arg(OverViewSql::FigureCount)
                  .arg(over)
                  .arg(sumMs, 0, 'f', 1)
                  .arg(sumCpuMs, 0, 'f', 1));
        const ReportFrame::TDates dates = span.dates;
        const Measurement::TFigure page = Measurement::Time(Runs, [&](int) {
            const TStored<TPreparedReport> report = OverView::Prepare(dates);
            WindowRig::Require(report.Ok() && !report.Value().figures.isEmpty(), over);
        });
        Print(Measurement::Line(
            QStringLiteral("overview: the page, statements side by side on %1 connections%2")
                .arg(QThread::idealThreadCount())
                .arg(over),
            page));
    }
    TClock::Release();
}

} // namespace OverViewBench

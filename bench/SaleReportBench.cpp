#include "bench/SaleReportBench.h"

#include "bench/ReportBench.h"
#include "bench/WindowRig.h"
#include "reports/ReportFrame.h"
#include "reports/SaleReportSql.h"
#include "reports/SaleReports.h"
#include "storage/JetDate.h"
#include "storage/dao/DM.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/UpgradeProgress.h"

namespace SaleReportBench {

void Run(const QString& ledger) {
    WindowRig::TLedgerSession session(ledger);
    TDM& dm = session.Dm();

    // The ledger as the program opens it: upgraded, with its indexes.
    TUpgradeProgress progress;
    LedgerUpgrade::UpgradeLedger(dm, progress);

    const auto day = [&](const char* aggregate) {
        return JetDate::FromDayNumber(
            dm.SqlFieldText(QStringLiteral("SELECT %1(Day) AS V FROM TbSTransaction")
                                .arg(QLatin1String(aggregate)),
                            QStringLiteral("V"))
                .toDouble());
    };
    const QDate first = day("Min");
    const QDate last = day("Max");
    const ReportFrame::TDates year{JetDate::ShortText(last.addYears(-1).addDays(1)),
                                   JetDate::ShortText(last)};
    const ReportFrame::TDates all{JetDate::ShortText(first), JetDate::ShortText(last)};

    const auto plan = [&](const char* name, const QString& sql) {
        ReportBench::PrintPlan(dm, QLatin1String(name),
                               ReportFrame::ExpandDates(sql, year.from, year.to));
    };
    plan("the sales rank list", SaleReportSql::Top(false));
    plan("the grouped sales rank list", SaleReportSql::Top(true));
    plan("the sales pie", SaleReportSql::Pie());
    plan("the sales detail list", SaleReportSql::Detail());
    plan("the monthly sales", SaleReportSql::Month());

    for (const auto& [name, dates] : {std::pair{"one year", year}, std::pair{"all years", all}}) {
        const QString over = QStringLiteral(" over %1").arg(QLatin1String(name));
        const ReportFrame::TDates span = dates;
        ReportBench::Time(QStringLiteral("sale report: rank list") + over,
                          [&] { return SaleReports::SaleTop(span, false); });
        ReportBench::Time(QStringLiteral("sale report: grouped rank list") + over,
                          [&] { return SaleReports::SaleTop(span, true); });
        ReportBench::Time(QStringLiteral("sale report: pie") + over,
                          [&] { return SaleReports::SalePie(span); });
        ReportBench::Time(QStringLiteral("sale report: detail list") + over,
                          [&] { return SaleReports::SaleDetail(span); });
        ReportBench::Time(QStringLiteral("sale report: monthly totals") + over,
                          [&] { return SaleReports::SaleMonth(span); });
    }
}

} // namespace SaleReportBench

#include "reports/SaleReports.h"

#include "reports/ReportGroups.h"
#include "reports/ReportRows.h"
#include "reports/SaleReportSql.h"
#include "storage/TextFormats.h"
#include "storage/dao/DM.h"

#include <functional>

namespace SaleReports {

namespace {

using ReportFrame::RunDated;
using ReportFrame::TDatedRun;
using ReportRows::Column;
using ReportRows::Whole;
using TFigure = TReportTotals::TFigure;

// A quantity and an amount, totalled in the footers and the summary.
const QList<TFigure> QuantityAndAmount = {TFigure::Whole, TFigure::Money};

// A record's quantity (TNumber) and amount (TSum), as printed and as counted.
ReportGroups::TFiguredRow Figures(TDAOQuery& q, QStringList values) {
    const qint64 number = q.FieldByName(QStringLiteral("TNumber")).AsInteger();
    const Currency sum = q.FieldByName(QStringLiteral("TSum")).AsCurrency();
    values << Whole(number) << TextFormats::MoneyText(sum);
    return {values, {Currency::FromWhole(number), sum}};
}

// Reads the report's records grouped by their month ("Month"), each printed
// as `row` gives it, with the quantity and amount of each month and of the
// whole range.
void ReadByMonth(TDatedRun& run, const std::function<ReportGroups::TFiguredRow(TDAOQuery&)>& row) {
    TPreparedReport& report = run.report;
    TReportTotals totals(report, QuantityAndAmount);
    ReportRows::ForEach(run.sql, [&](TDAOQuery& q) {
        ++report.records;
        totals.Group(q.FieldByName(QStringLiteral("Month")).AsString());
        const ReportGroups::TFiguredRow printed = row(q);
        totals.Count(printed.figures);
        ReportRows::Add(report, TBandKind::Detail, printed.values);
    });
    totals.Close();
}

} // namespace

QString TopCaption() {
    return QStringLiteral("影片销售排行榜");
}
QString PieCaption() {
    return QStringLiteral("影片销售情况分布图");
}
QString DetailCaption() {
    return QStringLiteral("影片销售明细表");
}
QString MonthCaption() {
    return QStringLiteral("影片月销售情况");
}

TStored<TPreparedReport> SaleTop(const ReportFrame::TDates& dates, bool group) {
    return RunDated(TopCaption(), dates, SaleReportSql::Top(group), [group](TDatedRun& run) {
        TPreparedReport& report = run.report;
        ReportGroups::LayOut(report,
                             {Column(QStringLiteral("排名"), 0, 8, Qt::AlignHCenter),
                              Column(QStringLiteral("影片编号"), 8, 17),
                              Column(QStringLiteral("影片名称"), 25, 40),
                              Column(QStringLiteral("总销售数量(套)"), 65, 17, Qt::AlignRight),
                              Column(QStringLiteral("金额合计(元)"), 82, 18, Qt::AlignRight)},
                             {2, 3, 4});
        ReportGroups::ReadRankList(report, run.sql, group, QuantityAndAmount, [](TDAOQuery& q) {
            return Figures(q, {q.FieldByName(QStringLiteral("Code")).AsString(),
                               q.FieldByName(QStringLiteral("Name")).AsString()});
        });
    });
}

TStored<TPreparedReport> SalePie(const ReportFrame::TDates& dates) {
    return RunDated(PieCaption(), dates, SaleReportSql::Pie(), [](TDatedRun& run) {
        ReportGroups::ReadPie(run.report, run.sql, QStringLiteral("TNumber"),
                              QStringLiteral("销售数量(套)"), QStringLiteral("合计销售影片 %d"));
    });
}

TStored<TPreparedReport> SaleDetail(const ReportFrame::TDates& dates) {
    return RunDated(DetailCaption(), dates, SaleReportSql::Detail(), [](TDatedRun& run) {
        ReportGroups::LayOut(run.report,
                             {Column(QStringLiteral("日期"), 0, 14),
                              Column(QStringLiteral("影片编号"), 14, 16),
                              Column(QStringLiteral("影片名称"), 30, 34),
                              Column(QStringLiteral("折扣(折)"), 64, 10, Qt::AlignRight),
                              Column(QStringLiteral("数量(套)"), 74, 10, Qt::AlignRight),
                              Column(QStringLiteral("金额(元)"), 84, 16, Qt::AlignRight)},
                             {2, 4, 5});
        ReadByMonth(run, [](TDAOQuery& q) -> ReportGroups::TFiguredRow {
            const qint64 number = q.FieldByName(QStringLiteral("Number")).AsInteger();
            const Currency sum = q.FieldByName(QStringLiteral("Sum")).AsCurrency();
            return {{ReportRows::DateText(q.FieldByName(QStringLiteral("Day"))),
                     q.FieldByName(QStringLiteral("Code")).AsString(),
                     q.FieldByName(QStringLiteral("Name")).AsString(),
                     TextFormats::OneDecimalText(
                         q.FieldByName(QStringLiteral("Discount")).AsCurrency()),
                     Whole(number), TextFormats::MoneyText(sum)},
                    {Currency::FromWhole(number), sum}};
        });
    });
}

TStored<TPreparedReport> SaleMonth(const ReportFrame::TDates& dates) {
    return RunDated(MonthCaption(), dates, SaleReportSql::Month(), [](TDatedRun& run) {
        ReportGroups::LayOut(run.report,
                             {Column(QStringLiteral("影片分类"), 0, 50),
                              Column(QStringLiteral("总销售套数"), 50, 25, Qt::AlignRight),
                              Column(QStringLiteral("金额合计(元)"), 75, 25, Qt::AlignRight)},
                             {0, 1, 2});
        ReadByMonth(run, [](TDAOQuery& q) {
            return Figures(q, {q.FieldByName(QStringLiteral("CName")).AsString()});
        });
    });
}

} // namespace SaleReports

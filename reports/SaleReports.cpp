#include "reports/SaleReports.h"

#include "reports/ReportGroups.h"
#include "reports/ReportRows.h"
#include "reports/SaleReportSql.h"
#include "storage/TextFormats.h"
#include "storage/dao/DM.h"

namespace SaleReports {

namespace {

using ReportFrame::RunDated;
using ReportFrame::TDatedRun;
using ReportRows::Column;
using ReportRows::Whole;
using TFigure = TReportTotals::TFigure;

// A quantity and an amount, totalled in the footers and the summary.
const QList<TFigure> QuantityAndAmount = {TFigure::Whole, TFigure::Money};

// The footer and summary of a layout: the caption right-aligned in
// `caption`, then the quantity and the amount in their columns.
TColumnLayout Totals(const TReportColumn& caption, const TReportColumn& quantity,
                     const TReportColumn& amount) {
    TColumnLayout totals;
    for (const TReportColumn& column : {caption, quantity, amount}) {
        totals.append(Column({}, column.left, column.width, Qt::AlignRight));
    }
    return totals;
}

// A record's quantity (TNumber) and amount (TSum), as printed and as counted.
ReportGroups::TFiguredRow Figures(TDAOQuery& q, QStringList values) {
    const qint64 number = q.FieldByName(QStringLiteral("TNumber")).AsInteger();
    const Currency sum = q.FieldByName(QStringLiteral("TSum")).AsCurrency();
    values << Whole(number) << TextFormats::MoneyText(sum);
    return {values, {Currency::FromWhole(number), sum}};
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
        report.header = {Column(QStringLiteral("排名"), 0, 8, Qt::AlignHCenter),
                         Column(QStringLiteral("影片编号"), 8, 17),
                         Column(QStringLiteral("影片名称"), 25, 40),
                         Column(QStringLiteral("总销售数量(套)"), 65, 17, Qt::AlignRight),
                         Column(QStringLiteral("金额合计(元)"), 82, 18, Qt::AlignRight)};
        report.detail = report.header;
        report.groupHeader = {Column({}, 0, 100)};
        report.groupFooter = Totals(report.header[2], report.header[3], report.header[4]);
        report.summary = report.groupFooter;
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
        TPreparedReport& report = run.report;
        report.header = {Column(QStringLiteral("日期"), 0, 14),
                         Column(QStringLiteral("影片编号"), 14, 16),
                         Column(QStringLiteral("影片名称"), 30, 34),
                         Column(QStringLiteral("折扣(折)"), 64, 10, Qt::AlignRight),
                         Column(QStringLiteral("数量(套)"), 74, 10, Qt::AlignRight),
                         Column(QStringLiteral("金额(元)"), 84, 16, Qt::AlignRight)};
        report.detail = report.header;
        report.groupHeader = {Column({}, 0, 100)};
        report.groupFooter = Totals(report.header[2], report.header[4], report.header[5]);
        report.summary = report.groupFooter;
        TReportTotals totals(report, QuantityAndAmount);
        ReportRows::ForEach(run.sql, [&](TDAOQuery& q) {
            ++report.records;
            totals.Group(q.FieldByName(QStringLiteral("Month")).AsString());
            const qint64 number = q.FieldByName(QStringLiteral("Number")).AsInteger();
            const Currency sum = q.FieldByName(QStringLiteral("Sum")).AsCurrency();
            totals.Count({Currency::FromWhole(number), sum});
            ReportRows::Add(report, TBandKind::Detail,
                            {ReportRows::DateText(q.FieldByName(QStringLiteral("Day"))),
                             q.FieldByName(QStringLiteral("Code")).AsString(),
                             q.FieldByName(QStringLiteral("Name")).AsString(),
                             TextFormats::OneDecimalText(
                                 q.FieldByName(QStringLiteral("Discount")).AsCurrency()),
                             Whole(number), TextFormats::MoneyText(sum)});
        });
        totals.Close();
    });
}

TStored<TPreparedReport> SaleMonth(const ReportFrame::TDates& dates) {
    return RunDated(MonthCaption(), dates, SaleReportSql::Month(), [](TDatedRun& run) {
        TPreparedReport& report = run.report;
        report.header = {Column(QStringLiteral("影片分类"), 0, 50),
                         Column(QStringLiteral("总销售套数"), 50, 25, Qt::AlignRight),
                         Column(QStringLiteral("金额合计(元)"), 75, 25, Qt::AlignRight)};
        report.detail = report.header;
        report.groupHeader = {Column({}, 0, 100)};
        report.groupFooter = Totals(report.header[0], report.header[1], report.header[2]);
        report.summary = report.groupFooter;
        TReportTotals totals(report, QuantityAndAmount);
        ReportRows::ForEach(run.sql, [&](TDAOQuery& q) {
            ++report.records;
            totals.Group(q.FieldByName(QStringLiteral("Month")).AsString());
            const ReportGroups::TFiguredRow row =
                Figures(q, {q.FieldByName(QStringLiteral("CName")).AsString()});
            totals.Count(row.figures);
            ReportRows::Add(report, TBandKind::Detail, row.values);
        });
        totals.Close();
    });
}

} // namespace SaleReports

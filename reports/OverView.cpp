#include "reports/OverView.h"

#include "reports/ReportRows.h"
#include "storage/JetDate.h"
#include "storage/Prompter.h"
#include "storage/TextFormats.h"
#include "storage/dao/DAODataset.h"
#include "storage/dao/DAOQuery.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/dao/ParallelReads.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace OverView {

namespace {

using enum OverViewSql::TFigure;
using ReportRows::Column;

// One printed figure of a column: its label and the figure it shows, negated
// where the page shows money going out as a positive amount.
struct TLine {
    const char* label;
    TFigure figure;
    bool negated = false;
};

// A column of the page: its caption, its figures and what "合计：" shows.
struct TColumn {
    const char* caption;
    QList<TLine> lines;
    std::function<Currency(const TFigures&)> total;
};

const QList<TColumn>& MoneyColumns() {
    static const QList<TColumn> columns = {
        {"押金(元)",
         {{"零租押金：", WalkInDeposit},
          {"会员押金：", MemberDeposit},
          {"已退押金：", DepositReturned},
          {"未退押金：", DepositHeld}},
         [](const TFigures& f) { return f[DepositHeld]; }},
        {"租金(元)",
         {{"零租租金：", WalkInRent}, {"会员租金：", MemberRent}},
         [](const TFigures& f) { return f[WalkInRent] + f[MemberRent]; }},
        {"进货(元)",
         {{"出租进货：", RentalPurchases, true}, {"销售进货：", SalePurchases, true}},
         [](const TFigures& f) { return -(f[RentalPurchases] + f[SalePurchases]); }},
        {"销售(元)",
         {{"销售金额：", Sales}, {"退还金额：", SaleRefunds, true}},
         [](const TFigures& f) { return (f[Sales] + f[SaleRefunds]).Abs(); }},
        {"会费/押金(元)",
         {{"会员缴费：", MemberPayments},
          {"会员押金：", MemberDeposits},
          {"会员退费：", MemberRefunds, true}},
         [](const TFigures& f) { return f[MemberPayments] + f[MemberDeposits]; }},
    };
    return columns;
}

const QList<TColumn>& DiscColumns() {
    static const QList<TColumn> columns = {
        {"出租(部)",
         {{"零租出租：", WalkInRented}, {"会员出租：", MemberRented}},
         [](const TFigures& f) { return f[WalkInRented] + f[MemberRented]; }},
        {"返还(部)",
         {{"零租返还：", WalkInReturned}, {"会员返还：", MemberReturned}},
         [](const TFigures& f) { return f[WalkInReturned] + f[MemberReturned]; }},
        {"进货(套)",
         {{"出租进货：", RentalBought}, {"销售进货：", SaleBought}},
         [](const TFigures& f) { return f[RentalBought] + f[SaleBought]; }},
        {"销售(套)",
         {{"销售影片：", Sold}, {"退还影片：", Refunded}},
         [](const TFigures& f) { return f[Sold]; }},
        {"撤消(部)", {{"撤消影片：", Cancelled}}, [](const TFigures& f) { return f[Cancelled]; }},
    };
    return columns;
}

const char* const MoneyPart = "资金方面";
const char* const DiscPart = "影片方面";
const char* const TotalLabel = "合计：";
const char* const ProfitLabel = "当前盈亏：";
const char* const Explanation = "=收入：(零租押金+会员押金+另收租金+销售金额+会费/押金合计)- "
                                "支出：(进货合计+前期销售退还+会员退费+已退押金)";
const char* const Terms = "另收租金：租金合计中不从押金扣除的部分；"
                          "前期销售退还：退还金额中本期以前售出的部分。";
const char* const RedNote = "(红字表示负数)";

// The two figures the page does not print, by the name the operator is told
// when their statement fails.
QString HiddenName(TFigure figure) {
    return figure == RentFromDeposits ? QStringLiteral("从押金扣除的租金")
                                      : QStringLiteral("本期售出又全额退还的金额");
}

// A figure as the operator finds it on the page: "押金(元) 零租押金".
QString FigureName(TFigure figure) {
    for (const QList<TColumn>* part : {&MoneyColumns(), &DiscColumns()}) {
        for (const TColumn& column : *part) {
            for (const TLine& line : column.lines) {
                if (line.figure == figure) {
                    return QString::fromUtf8(column.caption) + u' ' +
                           QString::fromUtf8(line.label).chopped(1);
                }
            }
        }
    }
    return HiddenName(figure);
}

// The layout: five columns of a label and its value, the section captions
// above them (the part's name on the first line of the band).
constexpr int ColumnWidth = 20;
constexpr int LabelWidth = 9;
constexpr int ValueWidth = 10;

void LayOut(TPreparedReport& report) {
    report.landscape = true;
    report.groupHeader = {Column({}, 0, 100)};
    for (int c = 0; c < 5; ++c) {
        report.groupHeader.append(Column({}, c * ColumnWidth, ColumnWidth, Qt::AlignLeft, 1));
        report.detail.append(Column({}, c * ColumnWidth, LabelWidth));
        report.detail.append(Column({}, c * ColumnWidth + LabelWidth, ValueWidth, Qt::AlignRight));
    }
    report.groupFooter = report.detail;
    report.summary = {Column({}, 0, LabelWidth), Column({}, LabelWidth, ValueWidth, Qt::AlignRight),
                      Column({}, ColumnWidth, 100 - ColumnWidth),
                      Column({}, ColumnWidth, 100 - ColumnWidth, Qt::AlignLeft, 1),
                      Column({}, 0, 100, Qt::AlignRight, 1)};
}

// Prints one part: its captions, its figures row by row and the totals, and
// lists every figure printed.
void AddPart(TPreparedReport& report, const char* part, const QList<TColumn>& columns,
             const TFigures& figures) {
    const auto blank = [] { return TReportRow{TBandKind::Detail, QStringList(10), {}}; };
    // A label and its value in column `c` of a row, red when the value is
    // negative; counts print as plain numbers ("2.5"), money with two decimals.
    const auto show = [&](TReportRow& row, int c, const QString& label, Currency value) {
        const TColumn& column = columns[c];
        const QString text = OverViewSql::IsCount(column.lines.front().figure)
                                 ? value.ToPlainText()
                                 : TextFormats::MoneyText(value);
        const bool red = value < Currency();
        row.values[2 * c] = label;
        row.values[2 * c + 1] = text;
        if (red) {
            row.red << 2 * c << 2 * c + 1;
        }
        report.figures.append({TBandKind::Detail,
                               {QString::fromUtf8(column.caption), label, text},
                               red ? QList<int>{2} : QList<int>{}});
    };

    QStringList captions = {QString::fromUtf8(part)};
    qsizetype depth = 0;
    for (const TColumn& column : columns) {
        captions.append(QString::fromUtf8(column.caption));
        depth = std::max(depth, column.lines.size());
    }
    report.rows.append({TBandKind::GroupHeader, captions, {}});
    const qsizetype first = report.rows.size();
    for (qsizetype r = 0; r < depth; ++r) {
        report.rows.append(blank());
    }
    TReportRow totals = blank();
    totals.band = TBandKind::GroupFooter;
    for (int c = 0; c < columns.size(); ++c) {
        const TColumn& column = columns[c];
        for (qsizetype r = 0; r < column.lines.size(); ++r) {
            const TLine& line = column.lines[r];
            show(report.rows[first + r], c, QString::fromUtf8(line.label),
                 line.negated ? -figures[line.figure] : figures[line.figure]);
        }
        show(totals, c, QString::fromUtf8(TotalLabel), column.total(figures));
    }
    report.rows.append(totals);
}

} // namespace

Currency TFigures::Profit() const {
    const TFigures& f = *this;
    const Currency income = f[WalkInDeposit] + f[MemberDeposit] + f[WalkInRent] + f[MemberRent] -
                            f[RentFromDeposits] + f[Sales] + f[MemberPayments] + f[MemberDeposits];
    const Currency expense = (f[RentalPurchases] + f[SalePurchases]).Abs() +
                             (f[SaleRefunds] - f[RangeSaleRefunds]).Abs() + f[MemberRefunds] +
                             f[DepositReturned];
    return income - expense;
}

QString Caption() {
    return QStringLiteral("经营情况一览表");
}

ReportFrame::TDates DefaultDates() {
    return ReportFrame::TodayOnly();
}

OverViewSql::TSpan SpanOf(const QString& from, const QString& to) {
    QDate first;
    QDate last;
    try {
        ReportRows::ForEach(
            // Each from the end of the day index, not by reading every line.
            QStringLiteral("SELECT (SELECT Min(Day1) FROM TbRTransaction) AS First, "
                           "(SELECT Max(Day1) FROM TbRTransaction) AS Last"),
            [&](TDAOQuery& q) {
                first = q.FieldByName(QStringLiteral("First")).AsDateTime();
                last = q.FieldByName(QStringLiteral("Last")).AsDateTime();
            });
    } catch (const EOleException&) {
        return OverViewSql::TSpan::Short;
    }
    const std::optional<QDate> begin = JetDate::ParseShort(from);
    const std::optional<QDate> end = JetDate::ParseShort(to);
    if (!first.isValid() || !last.isValid() || !begin || !end) {
        return OverViewSql::TSpan::Short;
    }
    const qint64 covered = std::max(*begin, first).daysTo(std::min(*end, last)) + 1;
    return covered * 3 > first.daysTo(last) + 1 ? OverViewSql::TSpan::Long
                                                : OverViewSql::TSpan::Short;
}

TStored<TFigures> Compute(const ReportFrame::TDates& dates) {
    if (const TChecked refusal = ReportFrame::CheckDates(dates.from, dates.to)) {
        return *refusal;
    }
    TFigures figures;
    figures.dateFrom = ReportFrame::DateText(dates.from);
    figures.dateTo = ReportFrame::DateText(dates.to);
    const OverViewSql::TSpan span = SpanOf(figures.dateFrom, figures.dateTo);
    const QList<TFigure> order = OverViewSql::CostliestFirst();
    QStringList statements;
    for (TFigure figure : order) {
        statements.append(ReportFrame::ExpandDates(OverViewSql::Statement(figure, span),
                                                   figures.dateFrom, figures.dateTo));
    }
    // The statements are independent: they run side by side.
    const QList<ParallelReads::TFirstRow> sums =
        ParallelReads::FirstRows(TDM::Instance().DbBase, statements);
    for (qsizetype n = 0; n < order.size(); ++n) {
        if (sums[n].error) {
            figures.failed.append(order[n]);
        } else if (!sums[n].values.isEmpty()) {
            // TSum, the only column; NULL (nothing counted) stays 0.
            figures.values[size_t(order[n])] = CurrencyValue(sums[n].values.front());
        }
    }
    if (!figures.failed.isEmpty()) {
        std::sort(figures.failed.begin(), figures.failed.end());
        QStringList names;
        for (TFigure figure : figures.failed) {
            names.append(FigureName(figure));
        }
        ShowWarning(Format("以下数字未能从账本中统计，按 0 计：%s。", {names.join(u'、')}));
    }
    return figures;
}

TPreparedReport Page(const TFigures& figures) {
    TPreparedReport report;
    report.title = Caption();
    report.dateFrom = figures.dateFrom;
    report.dateTo = figures.dateTo;
    // Every statement run counts as a record: the page is never empty.
    report.records = OverViewSql::FigureCount;
    LayOut(report);
    AddPart(report, MoneyPart, MoneyColumns(), figures);
    AddPart(report, DiscPart, DiscColumns(), figures);

    const Currency profit = figures.Profit();
    const QString shown = TextFormats::MoneyText(profit.Abs());
    const QList<int> red = profit < Currency() ? QList<int>{0, 1} : QList<int>{};
    report.rows.append({TBandKind::Summary,
                        {QString::fromUtf8(ProfitLabel), shown, QString::fromUtf8(Explanation),
                         QString::fromUtf8(Terms), QString::fromUtf8(RedNote)},
                        red});
    report.figures.append({TBandKind::Summary,
                           {QString::fromUtf8(ProfitLabel), shown},
                           profit < Currency() ? QList<int>{1} : QList<int>{}});
    return report;
}

TStored<TPreparedReport> Prepare(const ReportFrame::TDates& dates) {
    const TStored<TFigures> figures = Compute(dates);
    if (!figures.Ok()) {
        return figures.Refusal();
    }
    return Page(figures.Value());
}

} // namespace OverView

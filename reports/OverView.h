#pragma once

#include "reports/OverViewSql.h"
#include "reports/PreparedReport.h"
#include "reports/ReportFrame.h"
#include "storage/Currency.h"
#include "storage/Refusal.h"

#include <QList>
#include <QString>

#include <array>

// "经营情况一览表": the money taken and paid out and the discs rented, returned,
// bought in, sold and cancelled over a date range, with the profit or loss,
// on one page. Prepared from the ledger open in the data module.
namespace OverView {

using OverViewSql::TFigure;

// The figures of a range as the ledger gave them.
struct TFigures {
    QString dateFrom; // yyyy-MM-dd, as printed
    QString dateTo;
    std::array<Currency, OverViewSql::FigureCount> values{};
    // The figures whose statement failed; each of them is 0.
    QList<TFigure> failed;

    Currency operator[](TFigure figure) const { return values[size_t(figure)]; }
    // "当前盈亏": the money the range's business brought into the shop's
    // accounts. Deposits taken for the range's rentals, rent taken on top of
    // a deposit, sales and member payments and deposits, less purchases,
    // refunds of sales made before the range, refunds to members and
    // deposits handed back. Rent taken out of a deposit is already in the
    // deposit; a sale refunded in full within the range is no longer among
    // the sales, so its refund is no loss either.
    Currency Profit() const;
};

QString Caption(); // "经营情况一览表"
// Default dates: today to today.
ReportFrame::TDates DefaultDates();

// The span of a range (yyyy-MM-dd) against the days of the ledger's rental
// lines: long when it covers more than a third of them.
OverViewSql::TSpan SpanOf(const QString& from, const QString& to);

// Checks the dates as typed ("开始日期" edFrom, then "结束日期" edTo; a bad one is
// shown and refused) and evaluates every figure. A statement that fails
// yields 0 for its figure only, and the operator is told which ones.
TStored<TFigures> Compute(const ReportFrame::TDates& dates);

// The page: the money part and the disc part, each with its five columns
// and their totals, then the profit with how it is made up. Every negative
// figure is red. `figures` of the report lists each printed figure once.
TPreparedReport Page(const TFigures& figures);

// Compute and Page.
TStored<TPreparedReport> Prepare(const ReportFrame::TDates& dates);

} // namespace OverView

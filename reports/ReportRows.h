#pragma once

#include "reports/PreparedReport.h"
#include "storage/Currency.h"

#include <QString>
#include <QStringList>

#include <functional>

class TDAOQuery;
class TField;

// Reading a report's query into printed rows.
namespace ReportRows {

// Runs the Jet SELECT on the ledger open in the data module and calls `row`
// on each record in order.
void ForEach(const QString& sql, const std::function<void(TDAOQuery&)>& row);

// A date field as printed: yyyy-MM-dd, empty when null.
QString DateText(const TField& field);
// A whole number as printed.
QString Whole(qint64 value);
// A money total as the footers and summaries print it: "￥" and "%0.2f".
QString Yuan(Currency amount);

// A column of a band's layout (see TReportColumn).
TReportColumn Column(const QString& caption, int left, int width,
                     Qt::Alignment alignment = Qt::AlignLeft, int line = 0);

// Appends a printed row; its values follow the band's layout.
void Add(TPreparedReport& report, TBandKind band, const QStringList& values);

} // namespace ReportRows

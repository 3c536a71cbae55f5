#pragma once

#include "reports/PreparedReport.h"

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

// Appends a printed row; its values follow the band's layout.
void Add(TPreparedReport& report, TBandKind band, const QStringList& values);

} // namespace ReportRows

#pragma once

#include <QString>
#include <QStringList>

class TDM;
class TRentObject;

// Rows of the ledger the counter figures are taken on, drawn by SQL so every
// run picks the same ones.
namespace LedgerSamples {

// One column of a SELECT's rows, as text.
QStringList Column(TDM& dm, const QString& sql, const QString& column);

// The code of a member holding exactly `count` open rentals. When the ledger
// has none, `engine` (fresh, on the same ledger) rents `count` discs in stock
// to the first member without open rentals.
QString MemberHolding(TDM& dm, int count, TRentObject& engine);

// Up to `count` series prefixes whose episodes 1 to 10 are all in stock.
QStringList SeriesInStock(TDM& dm, int count);

} // namespace LedgerSamples

#pragma once

#include "storage/Currency.h"

#include <QDate>
#include <QString>
#include <QStringList>

class TDAODataset;

// Number, serial and text formatting shared by the windows and the engines.
namespace TextFormats {

// "%0.2f" of an amount.
QString MoneyText(Currency amount);
// "%0.1f" of an amount.
QString OneDecimalText(Currency amount);
// n in decimal, left-padded with zeros to five digits (1 -> 00001); longer
// numbers unchanged. A negative number keeps its sign in front of the digits.
QString PadSerial(qint64 n);
// The code that follows `code` by `step`: with a separator, code + separator +
// (step + 1) ("0001", "-", 2 -> "0001-3"); without one, the padded serial of
// code + step ("0001", 1 -> "00002"), or the code unchanged when it is not a
// whole number.
QString NextCode(const QString& code, const QString& separator, int step);
// n blanks, at least one.
QString Blanks(int n);
// The text trimmed of surrounding blanks and cut at every separator; the parts
// are kept as they are, an empty text gives one empty part. An empty
// separator cuts nothing.
QStringList SplitText(const QString& text, const QString& separator);
// Days in a month of the Gregorian calendar; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// "True" or "False", the way flags are kept as text.
QString BoolText(bool flag);
// True only for the text "True".
bool IsTrueText(const QString& text);
// Filters an open query to the rows on or after `date` in its first date
// column ("Day>=45458.00") and turns filtering on; a query without a date
// column is left as it is.
void SinceFilter(TDAODataset& query, const QDate& date);

} // namespace TextFormats

#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Dates as the ledger stores them: whole days counted from 1899-12-30, the
// day numbers of the old engine, so that Date()-Day1 and day filters work as
// they always did. Dates are written and read as "yyyy-MM-dd".
namespace JetDate {

qint64 DayNumber(const QDate& date);
// The date of a day number; a fraction (a time of day) is dropped.
QDate FromDayNumber(double dayNumber);
// "yyyy-MM-dd", the short date format of the program.
QString ShortText(const QDate& date);
// The long date format used in questions: "2004年5月1日".
QString LongText(const QDate& date);
// A date typed as yyyy-MM-dd (single-digit month and day accepted).
std::optional<QDate> ParseShort(const QString& text);

} // namespace JetDate

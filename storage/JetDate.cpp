#include "storage/JetDate.h"

#include <QRegularExpression>

#include <cmath>

namespace {
const qint64 EpochJulianDay = QDate(1899, 12, 30).toJulianDay();
}

namespace JetDate {

qint64 DayNumber(const QDate& date) {
    return date.toJulianDay() - EpochJulianDay;
}

QDate FromDayNumber(double dayNumber) {
    return QDate::fromJulianDay(EpochJulianDay + static_cast<qint64>(std::floor(dayNumber)));
}

QString ShortText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString LongText(const QDate& date) {
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

std::optional<QDate> ParseShort(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{4})-(\\d{1,2})-(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

} // namespace JetDate

#include "storage/TextFormats.h"

#include "storage/JetDate.h"
#include "storage/dao/DAODataset.h"
#include "storage/dao/Format.h"

namespace TextFormats {

QString MoneyText(Currency amount) {
    return Format(QStringLiteral("%0.2f"), {amount});
}

QString OneDecimalText(Currency amount) {
    return Format(QStringLiteral("%0.1f"), {amount});
}

QString PadSerial(qint64 n) {
    constexpr int width = 5;
    if (n < 0) {
        return QStringLiteral("-") + QString::number(-n).rightJustified(width, u'0');
    }
    return QString::number(n).rightJustified(width, u'0');
}

QString NextCode(const QString& code, const QString& separator, int step) {
    if (!separator.isEmpty()) {
        return code + separator + QString::number(qint64(step) + 1);
    }
    bool ok = false;
    const int number = code.trimmed().toInt(&ok);
    if (!ok) {
        return code;
    }
    return PadSerial(qint64(number) + step);
}

QString Blanks(int n) {
    return QString(qMax(n, 1), u' ');
}

QStringList SplitText(const QString& text, const QString& separator) {
    const QString trimmed = text.trimmed();
    if (separator.isEmpty()) {
        return {trimmed};
    }
    return trimmed.split(separator, Qt::KeepEmptyParts);
}

int DaysInMonth(int year, int month) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

QString BoolText(bool flag) {
    return flag ? QStringLiteral("True") : QStringLiteral("False");
}

bool IsTrueText(const QString& text) {
    return text == QStringLiteral("True");
}

void SinceFilter(TDAODataset& query, const QDate& date) {
    for (int i = 0; i < query.FieldCount(); ++i) {
        TField field = query.Fields(i);
        if (field.Kind() == TColumnKind::Date) {
            query.SetFilter(Format(QStringLiteral("%s>=%f"),
                                   {field.FieldName(), double(JetDate::DayNumber(date))}));
            query.SetFiltered(true);
            return;
        }
    }
}

} // namespace TextFormats

#include "members/FieldValues.h"

#include "storage/JetDate.h"

namespace FieldValues {

Currency Money(const QString& text) {
    return Currency::Parse(text).value_or(Currency());
}

Currency Amount(const QString& text) {
    return Absolute(Money(text));
}

Currency Absolute(Currency amount) {
    return amount.Abs();
}

QDate Day(const QString& text) {
    return JetDate::ParseShort(text).value_or(QDate());
}

int Whole(const QString& text) {
    return text.trimmed().toInt();
}

} // namespace FieldValues

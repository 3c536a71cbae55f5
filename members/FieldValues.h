#pragma once

#include "storage/Currency.h"

#include <QDate>
#include <QString>

// The values of dialog fields that passed their checks.
namespace FieldValues {

Currency Money(const QString& text);
// The absolute value: the direction of a movement comes from its kind, never
// from the sign typed.
Currency Amount(const QString& text);
Currency Absolute(Currency amount);
QDate Day(const QString& text);
int Whole(const QString& text);

} // namespace FieldValues

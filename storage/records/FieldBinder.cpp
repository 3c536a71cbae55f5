#include "storage/records/FieldBinder.h"

#include "storage/dao/DAODataset.h"

bool TFieldBinder::Takes(Use use) const {
    return use == Both || (use == ReadOnly) == Reading();
}

void TFieldBinder::operator()(const char* column, QString& value, Use use) {
    if (!Takes(use)) {
        return;
    }
    const TField field = dataset_.FieldByName(QLatin1String(column));
    Reading() ? void(value = field.AsString()) : field.SetAsString(value);
}

void TFieldBinder::operator()(const char* column, int& value, Use use) {
    if (!Takes(use)) {
        return;
    }
    const TField field = dataset_.FieldByName(QLatin1String(column));
    Reading() ? void(value = int(field.AsInteger())) : field.SetAsInteger(value);
}

void TFieldBinder::operator()(const char* column, Currency& value, Use use) {
    if (!Takes(use)) {
        return;
    }
    const TField field = dataset_.FieldByName(QLatin1String(column));
    Reading() ? void(value = field.AsCurrency()) : field.SetAsCurrency(value);
}

void TFieldBinder::operator()(const char* column, QDate& value, Use use) {
    if (!Takes(use)) {
        return;
    }
    const TField field = dataset_.FieldByName(QLatin1String(column));
    Reading() ? void(value = field.AsDateTime()) : field.SetAsDateTime(value);
}

void TFieldBinder::Flag(const QString& column, bool& value) {
    const TField field = dataset_.FieldByName(column);
    Reading() ? void(value = field.AsInteger() == 1) : field.SetAsInteger(value ? 1 : 0);
}

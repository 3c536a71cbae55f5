#pragma once

#include "members/FundRecords.h"

#include <QString>

class QFormLayout;
class QLineEdit;
class QWidget;
class TDateEdit;
class TDigitEdit;
class TIdComboBox;

// The fields both movement dialogs of the funds window share: date and
// category (the form's first rows), operator, amount and memo (its last).
class TMovementEntries {
public:
    // The categories are those of `categorySql`, the first chosen, as is the
    // first operator.
    TMovementEntries(QWidget* parent, const QString& categorySql);

    void AddHead(QFormLayout* form);
    void AddTail(QFormLayout* form);

    // A new movement: amount "0.00" and no memo; date, category and operator
    // stay as chosen.
    void Clear();
    // A movement as stored: its amount without sign, which its category gives.
    void Show(const TFTransaction& movement);
    // The fields as typed, into the store's form.
    void Store(TFundRecords::TMovementFields& fields) const;

    TDateEdit* edDay;
    TIdComboBox* cbCategory;
    TIdComboBox* cbOperator;
    TDigitEdit* edSum;
    QLineEdit* edMemo;
};

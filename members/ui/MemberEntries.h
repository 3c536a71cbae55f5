#pragma once

#include "members/MemberStore.h"

class QFormLayout;
class QLineEdit;
class QWidget;
class TAssociator;
class TIdComboBox;

// The fields both member dialogs start with: code, name, member type,
// telephone, address and memo, added to the dialog's form in that order.
class TMemberEntries {
public:
    TMemberEntries(QWidget* parent, QFormLayout* form);

    // Code, name, telephone, address and memo emptied; the type stays chosen.
    void Clear();
    void Show(const TAssociator& member);
    // The fields as typed, into the store's form.
    void Store(TMemberStore::TMemberFields& fields) const;

    QLineEdit* edCode;
    QLineEdit* edName;
    TIdComboBox* cbType;
    QLineEdit* edTelephone;
    QLineEdit* edAddress;
    QLineEdit* edMemo;
};

#pragma once

#include "app/EditDialogFm.h"
#include "storage/records/Account.h"

class QLineEdit;
class TIdComboBox;

// "新添/修改账户": a fund account's number, name (one of its kind), bank,
// contact, telephone and memo.
class TAddAccountFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddAccountFm(QWidget* parent = nullptr);

    QLineEdit* edNo;
    QLineEdit* edName;
    // The banks of the master data to choose from; any other name may be
    // typed, and the text is what the account keeps.
    TIdComboBox* cbBank;
    QLineEdit* edContact;
    QLineEdit* edTelephone;
    QLineEdit* edMemo;

protected:
    bool SaveRecord() override;
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override { return true; } // the account store checks
    void ShowRecord() override;

private:
    TAccount account_;
};

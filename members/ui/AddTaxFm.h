#pragma once

#include "app/EditDialogFm.h"
#include "storage/records/FTransaction.h"

class QLineEdit;
class TDateEdit;
class TDigitEdit;
class TIdComboBox;

// "添加/修改会员记录": a payment, refund or deposit of the member given as
// the dialog's parameter, with its effect on the member's quota or deposit.
class TAddTaxFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddTaxFm(QWidget* parent = nullptr);

    TDateEdit* edDay;
    TIdComboBox* cbCategory;
    TIdComboBox* cbOperator;
    TDigitEdit* edSum;
    QLineEdit* edMemo;

protected:
    bool SaveRecord() override;
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override { return true; } // the records check
    void ShowRecord() override;

private:
    TFTransaction record_;
};

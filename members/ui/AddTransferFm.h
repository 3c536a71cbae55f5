#pragma once

#include "app/EditDialogFm.h"
#include "members/ui/MovementEntries.h"
#include "storage/records/FTransaction.h"

class QLabel;
class QRadioButton;

// "添加/修改转账": money paid out of the account given as the dialog's
// parameter into another ("转出"), or into it from another ("转入"). A
// transfer once stored keeps its direction and other account.
class TAddTransferFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddTransferFm(QWidget* parent = nullptr);

    TMovementEntries Entries;
    QRadioButton* rbOut;
    QRadioButton* rbIn;
    // "收款账户" for a transfer out, "划款账户" for one in.
    QLabel* lbAccount;
    TIdComboBox* cbAccount;

protected:
    bool SaveRecord() override;
    void SetUp(int id, int parameter) override;
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override { return true; } // the fund records check
    void ShowRecord() override;

private:
    void ShowDirection();

    TFTransaction record_;
};

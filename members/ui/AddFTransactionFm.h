#pragma once

#include "app/EditDialogFm.h"
#include "members/ui/MovementEntries.h"
#include "storage/records/FTransaction.h"

// "添加/修改收支": an income or expense of the account given as the dialog's
// parameter; its category decides whether the amount comes in or goes out.
class TAddFTransactionFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddFTransactionFm(QWidget* parent = nullptr);

    TMovementEntries Entries;

protected:
    bool SaveRecord() override;
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override { return true; } // the fund records check
    void ShowRecord() override;

private:
    TFTransaction record_;
};

#pragma once

#include "app/EditDialogFm.h"
#include "members/ui/MemberEntries.h"
#include "storage/records/Associator.h"

class TDigitEdit;

// "修改会员": a member's data and its days, discs, prepaid rent and deposit
// corrected directly, without any money movement.
class TEditAssociatorFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TEditAssociatorFm(QWidget* parent = nullptr);

    TMemberEntries Entries;
    TDigitEdit* edDays;
    TDigitEdit* edNumbers;
    TDigitEdit* edBalance;
    TDigitEdit* edDeposit;

protected:
    bool SaveRecord() override;
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override { return true; } // the store checks
    void ShowRecord() override;

private:
    TAssociator member_;
};

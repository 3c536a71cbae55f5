#pragma once

#include "app/EditDialogFm.h"
#include "members/ui/MemberEntries.h"
#include "storage/records/Associator.h"

class QLabel;
class TDigitEdit;

// "新添会员": a member opened with a first payment and a deposit, each
// booked into the cash box when above 0.
class TAddAssociatorFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddAssociatorFm(QWidget* parent = nullptr);

    TMemberEntries Entries;
    QLabel* lbSum;
    TDigitEdit* edSum;
    TDigitEdit* edDeposit;

protected:
    bool SaveRecord() override;
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override { return true; } // the store checks

private:
    // The payment's caption follows the chosen type: prepaid rent or payment.
    void ShowSumCaption();

    TAssociator member_;
};

#pragma once

#include "app/EditDialogFm.h"
#include "members/MasterDataForms.h"
#include "storage/records/Fee.h"

class QLineEdit;
class TDigitEdit;

// "新添/修改收费标准": a fee standard's name (unique) and, for walk-in renters
// and for members, the deposit per unit, the unit in billing counts (a
// multiple of 0.5), the rent per day unit and the day unit.
class TAddFeeFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddFeeFm(QWidget* parent = nullptr);

    QLineEdit* edName;
    TDigitEdit* edDeposit1;
    TDigitEdit* edNumber1;
    TDigitEdit* edRent1;
    TDigitEdit* edDays1;
    TDigitEdit* edDeposit2;
    TDigitEdit* edNumber2;
    TDigitEdit* edRent2;
    TDigitEdit* edDays2;

protected:
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override;
    void ShowRecord() override;
    void StoreRecord() override;

private:
    MasterDataForms::TFeeFields Typed() const;
    void Show(const MasterDataForms::TFeeFields& fields);

    TFee fee_;
};

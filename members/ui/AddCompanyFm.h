#pragma once

#include "app/EditDialogFm.h"
#include "members/MasterDataForms.h"
#include "storage/records/Company.h"

class QLineEdit;

// "新添/修改供应商": a supplier's name (unique), address, telephone and memo.
class TAddCompanyFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddCompanyFm(QWidget* parent = nullptr);

    QLineEdit* edName;
    QLineEdit* edAddress;
    QLineEdit* edTelephone;
    QLineEdit* edMemo;

protected:
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override;
    void ShowRecord() override;
    void StoreRecord() override;

private:
    MasterDataForms::TCompanyFields Typed() const;
    void Show(const MasterDataForms::TCompanyFields& fields);

    TCompany company_;
};

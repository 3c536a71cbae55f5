#pragma once

#include "app/EditDialogFm.h"
#include "storage/records/Bank.h"

class QLineEdit;

// "新添/修改金融机构": a bank's name (names may repeat) and memo.
class TAddBankFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddBankFm(QWidget* parent = nullptr);

    QLineEdit* edName;
    QLineEdit* edMemo;

protected:
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override;
    void ShowRecord() override;
    void StoreRecord() override;

private:
    TBank bank_;
};

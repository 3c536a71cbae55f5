#pragma once

#include "app/EditDialogFm.h"
#include "members/MasterDataForms.h"
#include "storage/records/Category.h"

class QComboBox;
class QLineEdit;
class TParentCombo;

// "新添/修改收支分类": an income or expense category's name (unique), its
// parent (never itself nor a category below it), its kind and memo.
class TAddCategoryFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddCategoryFm(QWidget* parent = nullptr);

    QLineEdit* edName;
    TParentCombo* cbSubId;
    QComboBox* cbFlag;
    QLineEdit* edMemo;

protected:
    void SetUp(int id, int parameter) override;
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override;
    void ShowRecord() override;
    void StoreRecord() override;

private:
    MasterDataForms::TCategoryFields Typed() const;

    TCategory category_;
};

#pragma once

#include "app/EditDialogFm.h"
#include "members/MasterDataForms.h"
#include "storage/records/CdCategory.h"

class QLineEdit;
class TParentCombo;

// "新添/修改影片分类": a disc category's name (unique), its parent (a
// top-level category, never itself) and memo.
class TAddCdCategoryFm : public TEditDialogFm {
    Q_OBJECT
public:
    explicit TAddCdCategoryFm(QWidget* parent = nullptr);

    QLineEdit* edName;
    TParentCombo* cbSubId;
    QLineEdit* edMemo;

protected:
    void SetUp(int id, int parameter) override;
    void PrepareNew() override;
    void FocusFirst() override;
    bool Validate() override;
    void ShowRecord() override;
    void StoreRecord() override;

private:
    MasterDataForms::TCdCategoryFields Typed() const;

    TCdCategory category_;
};

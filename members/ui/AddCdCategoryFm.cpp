#include "members/ui/AddCdCategoryFm.h"

#include "members/ui/ParentCombo.h"

#include <QFormLayout>
#include <QLineEdit>

TAddCdCategoryFm::TAddCdCategoryFm(QWidget* parent)
    : TEditDialogFm(category_, parent), edName(new QLineEdit(pnBody)),
      cbSubId(new TParentCombo(CategoryParents::TTree::Disc, pnBody)),
      edMemo(new QLineEdit(pnBody)) {
    setWindowTitle(QStringLiteral("新添/修改影片分类"));
    edName->setObjectName(QStringLiteral("edName"));
    edMemo->setObjectName(QStringLiteral("edMemo"));
    auto* layout = new QFormLayout(pnBody);
    layout->addRow(QStringLiteral("分类名称"), edName);
    layout->addRow(QStringLiteral("所属分类"), cbSubId);
    layout->addRow(QStringLiteral("说明"), edMemo);
    setMinimumWidth(360);
}

void TAddCdCategoryFm::SetUp(int, int) {
    cbSubId->Fill(category_.Id);
}

void TAddCdCategoryFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    edName->clear();
    edMemo->clear();
    cbSubId->setCurrentIndex(0);
}

void TAddCdCategoryFm::FocusFirst() {
    edName->setFocus();
}

MasterDataForms::TCdCategoryFields TAddCdCategoryFm::Typed() const {
    return {edName->text(), cbSubId->ChosenId(), edMemo->text()};
}

bool TAddCdCategoryFm::Validate() {
    return !Refused(MasterDataForms::Check(category_.Id, Typed()));
}

void TAddCdCategoryFm::ShowRecord() {
    edName->setText(category_.Name);
    cbSubId->ChooseId(category_.SubId);
    edMemo->setText(category_.Memo);
}

void TAddCdCategoryFm::StoreRecord() {
    MasterDataForms::Apply(category_, Typed());
}

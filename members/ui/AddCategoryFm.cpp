#include "members/ui/AddCategoryFm.h"

#include "members/ui/ParentCombo.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

TAddCategoryFm::TAddCategoryFm(QWidget* parent)
    : TEditDialogFm(category_, parent), edName(new QLineEdit(pnBody)),
      cbSubId(new TParentCombo(CategoryParents::TTree::Money, pnBody)),
      cbFlag(new QComboBox(pnBody)), edMemo(new QLineEdit(pnBody)) {
    setWindowTitle(QStringLiteral("新添/修改收支分类"));
    edName->setObjectName(QStringLiteral("edName"));
    cbFlag->setObjectName(QStringLiteral("cbFlag"));
    cbFlag->addItems({QStringLiteral("经营收入"), QStringLiteral("经营支出"),
                      QStringLiteral("日常收入"), QStringLiteral("日常支出")});
    edMemo->setObjectName(QStringLiteral("edMemo"));
    auto* layout = new QFormLayout(pnBody);
    layout->addRow(QStringLiteral("分类名称"), edName);
    layout->addRow(QStringLiteral("所属分类"), cbSubId);
    layout->addRow(QStringLiteral("收支类型"), cbFlag);
    layout->addRow(QStringLiteral("说明"), edMemo);
    setMinimumWidth(360);
}

void TAddCategoryFm::SetUp(int, int) {
    cbSubId->Fill(category_.Id);
}

void TAddCategoryFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    edName->clear();
    edMemo->clear();
    cbSubId->setCurrentIndex(0);
    cbFlag->setCurrentIndex(0);
}

void TAddCategoryFm::FocusFirst() {
    edName->setFocus();
}

MasterDataForms::TCategoryFields TAddCategoryFm::Typed() const {
    return {edName->text(), cbSubId->currentText(), cbSubId->ChosenId(), cbFlag->currentIndex(),
            edMemo->text()};
}

bool TAddCategoryFm::Validate() {
    return !Refused(MasterDataForms::Check(category_.Id, Typed()));
}

void TAddCategoryFm::ShowRecord() {
    const MasterDataForms::TCategoryFields fields = MasterDataForms::Read(category_);
    edName->setText(fields.name);
    cbSubId->ChooseId(fields.subId);
    cbFlag->setCurrentIndex(fields.flagIndex);
    edMemo->setText(fields.memo);
}

void TAddCategoryFm::StoreRecord() {
    MasterDataForms::Apply(category_, Typed());
}

#include "members/ui/AddCompanyFm.h"

#include <QFormLayout>
#include <QLineEdit>

TAddCompanyFm::TAddCompanyFm(QWidget* parent)
    : TEditDialogFm(company_, parent), edName(new QLineEdit(pnBody)),
      edAddress(new QLineEdit(pnBody)), edTelephone(new QLineEdit(pnBody)),
      edMemo(new QLineEdit(pnBody)) {
    setWindowTitle(QStringLiteral("新添/修改供应商"));
    edName->setObjectName(QStringLiteral("edName"));
    edAddress->setObjectName(QStringLiteral("edAddress"));
    edTelephone->setObjectName(QStringLiteral("edTelephone"));
    edMemo->setObjectName(QStringLiteral("edMemo"));
    auto* layout = new QFormLayout(pnBody);
    layout->addRow(QStringLiteral("供应商名称"), edName);
    layout->addRow(QStringLiteral("地址"), edAddress);
    layout->addRow(QStringLiteral("联系电话"), edTelephone);
    layout->addRow(QStringLiteral("说明"), edMemo);
    setMinimumWidth(400);
}

void TAddCompanyFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    Show({});
}

void TAddCompanyFm::FocusFirst() {
    edName->setFocus();
}

MasterDataForms::TCompanyFields TAddCompanyFm::Typed() const {
    return {edName->text(), edAddress->text(), edTelephone->text(), edMemo->text()};
}

void TAddCompanyFm::Show(const MasterDataForms::TCompanyFields& fields) {
    edName->setText(fields.name);
    edAddress->setText(fields.address);
    edTelephone->setText(fields.telephone);
    edMemo->setText(fields.memo);
}

bool TAddCompanyFm::Validate() {
    return !Refused(MasterDataForms::Check(company_.Id, Typed()));
}

void TAddCompanyFm::ShowRecord() {
    Show({company_.Name, company_.Address, company_.Telephone, company_.Memo});
}

void TAddCompanyFm::StoreRecord() {
    MasterDataForms::Apply(company_, Typed());
}

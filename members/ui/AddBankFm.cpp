#include "members/ui/AddBankFm.h"

#include "storage/InputChecks.h"

#include <QFormLayout>
#include <QLineEdit>

TAddBankFm::TAddBankFm(QWidget* parent)
    : TEditDialogFm(bank_, parent), edName(new QLineEdit(pnBody)), edMemo(new QLineEdit(pnBody)) {
    setWindowTitle(QStringLiteral("新添/修改金融机构"));
    edName->setObjectName(QStringLiteral("edName"));
    edMemo->setObjectName(QStringLiteral("edMemo"));
    auto* layout = new QFormLayout(pnBody);
    layout->addRow(QStringLiteral("名称"), edName);
    layout->addRow(QStringLiteral("说明"), edMemo);
}

void TAddBankFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    edName->clear();
    edMemo->clear();
}

void TAddBankFm::FocusFirst() {
    edName->setFocus();
}

bool TAddBankFm::Validate() {
    if (!InputChecks::CheckNotEmpty(QStringLiteral("名称"), edName->text())) {
        edName->setFocus();
        return false;
    }
    return true;
}

void TAddBankFm::ShowRecord() {
    edName->setText(bank_.Name);
    edMemo->setText(bank_.Memo);
}

void TAddBankFm::StoreRecord() {
    bank_.Name = edName->text();
    bank_.Memo = edMemo->text();
}

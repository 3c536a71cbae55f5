#include "members/ui/AddPlayerFm.h"

#include "members/MasterDataForms.h"

#include <QFormLayout>
#include <QLineEdit>

TAddPlayerFm::TAddPlayerFm(QWidget* parent)
    : TEditDialogFm(player_, parent), edName(new QLineEdit(pnBody)), edMemo(new QLineEdit(pnBody)) {
    setWindowTitle(QStringLiteral("新添/修改演员/导演"));
    edName->setObjectName(QStringLiteral("edName"));
    edMemo->setObjectName(QStringLiteral("edMemo"));
    auto* layout = new QFormLayout(pnBody);
    layout->addRow(QStringLiteral("姓名"), edName);
    layout->addRow(QStringLiteral("说明"), edMemo);
    setMinimumWidth(320);
}

void TAddPlayerFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    edName->clear();
    edMemo->clear();
}

void TAddPlayerFm::FocusFirst() {
    edName->setFocus();
}

bool TAddPlayerFm::Validate() {
    return !Refused(MasterDataForms::Check({edName->text(), edMemo->text()}));
}

void TAddPlayerFm::ShowRecord() {
    edName->setText(player_.Name);
    edMemo->setText(player_.Memo);
}

void TAddPlayerFm::StoreRecord() {
    MasterDataForms::Apply(player_, {edName->text(), edMemo->text()});
}

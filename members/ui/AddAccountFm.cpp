#include "members/ui/AddAccountFm.h"

#include "app/kit/IdComboBox.h"
#include "app/kit/LineEdit.h"
#include "members/AccountStore.h"

#include <QFormLayout>
#include <QLineEdit>

TAddAccountFm::TAddAccountFm(QWidget* parent)
    : TEditDialogFm(account_, parent), edNo(NewLineEdit(pnBody, "edNo", 50)),
      edName(NewLineEdit(pnBody, "edName", 100)), cbBank(new TIdComboBox(pnBody)),
      edContact(NewLineEdit(pnBody, "edContact", 50)),
      edTelephone(NewLineEdit(pnBody, "edTelephone", 50)),
      edMemo(NewLineEdit(pnBody, "edMemo", 255)) {
    setWindowTitle(QStringLiteral("新添/修改账户"));
    cbBank->setObjectName(QStringLiteral("cbBank"));
    cbBank->setEditable(true);
    cbBank->setInsertPolicy(QComboBox::NoInsert);
    cbBank->lineEdit()->setMaxLength(100);
    cbBank->Fill(QStringLiteral("SELECT Id,Name AS TXT FROM TbBank ORDER BY Id"));
    auto* form = new QFormLayout(pnBody);
    form->addRow(QStringLiteral("账号"), edNo);
    form->addRow(QStringLiteral("账户名称"), edName);
    form->addRow(QStringLiteral("开户行"), cbBank);
    form->addRow(QStringLiteral("联系人"), edContact);
    form->addRow(QStringLiteral("联系电话"), edTelephone);
    form->addRow(QStringLiteral("说明"), edMemo);
    resize(380, sizeHint().height());
}

void TAddAccountFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    for (QLineEdit* edit : {edNo, edName, edContact, edTelephone, edMemo}) {
        edit->clear();
    }
}

void TAddAccountFm::FocusFirst() {
    edNo->setFocus();
}

void TAddAccountFm::ShowRecord() {
    edNo->setText(account_.No);
    edName->setText(account_.Name);
    cbBank->setCurrentText(account_.Bank);
    edContact->setText(account_.Contact);
    edTelephone->setText(account_.Telephone);
    edMemo->setText(account_.Memo);
}

bool TAddAccountFm::SaveRecord() {
    const TStored<int> stored = TAccountStore::SaveAccount(
        account_.Id, {edNo->text(), edName->text(), cbBank->currentText(), edContact->text(),
                      edTelephone->text(), edMemo->text()});
    if (Refused(stored)) {
        return false;
    }
    account_.Id = stored.Value();
    return true;
}

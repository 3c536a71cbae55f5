#include "members/ui/MemberEntries.h"

#include "app/kit/IdComboBox.h"
#include "app/kit/LineEdit.h"
#include "storage/records/Associator.h"

#include <QFormLayout>
#include <QLineEdit>

TMemberEntries::TMemberEntries(QWidget* parent, QFormLayout* form)
    : edCode(NewLineEdit(parent, "edCode", 50)), edName(NewLineEdit(parent, "edName", 100)),
      cbType(new TIdComboBox(parent)), edTelephone(NewLineEdit(parent, "edTelephone", 50)),
      edAddress(NewLineEdit(parent, "edAddress", 200)), edMemo(NewLineEdit(parent, "edMemo", 255)) {
    cbType->setObjectName(QStringLiteral("cbType"));
    // The types in the order they were entered, the first chosen.
    cbType->Fill(QStringLiteral("SELECT Id,Name AS TXT FROM TbAtorType ORDER BY Id"));
    form->addRow(QStringLiteral("编号"), edCode);
    form->addRow(QStringLiteral("姓名"), edName);
    form->addRow(QStringLiteral("类型"), cbType);
    form->addRow(QStringLiteral("联系电话"), edTelephone);
    form->addRow(QStringLiteral("地址"), edAddress);
    form->addRow(QStringLiteral("说明"), edMemo);
}

void TMemberEntries::Clear() {
    for (QLineEdit* edit : {edCode, edName, edTelephone, edAddress, edMemo}) {
        edit->clear();
    }
}

void TMemberEntries::Show(const TAssociator& member) {
    edCode->setText(member.Code);
    edName->setText(member.Name);
    // A type deleted since leaves none chosen: the operator picks one rather
    // than the member silently taking the first.
    cbType->ChooseIdOrNone(member.AId);
    edTelephone->setText(member.Telephone);
    edAddress->setText(member.Address);
    edMemo->setText(member.Memo);
}

void TMemberEntries::Store(TMemberStore::TMemberFields& fields) const {
    fields.code = edCode->text();
    fields.name = edName->text();
    fields.typeId = cbType->ChosenId();
    fields.telephone = edTelephone->text();
    fields.address = edAddress->text();
    fields.memo = edMemo->text();
}

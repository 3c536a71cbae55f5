#include "members/ui/MemberEntries.h"

#include "app/kit/IdComboBox.h"
#include "storage/records/Associator.h"

#include <QFormLayout>
#include <QLineEdit>

namespace {

QLineEdit* NewLine(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

TMemberEntries::TMemberEntries(QWidget* parent, QFormLayout* form)
    : edCode(NewLine(parent, "edCode", 50)), edName(NewLine(parent, "edName", 100)),
      cbType(new TIdComboBox(parent)), edTelephone(NewLine(parent, "edTelephone", 50)),
      edAddress(NewLine(parent, "edAddress", 200)), edMemo(NewLine(parent, "edMemo", 255)) {
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
    if (!cbType->ChooseId(member.AId)) {
        cbType->setCurrentIndex(-1);
    }
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

#include "members/ui/AddAssociatorFm.h"

#include "app/Session.h"
#include "app/kit/DigitEdit.h"
#include "app/kit/IdComboBox.h"
#include "members/MemberStore.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString ZeroMoney = QStringLiteral("0.00");

TDigitEdit* NewAmount(QWidget* parent, const char* name, const QString& hint) {
    auto* edit = new TDigitEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(hint);
    return edit;
}

} // namespace

TAddAssociatorFm::TAddAssociatorFm(QWidget* parent)
    : TEditDialogFm(member_, parent), Entries(pnBody, new QFormLayout(pnBody)),
      lbSum(new QLabel(pnBody)),
      edSum(NewAmount(pnBody, "edSum", QStringLiteral("会员开户，第一次缴纳的金额。"))),
      edDeposit(NewAmount(pnBody, "edDeposit",
                          QStringLiteral("会员开户的押金，会员销户据此退还押金。"))) {
    setWindowTitle(QStringLiteral("新添会员"));
    lbSum->setObjectName(QStringLiteral("lbSum"));
    auto* form = static_cast<QFormLayout*>(pnBody->layout());
    form->addRow(lbSum, edSum);
    form->addRow(QStringLiteral("会员押金"), edDeposit);
    connect(Entries.cbType, &QComboBox::currentIndexChanged, this,
            &TAddAssociatorFm::ShowSumCaption);
    ShowSumCaption();
    resize(360, sizeHint().height());
}

void TAddAssociatorFm::ShowSumCaption() {
    TAtorType type;
    const int id = Entries.cbType->ChosenId();
    if (id <= 0 || !type.LoadById(id)) {
        type.Fee = 0;
    }
    lbSum->setText(TMemberStore::SumCaption(type));
}

void TAddAssociatorFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    Entries.Clear();
    edSum->setText(ZeroMoney);
    edDeposit->setText(ZeroMoney);
}

void TAddAssociatorFm::FocusFirst() {
    Entries.edCode->setFocus();
}

bool TAddAssociatorFm::SaveRecord() {
    TMemberStore::TOpeningFields fields;
    Entries.Store(fields);
    fields.sum = edSum->text();
    fields.deposit = edDeposit->text();
    const TStored<int> stored = TMemberStore(TSession::Current().Operator).AddMember(fields);
    if (Refused(stored)) {
        return false;
    }
    member_.Id = stored.Value();
    return true;
}

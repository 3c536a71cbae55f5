#include "members/ui/EditAssociatorFm.h"

#include "app/Session.h"
#include "app/kit/DigitEdit.h"
#include "members/MemberStore.h"
#include "storage/TextFormats.h"

#include <QFormLayout>
#include <QLineEdit>

namespace {

TDigitEdit* NewFigure(QWidget* parent, const char* name, bool signAllowed) {
    auto* edit = new TDigitEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetSignAllowed(signAllowed);
    return edit;
}

} // namespace

TEditAssociatorFm::TEditAssociatorFm(QWidget* parent)
    : TEditDialogFm(member_, parent), Entries(pnBody, new QFormLayout(pnBody)),
      edDays(NewFigure(pnBody, "edDays", false)), edNumbers(NewFigure(pnBody, "edNumbers", true)),
      edBalance(NewFigure(pnBody, "edBalance", true)),
      edDeposit(NewFigure(pnBody, "edDeposit", true)) {
    setWindowTitle(QStringLiteral("修改会员"));
    auto* form = static_cast<QFormLayout*>(pnBody->layout());
    form->addRow(QStringLiteral("剩余天数"), edDays);
    form->addRow(QStringLiteral("剩余部数"), edNumbers);
    form->addRow(QStringLiteral("预收租金"), edBalance);
    form->addRow(QStringLiteral("押金"), edDeposit);
    resize(360, sizeHint().height());
}

void TEditAssociatorFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    Entries.Clear();
    edDays->setText(QStringLiteral("0"));
    edNumbers->setText(QStringLiteral("0"));
    edBalance->setText(QStringLiteral("0.00"));
    edDeposit->setText(QStringLiteral("0.00"));
}

void TEditAssociatorFm::FocusFirst() {
    Entries.edCode->setFocus();
}

void TEditAssociatorFm::ShowRecord() {
    Entries.Show(member_);
    edDays->setText(QString::number(member_.RemainingDays()));
    edNumbers->setText(member_.RemainingNumber().ToPlainText());
    edBalance->setText(TextFormats::MoneyText(member_.Balance));
    edDeposit->setText(TextFormats::MoneyText(member_.Deposit));
}

bool TEditAssociatorFm::SaveRecord() {
    TMemberStore::TCorrectionFields fields;
    Entries.Store(fields);
    fields.days = edDays->text();
    fields.numbers = edNumbers->text();
    fields.balance = edBalance->text();
    fields.deposit = edDeposit->text();
    const TStored<int> stored =
        TMemberStore(TSession::Current().Operator).EditMember(member_.Id, fields);
    if (Refused(stored)) {
        return false;
    }
    member_.Id = stored.Value();
    return true;
}

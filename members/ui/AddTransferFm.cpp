#include "members/ui/AddTransferFm.h"

#include "app/kit/DateEdit.h"
#include "app/kit/IdComboBox.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

TAddTransferFm::TAddTransferFm(QWidget* parent)
    : TEditDialogFm(record_, parent), Entries(pnBody, TFundRecords::TransferCategorySql()),
      rbOut(new QRadioButton(QStringLiteral("转出"), pnBody)),
      rbIn(new QRadioButton(QStringLiteral("转入"), pnBody)), lbAccount(new QLabel(pnBody)),
      cbAccount(new TIdComboBox(pnBody)) {
    setWindowTitle(QStringLiteral("添加/修改转账"));
    rbOut->setObjectName(QStringLiteral("rbOut"));
    rbIn->setObjectName(QStringLiteral("rbIn"));
    lbAccount->setObjectName(QStringLiteral("lbAccount"));
    cbAccount->setObjectName(QStringLiteral("cbAccount"));
    rbOut->setChecked(true);
    connect(rbOut, &QRadioButton::toggled, this, &TAddTransferFm::ShowDirection);

    auto* direction = new QHBoxLayout;
    direction->addWidget(rbOut);
    direction->addWidget(rbIn);
    direction->addStretch();
    auto* form = new QFormLayout(pnBody);
    Entries.AddHead(form);
    form->addRow(QStringLiteral("转账类型"), direction);
    form->addRow(lbAccount, cbAccount);
    Entries.AddTail(form);
    ShowDirection();
    resize(360, sizeHint().height());
}

void TAddTransferFm::SetUp(int id, int parameter) {
    // Every account but this one; a stored transfer's direction and other
    // account stay as they are.
    const int other = cbAccount->ChosenId();
    cbAccount->Fill(TFundRecords::OtherAccountsSql(parameter));
    cbAccount->ChooseId(other);
    const bool stored = id > 0;
    rbOut->setEnabled(!stored);
    rbIn->setEnabled(!stored);
    cbAccount->setEnabled(!stored);
}

void TAddTransferFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    Entries.Clear();
    rbOut->setChecked(true);
}

void TAddTransferFm::FocusFirst() {
    Entries.edDay->setFocus();
}

void TAddTransferFm::ShowRecord() {
    Entries.Show(record_);
    const TFundRecords::TDirection direction = TFundRecords::Direction(record_, Parameter());
    (direction.out ? rbOut : rbIn)->setChecked(true);
    cbAccount->ChooseIdOrNone(direction.otherAccountId);
}

void TAddTransferFm::ShowDirection() {
    lbAccount->setText(rbOut->isChecked() ? QStringLiteral("收款账户")
                                          : QStringLiteral("划款账户"));
}

bool TAddTransferFm::SaveRecord() {
    TFundRecords::TTransferFields fields;
    Entries.Store(fields);
    fields.out = rbOut->isChecked();
    fields.otherAccountId = cbAccount->ChosenId();
    const TStored<int> stored = TFundRecords(Parameter()).SaveTransfer(record_.Id, fields);
    if (Refused(stored)) {
        return false;
    }
    record_.Id = stored.Value();
    return true;
}

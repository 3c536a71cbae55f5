#include "members/ui/AddFTransactionFm.h"

#include "app/kit/DateEdit.h"

#include <QFormLayout>

TAddFTransactionFm::TAddFTransactionFm(QWidget* parent)
    : TEditDialogFm(record_, parent), Entries(pnBody, TFundRecords::IncomeCategoriesSql()) {
    setWindowTitle(QStringLiteral("添加/修改收支"));
    auto* form = new QFormLayout(pnBody);
    Entries.AddHead(form);
    Entries.AddTail(form);
    resize(360, sizeHint().height());
}

void TAddFTransactionFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    Entries.Clear();
}

void TAddFTransactionFm::FocusFirst() {
    Entries.edDay->setFocus();
}

void TAddFTransactionFm::ShowRecord() {
    Entries.Show(record_);
}

bool TAddFTransactionFm::SaveRecord() {
    TFundRecords::TMovementFields fields;
    Entries.Store(fields);
    const TStored<int> stored = TFundRecords(Parameter()).SaveMovement(record_.Id, fields);
    if (Refused(stored)) {
        return false;
    }
    record_.Id = stored.Value();
    return true;
}

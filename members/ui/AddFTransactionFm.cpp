#include "members/ui/AddFTransactionFm.h"

#include "app/kit/DateEdit.h"
#include "storage/dao/Format.h"

#include <QFormLayout>

TAddFTransactionFm::TAddFTransactionFm(QWidget* parent)
    : TEditDialogFm(record_, parent),
      // The user's income and expense categories, and funds in and out.
      Entries(pnBody,
              Format(QStringLiteral("SELECT Id,Name AS TXT FROM TbCategory WHERE Flag>2 "
                                    "OR Id=%d OR Id=%d ORDER BY Id"),
                     {int(TFundRecords::FundsInCategory), int(TFundRecords::FundsOutCategory)})) {
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

#include "members/ui/AddTaxFm.h"

#include "app/kit/DateEdit.h"
#include "app/kit/DigitEdit.h"
#include "app/kit/IdComboBox.h"
#include "members/MemberRecords.h"
#include "storage/JetDate.h"
#include "storage/TextFormats.h"
#include "storage/dao/Format.h"

#include <QFormLayout>
#include <QLineEdit>

TAddTaxFm::TAddTaxFm(QWidget* parent)
    : TEditDialogFm(record_, parent), edDay(new TDateEdit(pnBody)),
      cbCategory(new TIdComboBox(pnBody)), cbOperator(new TIdComboBox(pnBody)),
      edSum(new TDigitEdit(pnBody)), edMemo(new QLineEdit(pnBody)) {
    setWindowTitle(QStringLiteral("添加/修改会员记录"));
    edDay->setObjectName(QStringLiteral("edDay"));
    cbCategory->setObjectName(QStringLiteral("cbCategory"));
    cbOperator->setObjectName(QStringLiteral("cbOperator"));
    edSum->setObjectName(QStringLiteral("edSum"));
    edSum->SetSignAllowed(true); // a refund shows its negative amount
    edMemo->setObjectName(QStringLiteral("edMemo"));
    edMemo->setMaxLength(255);
    // The lists in the order their rows were entered, the first chosen.
    cbCategory->Fill(
        Format(QStringLiteral("SELECT Id,Name AS TXT FROM TbCategory WHERE Id IN "
                              "(%d,%d,%d) ORDER BY Id"),
               {int(MemberMovement::PaymentCategory), int(MemberMovement::RefundCategory),
                int(MemberMovement::DepositCategory)}));
    cbCategory->ChooseId(MemberMovement::PaymentCategory);
    cbOperator->Fill(QStringLiteral("SELECT Id,Name AS TXT FROM TbOperator ORDER BY Id"));
    auto* form = new QFormLayout(pnBody);
    form->addRow(QStringLiteral("日期"), edDay);
    form->addRow(QStringLiteral("收支分类"), cbCategory);
    form->addRow(QStringLiteral("经手人"), cbOperator);
    form->addRow(QStringLiteral("金额"), edSum);
    form->addRow(QStringLiteral("说明"), edMemo);
    resize(360, sizeHint().height());
}

void TAddTaxFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    edSum->setText(QStringLiteral("0.00"));
    edMemo->clear();
}

void TAddTaxFm::FocusFirst() {
    edDay->setFocus();
}

void TAddTaxFm::ShowRecord() {
    edDay->SetEnteredDate(record_.Day);
    cbCategory->ChooseId(record_.CId1);
    cbOperator->ChooseId(record_.CId3);
    edSum->setText(TextFormats::MoneyText(record_.Sum2));
    edMemo->setText(record_.Memo);
}

bool TAddTaxFm::SaveRecord() {
    TMemberRecords::TRecordFields fields;
    fields.day = JetDate::ShortText(edDay->EnteredDate());
    fields.categoryId = cbCategory->ChosenId();
    fields.operatorId = cbOperator->ChosenId();
    fields.sum = edSum->text();
    fields.memo = edMemo->text();
    const TStored<int> stored = TMemberRecords(Parameter()).SaveRecord(record_.Id, fields);
    if (Refused(stored)) {
        return false;
    }
    record_.Id = stored.Value();
    return true;
}

#include "members/ui/MovementEntries.h"

#include "app/kit/DateEdit.h"
#include "app/kit/DigitEdit.h"
#include "app/kit/IdComboBox.h"
#include "storage/JetDate.h"
#include "storage/TextFormats.h"
#include "storage/records/FTransaction.h"

#include <QFormLayout>
#include <QLineEdit>

TMovementEntries::TMovementEntries(QWidget* parent, const QString& categorySql)
    : edDay(new TDateEdit(parent)), cbCategory(new TIdComboBox(parent)),
      cbOperator(new TIdComboBox(parent)), edSum(new TDigitEdit(parent)),
      edMemo(new QLineEdit(parent)) {
    edDay->setObjectName(QStringLiteral("edDay"));
    cbCategory->setObjectName(QStringLiteral("cbCategory"));
    cbOperator->setObjectName(QStringLiteral("cbOperator"));
    edSum->setObjectName(QStringLiteral("edSum"));
    // Either sign may be typed: the category decides.
    edSum->SetSignAllowed(true);
    edMemo->setObjectName(QStringLiteral("edMemo"));
    edMemo->setMaxLength(255);
    cbCategory->Fill(categorySql);
    cbOperator->Fill(QStringLiteral("SELECT Id,Name AS TXT FROM TbOperator ORDER BY Id"));
}

void TMovementEntries::AddHead(QFormLayout* form) {
    form->addRow(QStringLiteral("日期"), edDay);
    form->addRow(QStringLiteral("收支分类"), cbCategory);
}

void TMovementEntries::AddTail(QFormLayout* form) {
    form->addRow(QStringLiteral("经手人"), cbOperator);
    form->addRow(QStringLiteral("金额"), edSum);
    form->addRow(QStringLiteral("说明"), edMemo);
}

void TMovementEntries::Clear() {
    edSum->setText(QStringLiteral("0.00"));
    edMemo->clear();
}

void TMovementEntries::Show(const TFTransaction& movement) {
    edDay->SetEnteredDate(movement.Day);
    // A category or operator deleted since shows none chosen rather than
    // silently the first.
    cbCategory->ChooseIdOrNone(movement.CId1);
    cbOperator->ChooseIdOrNone(movement.CId3);
    edSum->setText(TextFormats::MoneyText(movement.Sum1.Abs()));
    edMemo->setText(movement.Memo);
}

void TMovementEntries::Store(TFundRecords::TMovementFields& fields) const {
    fields.day = JetDate::ShortText(edDay->EnteredDate());
    fields.categoryId = cbCategory->ChosenId();
    fields.operatorId = cbOperator->ChosenId();
    fields.sum = edSum->text();
    fields.memo = edMemo->text();
}

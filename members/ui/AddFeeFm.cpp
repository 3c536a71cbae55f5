#include "members/ui/AddFeeFm.h"

#include "app/kit/DigitEdit.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// One group of a fee standard: deposit, unit, rent and day unit.
QGroupBox* Group(const QString& title, const QStringList& captions, const QList<TDigitEdit*>& edits,
                 QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QFormLayout(group);
    for (int i = 0; i < edits.size(); ++i) {
        edits[i]->setParent(group);
        layout->addRow(captions[i], edits[i]);
    }
    return group;
}

TDigitEdit* NumberBox(const char* name) {
    auto* edit = new TDigitEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

} // namespace

TAddFeeFm::TAddFeeFm(QWidget* parent)
    : TEditDialogFm(fee_, parent), edName(new QLineEdit(pnBody)),
      edDeposit1(NumberBox("edDeposit1")), edNumber1(NumberBox("edNumber1")),
      edRent1(NumberBox("edRent1")), edDays1(NumberBox("edDays1")),
      edDeposit2(NumberBox("edDeposit2")), edNumber2(NumberBox("edNumber2")),
      edRent2(NumberBox("edRent2")), edDays2(NumberBox("edDays2")) {
    setWindowTitle(QStringLiteral("新添/修改收费标准"));
    edName->setObjectName(QStringLiteral("edName"));
    auto* name = new QFormLayout;
    name->addRow(QStringLiteral("收费标准名称"), edName);
    auto* groups = new QHBoxLayout;
    groups->addWidget(Group(QStringLiteral("零租用户"),
                            {QStringLiteral("零租押金/单位部数"), QStringLiteral("单位部数"),
                             QStringLiteral("零租租金/单位天数"), QStringLiteral("单位天数")},
                            {edDeposit1, edNumber1, edRent1, edDays1}, pnBody));
    groups->addWidget(Group(QStringLiteral("会员用户"),
                            {QStringLiteral("会员押金/单位部数"), QStringLiteral("单位部数"),
                             QStringLiteral("会员租金/单位天数"), QStringLiteral("单位天数")},
                            {edDeposit2, edNumber2, edRent2, edDays2}, pnBody));
    auto* layout = new QVBoxLayout(pnBody);
    layout->addLayout(name);
    layout->addLayout(groups);
}

void TAddFeeFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    Show({});
}

void TAddFeeFm::FocusFirst() {
    edName->setFocus();
}

MasterDataForms::TFeeFields TAddFeeFm::Typed() const {
    return {edName->text(),    edDeposit1->text(), edNumber1->text(),
            edRent1->text(),   edDays1->text(),    edDeposit2->text(),
            edNumber2->text(), edRent2->text(),    edDays2->text()};
}

void TAddFeeFm::Show(const MasterDataForms::TFeeFields& fields) {
    edName->setText(fields.name);
    edDeposit1->setText(fields.deposit1);
    edNumber1->setText(fields.number1);
    edRent1->setText(fields.rent1);
    edDays1->setText(fields.days1);
    edDeposit2->setText(fields.deposit2);
    edNumber2->setText(fields.number2);
    edRent2->setText(fields.rent2);
    edDays2->setText(fields.days2);
}

bool TAddFeeFm::Validate() {
    return !Refused(MasterDataForms::Check(fee_.Id, Typed()));
}

void TAddFeeFm::ShowRecord() {
    Show(MasterDataForms::Read(fee_));
}

void TAddFeeFm::StoreRecord() {
    MasterDataForms::Apply(fee_, Typed());
}

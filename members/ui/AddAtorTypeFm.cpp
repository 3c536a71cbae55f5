#include "members/ui/AddAtorTypeFm.h"

#include "app/kit/DigitEdit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <class TBox> TBox* Named(TBox* box, const char* name) {
    box->setObjectName(QLatin1String(name));
    return box;
}

// A field with its note to the right ("填0为不限制").
QWidget* WithNote(QWidget* field, const QString& note, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field);
    layout->addWidget(new QLabel(note, row));
    return row;
}

// Typing into one of a pair copies the text to the other.
void Mirror(QLineEdit* one, QLineEdit* other) {
    QObject::connect(one, &QLineEdit::textEdited, other, &QLineEdit::setText);
    QObject::connect(other, &QLineEdit::textEdited, one, &QLineEdit::setText);
}

} // namespace

TAddAtorTypeFm::TAddAtorTypeFm(QWidget* parent)
    : TEditDialogFm(type_, parent), pcType(Named(new QTabWidget(pnBody), "pcType")) {
    setWindowTitle(QStringLiteral("新添/修改会员类型"));
    pcType->addTab(QuotaPage(), QStringLiteral("按天数、部数计费"));
    pcType->addTab(PrepaidPage(), QStringLiteral("按预收租金计费"));
    Mirror(edName1, edName2);
    Mirror(edMemo1, edMemo2);
    Mirror(edDays1, edDays2);
    auto* layout = new QVBoxLayout(pnBody);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pcType);
    connect(pcType, &QTabWidget::currentChanged, this, [this] { FocusFirst(); });
}

QWidget* TAddAtorTypeFm::QuotaPage() {
    auto* page = new QWidget;
    edName1 = Named(new QLineEdit(page), "edName1");
    cbFee = Named(new QComboBox(page), "cbFee");
    cbFee->addItems({QStringLiteral("不收押金，不收租金"), QStringLiteral("收押金，不收租金"),
                     QStringLiteral("不收押金，收租金"), QStringLiteral("收押金，收租金")});
    edT_Day = Named(new TDigitEdit(page), "edT_Day");
    edT_Sum = Named(new TDigitEdit(page), "edT_Sum");
    edT_Num = Named(new TDigitEdit(page), "edT_Num");
    edDays1 = Named(new TDigitEdit(page), "edDays1");
    cbPunish1 = Named(new QComboBox(page), "cbPunish1");
    cbPunish1->addItems({QStringLiteral("不处罚"), QStringLiteral("租借超期，扣减其剩余部数")});
    edMemo1 = Named(new QLineEdit(page), "edMemo1");

    auto* layout = new QFormLayout(page);
    layout->addRow(new QLabel(QStringLiteral("定期交会费，每期看影片受时间、部数的限制"), page));
    layout->addRow(QStringLiteral("会员类型名称"), edName1);
    layout->addRow(QStringLiteral("收费方式"), cbFee);
    layout->addRow(QStringLiteral("每期可看天数"),
                   WithNote(edT_Day, QStringLiteral("填0为不限制"), page));
    layout->addRow(QStringLiteral("每期交费金额"),
                   WithNote(edT_Sum, QStringLiteral("填0为不缴费"), page));
    layout->addRow(QStringLiteral("每期可观看部数"),
                   WithNote(edT_Num, QStringLiteral("填0为不限制"), page));
    layout->addRow(QStringLiteral("每次限制天数"),
                   WithNote(edDays1, QStringLiteral("填0为不限制"), page));
    layout->addRow(QStringLiteral("超期处罚"), cbPunish1);
    layout->addRow(QStringLiteral("说明"), edMemo1);
    return page;
}

QWidget* TAddAtorTypeFm::PrepaidPage() {
    auto* page = new QWidget;
    edName2 = Named(new QLineEdit(page), "edName2");
    edDays2 = Named(new TDigitEdit(page), "edDays2");
    cbPunish2 = Named(new QComboBox(page), "cbPunish2");
    cbPunish2->addItems({QStringLiteral("不处罚"), QStringLiteral("租借超期，扣减其剩余预收租金")});
    edMemo2 = Named(new QLineEdit(page), "edMemo2");

    auto* layout = new QFormLayout(page);
    layout->addRow(new QLabel(QStringLiteral("预交租金，租金从中扣除"), page));
    layout->addRow(QStringLiteral("会员类型名称"), edName2);
    layout->addRow(QStringLiteral("每次限制天数"),
                   WithNote(edDays2, QStringLiteral("填0为不限制"), page));
    layout->addRow(QStringLiteral("超期处罚"), cbPunish2);
    layout->addRow(QStringLiteral("说明"), edMemo2);
    return page;
}

bool TAddAtorTypeFm::Prepaid() const {
    return pcType->currentIndex() == 1;
}

void TAddAtorTypeFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    MasterDataForms::TAtorTypeFields fields; // a new type: the page in front stays
    fields.prepaid = Prepaid();
    Show(fields);
}

void TAddAtorTypeFm::FocusFirst() {
    (Prepaid() ? edName2 : edName1)->setFocus();
}

MasterDataForms::TAtorTypeFields TAddAtorTypeFm::Typed() const {
    MasterDataForms::TAtorTypeFields fields;
    fields.prepaid = Prepaid();
    fields.name = (fields.prepaid ? edName2 : edName1)->text();
    fields.memo = (fields.prepaid ? edMemo2 : edMemo1)->text();
    fields.days = (fields.prepaid ? edDays2 : edDays1)->text();
    fields.feeIndex = cbFee->currentIndex();
    fields.tDay = edT_Day->text();
    fields.tSum = edT_Sum->text();
    fields.tNum = edT_Num->text();
    fields.punishIndex = (fields.prepaid ? cbPunish2 : cbPunish1)->currentIndex();
    return fields;
}

// Shows the fields on both pages; the punishment on the page they belong to
// (the other page's list at its first entry), and that page in front.
void TAddAtorTypeFm::Show(const MasterDataForms::TAtorTypeFields& fields) {
    for (QLineEdit* name : {edName1, edName2}) {
        name->setText(fields.name);
    }
    for (QLineEdit* memo : {edMemo1, edMemo2}) {
        memo->setText(fields.memo);
    }
    for (QLineEdit* days : {edDays1, edDays2}) {
        days->setText(fields.days);
    }
    cbFee->setCurrentIndex(fields.feeIndex);
    edT_Day->setText(fields.tDay);
    edT_Sum->setText(fields.tSum);
    edT_Num->setText(fields.tNum);
    cbPunish1->setCurrentIndex(fields.prepaid ? 0 : fields.punishIndex);
    cbPunish2->setCurrentIndex(fields.prepaid ? fields.punishIndex : 0);
    pcType->setCurrentIndex(fields.prepaid ? 1 : 0);
}

bool TAddAtorTypeFm::Validate() {
    return !Refused(MasterDataForms::Check(type_.Id, Typed()));
}

void TAddAtorTypeFm::ShowRecord() {
    Show(MasterDataForms::Read(type_));
}

void TAddAtorTypeFm::StoreRecord() {
    MasterDataForms::Apply(type_, Typed());
}

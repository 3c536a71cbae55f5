#include "sales/ui/TitleFields.h"

#include "app/kit/DigitEdit.h"
#include "app/kit/IdComboBox.h"
#include "app/kit/MoneyEdit.h"
#include "app/kit/PopupDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

template <class TField> TField* Named(TField* field, const char* name) {
    field->setObjectName(QLatin1String(name));
    return field;
}

} // namespace

TTitleFields::TTitleFields(TKind kind, QWidget* parent)
    : QWidget(parent), grid_(new QGridLayout(this)) {
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setColumnStretch(1, 1);
    grid_->setColumnStretch(3, 1);
    const bool rent = kind == TKind::Rent;

    // Made in the order Enter goes through them.
    AddField(QStringLiteral("编号"), edCode = Named(new QLineEdit(this), "edCode"));
    AddField(QStringLiteral("影片名称"), edName = Named(new QLineEdit(this), "edName"));
    AddField(QStringLiteral("别名1"), edAlias1 = Named(new QLineEdit(this), "edAlias1"));
    AddField(QStringLiteral("别名2"), edAlias2 = Named(new QLineEdit(this), "edAlias2"));
    AddField(QStringLiteral("影片类型"),
             cbCdCategory = Named(new TIdComboBox(this), "cbCdCategory"));
    cbCdCategory->Fill(QStringLiteral("SELECT Id,Name AS TXT FROM TbCdCategory ORDER BY Id"));
    if (rent) {
        AddField(QStringLiteral("收费标准"), cbFee = Named(new TIdComboBox(this), "cbFee"));
        cbFee->Fill(QStringLiteral("SELECT Id,Name AS TXT FROM TbFee ORDER BY Id"));
        AddField(QStringLiteral("碟片数目"), edNumber = Named(new TDigitEdit(this), "edNumber"));
        AddField(QStringLiteral("计费部数"), edPower = Named(new TDigitEdit(this), "edPower"));
        AddField(QStringLiteral("价格"), edPrice = Named(new TMoneyEdit({}, this), "edPrice"));
    } else {
        AddField(QStringLiteral("碟片数目"), edNumber1 = Named(new TDigitEdit(this), "edNumber1"));
        AddField(QStringLiteral("进货数量"), edNumber2 = Named(new TDigitEdit(this), "edNumber2"));
        AddField(QStringLiteral("单套进价"), edCost = Named(new TMoneyEdit({}, this), "edCost"));
        AddField(QStringLiteral("参考售价"), edPrice = Named(new TMoneyEdit({}, this), "edPrice"));
    }
    AddField(QStringLiteral("导演"), edDirector = Named(new QLineEdit(this), "edDirector"));
    AddField(QStringLiteral("主演"), edPlayer = Named(new QLineEdit(this), "edPlayer"));
    pdDirector = new TPopupDlg(edDirector);
    pdPlayer = new TPopupDlg(edPlayer);
    AddField(QStringLiteral("影片说明"), edMemo1 = Named(new QLineEdit(this), "edMemo1"));
}

void TTitleFields::AddField(const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(field);
    const int row = fields_ / 2;
    const int column = fields_ % 2 * 2;
    grid_->addWidget(label, row, column);
    grid_->addWidget(field, row, column + 1);
    ++fields_;
}

QLabel* TTitleFields::LabelOf(const QWidget* field) const {
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->buddy() == field) {
            return label;
        }
    }
    return nullptr;
}

void TTitleFields::ShowShared(const TTitleEntry& entry) {
    edCode->setText(entry.code);
    edName->setText(entry.name);
    edAlias1->setText(entry.alias1);
    edAlias2->setText(entry.alias2);
    // A new title keeps the category last chosen.
    if (entry.cid > 0) {
        cbCdCategory->ChooseId(entry.cid);
    }
    edPrice->setText(entry.price);
    edDirector->setText(entry.director);
    edPlayer->setText(entry.player);
    edMemo1->setText(entry.memo);
}

void TTitleFields::TakeShared(TTitleEntry& entry) const {
    entry.code = edCode->text().trimmed();
    entry.name = edName->text().trimmed();
    entry.alias1 = edAlias1->text().trimmed();
    entry.alias2 = edAlias2->text().trimmed();
    entry.cid = cbCdCategory->ChosenId();
    entry.price = edPrice->text();
    entry.director = edDirector->text().trimmed();
    entry.player = edPlayer->text().trimmed();
    entry.memo = edMemo1->text().trimmed();
}

void TTitleFields::Show(const TTitleRentEntry& entry) {
    ShowShared(entry);
    if (entry.fid > 0) {
        cbFee->ChooseId(entry.fid);
    }
    edNumber->setText(entry.number);
    edPower->setText(entry.power);
}

TTitleRentEntry TTitleFields::RentEntry() const {
    TTitleRentEntry entry;
    TakeShared(entry);
    entry.fid = cbFee->ChosenId();
    entry.number = edNumber->text();
    entry.power = edPower->text();
    return entry;
}

void TTitleFields::Show(const TTitleSaleEntry& entry) {
    ShowShared(entry);
    edNumber1->setText(entry.number1);
    edNumber2->setText(entry.number2);
    edCost->setText(entry.cost);
}

TTitleSaleEntry TTitleFields::SaleEntry() const {
    TTitleSaleEntry entry;
    TakeShared(entry);
    entry.number1 = edNumber1->text();
    entry.number2 = edNumber2->text();
    entry.cost = edCost->text();
    return entry;
}

#include "members/ui/ShopPage.h"

#include "app/MainFm.h"
#include "app/Session.h"
#include "storage/Prompter.h"
#include "storage/dao/Errors.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* Field(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

TShopPage::TShopPage(QWidget* parent)
    : QWidget(parent), edName(Field(QStringLiteral("edName"), this)),
      edAddress(Field(QStringLiteral("edAddress"), this)),
      edTelphone(Field(QStringLiteral("edTelphone"), this)),
      edMemo(Field(QStringLiteral("edMemo"), this)),
      btnShopSave(new QPushButton(QStringLiteral("保存"), this)) {
    btnShopSave->setObjectName(QStringLiteral("btnShopSave"));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("店铺名称"), edName);
    fields->addRow(QStringLiteral("地址"), edAddress);
    fields->addRow(QStringLiteral("联系电话"), edTelphone);
    fields->addRow(QStringLiteral("说明"), edMemo);
    auto* saveRow = new QHBoxLayout;
    saveRow->addStretch();
    saveRow->addWidget(btnShopSave);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(saveRow);
    layout->addStretch();
    connect(btnShopSave, &QPushButton::clicked, this, &TShopPage::Save);

    const TShopInfo& shop = TSession::Current().ShopInfo;
    edName->setText(shop.Name);
    edAddress->setText(shop.Address);
    edTelphone->setText(shop.Telephone);
    edMemo->setText(shop.Memo);
}

bool TShopPage::Save() {
    // Written from a copy: the program-wide object changes only once the row has.
    TShopInfo shop = TSession::Current().ShopInfo;
    shop.Name = edName->text();
    shop.Address = edAddress->text();
    shop.Telephone = edTelphone->text();
    shop.Memo = edMemo->text();
    shop.Id = 1;
    try {
        shop.Save();
    } catch (const EVintorError& error) {
        ShowError(error.Message());
        return false;
    }
    TSession::Current().ShopInfo = shop;
    if (auto* main = qobject_cast<TMainFm*>(window())) {
        main->SettingsChanged();
    }
    return true;
}

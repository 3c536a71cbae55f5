#include "members/ui/AccountPanel.h"

#include "app/kit/DeskLabels.h"
#include "storage/TextFormats.h"
#include "storage/records/Account.h"

#include <QFormLayout>
#include <QLabel>

TAccountPanel::TAccountPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("账户详情信息"), parent), lbNo(new QLabel(this)),
      lbName(new QLabel(this)), lbBalance(new QLabel(this)), lbBank(new QLabel(this)),
      lbContact(new QLabel(this)), lbTelephone(new QLabel(this)), lbMemo(new QLabel(this)) {
    setObjectName(QStringLiteral("gbDetail"));
    auto* layout = new QFormLayout(this);
    DeskLabels::AddRows(layout, {{"lbNo", "账号:", lbNo},
                                 {"lbName", "账户名称:", lbName},
                                 {"lbBalance", "余额:", lbBalance},
                                 {"lbBank", "开户行:", lbBank},
                                 {"lbContact", "联系人:", lbContact},
                                 {"lbTelephone", "联系电话:", lbTelephone},
                                 {"lbMemo", "说明:", lbMemo}});
}

void TAccountPanel::ShowAccount(const TAccount& account, Currency balance) {
    lbNo->setText(account.No);
    lbName->setText(account.Name);
    lbBalance->setText(TextFormats::MoneyText(balance) + QStringLiteral("元"));
    lbBank->setText(account.Bank);
    lbContact->setText(account.Contact);
    lbTelephone->setText(account.Telephone);
    lbMemo->setText(account.Memo);
}

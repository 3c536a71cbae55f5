#include "members/ui/MemberPanel.h"

#include "app/kit/DeskLabels.h"
#include "members/MemberDetails.h"

#include <QFormLayout>
#include <QLabel>

TMemberPanel::TMemberPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("会员详情"), parent), lbCode(new QLabel(this)),
      lbName(new QLabel(this)), lbType(new QLabel(this)), lbDays(new QLabel(this)),
      lbNumber(new QLabel(this)), lbBalance(new QLabel(this)), lbDeposit(new QLabel(this)),
      lbTelephone(new QLabel(this)), lbAddress(new QLabel(this)), lbMemo(new QLabel(this)) {
    setObjectName(QStringLiteral("gbDetail"));
    auto* layout = new QFormLayout(this);
    DeskLabels::AddRows(layout, {{"lbCode", "编号:", lbCode},
                                 {"lbName", "姓名:", lbName},
                                 {"lbType", "会员类型:", lbType},
                                 {"lbDays", "剩余天数:", lbDays},
                                 {"lbNumber", "剩余部数:", lbNumber},
                                 {"lbBalance", "预收租金:", lbBalance},
                                 {"lbDeposit", "押金:", lbDeposit},
                                 {"lbTelephone", "联系电话:", lbTelephone},
                                 {"lbAddress", "地址:", lbAddress},
                                 {"lbMemo", "说明:", lbMemo}});
}

void TMemberPanel::ShowMember(const TMemberDetails& details) {
    lbCode->setText(details.code);
    lbName->setText(details.name);
    lbType->setText(details.type);
    lbDays->setText(details.days);
    lbNumber->setText(details.number);
    lbBalance->setText(details.balance);
    lbDeposit->setText(details.deposit);
    lbTelephone->setText(details.telephone);
    lbAddress->setText(details.address);
    lbMemo->setText(details.memo);
}

void TMemberPanel::Clear() {
    ShowMember({});
}

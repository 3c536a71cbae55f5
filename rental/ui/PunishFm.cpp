#include "rental/ui/PunishFm.h"

#include "app/kit/MoneyEdit.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TPunishFm::TPunishFm(const TPenaltyRequest& request, QWidget* parent)
    : TDialogFm(parent), lbCode(new QLabel(request.code, this)),
      lbDays(new QLabel(request.days, this)), lbText(new QLabel(request.caption, this)),
      edNum(new TMoneyEdit(request.caption, this)),
      btnSaveClose(new QPushButton(QStringLiteral("确定 &O"), this)),
      btnClose(new QPushButton(QStringLiteral("取消 &C"), this)) {
    setWindowTitle(QStringLiteral("会员租借超期处罚"));
    lbCode->setObjectName(QStringLiteral("lbCode"));
    lbDays->setObjectName(QStringLiteral("lbDays"));
    lbText->setObjectName(QStringLiteral("lbText"));
    edNum->setObjectName(QStringLiteral("edNum"));
    edNum->setText(request.proposed);
    btnSaveClose->setObjectName(QStringLiteral("btnSaveClose"));
    btnClose->setObjectName(QStringLiteral("btnClose"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("会员："), lbCode);
    fields->addRow(QStringLiteral("超期："), lbDays);
    fields->addRow(lbText, edNum);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSaveClose);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    connect(btnSaveClose, &QPushButton::clicked, this, &TPunishFm::SaveClose);
    connect(btnClose, &QPushButton::clicked, this, &TPunishFm::Reject);
}

std::optional<QString> TPunishFm::Ask(const TPenaltyRequest& request) {
    TPunishFm dialog(request, QApplication::activeWindow());
    if (dialog.Exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.edNum->text();
}

void TPunishFm::ModalShown() {
    edNum->setFocus();
    edNum->selectAll();
}

void TPunishFm::SaveClose() {
    if (edNum->Value()) {
        Accept();
    }
}

#include "members/ui/LoginFm.h"

#include "storage/Settings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TLoginFm::TLoginFm(TOperator& current, bool chooseOperator, QWidget* parent)
    : TDialogFm(parent), edCode(new QComboBox(this)), edPassword(new QLineEdit(this)),
      lbTip(new QLabel(QStringLiteral("首次登录管理员密码为空"), this)),
      btnOk(new QPushButton(QStringLiteral("登录"), this)),
      btnCancle(new QPushButton(QStringLiteral("取消"), this)), login_(current) {
    setWindowTitle(QStringLiteral("系统登录"));
    edCode->setObjectName(QStringLiteral("edCode"));
    edPassword->setObjectName(QStringLiteral("edPassword"));
    edPassword->setEchoMode(QLineEdit::Password);
    // Enter in either box, or on the window, logs in instead of moving on.
    KeepEnter(this);
    KeepEnter(edCode);
    KeepEnter(edPassword);
    lbTip->setObjectName(QStringLiteral("lbTip"));
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnCancle->setObjectName(QStringLiteral("btnCancle"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("操作员："), edCode);
    fields->addRow(QStringLiteral("密  码："), edPassword);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lbTip);
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancle);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(btnOk, &QPushButton::clicked, this, &TLoginFm::TryLogin);
    connect(btnCancle, &QPushButton::clicked, this, &TLoginFm::Reject);

    for (const TOperator& op : login_.Operators()) {
        edCode->addItem(op.Name, op.Id);
    }
    edCode->setCurrentIndex(login_.PreselectedIndex());
    edCode->setEnabled(chooseOperator);
    lbTip->setVisible(TSettings().Beginer() != 1);
    edPassword->setFocus();
}

bool TLoginFm::Login(TOperator& current, bool chooseOperator, QWidget* parent) {
    TLoginFm window(current, chooseOperator, parent);
    return window.Exec() == QDialog::Accepted;
}

void TLoginFm::TryLogin() {
    switch (login_.Try(edCode->currentData().toInt(), edPassword->text())) {
    case TLogin::TOutcome::LoggedIn:
        Accept();
        break;
    case TLogin::TOutcome::TryAgain:
        edPassword->setFocus();
        edPassword->selectAll();
        break;
    case TLogin::TOutcome::Refused:
        Reject();
        break;
    }
}

void TLoginFm::keyPressEvent(QKeyEvent* event) {
    // Enter anywhere in the window logs in.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        TryLogin();
        return;
    }
    TDialogFm::keyPressEvent(event);
}

#include "members/ui/LoginFm.h"

#include "storage/DM.h"
#include "storage/Prompter.h"
#include "storage/Settings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int MaxFailures = 3;

// Latin letters compare without case; every other character as it is.
QString AsciiLower(QString text) {
    for (QChar& c : text) {
        if (c >= u'A' && c <= u'Z') {
            c = QChar(c.unicode() + (u'a' - u'A'));
        }
    }
    return text;
}

} // namespace

TLoginFm::TLoginFm(TOperator& current, bool chooseOperator, QWidget* parent)
    : TDialogFm(parent), edCode(new QComboBox(this)), edPassword(new QLineEdit(this)),
      lbTip(new QLabel(QStringLiteral("首次登录管理员密码为空"), this)),
      btnOk(new QPushButton(QStringLiteral("登录"), this)),
      btnCancle(new QPushButton(QStringLiteral("取消"), this)), current_(current) {
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

    LoadOperators();
    const int index = edCode->findData(current_.Id);
    edCode->setCurrentIndex(index >= 0 ? index : 0);
    edCode->setEnabled(chooseOperator);
    lbTip->setVisible(TSettings().Beginer() != 1);
    edPassword->setFocus();
}

bool TLoginFm::Login(TOperator& current, bool chooseOperator, QWidget* parent) {
    TLoginFm window(current, chooseOperator, parent);
    return window.Exec() == QDialog::Accepted;
}

void TLoginFm::LoadOperators() {
    TDM& dm = TDM::Instance();
    QList<int> ids;
    for (dm.OpenSql(QStringLiteral("SELECT * FROM TbOperator")); !dm.Q1.Eof(); dm.Q1.Next()) {
        ids.append(int(dm.Q1.FieldByName(QStringLiteral("Id")).AsInteger()));
    }
    dm.Q1.Close();
    operators_.resize(ids.size());
    for (qsizetype i = 0; i < ids.size(); ++i) {
        operators_[i].LoadById(ids[i]);
        edCode->addItem(operators_[i].Name, operators_[i].Id);
    }
}

const TOperator* TLoginFm::Selected() const {
    const int id = edCode->currentData().toInt();
    for (const TOperator& op : operators_) {
        if (op.Id == id) {
            return &op;
        }
    }
    return nullptr;
}

void TLoginFm::TryLogin() {
    const TOperator* chosen = Selected();
    if (chosen && AsciiLower(edPassword->text()) == AsciiLower(chosen->Password)) {
        current_ = *chosen;
        Accept();
        return;
    }
    ShowWarning(QStringLiteral("密码输入错误！请重新输入。"));
    edPassword->setFocus();
    edPassword->selectAll();
    if (++failures_ >= MaxFailures) {
        ShowError(QStringLiteral("三次密码输入错误！您不能使用此软件。"));
        Reject();
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

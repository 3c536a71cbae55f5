#pragma once

#include "app/DialogFm.h"
#include "members/Login.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "系统登录": the operator picks a name and types the password; TLogin
// decides, the window shows its operators and forwards each attempt.
class TLoginFm : public TDialogFm {
    Q_OBJECT
public:
    // `current` is the logged-in operator; it is replaced on success only.
    TLoginFm(TOperator& current, bool chooseOperator, QWidget* parent = nullptr);

    // Shows the login window; true when `current` now holds the operator who
    // logged in. With `chooseOperator` false the list shows `current` only.
    static bool Login(TOperator& current, bool chooseOperator, QWidget* parent);

    // Tries the typed password for the selected operator: a match closes the
    // window with success, the third miss with failure.
    void TryLogin();

    QComboBox* edCode;
    QLineEdit* edPassword;
    QLabel* lbTip;
    QPushButton* btnOk;
    QPushButton* btnCancle;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TLogin login_;
};

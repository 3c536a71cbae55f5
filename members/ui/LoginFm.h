#pragma once

#include "app/DialogFm.h"
#include "storage/Operator.h"

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "系统登录": the operator picks a name and types the password. Three wrong
// passwords in one showing end the login.
class TLoginFm : public TDialogFm {
    Q_OBJECT
public:
    // `current` is the logged-in operator; it is replaced on success only.
    TLoginFm(TOperator& current, bool chooseOperator, QWidget* parent = nullptr);

    // Shows the login window; true when `current` now holds the operator who
    // logged in. With `chooseOperator` false the list shows `current` only.
    static bool Login(TOperator& current, bool chooseOperator, QWidget* parent);

    // Checks the typed password for the selected operator: a match logs in
    // and closes the window; the third miss closes it with failure.
    void TryLogin();
    int Failures() const { return failures_; }

    QComboBox* edCode;
    QLineEdit* edPassword;
    QLabel* lbTip;
    QPushButton* btnOk;
    QPushButton* btnCancle;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LoadOperators();
    const TOperator* Selected() const;

    TOperator& current_;
    std::vector<TOperator> operators_;
    int failures_ = 0;
};

#pragma once

#include "app/DialogFm.h"

class QLabel;
class QPushButton;

// "退出选择": back up the ledger and exit, exit at once, or stay. It has no
// close box; Esc stays.
class TExitFm : public TDialogFm {
    Q_OBJECT
public:
    enum TChoice { BackupAndExit, ExitOnly, StayOpen };

    explicit TExitFm(QWidget* parent = nullptr);

    // Shows the window and returns what the operator chose.
    static TChoice Ask(QWidget* parent);
    TChoice Choice() const { return choice_; }

    QLabel* lbText;
    QPushButton* btnBackup;
    QPushButton* btnExit;
    QPushButton* btnCancel;

private:
    void Choose(TChoice choice);

    TChoice choice_ = StayOpen;
};

#pragma once

#include "app/DialogFm.h"

class QLabel;
class QPushButton;

// "使用小窍门": ten fixed tips, browsed one at a time from the first.
class TTipFm : public TDialogFm {
    Q_OBJECT

public:
    explicit TTipFm(QWidget* parent = nullptr);

    static int TipCount();
    int CurrentTip() const { return current_; }
    void ShowTip(int index);

    QLabel* lbTitle;
    QLabel* lbText;
    QPushButton* btnPrior;
    QPushButton* btnNext;
    QPushButton* btnClose;

private:
    int current_ = 0;
};

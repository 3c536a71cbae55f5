#pragma once

#include "app/DialogFm.h"

class QLabel;
class QPushButton;
class TDM;

// "整理账本": compacts the open ledger and tells how much smaller it became.
class TCompactDbFm : public TDialogFm {
    Q_OBJECT

public:
    TCompactDbFm(QWidget* parent, TDM& dm);

    // What btnOk does.
    void Start();

    QLabel* lbText;
    QPushButton* btnOk;
    QPushButton* btnClose;

private:
    TDM& dm_;
};

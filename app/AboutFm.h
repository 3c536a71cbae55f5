#pragma once

#include "app/DialogFm.h"

class QLabel;
class QPushButton;

// "关于": the program's version, the maker's notice and home page, and the
// installed memory of the machine.
class TAboutFm : public TDialogFm {
    Q_OBJECT

public:
    explicit TAboutFm(QWidget* parent = nullptr);

    QLabel* lbVersion;
    QLabel* lbHomePage;
    QLabel* lbMemory;
    QPushButton* btnOk;
};

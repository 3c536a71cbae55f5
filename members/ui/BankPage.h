#pragma once

#include "app/kit/ListWindow.h"

// The settings window's "金融机构" page: the banks, added and edited in
// TAddBankFm; a bank is never refused deletion.
class TBankPage : public TListPage {
    Q_OBJECT
public:
    explicit TBankPage(QWidget* parent = nullptr);
};

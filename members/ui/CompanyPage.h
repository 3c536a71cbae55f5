#pragma once

#include "app/kit/ListWindow.h"

// The settings window's "供应商" page: the suppliers, added and edited in
// TAddCompanyFm; a supplier named in a fund movement is not deleted.
class TCompanyPage : public TListPage {
    Q_OBJECT
public:
    explicit TCompanyPage(QWidget* parent = nullptr);
};

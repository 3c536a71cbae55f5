#pragma once

#include "app/kit/ListWindow.h"

// The settings window's "收费标准" page: the fee standards, added and edited
// in TAddFeeFm; a standard that a rental title uses is not deleted.
class TFeePage : public TListPage {
    Q_OBJECT
public:
    explicit TFeePage(QWidget* parent = nullptr);
};

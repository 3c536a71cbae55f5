#pragma once

#include "app/kit/TreePage.h"

// The settings window's "系统/收支分类" page: the system kinds of money
// movement and the income and expense categories as a tree. The system kinds
// are neither edited nor deleted; the others are edited in TAddCategoryFm.
class TCategoryPage : public TTreePage {
    Q_OBJECT
public:
    explicit TCategoryPage(QWidget* parent = nullptr);
};

#pragma once

#include "app/kit/TreePage.h"

// The settings window's "影片分类" page: the disc categories as a tree,
// added and edited in TAddCdCategoryFm; a category with sub-categories or
// used by a rental title is not deleted.
class TCdCategoryPage : public TTreePage {
    Q_OBJECT
public:
    explicit TCdCategoryPage(QWidget* parent = nullptr);
};

#pragma once

#include "app/kit/ListWindow.h"

// The settings window's "会员项目" page: the member types, added and edited in
// TAddAtorTypeFm; a type that a member has is not deleted.
class TAtorTypePage : public TListPage {
    Q_OBJECT
public:
    explicit TAtorTypePage(QWidget* parent = nullptr);
};

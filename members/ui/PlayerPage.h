#pragma once

#include "app/kit/ListWindow.h"

// The settings window's "导演/主演" page: the actors and directors offered
// when a title's cast is typed, added and edited in TAddPlayerFm.
class TPlayerPage : public TListPage {
    Q_OBJECT
public:
    explicit TPlayerPage(QWidget* parent = nullptr);
};

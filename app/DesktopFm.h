#pragma once

#include "app/ChildFm.h"

// A desk: a working window whose centre panel pnCenter, sized by the desk,
// stays in the middle of the window however it is resized.
class TDesktopFm : public TChildFm {
    Q_OBJECT
public:
    explicit TDesktopFm(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

    QWidget* pnCenter;

private:
    void CentrePanel();
};

#include "app/ChildFm.h"

#include <QAbstractButton>
#include <QKeyEvent>

TChildFm::TChildFm(QWidget* parent) : TEnterFm(parent, Qt::FramelessWindowHint) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Working windows share the work area, and a report kept beneath a newer
    // one must not show through where the newer one has no widget.
    setAutoFillBackground(true);
}

bool TChildFm::MessageHook(QObject*, QEvent*) {
    return false;
}

int TChildFm::ReleasedFunctionKey(const QEvent* event) {
    if (event->type() != QEvent::KeyRelease) {
        return 0;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key >= Qt::Key_F1 && key <= Qt::Key_F12 ? key : 0;
}

bool TChildFm::ClickReleased(const QEvent* event,
                             std::initializer_list<std::pair<int, QAbstractButton*>> keys) {
    const int key = ReleasedFunctionKey(event);
    for (const auto& [bound, button] : keys) {
        if (key != 0 && key == bound) {
            if (button->isEnabled()) {
                button->click();
            }
            return true;
        }
    }
    return false;
}

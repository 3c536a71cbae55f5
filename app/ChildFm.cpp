#include "app/ChildFm.h"

#include <QKeyEvent>

TChildFm::TChildFm(QWidget* parent) : TEnterFm(parent, Qt::FramelessWindowHint) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
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

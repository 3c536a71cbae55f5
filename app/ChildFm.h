#pragma once

#include "app/EnterFm.h"

#include <initializer_list>
#include <utility>

class QAbstractButton;

// A working window: borderless, it fills the main window's work area. While it
// is the current working window (TKeyReleaseFilter) its message hook sees the
// key events of its top-level window first; the desks and lists act on their
// function keys when they are released.
class TChildFm : public TEnterFm {
    Q_OBJECT
public:
    explicit TChildFm(QWidget* parent = nullptr);

    // A key press or release of the window; true when the hook consumed it.
    // The base consumes nothing.
    virtual bool MessageHook(QObject* receiver, QEvent* event);

    // True when the window stays alive beneath a newer working window instead
    // of being closed (the report previews); the base is closed.
    virtual bool StaysBeneath() const { return false; }

    // The function key (Qt::Key_F1 … Qt::Key_F12) released by this event, or
    // 0 for any other event.
    static int ReleasedFunctionKey(const QEvent* event);
    // For a message hook: the function key released by `event` clicks the
    // button bound to it while that is enabled, and does nothing otherwise.
    // True when the key is bound to one of the buttons.
    static bool ClickReleased(const QEvent* event,
                              std::initializer_list<std::pair<int, QAbstractButton*>> keys);
};

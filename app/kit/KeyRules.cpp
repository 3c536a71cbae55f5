#include "app/kit/KeyRules.h"

#include <QLineEdit>
#include <Qt>

namespace KeyRules {

namespace {

// Keys that type nothing: modifiers on their own, and the focus keys (the Tab
// sent by a second Enter comes back through the same box).
bool TypesNothing(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

} // namespace

bool DigitKeyFilter(const QString& currentText, QChar key, bool signAllowed) {
    if (key == u'\b' || (key >= u'0' && key <= u'9')) {
        return true;
    }
    if (key == u'-') {
        return signAllowed && !currentText.contains(u'-');
    }
    return key == u'.' && !currentText.contains(u'.');
}

TEnterTwiceStep EnterTwice(bool& marked, int key) {
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter) {
        const bool second = marked;
        marked = true;
        return second ? TEnterTwiceStep::MoveFocus : TEnterTwiceStep::PassOn;
    }
    if (marked && !TypesNothing(key)) {
        marked = false;
        return TEnterTwiceStep::ClearBox;
    }
    return TEnterTwiceStep::PassOn;
}

bool ApplyEnterTwice(QLineEdit& box, bool& marked, int key) {
    switch (EnterTwice(marked, key)) {
    case TEnterTwiceStep::MoveFocus:
        return true;
    case TEnterTwiceStep::ClearBox:
        box.clear();
        break;
    case TEnterTwiceStep::PassOn:
        break;
    }
    return false;
}

} // namespace KeyRules

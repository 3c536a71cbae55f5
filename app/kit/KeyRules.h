#pragma once

#include <QChar>
#include <QString>

class QLineEdit;

// Keyboard rules of the entry boxes, as plain decisions the windows act on.
namespace KeyRules {

// A numeric box lets backspace, the digits and one "." through, and one "-"
// where the field takes a sign; true when the typed character is accepted,
// false when it is to be swallowed silently.
bool DigitKeyFilter(const QString& currentText, QChar key, bool signAllowed = false);

// What a code entry box does with a key under the Enter-twice rule.
enum class TEnterTwiceStep {
    PassOn,    // handle the key as usual
    MoveFocus, // second Enter: send a Tab so the focus moves on
    ClearBox,  // a key after a confirmed Enter: empty the box, then type the key
};

// Applies the rule to a box whose mark is `marked` (a box starts unmarked):
// Enter marks an unmarked box; Enter in a marked box moves the focus and keeps
// the mark; any other key in a marked box clears it and removes the mark.
// Modifier keys alone and Tab/Backtab leave the box as it is. `key` is a
// Qt::Key value.
TEnterTwiceStep EnterTwice(bool& marked, int key);

// Carries the rule out on a code box: a key after a confirmed Enter empties
// the box first; true for a second Enter, on which the box moves the focus on
// and uses the key up.
bool ApplyEnterTwice(QLineEdit& box, bool& marked, int key);

} // namespace KeyRules

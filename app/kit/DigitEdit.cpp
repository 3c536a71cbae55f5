#include "app/kit/DigitEdit.h"

#include "app/kit/KeyRules.h"

#include <QKeyEvent>

TDigitEdit::TDigitEdit(QWidget* parent) : QLineEdit(parent) {
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TDigitEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].isPrint() && !Accepts(typed[0])) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool TDigitEdit::Accepts(QChar typed) const {
    return KeyRules::DigitKeyFilter(text(), typed, signAllowed_);
}

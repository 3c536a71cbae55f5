#include "sales/ui/BillCodeEdit.h"

#include "app/EnterFm.h"
#include "app/kit/KeyRules.h"

#include <QKeyEvent>

TBillCodeEdit::TBillCodeEdit(QWidget* parent) : QLineEdit(parent) {
    TEnterFm::KeepEnter(this);
}

void TBillCodeEdit::ClearEntry() {
    clear();
    marked_ = false;
}

void TBillCodeEdit::SetEntry(const QString& text) {
    setText(text);
    marked_ = true;
}

void TBillCodeEdit::keyPressEvent(QKeyEvent* event) {
    if (KeyRules::ApplyEnterTwice(*this, marked_, event->key())) {
        focusNextChild();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!text().trimmed().isEmpty()) {
            emit BillEntered(text());
        }
        return;
    }
    QLineEdit::keyPressEvent(event);
}

#include "app/kit/ButtonMnemonic.h"

#include <QAbstractButton>
#include <QShortcutEvent>

namespace {

class TMnemonicFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut ||
            static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            return false;
        }
        auto* button = static_cast<QAbstractButton*>(watched);
        if (button->focusPolicy() & Qt::TabFocus) {
            button->setFocus(Qt::ShortcutFocusReason);
        }
        button->click();
        return true;
    }
};

} // namespace

void ClickOnMnemonic(QAbstractButton* button) {
    static TMnemonicFilter filter;
    button->installEventFilter(&filter);
}

#include "app/KeyReleaseFilter.h"

#include "app/ChildFm.h"

#include <QApplication>
#include <QKeyEvent>

TKeyReleaseFilter& TKeyReleaseFilter::Instance() {
    static QPointer<TKeyReleaseFilter> instance;
    if (!instance) {
        instance = new TKeyReleaseFilter(qApp);
        qApp->installEventFilter(instance);
    }
    return *instance;
}

TKeyReleaseFilter::TKeyReleaseFilter(QObject* parent) : QObject(parent) {}

bool TKeyReleaseFilter::IsFirstDelivery(const QWidget* receiver) {
    const QWidget* focus = QApplication::focusWidget();
    return focus ? receiver == focus : receiver->isWindow();
}

TChildFm* TKeyReleaseFilter::Current() const {
    return current_;
}

void TKeyReleaseFilter::SetCurrent(TChildFm* child) {
    current_ = child;
}

bool TKeyReleaseFilter::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) || !current_ ||
        !watched->isWidgetType()) {
        return false;
    }
    const auto* receiver = static_cast<const QWidget*>(watched);
    if (static_cast<const QKeyEvent*>(event)->isAutoRepeat() || !IsFirstDelivery(receiver) ||
        receiver->window() != current_->window()) {
        return false;
    }
    return current_->MessageHook(watched, event);
}

#include "app/EnterFm.h"

#include "app/KeyReleaseFilter.h"
#include "app/Placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {

const char* const KeepsEnterProperty = "vintorKeepsEnter";

// The window of the Enter rule a widget belongs to: the nearest TEnterFm
// above it within its own top-level window (a popup has none).
TEnterFm* EnterFmOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* form = qobject_cast<TEnterFm*>(w)) {
            return form;
        }
        if (w->isWindow()) {
            return nullptr;
        }
    }
    return nullptr;
}

bool IsPlainEnter(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool KeepsEnter(const QWidget* widget) {
    return widget->property(KeepsEnterProperty).toBool() ||
           qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

} // namespace

TEnterFm::TEnterFm(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    // Key preview: the window sees Enter before the focused control does.
    qApp->installEventFilter(this);
}

TEnterFm::~TEnterFm() {
    qApp->removeEventFilter(this);
    if (loop_) {
        loop_->quit();
    }
}

void TEnterFm::KeepEnter(QWidget* box) {
    box->setProperty(KeepsEnterProperty, true);
}

bool TEnterFm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        !IsPlainEnter(static_cast<QKeyEvent*>(event))) {
        return false;
    }
    auto* target = static_cast<QWidget*>(watched);
    return TKeyReleaseFilter::IsFirstDelivery(target) && EnterFmOf(target) == this &&
           HandleEnter(target);
}

bool TEnterFm::HandleEnter(QWidget* target) {
    if (KeepsEnter(target)) {
        return false;
    }
    if (auto* button = qobject_cast<QPushButton*>(target)) {
        button->click();
        return true;
    }
    focusNextPrevChild(true);
    return true;
}

void TEnterFm::closeEvent(QCloseEvent* event) {
    if (loop_) {
        EndModal(QDialog::Rejected);
    }
    QWidget::closeEvent(event);
}

int TEnterFm::RunModal() {
    QPointer<QWidget> owner =
        parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    if (owner == this) {
        owner = nullptr;
    }
    if (!parentWidget() && owner) {
        setParent(owner, windowFlags());
    }
    setWindowModality(Qt::ApplicationModal);
    if (!testAttribute(Qt::WA_Resized)) {
        adjustSize();
    }
    result_ = QDialog::Rejected;
    show();
    // Centred once shown, when the size of the frame around it is known.
    Placement::Centre(this, owner);
    raise();
    activateWindow();
    ModalShown();

    QEventLoop loop;
    loop_ = &loop;
    const QPointer<TEnterFm> alive(this);
    if (isVisible()) {
        loop.exec(QEventLoop::DialogExec);
    }
    if (!alive) {
        return QDialog::Rejected;
    }
    loop_ = nullptr;
    hide();
    // The window below takes the keyboard back.
    if (owner) {
        owner->activateWindow();
    }
    return result_;
}

void TEnterFm::EndModal(int result) {
    result_ = result;
    hide();
    if (loop_) {
        loop_->quit();
    }
}

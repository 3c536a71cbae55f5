#include "app/DialogFm.h"

#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>

TDialogFm::TDialogFm(QWidget* parent)
    : TEnterFm(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {}

int TDialogFm::Exec() {
    return RunModal();
}

void TDialogFm::Accept() {
    EndModal(QDialog::Accepted);
}

void TDialogFm::Reject() {
    if (CanClose()) {
        EndModal(QDialog::Rejected);
    }
}

void TDialogFm::closeEvent(QCloseEvent* event) {
    if (isVisible() && !CanClose()) {
        event->ignore();
        return;
    }
    TEnterFm::closeEvent(event);
}

void TDialogFm::keyPressEvent(QKeyEvent* event) {
    // Esc reaches the dialog when the focused control has no use for it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Reject();
        return;
    }
    TEnterFm::keyPressEvent(event);
}

#pragma once

#include "app/EnterFm.h"

#include <QDialog> // Exec answers QDialog::Accepted or QDialog::Rejected

// A modal dialog above the main window, centred on it; Esc closes it.
class TDialogFm : public TEnterFm {
    Q_OBJECT
public:
    explicit TDialogFm(QWidget* parent = nullptr);

    // Shows the dialog modally; QDialog::Accepted or QDialog::Rejected.
    int Exec();
    void Accept();
    void Reject();

protected:
    // Asked before Esc, Reject or the window's close box closes the dialog; a
    // dialog holding unsaved work asks the operator and answers false to stay.
    virtual bool CanClose() { return true; }

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

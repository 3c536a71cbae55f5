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
    void keyPressEvent(QKeyEvent* event) override;
};

#pragma once

#include "app/DialogFm.h"

#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// "打开/新建账本": pick a ledger of the data directory, or name a new one that
// is made from the blank template, or import a ledger of the Windows program.
class TOpenDbFm : public TDialogFm {
    Q_OBJECT

public:
    explicit TOpenDbFm(QWidget* parent, const QString& dataDirectory);

    // The full path of the ledger chosen or made; valid once accepted.
    const QString& LedgerPath() const { return ledgerPath_; }
    // What btnOpen does: accept the chosen ledger, or make the named one.
    void Open();
    // What btnImport does: asks for a ledger of the Windows program and imports
    // it into the data directory under its own name; it is then in the list,
    // chosen.
    void ImportOld();

    QListWidget* lbFiles;
    QLabel* lbFile;
    QRadioButton* rbOpen;
    QRadioButton* rbNew;
    QLineEdit* edDbName;
    QPushButton* btnOpen;
    QPushButton* btnCancel;
    QPushButton* btnImport;

private:
    void OpenChosen();
    void CreateNamed();
    void FillList(const QString& chosen);

    QString dataDirectory_;
    QString ledgerPath_;
};

// Shows the ledger dialog over the program's data directory; the full path of
// the ledger chosen or made, nothing when cancelled.
std::optional<QString> ChooseLedger(QWidget* parent);

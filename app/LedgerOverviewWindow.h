#pragma once

#include <QMainWindow>

// A plain window listing the tables of a ledger and their row counts. It is
// what the desktop program shows until the main window takes its place.
class TLedgerOverviewWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TLedgerOverviewWindow(const QString& ledgerPath, QWidget* parent = nullptr);
};

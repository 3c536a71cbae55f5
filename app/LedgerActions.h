#pragma once

#include <QString>

class QWidget;

// The ledger menu's file commands on the open ledger.
namespace LedgerActions {

// Copies the open ledger to a file the operator chooses (a whole copy, taken
// while the ledger stays open). Only a failure is reported.
void Backup(QWidget* parent, const QString& ledgerPath);
// Copies a ledger file the operator chooses into the directory of the open
// ledger; the open ledger itself is never overwritten.
void Restore(QWidget* parent, const QString& ledgerPath);
void Compact(QWidget* parent);
void DataTools(QWidget* parent, const QString& ledgerPath);
void Cleaner(QWidget* parent);

} // namespace LedgerActions

#pragma once

#include <QString>

// The blank template and new ledgers made from it.
namespace LedgerTemplate {

// Writes a blank ledger at `path`: the current layout, the required rows and a
// starting member type, fee standard, disc categories and user categories.
// Refuses to overwrite an existing file (EOleException).
void WriteBlankLedger(const QString& path);
// The template file of the data directory, made when missing.
QString EnsureBlankTemplate();
// A new ledger at `path`, copied from the template; refuses to overwrite.
void CreateLedgerFromTemplate(const QString& path);

} // namespace LedgerTemplate

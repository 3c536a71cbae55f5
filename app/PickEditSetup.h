#pragma once

#include <QString>

class TExPickEdit;

namespace PickEditSetup {

// Binds a look-up box to the ledger connection with this SQL, as every box of
// the program is bound: key "Id", list "Name", code "Code" when `withCode`,
// initials "Spell", status "Status" when `withStatus`, 8 drop-down rows.
void SetupPickEdit(const QString& sql, TExPickEdit& edit, bool withStatus, bool withCode);

} // namespace PickEditSetup

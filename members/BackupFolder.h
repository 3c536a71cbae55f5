#pragma once

#include <QString>

// The folder the ledger is backed up into when the program closes.
namespace BackupFolder {

// No folder (empty) passes: the exit backup then asks for one. Any other must
// be an existing folder that takes a new file; otherwise an error naming it
// is shown and false returned.
bool Check(const QString& folder);

} // namespace BackupFolder

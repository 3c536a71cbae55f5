#pragma once

#include <QString>
#include <QtGlobal>

// How a ledger file is recognised: an SQLite database whose application_id is
// LedgerApplicationId and whose user_version holds the stamp of its password.
namespace LedgerFormat {

constexpr qint32 LedgerApplicationId = 0x564E5452; // "VNTR"
inline const QString LedgerPassword = QStringLiteral("408317");

// The 31-bit stamp of a password kept in the file header.
qint32 PasswordStamp(const QString& password);

// Writes a new, empty ledger database at `path` (no tables yet). Refuses to
// overwrite: an existing file raises EOleException.
void CreateEmptyLedgerFile(const QString& path, const QString& password);

} // namespace LedgerFormat

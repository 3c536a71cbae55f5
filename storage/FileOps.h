#pragma once

#include <QString>

// File copies that never leave a half-written file under the target name:
// the data goes to a temporary file beside the target, is forced to the disk,
// and then takes the target's name in one step.
namespace FileOps {

// Copies `source` to `target`; false (with `error` set) when the target
// exists or the copy fails.
bool CopyNoReplace(const QString& source, const QString& target, QString* error = nullptr);
// Copies `source` over `target`.
bool CopyReplace(const QString& source, const QString& target, QString* error = nullptr);
// Forces a file (or a directory entry list) to the disk.
bool Sync(const QString& path);

} // namespace FileOps

#pragma once

#include <QString>

#include <functional>

// File copies that never leave a half-written file under the target name:
// the data goes to a temporary file beside the target, is forced to the disk,
// and then takes the target's name in one step.
namespace FileOps {

// Copies `source` to `target`; false (with `error` set) when the target
// exists or the copy fails.
bool CopyNoReplace(const QString& source, const QString& target, QString* error = nullptr);
// Gives the finished `file` (on the disk, beside the target) the name `target`
// in one step, unless the target exists; `file` is gone afterwards either way.
bool MoveNoReplace(const QString& file, const QString& target, QString* error = nullptr);
// Copies `source` over `target`; `beforeRename` runs once the copy is on the
// disk, just before it takes the target's name.
bool CopyReplace(const QString& source, const QString& target, QString* error = nullptr,
                 const std::function<void()>& beforeRename = {});
// The file a write to `path` must replace: a symbolic link is followed to the
// file it names. Empty, with `error` set, when that exists and is no regular
// file (a device, a pipe, a socket or a folder), which must never be replaced.
QString ReplaceableTarget(const QString& path, QString* error);
// Forces a file (or a directory entry list) to the disk.
bool Sync(const QString& path);
// Removes a ledger file together with its logs (-wal, -shm, -journal), so
// none is left to be replayed into a later file of the same name.
void RemoveWithLogs(const QString& path);

} // namespace FileOps

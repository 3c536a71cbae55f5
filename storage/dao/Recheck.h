#pragma once

#include <QString>

// A commit re-reads, inside its transaction, the rows it was prepared from:
// another counter may have changed them since. The transaction holds the
// write lock from its start, so the re-read and the writes are one step.
namespace Recheck {

// Raises EVintorError with `message` unless the SELECT finds a row; the
// commit's transaction then writes nothing.
void RequireRow(const QString& sql, const QString& message);

} // namespace Recheck

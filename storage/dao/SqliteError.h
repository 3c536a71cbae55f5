#pragma once

#include <QString>

struct sqlite3;

// The URI parameter that marks a connection opened read-only because the disk
// is full: its writes are refused with the disk-space message.
inline constexpr char LowDiskParameter[] = "vintor_lowdisk";

// Raises the EOleException for an SQLite result code: the engine's own message,
// in clear Chinese where the cause is one an operator can act on (a full disk,
// a file another program holds, a read-only or damaged file).
[[noreturn]] void RaiseEngineError(sqlite3* db, int resultCode);

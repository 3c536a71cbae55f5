#pragma once

#include <QString>

class TCBObject;

// The warnings the windows show when a guarded Delete refuses, by the record's
// table and the result code.
namespace DeleteMessages {

// The warning for `result` of deleting a row of `tableName`; empty for
// DeleteDone or a code the table does not answer.
QString Text(const QString& tableName, int result);

// Shows the warning for a refused delete of `record`; true when the row was
// deleted (nothing to show).
bool Report(const TCBObject& record, int result);

} // namespace DeleteMessages

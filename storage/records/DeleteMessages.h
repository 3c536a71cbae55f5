#pragma once

#include "storage/Prompter.h"

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

// Asks "确实要删除 ["<Name>"]吗？" for the record of `id`, then runs its guarded
// Delete and shows a refusal; true when the row was deleted. A No, or a row
// that is gone, deletes nothing.
template <class TRecord> bool AskAndDelete(int id) {
    TRecord record;
    if (!record.LoadById(id) || !ConfirmDelete(record.Name)) {
        return false;
    }
    return Report(record, record.Delete());
}

} // namespace DeleteMessages

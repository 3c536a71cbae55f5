#pragma once

#include "storage/Refusal.h"

#include <QString>

#include <array>

class TOperator;

// What the operator dialog stores: the permission texts, the checks of a typed
// operator and how the entry goes into the record. The administrator (Id 1)
// keeps its name and permissions whatever the entry says; only its password
// changes.
namespace OperatorEdits {

inline constexpr int PermissionCount = 23;
inline constexpr int AdministratorId = 1;

struct TPermission {
    QString rowText; // "撤消已经出租的影片", the dialog's row
    QString caption; // "撤销出租", the operators page's column
};
// Flags 1…23 in order (element 0 is flag 1).
const std::array<TPermission, PermissionCount>& Permissions();

// The dialog's fields as typed and its ticks.
struct TEntry {
    QString name;
    QString password;
    QString rePassword;
    std::array<bool, PermissionCount + 1> ticks{}; // ticks[1] … ticks[23]
};

// The entry as the operator `op` holds it (its name, password twice, flags).
TEntry EntryOf(const TOperator& op);
// The checks in order: a name, not another operator's; both passwords or
// neither; the two identical. The refusal names the field to correct
// ("edName", "edPassword", "edRePassword").
TChecked Check(int id, const TEntry& entry);
// Copies the entry into the record; flags 24…50 keep what it held.
void Store(const TEntry& entry, TOperator& op);

} // namespace OperatorEdits

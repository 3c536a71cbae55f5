#include "storage/dao/Recheck.h"

#include "storage/dao/CBQuery.h"
#include "storage/dao/Errors.h"

namespace Recheck {

void RequireRow(const QString& sql, const QString& message) {
    TCBQuery query;
    if (!query.HasRows(sql)) {
        throw EVintorError(message);
    }
}

} // namespace Recheck

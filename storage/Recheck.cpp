#include "storage/Recheck.h"

#include "storage/CBQuery.h"
#include "storage/Errors.h"

namespace Recheck {

void RequireRow(const QString& sql, const QString& message) {
    TCBQuery query;
    if (!query.HasRows(sql)) {
        throw EVintorError(message);
    }
}

} // namespace Recheck

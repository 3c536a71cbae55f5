#include "members/MovementDelete.h"

#include "storage/DM.h"
#include "storage/Format.h"

namespace MovementDelete {

void Run(int movementId) {
    TDM::Instance().ExecSql(
        Format(QStringLiteral("DELETE * FROM TbFTransaction WHERE Id=%d"), {movementId}));
}

} // namespace MovementDelete

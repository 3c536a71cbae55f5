#include "members/MovementDelete.h"

#include "storage/dao/DM.h"
#include "storage/dao/Format.h"

namespace MovementDelete {

void Run(int movementId) {
    TDM::Instance().ExecSql(
        Format(QStringLiteral("DELETE * FROM TbFTransaction WHERE Id=%d"), {movementId}));
}

} // namespace MovementDelete

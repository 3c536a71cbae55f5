#include "storage/records/Operator.h"

#include "storage/records/FieldBinder.h"

void TOperator::Bind(TFieldBinder& binder) {
    binder("Name", Name);
    binder("Password", Password);
    for (int n = 1; n <= FlagCount; ++n) {
        binder.Flag(QStringLiteral("Op%1").arg(n), Op[n]);
    }
}

int TOperator::Delete() {
    if (Id == 1) {
        return DeleteSystemRow;
    }
    if (Exists("SELECT Id FROM TbFTransaction WHERE CId3=%d", {Id})) {
        return DeleteInUse;
    }
    return TCBObject::Delete();
}

#include "storage/records/SaleCd.h"

#include "storage/dao/DM.h"
#include "storage/records/FieldBinder.h"

void TSaleCd::Bind(TFieldBinder& binder) {
    TCdTitle::Bind(binder);
    binder("Number1", Number1);
    binder("Number2", Number2);
    binder("Cost", Cost);
}

void TSaleCd::Assign(const TSaleCd& source) {
    AssignTitle(*this, source);
}

int TSaleCd::Delete() {
    if (Exists("SELECT Id FROM TbSTransaction WHERE CId1=%d", {Id})) {
        return DeleteInUse;
    }
    TDM::TTransaction transaction(TDM::Instance());
    Execute("DELETE * FROM TbITransaction WHERE CId1=%d AND Flag=1", {Id});
    Execute("DELETE * FROM %s WHERE Id=%d", {TableName(), Id});
    transaction.Commit();
    return DeleteDone;
}

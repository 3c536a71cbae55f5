#include "storage/records/CdCategory.h"

#include "storage/records/FieldBinder.h"

void TCdCategory::Bind(TFieldBinder& binder) {
    binder("Name", Name);
    binder("SubId", SubId);
    binder("Memo", Memo);
}

int TCdCategory::Delete() {
    if (Exists("SELECT Id FROM %s WHERE SubId=%d", {TableName(), Id})) {
        return DeleteHasSubCategories;
    }
    if (Exists("SELECT Id FROM TbRentCd WHERE CId=%d", {Id})) {
        return DeleteInUse;
    }
    return TCBObject::Delete();
}

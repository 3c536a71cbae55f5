#include "storage/records/Company.h"

#include "storage/records/FieldBinder.h"

void TCompany::Bind(TFieldBinder& binder) {
    binder("Name", Name);
    binder("Address", Address);
    binder("Telephone", Telephone);
    binder("Memo", Memo);
}

int TCompany::Delete() {
    if (Exists("SELECT Id FROM TbFTransaction WHERE CId2=%d", {Id})) {
        return DeleteInUse;
    }
    return TCBObject::Delete();
}

#include "storage/records/AtorType.h"

#include "storage/records/FieldBinder.h"

void TAtorType::Bind(TFieldBinder& binder) {
    binder("Name", Name);
    binder("T_Day", T_Day);
    binder("T_Sum", T_Sum);
    binder("T_Num", T_Num);
    binder("Days", Days);
    binder("Fee", Fee);
    binder("Punish", Punish);
    binder("Memo", Memo);
}

int TAtorType::Delete() {
    if (Exists("SELECT Id FROM TbAssociator WHERE AId=%d", {Id})) {
        return DeleteInUse;
    }
    return TCBObject::Delete();
}

#include "storage/records/Category.h"

#include "storage/Pinyin.h"
#include "storage/records/FieldBinder.h"

void TCategory::Bind(TFieldBinder& binder) {
    if (!binder.Reading()) {
        Spell = PinyinInitials(Name);
    }
    binder("Name", Name);
    binder("Spell", Spell);
    binder("SubId", SubId);
    binder("Flag", Flag);
    binder("Memo", Memo);
}

int TCategory::Delete() {
    if (Flag == 1 || Flag == 2) {
        return DeleteSystemRow;
    }
    if (Exists("SELECT Id FROM %s WHERE SubId=%d", {TableName(), Id})) {
        return DeleteHasSubCategories;
    }
    if (Exists("SELECT Id FROM TbFTransaction WHERE CId1=%d", {Id})) {
        return DeleteInUse;
    }
    return TCBObject::Delete();
}

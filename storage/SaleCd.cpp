#include "storage/SaleCd.h"

#include "storage/DM.h"
#include "storage/FieldBinder.h"
#include "storage/Pinyin.h"

void TSaleCd::Bind(TFieldBinder& binder) {
    if (!binder.Reading()) {
        Spell = PinyinInitials(Name);
    }
    binder("Code", Code);
    binder("Name", Name);
    binder("Spell", Spell);
    binder("Day", Day);
    binder("Alias1", Alias1);
    binder("Alias2", Alias2);
    binder("CId", CId);
    binder("Director", Director);
    binder("Player", Player);
    binder("Number1", Number1);
    binder("Number2", Number2);
    binder("Cost", Cost);
    binder("Price", Price);
    binder("Memo", Memo);
}

void TSaleCd::DoLoadLinked() {
    Category = TCdCategory();
    if (CId > 0) {
        Category.LoadById(CId);
    }
}

void TSaleCd::DoSaveLinked() {
    Category.Save();
}

void TSaleCd::Assign(const TSaleCd& source) {
    const QString spell = Spell;
    const TCdCategory category = Category;
    *this = source;
    Spell = spell;
    Category = category;
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

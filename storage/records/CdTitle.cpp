#include "storage/records/CdTitle.h"

#include "storage/Pinyin.h"
#include "storage/records/FieldBinder.h"

#include <QStringList>

void TCdTitle::Bind(TFieldBinder& binder) {
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
    binder("Price", Price);
    binder("Memo", Memo);
}

void TCdTitle::DoLoadLinked() {
    Category = TCdCategory();
    if (CId > 0) {
        Category.LoadById(CId);
    }
}

void TCdTitle::DoSaveLinked() {
    Category.Save();
}

QString TCdTitle::AliasText() const {
    QStringList aliases{Alias1.trimmed(), Alias2.trimmed()};
    aliases.removeAll(QString());
    return aliases.join(QStringLiteral("、"));
}

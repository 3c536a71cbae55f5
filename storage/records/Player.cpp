#include "storage/records/Player.h"

#include "storage/Pinyin.h"
#include "storage/records/FieldBinder.h"

void TPlayer::Bind(TFieldBinder& binder) {
    if (!binder.Reading()) {
        Spell = PinyinInitials(Name).left(SpellWidth);
    }
    binder("Name", Name);
    binder("Spell", Spell, TFieldBinder::WriteOnly);
    binder("Memo", Memo);
}

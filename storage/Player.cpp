#include "storage/Player.h"

#include "storage/FieldBinder.h"
#include "storage/Pinyin.h"

void TPlayer::Bind(TFieldBinder& binder) {
    if (!binder.Reading()) {
        Spell = PinyinInitials(Name).left(SpellWidth);
    }
    binder("Name", Name);
    binder("Spell", Spell, TFieldBinder::WriteOnly);
    binder("Memo", Memo);
}

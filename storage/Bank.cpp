#include "storage/Bank.h"

#include "storage/FieldBinder.h"

void TBank::Bind(TFieldBinder& binder) {
    binder("Name", Name);
    binder("Memo", Memo);
}

#include "storage/records/Bank.h"

#include "storage/records/FieldBinder.h"

void TBank::Bind(TFieldBinder& binder) {
    binder("Name", Name);
    binder("Memo", Memo);
}

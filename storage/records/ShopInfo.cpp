#include "storage/records/ShopInfo.h"

#include "storage/records/FieldBinder.h"

void TShopInfo::Bind(TFieldBinder& binder) {
    binder("Name", Name);
    binder("Address", Address);
    binder("Telephone", Telephone);
    binder("Memo", Memo);
}

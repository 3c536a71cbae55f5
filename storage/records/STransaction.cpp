#include "storage/records/STransaction.h"

#include "storage/records/FieldBinder.h"

void TSTransaction::Bind(TFieldBinder& binder) {
    binder("Day", Day);
    binder("CId1", CId1);
    binder("CId2", CId2);
    binder("FId", FId);
    binder("Discount", Discount);
    binder("Number", Number);
    binder("Price", Price);
    binder("Sn", Sn);
}

void TSTransaction::DoLoadLinked() {
    SaleCd = TSaleCd();
    Category = TCategory();
    if (CId1 > 0) {
        SaleCd.LoadById(CId1);
    }
    if (CId2 > 0) {
        Category.LoadById(CId2);
    }
}

void TSTransaction::DoSaveLinked() {
    SaleCd.Save();
    Category.Save();
}

void TSTransaction::Assign(const TSTransaction& source) {
    TSTransaction kept = std::move(*this);
    *this = source;
    SaleCd = std::move(kept.SaleCd);
    Category = std::move(kept.Category);
    Selected = kept.Selected;
}

#include "storage/records/RTransaction.h"

#include "storage/records/FieldBinder.h"

void TRTransaction::Bind(TFieldBinder& binder) {
    binder("Day1", Day1);
    binder("Day2", Day2);
    binder("AId", AId);
    binder("CId1", CId1);
    binder("FId", FId);
    binder("Deposit", Deposit);
    binder("Rent", Rent);
    binder("Sn", Sn);
    binder("CId2", CId2);
}

void TRTransaction::DoLoadLinked() {
    Associator = TAssociator();
    RentCd = TRentCd();
    Category = TCategory();
    if (AId > 0) {
        Associator.LoadById(AId);
    }
    if (CId1 > 0) {
        RentCd.LoadById(CId1);
    }
    if (CId2 > 0) {
        Category.LoadById(CId2);
    }
}

void TRTransaction::DoSaveLinked() {
    Associator.Save();
    RentCd.Save();
    Category.Save();
}

void TRTransaction::Assign(const TRTransaction& source) {
    TRTransaction kept = std::move(*this);
    *this = source;
    Associator = std::move(kept.Associator);
    RentCd = std::move(kept.RentCd);
    Category = std::move(kept.Category);
    Selected = kept.Selected;
    Days = kept.Days;
}

#include "storage/records/ITransaction.h"

#include "storage/records/FieldBinder.h"

void TITransaction::Bind(TFieldBinder& binder) {
    binder("Day", Day);
    binder("CId1", CId1);
    binder("CId2", CId2);
    binder("FId", FId);
    binder("Flag", Flag);
    binder("Number", Number);
    binder("Price", Price);
    binder("Sn", Sn);
}

void TITransaction::DoLoadLinked() {
    RentCd = TRentCd();
    SaleCd = TSaleCd();
    if (CId1 <= 0) {
        return;
    }
    if (Flag == RentalLine) {
        RentCd.LoadById(CId1);
    } else if (Flag == SaleLine) {
        SaleCd.LoadById(CId1);
    }
}

void TITransaction::DoSaveLinked() {
    if (Flag == RentalLine) {
        RentCd.Save();
    } else if (Flag == SaleLine) {
        SaleCd.Save();
    }
}

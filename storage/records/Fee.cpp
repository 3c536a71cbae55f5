#include "storage/records/Fee.h"

#include "storage/records/FieldBinder.h"

void TFee::Bind(TFieldBinder& binder) {
    binder("Name", Name);
    binder("Deposit1", Deposit1);
    binder("Number1", Number1);
    binder("Rent1", Rent1);
    binder("Days1", Days1);
    binder("Deposit2", Deposit2);
    binder("Number2", Number2);
    binder("Rent2", Rent2);
    binder("Days2", Days2);
}

int TFee::Delete() {
    if (Exists("SELECT Id FROM TbRentCd WHERE FId=%d", {Id})) {
        return DeleteInUse;
    }
    return TCBObject::Delete();
}

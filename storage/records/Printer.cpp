#include "storage/records/Printer.h"

#include "storage/records/FieldBinder.h"

void TPrinter::Bind(TFieldBinder& binder) {
    binder("OnOff", OnOff);
    binder("Port", Port);
    binder("Com", Com);
    binder("Speed", Speed);
    binder("Lpt", Lpt);
    binder("CashBox", CashBox);
}

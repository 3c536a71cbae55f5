#include "storage/Printer.h"

#include "storage/FieldBinder.h"

void TPrinter::Bind(TFieldBinder& binder) {
    binder("OnOff", OnOff);
    binder("Port", Port);
    binder("Com", Com);
    binder("Speed", Speed);
    binder("Lpt", Lpt);
    binder("CashBox", CashBox);
}

#include "rental/ReceiptFigures.h"

#include "rental/BillObject.h"

bool PrintReceipt(TBillObject& bill, const TReceiptFigures& figures) {
    bill.BillNo = figures.billNo;
    bill.RenterId = figures.renterId;
    bill.Amount1 = figures.amount1;
    bill.Amount2 = figures.amount2;
    bill.Amount3 = figures.amount3;
    bill.Note = figures.note;
    bill.Kind = figures.kind;
    return bill.Print();
}

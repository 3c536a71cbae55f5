#pragma once

#include "rental/BillObject.h"
#include "storage/records/RTransaction.h"

#include <QList>

// The rental desk's receipt: the discs rented out, or the discs taken back
// with the deposit refunded and the rent taken.
class TBillRentObject : public TBillObject {
public:
    // Kind: the desk's state when the receipt is printed.
    enum { ReturnReceipt = 2, RentalReceipt = 3 };

    using TBillObject::TBillObject;

    // Copies the selected lines (with the titles they carry) onto the receipt;
    // the copies are independent of the desk's lines. Lines collect until
    // cleared, so one customer's receipt lists every commit since.
    void AddLines(const QList<TRTransaction>& lines);
    void ClearLines() override { Lines.clear(); }

    QList<TRTransaction> Lines;

protected:
    void Body() override;
};

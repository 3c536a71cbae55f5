#pragma once

#include "rental/BillObject.h"
#include "storage/records/STransaction.h"

#include <QList>

// The sales desk's receipt: each title with its discount, price and number,
// then the amount, the cash tendered and the change.
class TBillSaleObject : public TBillObject {
public:
    using TBillObject::TBillObject;

    void ClearLines() override { Lines.clear(); }

    // Copies of the bill's sale lines, each with its title.
    QList<TSTransaction> Lines;

protected:
    void Body() override;
};

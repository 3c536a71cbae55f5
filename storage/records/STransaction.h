#pragma once

#include "storage/Currency.h"
#include "storage/records/CBObject.h"
#include "storage/records/Category.h"
#include "storage/records/SaleCd.h"

#include <QDate>

// One row of TbSTransaction: one title of a sale bill, with the title and the
// line's kind (a TbCategory kind: 6 sold, 7 taken back) as linked records.
class TSTransaction : public TCBObject {
public:
    TSTransaction() : TCBObject(QStringLiteral("TbSTransaction")) {}
    void DoLoadLinked() override;
    void DoSaveLinked() override;
    // Copies the key and every column; the linked records and the desk's
    // tick stay.
    void Assign(const TSTransaction& source);

    QDate Day;
    int CId1 = 0; // the title
    int CId2 = 0; // the kind
    int FId = 0;  // the bill's fund movement
    Currency Discount;
    int Number = 0;
    Currency Price;
    int Sn = 0; // the bill

    // Kept by the desk, not stored: ticked in the grid.
    bool Selected = false;

    TSaleCd SaleCd;
    TCategory Category;

protected:
    void Bind(TFieldBinder& binder) override;
};

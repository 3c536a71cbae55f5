#pragma once

#include "storage/Currency.h"
#include "storage/records/Associator.h"
#include "storage/records/CBObject.h"
#include "storage/records/Category.h"
#include "storage/records/RentCd.h"

#include <QDate>

// One row of TbRTransaction: one disc of a rental bill, with the renter, the
// title and the line's state (a TbCategory kind) as linked records.
class TRTransaction : public TCBObject {
public:
    TRTransaction() : TCBObject(QStringLiteral("TbRTransaction")) {}
    void DoLoadLinked() override;
    void DoSaveLinked() override;
    // Copies the key and every column; the linked records and the desk's
    // marks (Selected, Days) stay.
    void Assign(const TRTransaction& source);

    QDate Day1;   // rented
    QDate Day2;   // returned (the rental day while out)
    int AId = 0;  // the renter; 0 for a walk-in renter
    int CId1 = 0; // the title
    int FId = 0;  // the bill's fund movement
    Currency Deposit;
    Currency Rent;
    int Sn = 0;   // the bill
    int CId2 = 0; // 1 returned, 2 rented out, 3 cancelled

    // Kept by the desk, not stored: ticked in the grid, and the days shown.
    bool Selected = false;
    int Days = 0;

    TAssociator Associator;
    TRentCd RentCd;
    TCategory Category;

protected:
    void Bind(TFieldBinder& binder) override;
};

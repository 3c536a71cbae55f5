#pragma once

#include "storage/Currency.h"
#include "storage/records/CBObject.h"
#include "storage/records/RentCd.h"
#include "storage/records/SaleCd.h"

#include <QDate>

// One row of TbITransaction: one title of a stock-in batch. The title is a
// rental title when Flag is 0 and a sale title when Flag is 1; only that one
// of the two linked records is loaded and saved.
class TITransaction : public TCBObject {
public:
    enum { RentalLine = 0, SaleLine = 1 };

    TITransaction() : TCBObject(QStringLiteral("TbITransaction")) {}
    void DoLoadLinked() override;
    void DoSaveLinked() override;

    QDate Day;
    int CId1 = 0; // the title
    int CId2 = 0;
    int FId = 0; // the batch's payment movement
    int Flag = RentalLine;
    int Number = 0;
    Currency Price;
    int Sn = 0; // the batch

    TRentCd RentCd;
    TSaleCd SaleCd;

protected:
    void Bind(TFieldBinder& binder) override;
};

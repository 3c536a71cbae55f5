#pragma once

#include "storage/Currency.h"
#include "storage/records/CdTitle.h"
#include "storage/records/Fee.h"

#include <QString>

// One row of TbRentCd: a rental title (one or several discs), with its
// category and fee standard as linked records.
class TRentCd : public TCdTitle {
public:
    enum { InStock = 1, RentedOut = 2, WrittenOff = 3 };

    TRentCd() : TCdTitle(QStringLiteral("TbRentCd")) {}
    void DoLoadLinked() override;
    void DoSaveLinked() override;
    // Refused while rental lines name the title. Otherwise the stock-in payment
    // of its batch is adjusted as the operator answers (asked before anything
    // is written), its stock-in lines go, then the title; in one transaction.
    int Delete() override;
    // Copies the key and every column but Spell; the linked records stay.
    void Assign(const TRentCd& source);
    // "未租", "已租" or "注销" for Status 1, 2, 3; `otherwise` for any other value.
    QString StatusText(const QString& otherwise = QString()) const;

    int FId = 0;
    int Status = InStock;
    int Number = 0;
    Currency Power;

    TFee Fee;

protected:
    void Bind(TFieldBinder& binder) override;
};

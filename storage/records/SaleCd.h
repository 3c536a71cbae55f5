#pragma once

#include "storage/Currency.h"
#include "storage/records/CdTitle.h"

// One row of TbSaleCd: a title for sale, with its category as linked record.
class TSaleCd : public TCdTitle {
public:
    TSaleCd() : TCdTitle(QStringLiteral("TbSaleCd")) {}
    // Refused while sale lines name the title; otherwise its stock-in lines go
    // with it, in one transaction.
    int Delete() override;
    // Copies the key and every column but Spell; the linked record stays.
    void Assign(const TSaleCd& source);

    int Number1 = 0;
    int Number2 = 0;
    Currency Cost;

protected:
    void Bind(TFieldBinder& binder) override;
};

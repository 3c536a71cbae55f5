#pragma once

#include "storage/records/CBObject.h"

#include "storage/Currency.h"

#include <QString>

// One row of TbFee: a fee standard: group 1 for walk-in renters, group 2 for members.
class TFee : public TCBObject {
public:
    TFee() : TCBObject(QStringLiteral("TbFee")) {}
    // Refused while a rental title uses this fee standard.
    int Delete() override;

    QString Name;
    Currency Deposit1;
    Currency Number1;
    Currency Rent1;
    int Days1 = 0;
    Currency Deposit2;
    Currency Number2;
    Currency Rent2;
    int Days2 = 0;

protected:
    void Bind(TFieldBinder& binder) override;
};

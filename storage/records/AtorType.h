#pragma once

#include "storage/records/CBObject.h"

#include "storage/Currency.h"

#include <QString>

// One row of TbAtorType: a member type: what a payment buys and how rentals are charged.
class TAtorType : public TCBObject {
public:
    TAtorType() : TCBObject(QStringLiteral("TbAtorType")) {}
    // Refused (in use) while a member has this type.
    int Delete() override;

    QString Name;
    int T_Day = 0;
    Currency T_Sum;
    int T_Num = 0;
    int Days = 0;
    int Fee = 0;
    int Punish = 0;
    QString Memo;

protected:
    void Bind(TFieldBinder& binder) override;
};

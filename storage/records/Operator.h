#pragma once

#include "storage/records/CBObject.h"

#include <QString>

#include <array>

// One row of TbOperator: a person who logs in, with the permission flags
// Op1…Op50 (Op1…Op23 carry meaning). A flag is set exactly when its column
// holds 1; saving writes 1 or 0.
class TOperator : public TCBObject {
public:
    static constexpr int FlagCount = 50;

    TOperator() : TCBObject(QStringLiteral("TbOperator")) {}
    // The administrator (Id 1) cannot be deleted, nor an operator who booked
    // fund movements.
    int Delete() override;

    // Flag n (1…50).
    bool Has(int n) const { return n >= 1 && n <= FlagCount && Op[n]; }

    QString Name;
    QString Password;
    std::array<bool, FlagCount + 1> Op{}; // Op[1] … Op[50]; Op[0] is unused

protected:
    void Bind(TFieldBinder& binder) override;
};

#pragma once

#include "storage/records/CBObject.h"

#include <QString>

// One row of TbCompany: a supplier.
class TCompany : public TCBObject {
public:
    TCompany() : TCBObject(QStringLiteral("TbCompany")) {}
    // Refused while a fund movement names this supplier.
    int Delete() override;

    QString Name;
    QString Address;
    QString Telephone;
    QString Memo;

protected:
    void Bind(TFieldBinder& binder) override;
};

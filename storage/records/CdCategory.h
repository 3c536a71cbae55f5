#pragma once

#include "storage/records/CBObject.h"

#include <QString>

// One row of TbCdCategory: a disc category, two levels deep.
class TCdCategory : public TCBObject {
public:
    TCdCategory() : TCBObject(QStringLiteral("TbCdCategory")) {}
    // Refused while it has sub-categories, or while a rental title uses it.
    int Delete() override;

    QString Name;
    int SubId = 0;
    QString Memo;

protected:
    void Bind(TFieldBinder& binder) override;
};

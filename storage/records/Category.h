#pragma once

#include "storage/records/CBObject.h"

#include <QString>

// One row of TbCategory: a kind of money movement. The system kinds (Flag 1
// or 2) have fixed Ids; user categories (Flag 3…6) come above 25.
class TCategory : public TCBObject {
public:
    TCategory() : TCBObject(QStringLiteral("TbCategory")) {}
    int Delete() override;

    QString Name;
    QString Spell; // written from Name on every save
    int SubId = 0;
    int Flag = 0;
    QString Memo;

protected:
    void Bind(TFieldBinder& binder) override;
};

#pragma once

#include "storage/records/CBObject.h"

#include <QString>

// One row of TbShopInfo: the shop's own data, printed on receipts (row 1).
class TShopInfo : public TCBObject {
public:
    TShopInfo() : TCBObject(QStringLiteral("TbShopInfo")) {}

    QString Name;
    QString Address;
    QString Telephone;
    QString Memo;

protected:
    void Bind(TFieldBinder& binder) override;
};

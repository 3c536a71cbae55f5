#pragma once

#include "storage/records/CBObject.h"

#include <QString>

// One row of TbBank: a bank, offered when an account is entered.
class TBank : public TCBObject {
public:
    TBank() : TCBObject(QStringLiteral("TbBank")) {}

    QString Name;
    QString Memo;

protected:
    void Bind(TFieldBinder& binder) override;
};

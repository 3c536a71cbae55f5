#pragma once

#include "storage/records/CBObject.h"

#include <QString>

// One row of TbPrinter: the receipt printer settings (row 1).
class TPrinter : public TCBObject {
public:
    TPrinter() : TCBObject(QStringLiteral("TbPrinter")) {}

    int OnOff = 0;
    int Port = 1;
    QString Com = QStringLiteral("COM1");
    QString Speed = QStringLiteral("9600");
    QString Lpt = QStringLiteral("LPT1");
    int CashBox = 0;

protected:
    void Bind(TFieldBinder& binder) override;
};

#pragma once

#include "storage/CBObject.h"
#include "storage/CdCategory.h"
#include "storage/Currency.h"

#include <QDate>
#include <QString>

// One row of TbSaleCd: a title for sale, with its category as linked record.
class TSaleCd : public TCodedObject {
public:
    TSaleCd() : TCodedObject(QStringLiteral("TbSaleCd")) {}
    void DoLoadLinked() override;
    void DoSaveLinked() override;
    // Refused while sale lines name the title; otherwise its stock-in lines go
    // with it, in one transaction.
    int Delete() override;
    // Copies the key and every column but Spell; the linked record stays.
    void Assign(const TSaleCd& source);

    QString Name;
    QString Spell; // written from Name on every save
    QDate Day;
    QString Alias1;
    QString Alias2;
    int CId = 0;
    QString Director;
    QString Player;
    int Number1 = 0;
    int Number2 = 0;
    Currency Cost;
    Currency Price;
    QString Memo;

    TCdCategory Category;

protected:
    void Bind(TFieldBinder& binder) override;
};

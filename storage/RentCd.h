#pragma once

#include "storage/CBObject.h"
#include "storage/CdCategory.h"
#include "storage/Currency.h"
#include "storage/Fee.h"

#include <QDate>
#include <QString>

// One row of TbRentCd: a rental title (one or several discs), with its
// category and fee standard as linked records.
class TRentCd : public TCodedObject {
public:
    enum { InStock = 1, RentedOut = 2, WrittenOff = 3 };

    TRentCd() : TCodedObject(QStringLiteral("TbRentCd")) {}
    void DoLoadLinked() override;
    void DoSaveLinked() override;
    // Refused while rental lines name the title. Otherwise the stock-in payment
    // of its batch is adjusted as the operator answers (asked before anything
    // is written), its stock-in lines go, then the title; in one transaction.
    int Delete() override;
    // Copies the key and every column but Spell; the linked records stay.
    void Assign(const TRentCd& source);
    // "未租", "已租" or "注销" for Status 1, 2, 3; `otherwise` for any other value.
    QString StatusText(const QString& otherwise = QString()) const;

    QString Name;
    QString Spell; // written from Name on every save
    QDate Day;
    QString Alias1;
    QString Alias2;
    int CId = 0;
    int FId = 0;
    int Status = InStock;
    QString Director;
    QString Player;
    int Number = 0;
    Currency Price;
    Currency Power;
    QString Memo;

    TCdCategory Category;
    TFee Fee;

protected:
    void Bind(TFieldBinder& binder) override;
};

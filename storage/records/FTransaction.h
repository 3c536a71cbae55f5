#pragma once

#include "storage/Currency.h"
#include "storage/records/Account.h"
#include "storage/records/Associator.h"
#include "storage/records/CBObject.h"
#include "storage/records/Category.h"
#include "storage/records/Company.h"
#include "storage/records/Operator.h"

#include <QDate>
#include <QString>

// One row of TbFTransaction: a fund movement (a bill's money, a purchase, a
// member payment, a transfer, an income or expense), with its kind, supplier,
// operator, account and member as linked records.
class TFTransaction : public TCBObject {
public:
    enum { AccountMovement = 0, MemberMovement = 1 };

    TFTransaction() : TCBObject(QStringLiteral("TbFTransaction")) {}
    void DoLoadLinked() override;
    void DoSaveLinked() override;
    // Copies the key and every column; the linked records stay.
    void Assign(const TFTransaction& source);
    // Loads the movement of the rental bill `sn` that still has a line out;
    // 1 when found, 0 otherwise.
    int LoadByRentalSn(int sn);

    QDate Day;
    int CId1 = 0; // the kind (TbCategory)
    int Flag = AccountMovement;
    int CId2 = 0; // the supplier
    int CId3 = 0; // the operator who booked it
    int AId1 = 0; // the account (the member for a member movement)
    int AId2 = 0; // the counter-account
    int AId3 = 0; // the member
    Currency Sum1;
    Currency Sum2;
    QString Memo;

    TCategory Category;
    TCompany Company;
    TOperator Operator;
    TAccount Account;
    TAssociator Associator;

protected:
    void Bind(TFieldBinder& binder) override;
};

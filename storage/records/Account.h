#pragma once

#include "storage/Currency.h"
#include "storage/records/CBObject.h"

#include <QString>

// One row of TbAccount: a fund account. Id 1 is the cash box, which takes all
// counter money and cannot be deleted.
class TAccount : public TCBObject {
public:
    static constexpr int CashBoxId = 1;

    TAccount() : TCBObject(QStringLiteral("TbAccount")) {}
    // Deletes the account with all its account movements (both sides of its
    // transfers), in one transaction; the cash box is refused.
    int Delete() override;
    // The balance: the total the ledger keeps (LedgerBalances) while it can
    // be trusted, otherwise counted from the movements; 0 when there are none.
    Currency Balance() const;
    // The balance counted from every movement of the account by one statement
    // (CountingSql); 0 when there are none or the statement fails.
    Currency CountedBalance() const;
    // The statement that counts an account's balance (column "TSum").
    static QString CountingSql(int accountId);

    QString Name;
    Currency Max;
    Currency Min;
    QString No;
    QString Bank;
    QString Contact;
    QString Telephone;
    QString Memo;

protected:
    void Bind(TFieldBinder& binder) override;
};

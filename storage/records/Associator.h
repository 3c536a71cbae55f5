#pragma once

#include "storage/Currency.h"
#include "storage/records/AtorType.h"
#include "storage/records/CBObject.h"
#include "storage/records/RentCd.h"

#include <QDate>
#include <QString>

// One row of TbAssociator: a member, with its member type as linked record,
// and the membership arithmetic of payments and quotas.
class TAssociator : public TCodedObject {
public:
    TAssociator() : TCodedObject(QStringLiteral("TbAssociator")) {}
    void DoLoadLinked() override;
    void DoSaveLinked() override;
    // Titles the member still holds go back in stock; the member's rental
    // lines and money movements are deleted with the member, in one
    // transaction. Always answers DeleteDone.
    int Delete() override;

    // Days left of the paid period, never below 0. Setting n makes the period
    // end n days from today.
    int RemainingDays() const;
    void SetRemainingDays(int days);
    // The disc quota left. When the type limits the period and the period has
    // run out, a positive quota is dropped first (stored at the next save).
    Currency RemainingNumber();
    void SetRemainingNumber(Currency number) { Number = number; }

    // Credits or takes back a membership payment as the member type says.
    void ApplyPayment(Currency amount);
    void RevokePayment(Currency amount);
    void ReduceDeposit(Currency amount) { Deposit -= amount; }

    // Charging at the rental counter. The deposit for a title (a member whose
    // type limits discs has the title's units taken from its quota, in
    // memory); the rent for a title rented `rawDays` days ago; whether a
    // rental from `day` is late for this member's type. A fee standard with a
    // zero unit count or period charges 0 and says so.
    Currency DepositFor(const TRentCd& disc);
    Currency RentFor(const TRentCd& disc, qint64 rawDays) const;
    bool IsLate(const QDate& day) const;
    // The walk-in renter: not a member, member type 0.
    bool IsWalkIn() const { return Id <= 0; }
    // Whether renting takes the titles' units from this member's quota.
    bool UsesQuota() const;

    QString Name;
    QString Spell; // written from Name on every save
    int AId = 0;
    QDate LastDay;
    Currency Number;
    Currency Balance;
    Currency Deposit;
    QString Telephone;
    QString Address;
    QString Memo;

    TAtorType AtorType;
    // Set by every load: the quota questions are still to be asked.
    bool QuotaCheckPending = false;

protected:
    void Bind(TFieldBinder& binder) override;

private:
    // One payment's effect on the quota, signed: +1 credits, -1 takes back.
    void BookPayment(Currency amount, int sign);
    // Days from today to the end of the paid period (negative once it ran out).
    qint64 DaysLeft() const;
};

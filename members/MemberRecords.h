#pragma once

#include "members/MemberMovement.h"
#include "storage/Refusal.h"

#include <QString>

class TAssociator;
class TRefusalRun;
class TFTransaction;

// What the member record dialog stores for one member: payments, refunds and
// deposits booked through the cash box with their effect on the member, and
// deleting such a record with its effect taken back. Each is one transaction.
class TMemberRecords {
public:
    // The dialog's fields as typed; categoryId and operatorId are the chosen
    // entries of the two lists.
    struct TRecordFields {
        QString day;
        int categoryId = MemberMovement::PaymentCategory;
        int operatorId = 0;
        QString sum = QStringLiteral("0.00");
        QString memo;
    };

    explicit TMemberRecords(int memberId) : memberId_(memberId) {}

    // Adds a record (recordId -1) or changes one of this member's records. A
    // changed record first has its old effect taken back, as deleting it would,
    // then the new one applied.
    TStored<int> SaveRecord(int recordId, const TRecordFields& fields);
    // After the operator's Yes, takes the record's effect back and deletes it.
    // False when not deleted.
    bool DeleteRecord(int recordId);

private:
    // Loads the member and (for recordId > 0) its record, refusing rows that
    // are gone or belong elsewhere.
    void LoadRows(TRefusalRun& run, int recordId, TAssociator& member, TFTransaction& record) const;

    int memberId_;
};

#pragma once

#include "storage/Refusal.h"

#include <QString>

class TAssociator;
class TAtorType;
class TRefusalRun;
class TOperator;

// What the new-member and edit-member dialogs store: the checks on the typed
// fields, the member row and the opening payment and deposit, and deleting a
// member with everything about it. Each store is one transaction.
class TMemberStore {
public:
    // The fields both member dialogs have, as typed; typeId is the chosen
    // member type (0 when the list is empty).
    struct TMemberFields {
        QString code;
        QString name;
        int typeId = 0;
        QString telephone;
        QString address;
        QString memo;
    };
    // The new-member dialog: the first payment and the deposit.
    struct TOpeningFields : TMemberFields {
        QString sum = QStringLiteral("0.00");
        QString deposit = QStringLiteral("0.00");
    };
    // The edit-member dialog: the stored values corrected directly.
    struct TCorrectionFields : TMemberFields {
        QString days = QStringLiteral("0");
        QString numbers = QStringLiteral("0");
        QString balance = QStringLiteral("0.00");
        QString deposit = QStringLiteral("0.00");
    };

    // The logged-in operator books the opening movements (not owned).
    explicit TMemberStore(const TOperator& cashier) : cashier_(cashier) {}

    // A new member with a blank quota; a first payment and a deposit above 0
    // are each booked as a movement into the cash box and credited.
    TStored<int> AddMember(const TOpeningFields& fields);
    // Stores the corrected values of member `id` without any movement; an id
    // of -1 saves a new member with the typed values.
    TStored<int> EditMember(int id, const TCorrectionFields& fields);
    // After the operator's Yes, the member goes with its rental lines and
    // movements; the titles it holds return to stock. False when not deleted.
    bool DeleteMember(int id);

    // The caption of the payment field for a type: prepaid rent or payment.
    static QString SumCaption(const TAtorType& type);

private:
    static void CheckMember(TRefusalRun& run, int id, const TMemberFields& fields, TAtorType& type);
    static void StoreMember(TAssociator& member, const TMemberFields& fields);

    const TOperator& cashier_;
};

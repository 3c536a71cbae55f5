#pragma once

#include "storage/Refusal.h"

#include <QString>

// What the account dialog stores, and deleting an account with its movements.
class TAccountStore {
public:
    // The fields as typed; bank is the text of the chosen bank.
    struct TAccountFields {
        QString no;
        QString name;
        QString bank;
        QString contact;
        QString telephone;
        QString memo;
    };

    // Adds an account (id -1) or changes one; the name must be given and be
    // the only one of its kind.
    static TStored<int> SaveAccount(int id, const TAccountFields& fields);
    // After the operator's Yes, deletes the account with every account
    // movement on either side of it; the cash box is refused with a warning.
    // False when not deleted.
    static bool DeleteAccount(int id);
};

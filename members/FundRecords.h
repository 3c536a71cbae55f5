#pragma once

#include "storage/Refusal.h"

#include <QString>

class TCategory;
class TRefusalRun;
class TFTransaction;

// What the income/expense and transfer dialogs of one account store, and
// which movements may be changed by hand at all: transfers, funds in and out,
// and the user's own categories. Movements written by the desks, stock-in and
// member payments are left to their own windows.
class TFundRecords {
public:
    enum { TransferCategory = 16, FundsInCategory = 17, FundsOutCategory = 18 };

    // The fields as typed; categoryId and operatorId are the chosen entries.
    struct TMovementFields {
        QString day;
        int categoryId = 0;
        int operatorId = 0;
        QString sum = QStringLiteral("0.00");
        QString memo;
    };
    // A transfer pays out of the account ("转出") or into it ("转入") from the
    // other account.
    struct TTransferFields : TMovementFields {
        TTransferFields() { categoryId = TransferCategory; }
        bool out = true;
        int otherAccountId = 0;
    };

    // Which way a stored transfer goes as seen from one of its accounts.
    struct TDirection {
        bool out = true;
        int otherAccountId = 0;
    };

    explicit TFundRecords(int accountId) : accountId_(accountId) {}

    // Adds (recordId -1) or changes an income or expense of the account; the
    // sign of the amount comes from the category.
    TStored<int> SaveMovement(int recordId, const TMovementFields& fields);
    // Adds a transfer, or changes one of the account's transfers: a changed
    // transfer keeps its direction and other account whatever the fields say.
    TStored<int> SaveTransfer(int recordId, const TTransferFields& fields);
    // After the operator's Yes, deletes a movement that may be changed by
    // hand; any other is refused with a warning. False when not deleted.
    static bool DeleteMovement(int recordId);

    // Whether a movement of this category may be edited or deleted by hand.
    static bool CanChange(int category);
    // Out of `accountId` when it is the paying account, the other account then
    // the receiving one; else into it from the paying one.
    static TDirection Direction(const TFTransaction& transfer, int accountId);
    // +1 when a hand-entered movement of the category brings money in, else -1.
    static int SignOf(const TCategory& category);

    // The pick lists of the dialogs ("SELECT Id,Name AS TXT ..."), offering
    // what SaveMovement and SaveTransfer accept: the income/expense
    // categories, the transfer category, and every account but `accountId`.
    static QString IncomeCategoriesSql();
    static QString TransferCategorySql();
    static QString OtherAccountsSql(int accountId);

private:
    // Loads the account and (for recordId > 0) the movement, refusing rows that
    // are gone or not this dialog's; `transfer` tells which dialog asks.
    void LoadRows(TRefusalRun& run, int recordId, bool transfer, TFTransaction& record) const;
    static void CheckDayAndCategory(TRefusalRun& run, const TMovementFields& fields,
                                    const TCategory* category);

    int accountId_;
};

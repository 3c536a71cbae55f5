#include "storage/records/Account.h"

#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/ledger/LedgerBalances.h"
#include "storage/records/FieldBinder.h"

void TAccount::Bind(TFieldBinder& binder) {
    binder("Name", Name);
    binder("Max", Max);
    binder("Min", Min);
    binder("No", No);
    binder("Bank", Bank);
    binder("Contact", Contact);
    binder("Telephone", Telephone);
    binder("Memo", Memo);
}

int TAccount::Delete() {
    if (Id == CashBoxId) {
        return DeleteSystemRow;
    }
    TDM::TTransaction transaction(TDM::Instance());
    Execute("DELETE * FROM TbFTransaction WHERE Flag=0 AND (AId1=%d OR AId2=%d)", {Id, Id});
    Execute("DELETE * FROM %s WHERE Id=%d", {TableName(), Id});
    transaction.Commit();
    return DeleteDone;
}

Currency TAccount::Balance() const {
    if (const std::optional<Currency> kept = LedgerBalances::Kept(TDM::Instance(), Id)) {
        return *kept;
    }
    return CountedBalance();
}

QString TAccount::CountingSql(int accountId) {
    // The cash box counts a settled rental by its rent, a cancelled rental and
    // a refunded sale as nothing, a transfer into it and every member movement
    // as -Sum1; any other account counts Sum1 where it pays and Sum2 where it
    // receives.
    return accountId == CashBoxId
               ? Format(
                     QStringLiteral(
                         "SELECT SUM(IIF(A.Flag=0,IIF(A.AId1=%d,IIF(A.CId1=%d,ABS(A.Sum2),IIF((A."
                         "CId1=%d OR A.CId1=%d),0,A.Sum1)),-A.Sum1),-A.Sum1)) AS TSum FROM "
                         "TbFTransaction AS A WHERE A.AId1=%d OR A.AId2=%d"),
                     {1, 1, 3, 7, 1, 1})
               : Format(QStringLiteral("SELECT SUM(IIF(A.AId1=%d,A.Sum1,A.Sum2)) AS TSum FROM "
                                       "TbFTransaction AS A WHERE (A.AId1=%d OR A.AId2=%d) AND "
                                       "A.Flag=0"),
                        {accountId, accountId, accountId});
}

Currency TAccount::CountedBalance() const {
    TDM& dm = TDM::Instance();
    try {
        return Currency::Parse(dm.SqlFieldTextOn(dm.Q2, CountingSql(Id), QStringLiteral("TSum")))
            .value_or(Currency());
    } catch (const EVintorError&) {
        return {};
    }
}

#include "members/FundRecords.h"

#include "members/FieldValues.h"
#include "members/MovementDelete.h"
#include "members/StoreMessages.h"
#include "storage/InputChecks.h"
#include "storage/Prompter.h"
#include "storage/RefusalRun.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/Account.h"
#include "storage/records/Category.h"
#include "storage/records/FTransaction.h"

using namespace InputChecks;

namespace {

enum { LastSystemCategory = 25, FirstUserFlag = 3 };

// The income/expense list offers the user categories and funds in and out.
bool OfferedForIncome(const TCategory& category) {
    return category.Flag >= FirstUserFlag || category.Id == TFundRecords::FundsInCategory ||
           category.Id == TFundRecords::FundsOutCategory;
}

} // namespace

QString TFundRecords::IncomeCategoriesSql() {
    return Format(QStringLiteral("SELECT Id,Name AS TXT FROM TbCategory WHERE Flag>=%d "
                                 "OR Id=%d OR Id=%d ORDER BY Id"),
                  {int(FirstUserFlag), int(FundsInCategory), int(FundsOutCategory)});
}

QString TFundRecords::TransferCategorySql() {
    return Format(QStringLiteral("SELECT Id,Name AS TXT FROM TbCategory WHERE Id=%d"),
                  {int(TransferCategory)});
}

bool TFundRecords::CanChange(int category) {
    return category == TransferCategory || category == FundsInCategory ||
           category == FundsOutCategory || category > LastSystemCategory;
}

int TFundRecords::SignOf(const TCategory& category) {
    const bool out = category.Id == FundsOutCategory || category.Flag == 4 || category.Flag == 6;
    return out ? -1 : 1;
}

void TFundRecords::LoadRows(TRefusalRun& run, int recordId, bool transfer,
                            TFTransaction& record) const {
    run.Check(QString(), [&] {
        return StoreMessages::Require(TAccount().LoadById(accountId_),
                                      StoreMessages::AccountGone());
    });
    if (recordId <= 0) {
        record.Id = -1;
        return;
    }
    run.Check(QString(), [&] {
        const bool found = record.LoadById(recordId) &&
                           record.Flag == TFTransaction::AccountMovement &&
                           CanChange(record.CId1) && (record.CId1 == TransferCategory) == transfer;
        const bool ours = record.AId1 == accountId_ || (transfer && record.AId2 == accountId_);
        return StoreMessages::Require(found && ours, StoreMessages::NotAccountMovement());
    });
}

void TFundRecords::CheckDayAndCategory(TRefusalRun& run, const TMovementFields& fields,
                                       const TCategory* category) {
    run.Check(QStringLiteral("edDay"),
              [&] { return CheckDate(QStringLiteral("日期"), fields.day); })
        .Check(QStringLiteral("cbCategory"), [&] {
            return CheckNotEmpty(QStringLiteral("收支分类"), category ? category->Name : QString());
        });
}

TFundRecords::TDirection TFundRecords::Direction(const TFTransaction& transfer, int accountId) {
    const bool out = transfer.AId1 == accountId;
    return {out, out ? transfer.AId2 : transfer.AId1};
}

TStored<int> TFundRecords::SaveMovement(int recordId, const TMovementFields& fields) {
    TRefusalRun run;
    TFTransaction record;
    LoadRows(run, recordId, false, record);
    TCategory category;
    const bool offered = category.LoadById(fields.categoryId) && OfferedForIncome(category);
    CheckDayAndCategory(run, fields, offered ? &category : nullptr);
    run.Check(QStringLiteral("edSum"),
              [&] { return CheckMoney(QStringLiteral("金额"), fields.sum, true); });
    if (!run.Passed()) {
        return *run.Result();
    }
    const Currency amount = FieldValues::Amount(fields.sum);
    record.Day = FieldValues::Day(fields.day);
    record.CId1 = category.Id;
    record.CId2 = 0;
    record.AId1 = accountId_;
    record.AId2 = 0;
    record.AId3 = 0;
    record.CId3 = fields.operatorId;
    record.Sum1 = SignOf(category) > 0 ? amount : -amount;
    record.Flag = TFTransaction::AccountMovement;
    record.Sum2 = Currency();
    record.Memo = fields.memo;
    TDM::TTransaction transaction(TDM::Instance());
    record.Save();
    transaction.Commit();
    return record.Id;
}

TStored<int> TFundRecords::SaveTransfer(int recordId, const TTransferFields& fields) {
    TRefusalRun run;
    TFTransaction record;
    LoadRows(run, recordId, true, record);
    TDirection direction{fields.out, fields.otherAccountId};
    if (run.Passed() && record.Id > 0) {
        direction = Direction(record, accountId_);
    }
    const bool out = direction.out;
    const int other = direction.otherAccountId;
    TCategory category;
    const bool offered =
        fields.categoryId == TransferCategory && category.LoadById(TransferCategory);
    CheckDayAndCategory(run, fields, offered ? &category : nullptr);
    run.Check(QStringLiteral("edSum"),
              [&] { return CheckMoney(QStringLiteral("金额"), fields.sum, true); })
        .Check(QStringLiteral("cbAccount"), [&] {
            // The list offers every account but this one.
            TAccount otherAccount;
            const bool chosen = other != accountId_ && other > 0 && otherAccount.LoadById(other);
            return CheckNotEmpty(out ? QStringLiteral("收款账户") : QStringLiteral("划款账户"),
                                 chosen ? otherAccount.Name : QString());
        });
    if (!run.Passed()) {
        return *run.Result();
    }
    const Currency amount = FieldValues::Amount(fields.sum);
    record.Day = FieldValues::Day(fields.day);
    record.AId1 = out ? accountId_ : other;
    record.AId2 = out ? other : accountId_;
    record.CId1 = TransferCategory;
    record.CId2 = 0;
    record.AId3 = 0;
    record.Sum1 = -amount;
    record.Sum2 = amount;
    record.CId3 = fields.operatorId;
    record.Flag = TFTransaction::AccountMovement;
    record.Memo = fields.memo;
    TDM::TTransaction transaction(TDM::Instance());
    record.Save();
    transaction.Commit();
    return record.Id;
}

QString TFundRecords::OtherAccountsSql(int accountId) {
    // Every account but this one, as the transfer's check above requires.
    return Format(QStringLiteral("SELECT Id,Name AS TXT FROM TbAccount WHERE Id<>%d ORDER BY Id"),
                  {accountId});
}

bool TFundRecords::DeleteMovement(int recordId) {
    TFTransaction record;
    if (!record.LoadById(recordId)) {
        return false;
    }
    if (record.Flag != TFTransaction::AccountMovement || !CanChange(record.CId1)) {
        ShowWarning(StoreMessages::NotAccountMovement());
        return false;
    }
    if (!ConfirmDelete(QStringLiteral("收支转账记录"))) {
        return false;
    }
    MovementDelete::Run(record.Id);
    return true;
}

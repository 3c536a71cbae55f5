#include "members/MemberRecords.h"

#include "members/CheckRun.h"
#include "members/FieldValues.h"
#include "members/MovementDelete.h"
#include "members/StoreMessages.h"
#include "storage/Associator.h"
#include "storage/DM.h"
#include "storage/FTransaction.h"
#include "storage/Format.h"
#include "storage/InputChecks.h"
#include "storage/Prompter.h"

using namespace InputChecks;

void TMemberRecords::LoadRows(TCheckRun& run, int recordId, TAssociator& member,
                              TFTransaction& record) const {
    if (!member.LoadById(memberId_)) {
        run.Refuse(QString(), StoreMessages::MemberGone());
        return;
    }
    if (recordId <= 0) {
        record.Id = -1;
        return;
    }
    if (!record.LoadById(recordId) || record.Flag != TFTransaction::MemberMovement ||
        record.AId1 != memberId_ || !MemberMovement::IsMemberCategory(record.CId1)) {
        run.Refuse(QString(), StoreMessages::NotMemberRecord());
    }
}

TStoreResult TMemberRecords::SaveRecord(int recordId, const TRecordFields& fields) {
    TCheckRun run;
    TAssociator member;
    TFTransaction record;
    LoadRows(run, recordId, member, record);
    run.Check(QStringLiteral("edDay"),
              [&] { return CheckDate(QStringLiteral("日期"), fields.day); })
        .Check(QStringLiteral("cbCategory"),
               [&] {
                   const bool listed = MemberMovement::IsMemberCategory(fields.categoryId);
                   return CheckNotEmpty(QStringLiteral("收支分类"),
                                        listed ? QString::number(fields.categoryId) : QString());
               })
        .Check(QStringLiteral("edSum"),
               [&] { return CheckMoney(QStringLiteral("金额"), fields.sum, true); });
    if (!run.Passed()) {
        return run.Refusal();
    }
    const Currency amount = FieldValues::Amount(fields.sum);

    TDM::TTransaction transaction(TDM::Instance());
    if (record.Id > 0) {
        MemberMovement::Undo(member, record);
    }
    MemberMovement::Fill(record, memberId_, fields.categoryId, FieldValues::Day(fields.day),
                         fields.operatorId, amount, fields.memo);
    MemberMovement::Apply(member, fields.categoryId, amount);
    member.Save();
    record.Save();
    transaction.Commit();
    return TStoreResult::Saved(record.Id);
}

bool TMemberRecords::DeleteRecord(int recordId) {
    TCheckRun run;
    TAssociator member;
    TFTransaction record;
    LoadRows(run, recordId, member, record);
    if (!run.Passed() || record.Id <= 0) {
        return false;
    }
    if (!AskYesNo(Format(QStringLiteral("删除会员[%s]的资金记录,将改变此会员的剩余部数及剩余天数或"
                                        "者押金。\r\n真的要删除吗？"),
                         {member.Name}))) {
        return false;
    }
    TDM::TTransaction transaction(TDM::Instance());
    MemberMovement::Undo(member, record);
    member.Save();
    MovementDelete::Run(record.Id);
    transaction.Commit();
    return true;
}

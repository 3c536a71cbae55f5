#include "members/MemberRecords.h"

#include "members/FieldValues.h"
#include "members/MovementDelete.h"
#include "members/StoreMessages.h"
#include "storage/InputChecks.h"
#include "storage/Prompter.h"
#include "storage/RefusalRun.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/Associator.h"
#include "storage/records/FTransaction.h"

using namespace InputChecks;

void TMemberRecords::LoadRows(TRefusalRun& run, int recordId, TAssociator& member,
                              TFTransaction& record) const {
    run.Check(QString(), [&] {
        return StoreMessages::Require(member.LoadById(memberId_), StoreMessages::MemberGone());
    });
    if (recordId <= 0) {
        record.Id = -1;
        return;
    }
    run.Check(QString(), [&] {
        const bool ours = record.LoadById(recordId) &&
                          record.Flag == TFTransaction::MemberMovement &&
                          record.AId1 == memberId_ && MemberMovement::IsMemberCategory(record.CId1);
        return StoreMessages::Require(ours, StoreMessages::NotMemberRecord());
    });
}

TStored<int> TMemberRecords::SaveRecord(int recordId, const TRecordFields& fields) {
    TRefusalRun run;
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
        return *run.Result();
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
    return record.Id;
}

bool TMemberRecords::DeleteRecord(int recordId) {
    TRefusalRun run;
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

#include "members/MemberStore.h"

#include "members/FieldValues.h"
#include "members/MemberMovement.h"
#include "members/StoreMessages.h"
#include "storage/Clock.h"
#include "storage/InputChecks.h"
#include "storage/Prompter.h"
#include "storage/RefusalRun.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/Associator.h"
#include "storage/records/AtorType.h"
#include "storage/records/FTransaction.h"
#include "storage/records/Operator.h"

using namespace InputChecks;

namespace {

const QString MemberTable = QStringLiteral("TbAssociator");
constexpr int PrepaidRentFee = 5;

// The money check, and a negative amount refused too: an opening payment or
// deposit below 0 would otherwise be dropped without a word.
void CheckOpeningAmount(TRefusalRun& run, const QString& field, const QString& caption,
                        const QString& text) {
    run.Check(field, [&] { return CheckMoney(caption, text, true); }).Check(field, [&] {
        return StoreMessages::Require(FieldValues::Money(text) >= Currency(),
                                      StoreMessages::Wrong(caption));
    });
}

} // namespace

QString TMemberStore::SumCaption(const TAtorType& type) {
    return type.Fee >= PrepaidRentFee ? QStringLiteral("预收租金") : QStringLiteral("会员缴费");
}

void TMemberStore::CheckMember(TRefusalRun& run, int id, const TMemberFields& fields,
                               TAtorType& type) {
    run.Check(QStringLiteral("edCode"),
              [&] { return CheckNotEmpty(QStringLiteral("编号"), fields.code); })
        .Check(QStringLiteral("edCode"), [&] { return !CodeTaken(id, fields.code, MemberTable); })
        .Check(QStringLiteral("edName"),
               [&] { return CheckNotEmpty(QStringLiteral("姓名"), fields.name); })
        .Check(QStringLiteral("cbType"), [&] {
            // A type deleted meanwhile counts as none chosen.
            const bool found = fields.typeId > 0 && type.LoadById(fields.typeId);
            return CheckChosen(QStringLiteral("会员项目"), found ? type.Name : QString());
        });
}

void TMemberStore::StoreMember(TAssociator& member, const TMemberFields& fields) {
    member.Code = fields.code;
    member.Name = fields.name;
    member.AId = fields.typeId;
    member.Telephone = fields.telephone;
    member.Address = fields.address;
    member.Memo = fields.memo;
}

TStored<int> TMemberStore::AddMember(const TOpeningFields& fields) {
    TRefusalRun run;
    TAtorType type;
    CheckMember(run, -1, fields, type);
    CheckOpeningAmount(run, QStringLiteral("edSum"), SumCaption(type), fields.sum);
    CheckOpeningAmount(run, QStringLiteral("edDeposit"), QStringLiteral("押金"), fields.deposit);
    if (!run.Passed()) {
        return *run.Result();
    }
    const Currency sum = FieldValues::Money(fields.sum);
    const Currency deposit = FieldValues::Money(fields.deposit);

    TDM::TTransaction transaction(TDM::Instance());
    TAssociator member;
    member.Id = -1;
    StoreMember(member, fields);
    member.SetRemainingDays(0);
    member.SetRemainingNumber(Currency());
    member.Balance = Currency();
    member.Deposit = Currency();
    member.Save();
    if (sum > Currency() || deposit > Currency()) {
        member.Load();
        for (const auto& [category, amount] :
             {std::pair{int(MemberMovement::PaymentCategory), sum},
              std::pair{int(MemberMovement::DepositCategory), deposit}}) {
            if (amount > Currency()) {
                TFTransaction movement;
                MemberMovement::Fill(movement, member.Id, category, TClock::Today(), cashier_.Id,
                                     amount, QString());
                movement.Save();
                MemberMovement::Apply(member, category, amount);
            }
        }
        member.Save();
    }
    transaction.Commit();
    return member.Id;
}

TStored<int> TMemberStore::EditMember(int id, const TCorrectionFields& fields) {
    TRefusalRun run;
    TAssociator member;
    run.Check(QString(), [&] {
        return StoreMessages::Require(id <= 0 || member.LoadById(id), StoreMessages::MemberGone());
    });
    TAtorType type;
    CheckMember(run, id, fields, type);
    run.Check(QStringLiteral("edDays"),
              [&] { return CheckInteger(QStringLiteral("剩余天数"), fields.days, true); })
        .Check(QStringLiteral("edNumbers"),
               [&] { return CheckInteger(QStringLiteral("剩余部数"), fields.numbers, true); })
        .Check(QStringLiteral("edBalance"),
               [&] { return CheckMoney(QStringLiteral("预收租金"), fields.balance, true); })
        .Check(QStringLiteral("edDeposit"),
               [&] { return CheckMoney(QStringLiteral("押金"), fields.deposit, true); });
    if (!run.Passed()) {
        return *run.Result();
    }
    TDM::TTransaction transaction(TDM::Instance());
    member.Id = id > 0 ? id : -1;
    StoreMember(member, fields);
    member.SetRemainingDays(FieldValues::Whole(fields.days));
    member.SetRemainingNumber(Currency::FromWhole(FieldValues::Whole(fields.numbers)));
    member.Balance = FieldValues::Money(fields.balance);
    member.Deposit = FieldValues::Money(fields.deposit);
    member.Save();
    transaction.Commit();
    return member.Id;
}

bool TMemberStore::DeleteMember(int id) {
    TAssociator member;
    if (!member.LoadById(id)) {
        return false;
    }
    if (!AskYesNo(
            Format(QStringLiteral("删除会员[%s],将一并删除此会员的出租返还记录及所有资金记录！"
                                  "\r\n真的要删除吗？"),
                   {member.Name}))) {
        return false;
    }
    member.Delete();
    return true;
}

#include "tools/vintorctl/DeskMemberCommands.h"

#include "members/AccountStore.h"
#include "members/FundRecords.h"
#include "members/MemberRecords.h"
#include "members/MemberStore.h"
#include "storage/records/Account.h"
#include "storage/records/FTransaction.h"
#include "tools/vintorctl/DeskSession.h"

namespace DeskMemberCommands {

namespace {

int Number(const QHash<QString, QString>& fields, const char* key, int otherwise = 0) {
    bool ok = false;
    const int value = fields.value(QLatin1String(key)).toInt(&ok);
    return ok ? value : otherwise;
}

int Id(const QString& text) {
    bool ok = false;
    const int id = text.toInt(&ok);
    return ok ? id : -1;
}

// A failed check has already printed its message as it was shown.
void Report(TDeskSession& session, const TStored<int>& result) {
    if (result.Ok()) {
        session.Print(QStringLiteral("OK %1").arg(result.Value()));
    }
}

void Done(TDeskSession& session, bool deleted) {
    session.Print(deleted ? QStringLiteral("OK") : QStringLiteral("NOT DELETED"));
}

template <typename TFields>
void FillMember(TFields& target, const QHash<QString, QString>& fields) {
    target.code = fields.value(QStringLiteral("code"));
    target.name = fields.value(QStringLiteral("name"));
    target.typeId = Number(fields, "type");
    target.telephone = fields.value(QStringLiteral("telephone"));
    target.address = fields.value(QStringLiteral("address"));
    target.memo = fields.value(QStringLiteral("memo"));
}

template <typename TFields>
void FillMovement(TFields& target, const QHash<QString, QString>& fields) {
    target.day = fields.value(QStringLiteral("day"));
    target.categoryId = Number(fields, "category", target.categoryId);
    target.operatorId = Number(fields, "operator");
    target.sum = fields.value(QStringLiteral("sum"), target.sum);
    target.memo = fields.value(QStringLiteral("memo"));
}

void OpenMember(TDeskSession& session, const QString& text) {
    const auto fields = TDeskSession::Fields(text);
    TMemberStore::TOpeningFields opening;
    FillMember(opening, fields);
    opening.sum = fields.value(QStringLiteral("sum"), opening.sum);
    opening.deposit = fields.value(QStringLiteral("deposit"), opening.deposit);
    Report(session, TMemberStore(session.Cashier()).AddMember(opening));
}

void EditMember(TDeskSession& session, const QStringList& args) {
    const auto fields = TDeskSession::Fields(args.value(1));
    TMemberStore::TCorrectionFields correction;
    FillMember(correction, fields);
    correction.days = fields.value(QStringLiteral("days"), correction.days);
    correction.numbers = fields.value(QStringLiteral("numbers"), correction.numbers);
    correction.balance = fields.value(QStringLiteral("balance"), correction.balance);
    correction.deposit = fields.value(QStringLiteral("deposit"), correction.deposit);
    Report(session, TMemberStore(session.Cashier()).EditMember(Id(args[0]), correction));
}

void Record(TDeskSession& session, const QStringList& args) {
    const auto fields = TDeskSession::Fields(args.value(1));
    TMemberRecords::TRecordFields record;
    FillMovement(record, fields);
    Report(session, TMemberRecords(Id(args[0])).SaveRecord(Number(fields, "id", -1), record));
}

void Unrecord(TDeskSession& session, const QStringList& args) {
    // The member a record belongs to is read from the record itself.
    TFTransaction record;
    const int id = Id(args[0]);
    if (!record.LoadById(id)) {
        session.Print(QStringLiteral("ERROR: no record ") + args[0]);
        return;
    }
    Done(session, TMemberRecords(record.AId3).DeleteRecord(id));
}

void FundRecord(TDeskSession& session, const QStringList& args) {
    const auto fields = TDeskSession::Fields(args.value(1));
    TFundRecords::TMovementFields movement;
    FillMovement(movement, fields);
    Report(session, TFundRecords(Id(args[0])).SaveMovement(Number(fields, "id", -1), movement));
}

void Transfer(TDeskSession& session, const QStringList& args) {
    const auto fields = TDeskSession::Fields(args.value(1));
    TFundRecords::TTransferFields transfer;
    FillMovement(transfer, fields);
    transfer.out = fields.value(QStringLiteral("direction")) != QLatin1String("in");
    transfer.otherAccountId = Number(fields, "other");
    Report(session, TFundRecords(Id(args[0])).SaveTransfer(Number(fields, "id", -1), transfer));
}

void AddAccount(TDeskSession& session, const QString& text) {
    const auto fields = TDeskSession::Fields(text);
    TAccountStore::TAccountFields account;
    account.no = fields.value(QStringLiteral("no"));
    account.name = fields.value(QStringLiteral("name"));
    account.bank = fields.value(QStringLiteral("bank"));
    account.contact = fields.value(QStringLiteral("contact"));
    account.telephone = fields.value(QStringLiteral("telephone"));
    account.memo = fields.value(QStringLiteral("memo"));
    Report(session, TAccountStore::SaveAccount(Number(fields, "id", -1), account));
}

void Balance(TDeskSession& session, const QString& text) {
    TAccount account;
    account.Id = Id(text);
    session.Print(QStringLiteral("BALANCE ") + account.Balance().ToPlainText());
}

} // namespace

void Register(TDeskSession& session) {
    const QString fields = QStringLiteral("key=value ...");
    const QString idFields = QStringLiteral("ID key=value ...");
    session.Register(QStringLiteral("member.open"), 0, 1, fields,
                     [&session](const QStringList& a) { OpenMember(session, a.value(0)); });
    session.Register(QStringLiteral("member.edit"), 1, 2, idFields,
                     [&session](const QStringList& a) { EditMember(session, a); });
    session.Register(QStringLiteral("member.record"), 1, 2, QStringLiteral("MEMBER key=value ..."),
                     [&session](const QStringList& a) { Record(session, a); });
    session.Register(QStringLiteral("member.unrecord"), 1, 1, QStringLiteral("ID"),
                     [&session](const QStringList& a) { Unrecord(session, a); });
    session.Register(QStringLiteral("member.delete"), 1, 1, QStringLiteral("ID"),
                     [&session](const QStringList& a) {
                         Done(session, TMemberStore(session.Cashier()).DeleteMember(Id(a[0])));
                     });
    session.Register(QStringLiteral("fund.record"), 1, 2, QStringLiteral("ACCOUNT key=value ..."),
                     [&session](const QStringList& a) { FundRecord(session, a); });
    session.Register(QStringLiteral("fund.transfer"), 1, 2, QStringLiteral("ACCOUNT key=value ..."),
                     [&session](const QStringList& a) { Transfer(session, a); });
    session.Register(QStringLiteral("fund.delete"), 1, 1, QStringLiteral("ID"),
                     [&session](const QStringList& a) {
                         Done(session, TFundRecords::DeleteMovement(Id(a[0])));
                     });
    session.Register(QStringLiteral("account.add"), 0, 1, fields,
                     [&session](const QStringList& a) { AddAccount(session, a.value(0)); });
    session.Register(QStringLiteral("account.delete"), 1, 1, QStringLiteral("ID"),
                     [&session](const QStringList& a) {
                         Done(session, TAccountStore::DeleteAccount(Id(a[0])));
                     });
    session.Register(QStringLiteral("fund.balance"), 1, 1, QStringLiteral("ACCOUNT"),
                     [&session](const QStringList& a) { Balance(session, a[0]); });
}

} // namespace DeskMemberCommands

#include "members/AccountStore.h"

#include "members/StoreMessages.h"
#include "storage/InputChecks.h"
#include "storage/Prompter.h"
#include "storage/RefusalRun.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/Account.h"

TStored<int> TAccountStore::SaveAccount(int id, const TAccountFields& fields) {
    TRefusalRun run;
    TAccount account;
    run.Check(QString(),
              [&] {
                  return StoreMessages::Require(id <= 0 || account.LoadById(id),
                                                StoreMessages::AccountGone());
              })
        .Check(QStringLiteral("edName"),
               [&] { return InputChecks::CheckNotEmpty(QStringLiteral("账户名称"), fields.name); })
        .Check(QStringLiteral("edName"), [&] {
            return !InputChecks::NameTaken(id, fields.name, QStringLiteral("TbAccount"));
        });
    if (!run.Passed()) {
        return *run.Result();
    }
    if (id <= 0) {
        account.Id = -1;
        account.Max = Currency();
        account.Min = Currency();
    }
    account.No = fields.no;
    account.Name = fields.name;
    account.Bank = fields.bank;
    account.Contact = fields.contact;
    account.Telephone = fields.telephone;
    account.Memo = fields.memo;
    TDM::TTransaction transaction(TDM::Instance());
    account.Save();
    transaction.Commit();
    return account.Id;
}

bool TAccountStore::DeleteAccount(int id) {
    TAccount account;
    if (!account.LoadById(id)) {
        return false;
    }
    if (!AskYesNo(
            Format(QStringLiteral("删除账户[%s],将一并删除此账户相关联的所有资金记录！\r\n真的"
                                  "要删除吗？"),
                   {account.Name}))) {
        return false;
    }
    if (account.Delete() == DeleteSystemRow) {
        ShowWarning(QStringLiteral("收银箱是系统账户，不能删除。"));
        return false;
    }
    return true;
}

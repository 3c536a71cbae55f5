#include "members/ui/BankPage.h"

#include "app/Session.h"
#include "members/ui/AddBankFm.h"

TBankPage::TBankPage(QWidget* parent) : TListPage(&TSession::Current().Dm.DbBase, parent) {
    SetEditor<TAddBankFm>();
    SetDeleter<TBank>();
    SetUp(QStringLiteral("dgBank"),
          {{QStringLiteral("金融机构名称"), QStringLiteral("Name")},
           {QStringLiteral("说明"), QStringLiteral("Memo")}},
          QStringLiteral("SELECT * FROM TbBank"), QStringLiteral("金融机构总数：%1个"));
}

#include "members/ui/CompanyPage.h"

#include "app/Session.h"
#include "members/ui/AddCompanyFm.h"

TCompanyPage::TCompanyPage(QWidget* parent) : TListPage(&TSession::Current().Dm.DbBase, parent) {
    SetEditor<TAddCompanyFm>();
    SetDeleter<TCompany>();
    SetUp(QStringLiteral("dgCompany"),
          {{QStringLiteral("供应商名称"), QStringLiteral("Name")},
           {QStringLiteral("地址"), QStringLiteral("Address")},
           {QStringLiteral("电话"), QStringLiteral("Telephone")},
           {QStringLiteral("说明"), QStringLiteral("Memo")}},
          QStringLiteral("SELECT * FROM TbCompany"), QStringLiteral("供应商总数： %1 人"));
}

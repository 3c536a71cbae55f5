#include "members/ui/FeePage.h"

#include "app/Session.h"
#include "members/ui/AddFeeFm.h"

TFeePage::TFeePage(QWidget* parent) : TListPage(&TSession::Current().Dm.DbBase, parent) {
    SetEditor<TAddFeeFm>();
    SetDeleter<TFee>();
    // Not "dgFee": that name keeps the layout of the members window's payments.
    SetUp(QStringLiteral("dgFeeStandard"),
          {{QStringLiteral("收费标准名称"), QStringLiteral("Name")},
           {QStringLiteral("零租押金/单位部数"), QStringLiteral("Deposit1"), TCellKind::Money},
           {QStringLiteral("单位部数"), QStringLiteral("Number1"), TCellKind::Number},
           {QStringLiteral("零租租金/单位天数"), QStringLiteral("Rent1"), TCellKind::Money},
           {QStringLiteral("单位天数"), QStringLiteral("Days1"), TCellKind::Number},
           {QStringLiteral("会员押金/单位部数"), QStringLiteral("Deposit2"), TCellKind::Money},
           {QStringLiteral("单位部数"), QStringLiteral("Number2"), TCellKind::Number},
           {QStringLiteral("会员租金/单位天数"), QStringLiteral("Rent2"), TCellKind::Money},
           {QStringLiteral("单位天数"), QStringLiteral("Days2"), TCellKind::Number}},
          QStringLiteral("SELECT * FROM TbFee"), QStringLiteral("收费标准总数：%1 个"));
}

#include "members/ui/AtorTypePage.h"

#include "app/Session.h"
#include "members/ui/AddAtorTypeFm.h"
#include "storage/dao/Format.h"

TAtorTypePage::TAtorTypePage(QWidget* parent) : TListPage(&TSession::Current().Dm.DbBase, parent) {
    SetEditor<TAddAtorTypeFm>();
    SetDeleter<TAtorType>();
    const QString select = Format(
        QStringLiteral(
            "SELECT A.*,IIF(A.T_DAY=0,\"不限制\",A.T_DAY) AS TXT_T_DAY,IIF(A.T_NUM=0,\"不限制\","
            "A.T_NUM) AS TXT_T_NUM,IIF(A.DAYS=0,\"不限制\",A.DAYS) AS TXT_DAYS,IIF(A.Fee=%d,"
            "\"不收押金，不收租金\",IIF(A.FEE=%d,\"收押金，不收租金\",IIF(A.FEE=%d,\"不收押金，"
            "收租金\",IIF(A.FEE=%d,\"收押金，收租金\",\"预收租金，租金从押金扣\")))) AS TXT_Fee,"
            "IIF(A.Punish=%d,\"不处罚\",IIF(A.Punish=%d,\"减剩余部数\",\"减预收租金\")) AS "
            "TXT_Punish FROM TbAtorType AS A"),
        {1, 2, 3, 4, 1, 2});
    SetUp(QStringLiteral("dgAtorType"),
          {{QStringLiteral("会员类型名称"), QStringLiteral("Name")},
           {QStringLiteral("每期可看天数"), QStringLiteral("TXT_T_Day")},
           {QStringLiteral("每期交费金额"), QStringLiteral("T_Sum"), TCellKind::Money},
           {QStringLiteral("每期可观看部数"), QStringLiteral("TXT_T_Num")},
           {QStringLiteral("每次限制天数"), QStringLiteral("TXT_Days")},
           {QStringLiteral("收费方式"), QStringLiteral("TXT_Fee")},
           {QStringLiteral("超期处罚"), QStringLiteral("TXT_Punish")}},
          select, QStringLiteral("会员类型总数：%1 种"));
}

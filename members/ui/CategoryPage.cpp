#include "members/ui/CategoryPage.h"

#include "app/Session.h"
#include "members/CategoryParents.h"
#include "members/ui/AddCategoryFm.h"

TCategoryPage::TCategoryPage(QWidget* parent) : TTreePage(&TSession::Current().Dm.DbBase, parent) {
    SetEditor<TAddCategoryFm>();
    SetDeleter<TCategory>();
    SetEditGate(&CategoryParents::CheckEditable);
    SetUp(QStringLiteral("tvCategory"),
          {{QStringLiteral("分类名称"), QStringLiteral("Name")},
           {QStringLiteral("收支类型"), QStringLiteral("TXT_Flag")},
           {QStringLiteral("说明"), QStringLiteral("Memo")}},
          QStringLiteral("SELECT A.*,IIF(A.Flag=1,\"系统业务\",IIF(A.Flag=2,\"系统业务\","
                         "IIF(A.Flag=3,\"经营收入\",IIF(A.Flag=4,\"经营支出\",IIF(A.Flag=5,"
                         "\"日常收入\",\"日常支出\"))))) AS TXT_Flag FROM TbCategory AS A"),
          QStringLiteral("A.Flag>0"), QStringLiteral("系统/收支分类总数： %1 个"));
}

#include "members/ui/CdCategoryPage.h"

#include "app/Session.h"
#include "members/ui/AddCdCategoryFm.h"

TCdCategoryPage::TCdCategoryPage(QWidget* parent)
    : TTreePage(&TSession::Current().Dm.DbBase, parent) {
    SetEditor<TAddCdCategoryFm>();
    SetDeleter<TCdCategory>();
    SetUp(QStringLiteral("tvCdCategory"),
          {{QStringLiteral("分类名称"), QStringLiteral("Name")},
           {QStringLiteral("说明"), QStringLiteral("Memo")}},
          QStringLiteral("SELECT * FROM TbCdCategory"), QString(),
          QStringLiteral("分类总数：%1 种"));
}

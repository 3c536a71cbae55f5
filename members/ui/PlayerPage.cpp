#include "members/ui/PlayerPage.h"

#include "app/Session.h"
#include "members/ui/AddPlayerFm.h"

TPlayerPage::TPlayerPage(QWidget* parent) : TListPage(&TSession::Current().Dm.DbBase, parent) {
    SetEditor<TAddPlayerFm>();
    SetDeleter<TPlayer>();
    SetUp(QStringLiteral("dgPlayer"),
          {{QStringLiteral("演员/导演姓名"), QStringLiteral("Name")},
           {QStringLiteral("说明"), QStringLiteral("Memo")}},
          QStringLiteral("SELECT * FROM TbPlayer"), QStringLiteral("演员/导演总数： %1 人"));
}

#include "members/ui/OptionFm.h"

#include "app/Session.h"
#include "app/kit/ListWindow.h"
#include "app/kit/TreePage.h"
#include "members/ui/AtorTypePage.h"
#include "members/ui/BankPage.h"
#include "members/ui/CategoryPage.h"
#include "members/ui/CdCategoryPage.h"
#include "members/ui/CompanyPage.h"
#include "members/ui/ExitPage.h"
#include "members/ui/FeePage.h"
#include "members/ui/OperatorPage.h"
#include "members/ui/PlayerPage.h"
#include "members/ui/PrinterPage.h"
#include "members/ui/ShopPage.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int AdministratorId = 1;

} // namespace

TOptionFm::TOptionFm(QWidget* parent) : TChildFm(parent), pcOption(new QTabWidget(this)) {
    setWindowTitle(QStringLiteral("系统设置"));
    pcOption->setObjectName(QStringLiteral("pcOption"));
    pcOption->addTab(new TAtorTypePage, QStringLiteral("会员项目"));
    pcOption->addTab(new TCdCategoryPage, QStringLiteral("影片分类"));
    pcOption->addTab(new TCategoryPage, QStringLiteral("系统/收支分类"));
    pcOption->addTab(new TFeePage, QStringLiteral("收费标准"));
    pcOption->addTab(new TOperatorPage, QStringLiteral("操作员管理"));
    pcOption->addTab(new TShopPage, QStringLiteral("店铺信息"));
    pcOption->addTab(new TPlayerPage, QStringLiteral("导演/主演"));
    pcOption->addTab(new TCompanyPage, QStringLiteral("供应商"));
    pcOption->addTab(new TBankPage, QStringLiteral("金融机构"));
    pcOption->addTab(new TPrinterPage, QStringLiteral("POS打印机"));
    pcOption->addTab(new TExitPage, QStringLiteral("退出/备份"));
    pcOption->setTabVisible(OperatorPage, TSession::Current().Operator.Id == AdministratorId);
    pcOption->setCurrentIndex(AtorTypePage);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcOption);
    connect(pcOption, &QTabWidget::currentChanged, this, &TOptionFm::PageShown);
}

void TOptionFm::PageShown(int index) {
    QWidget* page = pcOption->widget(index);
    if (auto* list = qobject_cast<TListPage*>(page)) {
        list->Reload();
    } else if (auto* tree = qobject_cast<TTreePage*>(page)) {
        tree->Reload();
    }
}

bool TOptionFm::MessageHook(QObject*, QEvent* event) {
    QWidget* page = pcOption->currentWidget();
    if (auto* list = qobject_cast<TListPage*>(page)) {
        return list->ActOnKey(event);
    }
    if (auto* tree = qobject_cast<TTreePage*>(page)) {
        return tree->ActOnKey(event);
    }
    return false;
}

#include "sales/ui/ManageFm.h"

#include "app/ExPickEdit.h"
#include "sales/LibraryLists.h"
#include "sales/TitleWriteOff.h"
#include "sales/ui/AddStockRentFm.h"
#include "sales/ui/AddStockSaleFm.h"
#include "sales/ui/EditStockRentFm.h"
#include "sales/ui/EditStockSaleFm.h"
#include "sales/ui/LibraryPage.h"
#include "sales/ui/RentHistoryPanel.h"
#include "storage/records/RentCd.h"
#include "storage/records/SaleCd.h"

#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The operator flags of the library's buttons.
enum {
    RentAdd = 6,
    RentEdit = 7,
    RentDelete = 8,
    RentWriteOff = 9,
    SaleAdd = 10,
    SaleEdit = 11,
    SaleDelete = 12
};

} // namespace

TManageFm::TManageFm(QWidget* parent) : TChildFm(parent), pcManage(new QTabWidget(this)) {
    setWindowTitle(QStringLiteral("光盘管理"));
    setObjectName(QStringLiteral("ManageFm"));

    tsRent = new TLibraryPage({QStringLiteral("dgRentCd"), LibraryLists::RentSelect(),
                               LibraryLists::RentColumns(),
                               QStringLiteral("SELECT Id,Code,Name,Spell,Status FROM TbRentCd"),
                               true, QStringLiteral("出租光盘库"), &LibraryLists::RentTotals},
                              QStringLiteral("出租进货 F5"), pcManage);
    tsRent->SetDialogs<TAddStockRentFm, TEditStockRentFm>();
    tsRent->SetDeleter<TRentCd>();
    tsRent->SetPermissions(RentAdd, RentEdit, RentDelete);
    btn_Rent_Cancel = new QPushButton(TitleWriteOff::Caption(TRentCd::InStock), tsRent);
    tsRent->AddTitleButton(btn_Rent_Cancel, Qt::Key_F8, RentWriteOff);
    pnDetail = new TRentHistoryPanel(tsRent);
    tsRent->AddBelow(pnDetail, 1);

    tsSale = new TLibraryPage({QStringLiteral("dgSaleCd"), LibraryLists::SaleSelect(),
                               LibraryLists::SaleColumns(),
                               QStringLiteral("SELECT Id,Code,Name,Spell FROM TbSaleCd"), false,
                               QStringLiteral("销售光盘库"), &LibraryLists::SaleTotals},
                              QStringLiteral("销售进货 F5"), pcManage);
    tsSale->SetDialogs<TAddStockSaleFm, TEditStockSaleFm>();
    tsSale->SetDeleter<TSaleCd>();
    tsSale->SetPermissions(SaleAdd, SaleEdit, SaleDelete);

    edRentCode = tsRent->edCode;
    btn_Rent_Add = tsRent->btnAdd;
    btn_Rent_Edit = tsRent->btnEdit;
    btn_Rent_Del = tsRent->btnDel;
    btnRentData = tsRent->btnData;
    dgRentCd = tsRent->dgList;
    ftRentCd = tsRent->ftList;
    edSaleCode = tsSale->edCode;
    btn_Sale_Add = tsSale->btnAdd;
    btn_Sale_Edit = tsSale->btnEdit;
    btn_Sale_Del = tsSale->btnDel;
    btnSaleData = tsSale->btnData;
    dgSaleCd = tsSale->dgList;
    ftSaleCd = tsSale->ftList;
    const QList<std::pair<QWidget*, const char*>> names = {
        {edRentCode, "edRentCode"},           {btn_Rent_Add, "btn_Rent_Add"},
        {btn_Rent_Edit, "btn_Rent_Edit"},     {btn_Rent_Del, "btn_Rent_Del"},
        {btn_Rent_Cancel, "btn_Rent_Cancel"}, {btnRentData, "btnRentData"},
        {edSaleCode, "edSaleCode"},           {btn_Sale_Add, "btn_Sale_Add"},
        {btn_Sale_Edit, "btn_Sale_Edit"},     {btn_Sale_Del, "btn_Sale_Del"},
        {btnSaleData, "btnSaleData"},         {pnDetail, "pnDetail"}};
    for (const auto& [widget, name] : names) {
        widget->setObjectName(QLatin1String(name));
    }

    pcManage->addTab(tsRent, QStringLiteral("出租光盘库"));
    pcManage->addTab(tsSale, QStringLiteral("销售光盘库"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(pcManage);

    connect(btn_Rent_Cancel, &QPushButton::clicked, this, &TManageFm::WriteOffRent);
    connect(tsRent, &TLibraryPage::TitleShown, this, &TManageFm::RentTitleShown);
    connect(pcManage, &QTabWidget::currentChanged, this, &TManageFm::PageShown);
    PageShown();
}

bool TManageFm::MessageHook(QObject*, QEvent* event) {
    return ShownPage()->ActOnKey(event);
}

void TManageFm::showEvent(QShowEvent* event) {
    TChildFm::showEvent(event);
    ShownPage()->edCode->setFocus();
}

TLibraryPage* TManageFm::ShownPage() const {
    return pcManage->currentIndex() == 0 ? tsRent : tsSale;
}

void TManageFm::PageShown() {
    ShownPage()->Reload();
    ShownPage()->edCode->setFocus();
}

void TManageFm::WriteOffRent() {
    const qint64 id = tsRent->CurrentId();
    if (id > 0 && TitleWriteOff::Toggle(int(id))) {
        tsRent->Reload(id);
    }
}

void TManageFm::RentTitleShown(qint64 id) {
    btn_Rent_Cancel->setText(TitleWriteOff::Caption(id > 0 ? TitleWriteOff::StatusOf(int(id)) : 0));
    pnDetail->ShowTitle(id);
}

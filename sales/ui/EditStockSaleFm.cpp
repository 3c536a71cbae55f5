#include "sales/ui/EditStockSaleFm.h"

#include "sales/TitleEdits.h"

#include <QLabel>

TEditStockSaleFm::TEditStockSaleFm(QWidget* parent)
    : TTitleEditFm(title_, TTitleFields::TKind::Sale, parent) {
    setWindowTitle(QStringLiteral("修改销售影片信息"));
    setObjectName(QStringLiteral("EditStockSaleFm"));
    pnCd->LabelOf(pnCd->edMemo1)->setText(QStringLiteral("说明"));
}

void TEditStockSaleFm::PrepareNew() {
    TTitleEditFm::PrepareNew();
    pnCd->Show(TTitleSaleEntry());
}

void TEditStockSaleFm::ShowRecord() {
    pnCd->Show(TTitleSaleEntry::From(title_));
}

bool TEditStockSaleFm::SaveRecord() {
    return !Refused(TitleEdits::SaveSaleTitle(title_, pnCd->SaleEntry()));
}

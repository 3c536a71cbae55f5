#include "sales/ui/EditStockRentFm.h"

#include "sales/TitleEdits.h"

TEditStockRentFm::TEditStockRentFm(QWidget* parent)
    : TTitleEditFm(title_, TTitleFields::TKind::Rent, parent) {
    setWindowTitle(QStringLiteral("修改出租影片信息"));
    setObjectName(QStringLiteral("EditStockRentFm"));
}

void TEditStockRentFm::PrepareNew() {
    TTitleEditFm::PrepareNew();
    pnCd->Show(TTitleRentEntry());
}

void TEditStockRentFm::ShowRecord() {
    pnCd->Show(TTitleRentEntry::From(title_));
}

bool TEditStockRentFm::SaveRecord() {
    return !Refused(TitleEdits::SaveRentTitle(title_, pnCd->RentEntry()));
}

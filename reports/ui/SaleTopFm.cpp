#include "reports/ui/SaleTopFm.h"

#include "reports/SaleReports.h"
#include "reports/ui/DateRange.h"

#include <QCheckBox>

TSaleTopFm::TSaleTopFm() : TRankListFm(SaleReports::TopCaption()) {}

TStored<TPreparedReport> TSaleTopFm::PrepareReport() {
    return SaleReports::SaleTop(pnDates->Dates(), cbGroup->isChecked());
}

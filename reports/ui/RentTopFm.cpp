#include "reports/ui/RentTopFm.h"

#include "reports/RentReports.h"
#include "reports/ui/DateRange.h"

#include <QCheckBox>

TRentTopFm::TRentTopFm() : TRankListFm(RentReports::TopCaption()) {}

TStored<TPreparedReport> TRentTopFm::PrepareReport() {
    return RentReports::RentTop(pnDates->Dates(), cbGroup->isChecked());
}

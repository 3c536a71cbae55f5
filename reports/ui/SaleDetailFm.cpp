#include "reports/ui/SaleDetailFm.h"

#include "reports/SaleReports.h"
#include "reports/ui/DateRange.h"

TSaleDetailFm::TSaleDetailFm() : TQChildFm(SaleReports::DetailCaption(), true) {
    pnDates->SetDates(ReportFrame::CurrentYear());
}

TStored<TPreparedReport> TSaleDetailFm::PrepareReport() {
    return SaleReports::SaleDetail(pnDates->Dates());
}

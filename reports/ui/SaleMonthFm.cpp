#include "reports/ui/SaleMonthFm.h"

#include "reports/SaleReports.h"
#include "reports/ui/DateRange.h"

TSaleMonthFm::TSaleMonthFm() : TQChildFm(SaleReports::MonthCaption(), true) {
    pnDates->SetDates(ReportFrame::CurrentYear());
}

TStored<TPreparedReport> TSaleMonthFm::PrepareReport() {
    return SaleReports::SaleMonth(pnDates->Dates());
}

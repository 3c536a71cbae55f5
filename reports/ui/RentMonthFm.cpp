#include "reports/ui/RentMonthFm.h"

#include "reports/RentReports.h"
#include "reports/ui/DateRange.h"

TRentMonthFm::TRentMonthFm() : TQChildFm(RentReports::MonthCaption(), true) {
    pnDates->SetDates(RentReports::CurrentYear());
}

TStored<TPreparedReport> TRentMonthFm::PrepareReport() {
    return RentReports::RentMonth(pnDates->Dates());
}

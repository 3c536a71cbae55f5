#include "reports/ui/OverViewFm.h"

#include "reports/OverView.h"
#include "reports/ui/DateRange.h"

TOverViewFm::TOverViewFm() : TQChildFm(OverView::Caption(), true) {
    pnDates->SetDates(OverView::DefaultDates());
}

TStored<TPreparedReport> TOverViewFm::PrepareReport() {
    return OverView::Prepare(pnDates->Dates());
}

#include "reports/ui/SalePieFm.h"

#include "reports/SaleReports.h"
#include "reports/ui/DateRange.h"

#include <QLabel>

TSalePieFm::TSalePieFm() : TCChildFm(SaleReports::PieCaption()) {
    lbTotal->setObjectName(QStringLiteral("lbT_Number"));
    pnDates->SetDates(ReportFrame::CurrentMonth());
}

TStored<TPreparedReport> TSalePieFm::PrepareReport() {
    return SaleReports::SalePie(pnDates->Dates());
}

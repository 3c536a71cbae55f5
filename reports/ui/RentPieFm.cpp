#include "reports/ui/RentPieFm.h"

#include "reports/RentReports.h"
#include "reports/ui/DateRange.h"

#include <QLabel>

TRentPieFm::TRentPieFm() : TCChildFm(RentReports::PieCaption()) {
    lbTotal->setObjectName(QStringLiteral("lbT_Power"));
    pnDates->SetDates(RentReports::CurrentMonth());
}

TStored<TPreparedReport> TRentPieFm::PrepareReport() {
    return RentReports::RentPie(pnDates->Dates());
}

#include "reports/ui/RentTopFm.h"

#include "reports/RentReports.h"
#include "reports/ui/DateRange.h"

#include <QCheckBox>
#include <QHBoxLayout>

TRentTopFm::TRentTopFm() : TQChildFm(RentReports::TopCaption(), true) {
    pnDates->SetDates(RentReports::CurrentMonth());
    cbGroup = new QCheckBox(QStringLiteral("影片分类排行榜"), this);
    cbGroup->setObjectName(QStringLiteral("cbGroup"));
    Options()->addWidget(cbGroup);
    connect(cbGroup, &QCheckBox::toggled, this, &TRentTopFm::Refresh);
}

TStored<TPreparedReport> TRentTopFm::PrepareReport() {
    return RentReports::RentTop(pnDates->Dates(), cbGroup->isChecked());
}

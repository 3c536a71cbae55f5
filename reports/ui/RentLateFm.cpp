#include "reports/ui/RentLateFm.h"

#include "app/kit/DigitEdit.h"
#include "reports/RentReports.h"
#include "reports/ui/DaysEntry.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

constexpr int DefaultDays = 3;

} // namespace

TRentLateFm::TRentLateFm() : TQChildFm(RentReports::LateCaption(), false) {
    edMin = DaysEntry::Make(QStringLiteral("edMin"), DefaultDays, this);
    edMax = DaysEntry::Make(QStringLiteral("edMax"), DefaultDays, this);
    Options()->addWidget(new QLabel(QStringLiteral("逾期"), this));
    Options()->addWidget(edMin);
    Options()->addWidget(new QLabel(QStringLiteral("天到"), this));
    Options()->addWidget(edMax);
    Options()->addWidget(new QLabel(QStringLiteral("天"), this));
}

TStored<TPreparedReport> TRentLateFm::PrepareReport() {
    const std::optional<int> minDays = DaysEntry::Days(QStringLiteral("逾期天数"), *edMin);
    if (!minDays) {
        return TRefusal{edMin->objectName(), {}};
    }
    const std::optional<int> maxDays = DaysEntry::Days(QStringLiteral("逾期天数"), *edMax);
    if (!maxDays) {
        return TRefusal{edMax->objectName(), {}};
    }
    return RentReports::RentLate(*minDays, *maxDays);
}

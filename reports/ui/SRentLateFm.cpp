#include "reports/ui/SRentLateFm.h"

#include "app/kit/DigitEdit.h"
#include "reports/RentReports.h"
#include "reports/ui/DaysEntry.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

constexpr int DefaultDays = 3;

} // namespace

TSRentLateFm::TSRentLateFm() : TSChildFm(RentReports::LateGridCaption()) {
    edMin = DaysEntry::Make(QStringLiteral("edMin"), DefaultDays, this);
    Options()->addWidget(new QLabel(QStringLiteral("出租逾期"), this));
    Options()->addWidget(edMin);
    Options()->addWidget(new QLabel(QStringLiteral("天以上未返还的影片"), this));
    SetUpGrid(RentReports::LateGridColumns(), RentReports::LateGridSelect(),
              QString::fromLatin1(RentReports::LateGridKey));
}

std::optional<QString> TSRentLateFm::WhereText() {
    const std::optional<int> days = DaysEntry::Days(QStringLiteral("逾期天数"), *edMin);
    if (!days) {
        return std::nullopt;
    }
    return RentReports::LateGridWhere(*days);
}

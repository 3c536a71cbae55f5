#include "reports/ui/DateRange.h"

#include "app/kit/DateEdit.h"
#include "storage/Clock.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd");

} // namespace

TDateRange::TDateRange(QWidget* parent) : QWidget(parent) {
    edFrom = new TDateEdit(this);
    edFrom->setObjectName(QStringLiteral("edFrom"));
    edTo = new TDateEdit(this);
    edTo->setObjectName(QStringLiteral("edTo"));
    for (TDateEdit* edit : {edFrom, edTo}) {
        edit->SetEmptyAllowed(true);
        edit->SetEnteredDate(TClock::Today());
    }
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("日期范围为 从"), this));
    layout->addWidget(edFrom);
    layout->addWidget(new QLabel(QStringLiteral("至"), this));
    layout->addWidget(edTo);
}

ReportFrame::TDates TDateRange::Dates() const {
    return {edFrom->text().trimmed(), edTo->text().trimmed()};
}

void TDateRange::SetDates(const ReportFrame::TDates& dates) {
    edFrom->SetEnteredDate(QDate::fromString(dates.from, DateFormat));
    edTo->SetEnteredDate(QDate::fromString(dates.to, DateFormat));
}

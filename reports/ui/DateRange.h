#pragma once

#include "reports/RentReports.h"

#include <QWidget>

class TDateEdit;

// "日期范围为 从" edFrom "至" edTo: the dates a report runs over. Either date
// may be emptied; the report's date check then names it.
class TDateRange : public QWidget {
    Q_OBJECT
public:
    explicit TDateRange(QWidget* parent = nullptr);

    // The two dates as shown ("yyyy-MM-dd", empty when emptied).
    RentReports::TDates Dates() const;
    void SetDates(const RentReports::TDates& dates);

    TDateEdit* edFrom;
    TDateEdit* edTo;
};

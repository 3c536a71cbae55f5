#pragma once

#include "reports/ReportFrame.h"

#include <QWidget>

class TDateEdit;

// "日期范围为 从" edFrom "至" edTo: the dates a report runs over. Either date
// may be emptied; the report's date check then names it.
class TDateRange : public QWidget {
    Q_OBJECT
public:
    explicit TDateRange(QWidget* parent = nullptr);

    // The two dates as shown ("yyyy-MM-dd", empty when emptied).
    ReportFrame::TDates Dates() const;
    void SetDates(const ReportFrame::TDates& dates);

    TDateEdit* edFrom;
    TDateEdit* edTo;
};

#pragma once

#include "app/ChildFm.h"
#include "reports/PreparedReport.h"
#include "storage/Refusal.h"

class QLabel;
class QPagedPaintDevice;
class QPieSeries;
class QPushButton;
class QChartView;
class TDateRange;

// The frame of the chart reports: a date range, "刷新", and a pie chart of the
// slices the core prepared, titled with the window caption, with the total
// line under it; "打印" prints the chart and "保存图片" writes it to a PNG or
// PDF file. A concrete report supplies PrepareReport and its dates.
class TCChildFm : public TChildFm {
    Q_OBJECT
public:
    ~TCChildFm() override;

    // Prepares the slices for the dates shown and draws them. A refused date
    // keeps the chart drawn before and puts the focus on the date.
    void Refresh();

    QPieSeries& Series() const { return *series_; }
    // Writes the chart to `path`: a PDF page for ".pdf", else a PNG picture.
    bool SaveChart(const QString& path) const;

    TDateRange* pnDates;
    QPushButton* btnRefresh;
    QPushButton* btnPrint;
    QPushButton* btnSave;
    QWidget* pnChart; // the chart and the total line, as printed
    QChartView* Chart;
    QLabel* lbTotal;

protected:
    explicit TCChildFm(const QString& caption);

    // The slices for the dates shown; a refusal has been shown already.
    virtual TStored<TPreparedReport> PrepareReport() = 0;

private:
    void FillChart(const TPreparedReport& report);
    // Draws pnChart on one page of the device, as large as it fits.
    bool DrawChart(QPagedPaintDevice& device) const;
    void Print();
    void Save();

    QPieSeries* series_;
};

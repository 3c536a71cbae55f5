#pragma once

#include "app/ChildFm.h"
#include "reports/PreparedReport.h"
#include "storage/Refusal.h"

#include <QPageLayout>

#include <memory>

class QHBoxLayout;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;
class TDateEdit;
class TDateRange;
class TDigitEdit;
class TReportPages;

// The frame of the printed reports: a date range, the options of the report,
// "刷新" to prepare it from the ledger, and the pages shown in the window with
// their navigation, "打印" to the system printer and "保存为PDF". A concrete
// report supplies its options and PrepareReport. The window stays alive
// beneath a newer working window.
class TQChildFm : public TChildFm {
    Q_OBJECT
public:
    ~TQChildFm() override;

    bool StaysBeneath() const override { return true; }

    // Prepares the report for the current options and dates and shows its
    // first page. A refused date keeps the pages shown before and puts the
    // focus on the date.
    void Refresh();

    // The page shown (1 is the first) and the number of pages prepared.
    int CurrentPage() const { return currentPage_; }
    int PageCount() const { return pageCount_; }
    // Shows a page; nothing happens outside 1…PageCount().
    void GoToPage(int page);
    const TPreparedReport& Report() const { return report_; }

    TDateRange* pnDates;
    TDateEdit* edFrom;
    TDateEdit* edTo;
    QPushButton* btnRefresh;
    QPushButton* btnPrint;
    QPushButton* btnPdf;
    QPushButton* btnPrev;
    QPushButton* btnNext;
    TDigitEdit* edPage;
    QPrintPreviewWidget* QRPreview;

protected:
    // `dated` false leaves out the date range (the overdue report).
    TQChildFm(const QString& caption, bool dated);

    // The report for the options shown; a refusal has been shown already.
    virtual TStored<TPreparedReport> PrepareReport() = 0;

    // The row of the options, between the dates and "刷新".
    QHBoxLayout* Options() const { return options_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowReport(const TPreparedReport& report);
    void EnterPage();
    void Print();
    void SavePdf();

    TPreparedReport report_;
    std::unique_ptr<TReportPages> pages_;
    std::unique_ptr<QPrinter> previewPrinter_;
    QPageLayout pageLayout_;
    QHBoxLayout* options_;
    int currentPage_ = 0;
    int pageCount_ = 0;
};

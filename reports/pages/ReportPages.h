#pragma once

#include "reports/PreparedReport.h"

#include <QList>
#include <QSizeF>

#include <functional>

#include <QPageLayout>

class QPagedPaintDevice;
class QPainter;

// A prepared report laid out on paper: on every page the title band (the
// title, "制表日期 从 … 到 …" and "%d 页") and the column captions, then the
// rows that fit. All measures are in points over the printable area, so the
// same pages come out on the preview, the printer and a PDF file.
class TReportPages {
public:
    // Lays the rows out on pages of `printable` size (points); `onDetail` is
    // called once for each detail row placed.
    TReportPages(const TPreparedReport& report, const QSizeF& printable,
                 const std::function<void()>& onDetail = {});

    int PageCount() const { return static_cast<int>(pageStarts_.size()); }
    // The page (0 is the first) a row of the report is printed on.
    int PageOfRow(qsizetype row) const;
    // Draws page `page` (0 is the first) with the painter's origin at the top
    // left of the printable area and one unit a point.
    void DrawPage(QPainter& painter, int page) const;

    // Lays the report out for the device's page layout and prints every page
    // on it; false when the device could not be opened for painting.
    static bool Print(const TPreparedReport& report, QPagedPaintDevice& device);
    // Writes the report as a PDF file on `layout`; false when the file could
    // not be written.
    static bool WritePdf(const TPreparedReport& report, const QString& path,
                         const QPageLayout& layout);
    // The same on the report's own paper.
    static bool WritePdf(const TPreparedReport& report, const QString& path) {
        return WritePdf(report, path, PaperLayout(report.landscape));
    }
    // A4 with 15 mm margins, portrait unless `landscape`: the paper every
    // report is laid out on until the operator picks another in the print
    // dialog.
    static QPageLayout PaperLayout(bool landscape = false);

    // Prints laid-out pages on a device of the size they were laid out for.
    bool PrintOn(QPagedPaintDevice& device) const;

private:
    qreal BandHeight(TBandKind band) const;
    qreal DrawBand(QPainter& painter, const TColumnLayout& columns, const TReportRow& row,
                   qreal top) const;
    qreal DrawTitle(QPainter& painter, int page) const;

    TPreparedReport report_;
    QSizeF printable_;
    QList<int> pageStarts_; // the first row of each page
};

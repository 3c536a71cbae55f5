#include "reports/pages/ReportPages.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr qreal TitleHeight = 30; // the report title
constexpr qreal InfoHeight = 16;  // "制表日期 …" and the page number
constexpr qreal LineHeight = 16;  // one line of a band
constexpr qreal BandGap = 4;      // above the captions and the totals
constexpr qreal TextInset = 2;    // between a column's edge and its text
constexpr int TitlePixels = 18;
constexpr int TextPixels = 10;
constexpr int SmallPixels = 9;

QFont ReportFont(int pixels, bool bold) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

int LineCount(const TColumnLayout& columns) {
    int lines = 1;
    for (const TReportColumn& column : columns) {
        lines = std::max(lines, column.line + 1);
    }
    return lines;
}

bool Bold(TBandKind band) {
    return band != TBandKind::Detail && band != TBandKind::SubDetail;
}

// Totals and the captions stand apart from the rows above them.
bool Ruled(TBandKind band) {
    return band == TBandKind::GroupFooter || band == TBandKind::Summary;
}

// The height of the column captions under the title band; none without captions.
qreal CaptionsHeight(const TColumnLayout& header) {
    return header.isEmpty() ? 0 : LineCount(header) * LineHeight;
}

} // namespace

TReportPages::TReportPages(const TPreparedReport& report, const QSizeF& printable,
                           const std::function<void()>& onDetail)
    : report_(report), printable_(printable) {
    const qreal top = TitleHeight + InfoHeight + BandGap + CaptionsHeight(report_.header);
    qreal y = top;
    pageStarts_.append(0);
    for (qsizetype i = 0; i < report_.rows.size(); ++i) {
        const TBandKind band = report_.rows[i].band;
        qreal needed = BandHeight(band);
        // A group caption goes to the next page with the first row under it.
        if (band == TBandKind::GroupHeader && i + 1 < report_.rows.size()) {
            needed += BandHeight(report_.rows[i + 1].band);
        }
        if (y + needed > printable_.height() && y > top) {
            pageStarts_.append(static_cast<int>(i));
            y = top;
        }
        y += BandHeight(band);
        if (band == TBandKind::Detail && onDetail) {
            onDetail();
        }
    }
}

int TReportPages::PageOfRow(qsizetype row) const {
    const auto after = std::upper_bound(pageStarts_.cbegin(), pageStarts_.cend(), row);
    return static_cast<int>(after - pageStarts_.cbegin()) - 1;
}

qreal TReportPages::BandHeight(TBandKind band) const {
    return LineCount(report_.Layout(band)) * LineHeight + (Ruled(band) ? BandGap : 0);
}

qreal TReportPages::DrawTitle(QPainter& painter, int page) const {
    const qreal width = printable_.width();
    painter.setFont(ReportFont(TitlePixels, true));
    painter.drawText(QRectF(0, 0, width, TitleHeight), Qt::AlignCenter, report_.title);
    painter.setFont(ReportFont(SmallPixels, false));
    const QRectF info(0, TitleHeight, width, InfoHeight);
    if (!report_.dateFrom.isEmpty() || !report_.dateTo.isEmpty()) {
        painter.drawText(
            info, Qt::AlignLeft | Qt::AlignVCenter,
            QStringLiteral("制表日期  从 %1  到 %2").arg(report_.dateFrom, report_.dateTo));
    }
    painter.drawText(info, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("%1 页").arg(page + 1));

    qreal y = TitleHeight + InfoHeight + BandGap;
    painter.drawLine(QPointF(0, y), QPointF(width, y));
    if (report_.header.isEmpty()) {
        return y;
    }
    TReportRow captions{TBandKind::GroupHeader, {}, {}};
    for (const TReportColumn& column : report_.header) {
        captions.values.append(column.caption);
    }
    y += DrawBand(painter, report_.header, captions, y);
    painter.drawLine(QPointF(0, y), QPointF(width, y));
    return y;
}

qreal TReportPages::DrawBand(QPainter& painter, const TColumnLayout& columns, const TReportRow& row,
                             qreal top) const {
    const TBandKind band = row.band;
    const QStringList& values = row.values;
    const qreal width = printable_.width();
    const qreal height = LineCount(columns) * LineHeight;
    if (Ruled(band)) {
        painter.drawLine(QPointF(0, top + BandGap / 2), QPointF(width, top + BandGap / 2));
        top += BandGap;
    }
    if (band == TBandKind::GroupHeader) {
        painter.fillRect(QRectF(0, top, width, height), QColor(235, 235, 235));
    }
    const QFont font =
        ReportFont(band == TBandKind::SubDetail ? SmallPixels : TextPixels, Bold(band));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    for (qsizetype i = 0; i < columns.size() && i < values.size(); ++i) {
        const TReportColumn& column = columns[i];
        const QRectF cell(column.left * width / 100 + TextInset, top + column.line * LineHeight,
                          column.width * width / 100 - 2 * TextInset, LineHeight);
        const QString text = metrics.elidedText(values[i], Qt::ElideRight, cell.width());
        const bool red = row.red.contains(int(i));
        if (red) {
            painter.save();
            painter.setPen(Qt::red);
        }
        painter.drawText(cell, column.alignment | Qt::AlignVCenter, text);
        if (red) {
            painter.restore();
        }
    }
    return height + (Ruled(band) ? BandGap : 0);
}

void TReportPages::DrawPage(QPainter& painter, int page) const {
    if (page < 0 || page >= PageCount()) {
        return;
    }
    painter.save();
    painter.setPen(QPen(Qt::black, 0.5));
    qreal y = DrawTitle(painter, page);
    const qsizetype end = page + 1 < PageCount() ? pageStarts_[page + 1] : report_.rows.size();
    for (qsizetype i = pageStarts_[page]; i < end; ++i) {
        const TReportRow& row = report_.rows[i];
        y += DrawBand(painter, report_.Layout(row.band), row, y);
    }
    painter.restore();
}

bool TReportPages::PrintOn(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const qreal scale = device.logicalDpiX() / 72.0;
    painter.scale(scale, scale);
    for (int page = 0; page < PageCount(); ++page) {
        if (page > 0 && !device.newPage()) {
            return false;
        }
        DrawPage(painter, page);
    }
    return painter.end();
}

bool TReportPages::Print(const TPreparedReport& report, QPagedPaintDevice& device) {
    const TReportPages pages(report, device.pageLayout().paintRectPoints().size());
    return pages.PrintOn(device);
}

QPageLayout TReportPages::PaperLayout(bool landscape) {
    return QPageLayout(QPageSize(QPageSize::A4),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

bool TReportPages::WritePdf(const TPreparedReport& report, const QString& path,
                            const QPageLayout& layout) {
    QPdfWriter writer(path);
    writer.setPageLayout(layout);
    writer.setTitle(report.title);
    return Print(report, writer);
}

#include "reports/pages/ReportPages.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A4 less 15 mm margins, in points.
const QSizeF Printable(510, 757);

TPreparedReport Report(int groups, int rowsPerGroup) {
    TPreparedReport report;
    report.title = QStringLiteral("测试报表");
    report.dateFrom = QStringLiteral("2024-06-01");
    report.dateTo = QStringLiteral("2024-06-30");
    report.header = {{QStringLiteral("编号"), Qt::AlignLeft, 0, 30, 0},
                     {QStringLiteral("名称"), Qt::AlignLeft, 30, 50, 0},
                     {QStringLiteral("数量"), Qt::AlignRight, 80, 20, 0}};
    report.groupHeader = {{{}, Qt::AlignLeft, 0, 100, 0}};
    report.detail = report.header;
    report.groupFooter = {{{}, Qt::AlignRight, 0, 80, 0}, {{}, Qt::AlignRight, 80, 20, 0}};
    report.summary = report.groupFooter;
    for (int g = 0; g < groups; ++g) {
        report.rows.append({TBandKind::GroupHeader, {QStringLiteral("分类%1").arg(g)}});
        for (int r = 0; r < rowsPerGroup; ++r) {
            report.rows.append(
                {TBandKind::Detail, {QString::number(r), QStringLiteral("影片"), "1"}});
        }
        report.rows.append({TBandKind::GroupFooter, {QStringLiteral("小计"), "1"}});
    }
    report.rows.append({TBandKind::Summary, {QStringLiteral("合计"), "9"}});
    report.records = groups * rowsPerGroup;
    return report;
}

TEST(ReportPagesTest, RowsFlowOntoPagesInOrderAndEachDetailRowIsCountedOnce) {
    int details = 0;
    const TPreparedReport report = Report(12, 9);
    const TReportPages pages(report, Printable, [&details] { ++details; });
    EXPECT_EQ(details, 12 * 9);
    ASSERT_GT(pages.PageCount(), 2);
    int page = 0;
    for (qsizetype row = 0; row < report.rows.size(); ++row) {
        const int on = pages.PageOfRow(row);
        EXPECT_TRUE(on == page || on == page + 1) << row;
        page = on;
    }
    EXPECT_EQ(page, pages.PageCount() - 1);

    // A shorter page holds fewer rows.
    const TReportPages landscape(report, QSizeF(757, 510));
    EXPECT_GT(landscape.PageCount(), pages.PageCount());
}

TEST(ReportPagesTest, AGroupCaptionNeverEndsAPage) {
    for (int rowsPerGroup = 1; rowsPerGroup < 12; ++rowsPerGroup) {
        const TPreparedReport report = Report(20, rowsPerGroup);
        const TReportPages pages(report, Printable);
        for (qsizetype row = 0; row + 1 < report.rows.size(); ++row) {
            if (report.rows[row].band == TBandKind::GroupHeader) {
                EXPECT_EQ(pages.PageOfRow(row), pages.PageOfRow(row + 1))
                    << rowsPerGroup << " rows per group, row " << row;
            }
        }
    }
}

TEST(ReportPagesTest, AnEmptyReportIsOnePageWithItsTitle) {
    TPreparedReport report = Report(0, 0);
    const TReportPages pages(report, Printable);
    ASSERT_EQ(pages.PageCount(), 1);

    QImage image(Printable.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    pages.DrawPage(painter, 0);
    painter.end();
    // The title is drawn across the middle of the top band.
    bool inked = false;
    for (int x = 0; x < image.width() && !inked; ++x) {
        for (int y = 0; y < 30 && !inked; ++y) {
            inked = image.pixelColor(x, y).lightness() < 128;
        }
    }
    EXPECT_TRUE(inked);
}

} // namespace

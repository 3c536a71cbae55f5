#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

#include <algorithm>

// A report as it is printed, prepared by the core from the ledger: what the
// page layout draws and what `vintorctl report` prints, so every figure can be
// checked without a window. A plain value.

// The kind of a printed row (the page header and column captions are not rows).
enum class TBandKind {
    GroupHeader, // the group's caption (a category, a month)
    Detail,      // one record of the report's query
    SubDetail,   // one line under a detail row (the discs of a bill)
    GroupFooter, // "小计" of a group
    Summary,     // "合计" at the end of the report
};

// Where one printed value stands: a caption (column headers only), the
// alignment of the text, the left edge and width in hundredths of the
// printable width, and the line of the band (0 the first, 1 a second line
// printed under the first, as the address under a title's name).
struct TReportColumn {
    QString caption;
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0;
    int width = 0;
    int line = 0;
};

using TColumnLayout = QList<TReportColumn>;

// One printed row: its band and its values, one per column of that band's
// layout, as the page shows them (money "%0.2f", dates "yyyy-MM-dd", whole
// numbers without decimals).
struct TReportRow {
    TBandKind band = TBandKind::Detail;
    QStringList values;
    // The values (by index) printed in red: negative figures.
    QList<int> red = {};
};

// One slice of a pie chart.
struct TPieSlice {
    QString label;
    qint64 value = 0;
};

struct TPreparedReport {
    QString title;    // the window caption, printed as the report title
    QString dateFrom; // "从" and "到" of the title band; both empty when the
    QString dateTo;   // report has no date range (the overdue report)

    TColumnLayout header; // the column captions under the title
    // The layout of each band kind the report prints; a row's values follow
    // the columns of its band's layout in order.
    TColumnLayout groupHeader;
    TColumnLayout detail;
    TColumnLayout subDetail;
    TColumnLayout groupFooter;
    TColumnLayout summary;

    QList<TReportRow> rows; // in printing order
    // The records the report's query gave; with none the report is still
    // prepared (its summary prints 0) and the "no data" warning was shown.
    qsizetype records = 0;

    // Charts only: the slices in order and the total line under the chart.
    QList<TPieSlice> slices;
    QString totalText;

    // Laid out across the paper rather than down it (the overview's five
    // columns side by side).
    bool landscape = false;
    // A one-page summary whose rows are a fixed layout (the overview) lists
    // its figures here, one row each, as `vintorctl report` prints them;
    // empty for every other report.
    QList<TReportRow> figures;

    const TColumnLayout& Layout(TBandKind band) const {
        switch (band) {
        case TBandKind::GroupHeader:
            return groupHeader;
        case TBandKind::Detail:
            return detail;
        case TBandKind::SubDetail:
            return subDetail;
        case TBandKind::GroupFooter:
            return groupFooter;
        case TBandKind::Summary:
            break;
        }
        return summary;
    }
    // The detail rows printed (the progress window's maximum).
    qsizetype DetailCount() const {
        return std::count_if(rows.cbegin(), rows.cend(),
                             [](const TReportRow& row) { return row.band == TBandKind::Detail; });
    }
};

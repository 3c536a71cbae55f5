#pragma once

#include "reports/PreparedReport.h"
#include "storage/Currency.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <optional>

class TDAOQuery;

// The groups and totals of a printed report. A group opens with its caption
// (a category, a month) and closes with "小计"; the report ends with "合计".
// Both sum the figures of the rows that were printed, so a row a rank list
// leaves out counts in neither.
class TReportTotals {
public:
    // How a figure prints in a footer or the summary: a whole number, or money
    // after "￥".
    enum class TFigure { Whole, Money };

    TReportTotals(TPreparedReport& report, QList<TFigure> figures);

    // Opens the group of `caption` unless it is the one open, closing that
    // one first.
    void Group(const QString& caption);
    // The rows counted in the open group (in the whole report when it has no
    // groups).
    int GroupRows() const { return groupRows_; }
    // Adds one printed row's figures, in the order of the footer's.
    void Count(const QList<Currency>& figures);
    // Closes the open group and prints the summary.
    void Close();

private:
    void CloseGroup();
    QStringList Texts(const QString& caption, const QList<Currency>& sums) const;

    TPreparedReport& report_;
    QList<TFigure> figures_;
    std::optional<QString> group_;
    int groupRows_ = 0;
    QList<Currency> groupSums_;
    QList<Currency> totalSums_;
};

// The rank lists and the distribution charts of the rental and sales reports.
namespace ReportGroups {

// The titles a rank list prints, per category when grouped.
inline constexpr int RankedRows = 10;

// Lays a grouped report out on `header`: each row in its columns, groups
// under a full-width caption, and the footers and summary right-aligned in
// the columns `totalled` names: the caption's first, then each figure's.
void LayOut(TPreparedReport& report, const TColumnLayout& header,
            std::initializer_list<int> totalled);

// A printed row of a report and the figures it adds to the totals.
struct TFiguredRow {
    QStringList values;
    QList<Currency> figures;
};

// Reads a rank list: the records come in rank order (by category, CName,
// first when `grouped`); the first RankedRows of each category, or of the
// whole list, are printed after their rank, the rest only counted as records.
// `row` gives a printed record's values after the rank and its figures, one
// per entry of `figures`.
void ReadRankList(TPreparedReport& report, const QString& sql, bool grouped,
                  const QList<TReportTotals::TFigure>& figures,
                  const std::function<TFiguredRow(TDAOQuery&)>& row);

// Reads a distribution: one slice and one printed row per record, labelled
// with CName and sized by the whole figure in `field` (captioned `caption`),
// and the total line: `totalFormat` with the sum in its "%d".
void ReadPie(TPreparedReport& report, const QString& sql, const QString& field,
             const QString& caption, const QString& totalFormat);

} // namespace ReportGroups

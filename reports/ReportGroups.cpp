#include "reports/ReportGroups.h"

#include "reports/ReportRows.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"

TReportTotals::TReportTotals(TPreparedReport& report, QList<TFigure> figures)
    : report_(report), figures_(std::move(figures)), groupSums_(figures_.size()),
      totalSums_(figures_.size()) {}

void TReportTotals::Group(const QString& caption) {
    if (group_ == caption) {
        return;
    }
    CloseGroup();
    group_ = caption;
    groupRows_ = 0;
    groupSums_.fill(Currency());
    ReportRows::Add(report_, TBandKind::GroupHeader, {caption});
}

void TReportTotals::Count(const QList<Currency>& figures) {
    Q_ASSERT(figures.size() == figures_.size());
    ++groupRows_;
    for (qsizetype n = 0; n < figures.size(); ++n) {
        groupSums_[n] += figures[n];
        totalSums_[n] += figures[n];
    }
}

void TReportTotals::Close() {
    CloseGroup();
    ReportRows::Add(report_, TBandKind::Summary, Texts(QStringLiteral("合计"), totalSums_));
}

void TReportTotals::CloseGroup() {
    if (group_) {
        ReportRows::Add(report_, TBandKind::GroupFooter, Texts(QStringLiteral("小计"), groupSums_));
        group_.reset();
    }
}

QStringList TReportTotals::Texts(const QString& caption, const QList<Currency>& sums) const {
    QStringList texts = {caption};
    for (qsizetype n = 0; n < sums.size(); ++n) {
        texts.append(figures_[n] == TFigure::Whole ? ReportRows::Whole(sums[n].RoundedWhole())
                                                   : ReportRows::Yuan(sums[n]));
    }
    return texts;
}

namespace ReportGroups {

void LayOut(TPreparedReport& report, const TColumnLayout& header,
            std::initializer_list<int> totalled) {
    report.header = header;
    report.detail = header;
    report.groupHeader = {ReportRows::Column({}, 0, 100)};
    report.groupFooter.clear();
    for (int i : totalled) {
        report.groupFooter.append(
            ReportRows::Column({}, header[i].left, header[i].width, Qt::AlignRight));
    }
    report.summary = report.groupFooter;
}

void ReadRankList(TPreparedReport& report, const QString& sql, bool grouped,
                  const QList<TReportTotals::TFigure>& figures,
                  const std::function<TFiguredRow(TDAOQuery&)>& row) {
    TReportTotals totals(report, figures);
    ReportRows::ForEach(sql, [&](TDAOQuery& q) {
        ++report.records;
        if (grouped) {
            totals.Group(q.FieldByName(QStringLiteral("CName")).AsString());
        }
        if (totals.GroupRows() == RankedRows) {
            return;
        }
        const TFiguredRow printed = row(q);
        totals.Count(printed.figures);
        ReportRows::Add(report, TBandKind::Detail,
                        QStringList{ReportRows::Whole(totals.GroupRows())} + printed.values);
    });
    totals.Close();
}

void ReadPie(TPreparedReport& report, const QString& sql, const QString& field,
             const QString& caption, const QString& totalFormat) {
    report.header = {ReportRows::Column(QStringLiteral("影片分类"), 0, 60),
                     ReportRows::Column(caption, 60, 40, Qt::AlignRight)};
    report.detail = report.header;
    report.summary = {ReportRows::Column({}, 0, 100, Qt::AlignRight)};
    qint64 total = 0;
    ReportRows::ForEach(sql, [&](TDAOQuery& q) {
        ++report.records;
        const TPieSlice slice{q.FieldByName(QStringLiteral("CName")).AsString(),
                              q.FieldByName(field).AsCurrency().RoundedWhole()};
        total += slice.value;
        report.slices.append(slice);
        ReportRows::Add(report, TBandKind::Detail, {slice.label, ReportRows::Whole(slice.value)});
    });
    report.totalText = Format(totalFormat, {total});
    ReportRows::Add(report, TBandKind::Summary, {report.totalText});
}

} // namespace ReportGroups

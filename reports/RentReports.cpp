#include "reports/RentReports.h"

#include "reports/RentReportSql.h"
#include "reports/ReportFrame.h"
#include "reports/ReportGroups.h"
#include "reports/ReportRows.h"
#include "storage/Clock.h"
#include "storage/JetDate.h"
#include "storage/Prompter.h"
#include "storage/TextFormats.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/grid/QueryRows.h"

#include <QHash>

namespace RentReports {

namespace {

constexpr int Cancelled = 3;

using ReportFrame::RunDated;
using ReportFrame::TDatedRun;
using ReportRows::Column;
using ReportRows::Whole;

} // namespace

QString TopCaption() {
    return QStringLiteral("影片出租排行榜");
}
QString PieCaption() {
    return QStringLiteral("影片出租情况分布图");
}
QString DetailCaption() {
    return QStringLiteral("影片出租明细表");
}
QString MonthCaption() {
    return QStringLiteral("影片月出租情况");
}
QString LateCaption() {
    return QStringLiteral("影片出租逾期报表");
}
QString LateGridCaption() {
    return QStringLiteral("影片出租逾期情况");
}

TStored<TPreparedReport> RentTop(const TDates& dates, bool group) {
    return RunDated(TopCaption(), dates, RentReportSql::Top(group), [group](TDatedRun& run) {
        TPreparedReport& report = run.report;
        ReportGroups::LayOut(report,
                             {Column(QStringLiteral("排名"), 0, 10, Qt::AlignHCenter),
                              Column(QStringLiteral("影片编号"), 10, 20),
                              Column(QStringLiteral("影片名称"), 30, 50),
                              Column(QStringLiteral("总出租部数"), 80, 20, Qt::AlignRight)},
                             {2, 3});
        ReportGroups::ReadRankList(
            report, run.sql, group, {TReportTotals::TFigure::Whole}, [](TDAOQuery& q) {
                const qint64 power =
                    q.FieldByName(QStringLiteral("TPower")).AsCurrency().RoundedWhole();
                return ReportGroups::TFiguredRow{{q.FieldByName(QStringLiteral("Code")).AsString(),
                                                  q.FieldByName(QStringLiteral("Name")).AsString(),
                                                  Whole(power)},
                                                 {Currency::FromWhole(power)}};
            });
    });
}

TStored<TPreparedReport> RentPie(const TDates& dates) {
    return RunDated(PieCaption(), dates, RentReportSql::Pie(), [](TDatedRun& run) {
        ReportGroups::ReadPie(run.report, run.sql, QStringLiteral("TPower"),
                              QStringLiteral("出租部数"), QStringLiteral("合计出租影片 %d部"));
    });
}

TStored<TPreparedReport> RentDetail(const TDates& dates, bool all, int memberId) {
    const QString filter = all ? QString() : RentReportSql::MemberFilter(memberId);
    return RunDated(DetailCaption(), dates, RentReportSql::Detail(filter), [&](TDatedRun& run) {
        TPreparedReport& report = run.report;
        report.header = {Column(QStringLiteral("影片编号"), 0, 14),
                         Column(QStringLiteral("影片名称"), 14, 30),
                         Column({}, 44, 8),
                         Column(QStringLiteral("出租日期/租借人"), 52, 16),
                         Column(QStringLiteral("返还日期"), 68, 12),
                         Column(QStringLiteral("押金(元)"), 80, 10, Qt::AlignRight),
                         Column(QStringLiteral("租金(元)"), 90, 10, Qt::AlignRight)};
        report.groupHeader = {Column({}, 0, 100)};
        report.detail = {report.header[3], report.header[5], report.header[6]};
        report.subDetail = report.header.mid(0, 5);
        report.groupFooter = {Column({}, 52, 16, Qt::AlignRight),
                              Column({}, 68, 12, Qt::AlignRight)};
        report.summary = report.groupFooter;

        // The lines of every bill of the range, read at once and kept by bill.
        struct TLine {
            QStringList values;
            bool counted;
        };
        QHash<qint64, QList<TLine>> lines;
        const QString linesSql = ReportFrame::ExpandDates(RentReportSql::DetailLines(filter),
                                                          report.dateFrom, report.dateTo);
        ReportRows::ForEach(linesSql, [&](TDAOQuery& q) {
            const int state = int(q.FieldByName(QStringLiteral("CId2")).AsInteger());
            lines[q.FieldByName(QStringLiteral("FId")).AsInteger()].append(
                {{q.FieldByName(QStringLiteral("Code")).AsString(),
                  q.FieldByName(QStringLiteral("Name")).AsString(),
                  q.FieldByName(QStringLiteral("Status")).AsString(),
                  ReportRows::DateText(q.FieldByName(QStringLiteral("Day1"))),
                  ReportRows::DateText(q.FieldByName(QStringLiteral("Day2")))},
                 state != Cancelled});
        });

        TReportTotals totals(report, {TReportTotals::TFigure::Whole});
        ReportRows::ForEach(run.sql, [&](TDAOQuery& q) {
            totals.Group(q.FieldByName(QStringLiteral("Month")).AsString());
            ++report.records;
            ReportRows::Add(
                report, TBandKind::Detail,
                {q.FieldByName(QStringLiteral("Associator")).AsString(),
                 TextFormats::MoneyText(q.FieldByName(QStringLiteral("Deposit")).AsCurrency()),
                 TextFormats::MoneyText(q.FieldByName(QStringLiteral("Rent")).AsCurrency())});
            for (const TLine& line : lines.value(q.FieldByName(QStringLiteral("Id")).AsInteger())) {
                ReportRows::Add(report, TBandKind::SubDetail, line.values);
                totals.Count({Currency::FromWhole(line.counted ? 1 : 0)});
            }
        });
        totals.Close();
    });
}

TStored<TPreparedReport> RentMonth(const TDates& dates) {
    return RunDated(MonthCaption(), dates, RentReportSql::Month(), [](TDatedRun& run) {
        TPreparedReport& report = run.report;
        report.header = {Column(QStringLiteral("年月"), 0, 30),
                         Column(QStringLiteral("押金合计(元)"), 30, 35, Qt::AlignRight),
                         Column(QStringLiteral("租金合计(元)"), 65, 35, Qt::AlignRight)};
        report.detail = report.header;
        report.summary = report.header;
        TReportTotals totals(report,
                             {TReportTotals::TFigure::Money, TReportTotals::TFigure::Money});
        ReportRows::ForEach(run.sql, [&](TDAOQuery& q) {
            ++report.records;
            const Currency deposit = q.FieldByName(QStringLiteral("TDeposit")).AsCurrency();
            const Currency rent = q.FieldByName(QStringLiteral("TRent")).AsCurrency();
            totals.Count({deposit, rent});
            ReportRows::Add(report, TBandKind::Detail,
                            {q.FieldByName(QStringLiteral("Month")).AsString(),
                             TextFormats::MoneyText(deposit), TextFormats::MoneyText(rent)});
        });
        totals.Close();
    });
}

TPreparedReport RentLate(int minDays, int maxDays) {
    TPreparedReport report;
    report.title = LateCaption();
    report.header = {
        Column(QStringLiteral("影片编号"), 0, 14), Column(QStringLiteral("影片名称/地址"), 14, 36),
        Column(QStringLiteral("逾期天数(天)"), 50, 12, Qt::AlignRight),
        Column(QStringLiteral("租借人"), 64, 16), Column(QStringLiteral("租借日期/电话"), 80, 20)};
    report.detail = {
        report.header[0], report.header[1], Column({}, 14, 36, Qt::AlignLeft, 1), report.header[2],
        report.header[3], report.header[4], Column({}, 80, 20, Qt::AlignLeft, 1)};
    report.summary = {Column({}, 14, 36, Qt::AlignRight), Column({}, 50, 12, Qt::AlignRight)};
    const QDate today = TClock::Today();
    const QString sql = RentReportSql::Late(JetDate::ShortText(today.addDays(-minDays)),
                                            JetDate::ShortText(today.addDays(-maxDays)));
    ReportRows::ForEach(sql, [&](TDAOQuery& q) {
        ++report.records;
        ReportRows::Add(report, TBandKind::Detail,
                        {q.FieldByName(QStringLiteral("Code")).AsString(),
                         q.FieldByName(QStringLiteral("Name")).AsString(),
                         q.FieldByName(QStringLiteral("Address")).AsString(),
                         Whole(q.FieldByName(QStringLiteral("Days")).AsInteger()),
                         q.FieldByName(QStringLiteral("Associator")).AsString(),
                         ReportRows::DateText(q.FieldByName(QStringLiteral("Day"))),
                         q.FieldByName(QStringLiteral("Telephone")).AsString()});
    });
    ReportRows::Add(report, TBandKind::Summary, {QStringLiteral("合计"), Whole(report.records)});
    return ReportFrame::Finish(std::move(report));
}

QString LateGridSelect() {
    return QStringLiteral("SELECT B.Id, A.Day1 AS Day, (Date()-A.Day1) AS Days, B.Code, B.Name, "
                          "IIF(A.AId=0,\"零租用户\",C.Name) AS Associator, C.Telephone, C.Address "
                          "FROM (TbRTransaction AS A LEFT JOIN TbRentCd AS B ON B.Id=A.CId1) "
                          "LEFT JOIN TbAssociator AS C ON C.Id=A.AId");
}

QString LateGridWhere(int minDays) {
    return Format("A.Day1<=#%s# AND A.CId2=%d",
                  {JetDate::ShortText(TClock::Today().addDays(-minDays)), 2});
}

QList<TGridColumn> LateGridColumns() {
    return {
        TGridColumn(QStringLiteral("租借日期"), QStringLiteral("Day"), TCellKind::Date,
                    QStringLiteral("A.Day1")),
        TGridColumn(QStringLiteral("影片编号"), QStringLiteral("Code"), TCellKind::Text,
                    QStringLiteral("B.Code")),
        TGridColumn(QStringLiteral("影片名称"), QStringLiteral("Name"), TCellKind::Text,
                    QStringLiteral("B.Name")),
        TGridColumn(QStringLiteral("逾期天数（天）"), QStringLiteral("Days"), TCellKind::Number,
                    QStringLiteral("(Date()-A.Day1)")),
        TGridColumn(QStringLiteral("租借人"), QStringLiteral("Associator"), TCellKind::Text,
                    QStringLiteral("A.AId")),
        TGridColumn(QStringLiteral("联系电话"), QStringLiteral("Telephone"), TCellKind::Text,
                    QStringLiteral("C.Telephone")),
        TGridColumn(QStringLiteral("地址"), QStringLiteral("Address"), TCellKind::Text,
                    QStringLiteral("C.Address")),
    };
}

TStored<TPreparedReport> RentLateGrid(int minDays, const QString& sortField, bool descending) {
    const QList<TGridColumn> columns = LateGridColumns();
    const QString field = sortField.isEmpty() ? QStringLiteral("Day") : sortField;
    const auto sorted = std::find_if(columns.cbegin(), columns.cend(), [&](const TGridColumn& c) {
        return c.field.compare(field, Qt::CaseInsensitive) == 0;
    });
    if (sorted == columns.cend()) {
        const QString message = Format("“%s”不是可排序的列。", {field});
        ShowError(message);
        return TRefusal{QStringLiteral("dgSearch"), message};
    }
    TPreparedReport report;
    report.title = LateGridCaption();
    int left = 0;
    for (const TGridColumn& column : columns) {
        const int width = 100 / int(columns.size());
        report.header.append(Column(column.caption, left, width, column.Alignment()));
        left += width;
    }
    report.detail = report.header;
    TQueryRows query(&TDM::Instance().DbBase);
    query.SetSql(LateGridSelect(), LateGridWhere(minDays), QString::fromLatin1(LateGridKey));
    query.SetOrder(sorted->SortExpression(), descending);
    query.Reload();
    report.records = query.RowCount();
    for (int row = 0; row < report.records; ++row) {
        QStringList values;
        for (const TGridColumn& column : columns) {
            values.append(column.Text(query.Value(row, query.FieldIndex(column.field))));
        }
        ReportRows::Add(report, TBandKind::Detail, values);
    }
    return ReportFrame::Finish(std::move(report));
}

} // namespace RentReports

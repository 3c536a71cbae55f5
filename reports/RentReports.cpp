#include "reports/RentReports.h"

#include "reports/RentReportSql.h"
#include "reports/ReportFrame.h"
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

constexpr int TopRows = 10; // the rank list prints ten titles (per category)
constexpr int Cancelled = 3;

const QString Subtotal = QStringLiteral("小计");
const QString Total = QStringLiteral("合计");

TReportColumn Column(const QString& caption, int left, int width,
                     Qt::Alignment alignment = Qt::AlignLeft, int line = 0) {
    return TReportColumn{caption, alignment, left, width, line};
}

TDates Range(const QDate& from, const QDate& to) {
    return {JetDate::ShortText(from), JetDate::ShortText(to)};
}

QString Whole(qint64 value) {
    return QString::number(value);
}

// A report over a date range: the title band's dates and the SQL with them.
struct TDatedRun {
    TPreparedReport report;
    QString sql;
};

// Checks the dates and starts the report; nothing when a date was refused.
std::optional<TDatedRun> StartDated(const QString& title, const TDates& dates, const QString& sql,
                                    TChecked& refusal) {
    refusal = ReportFrame::CheckDates(dates.from, dates.to);
    if (refusal) {
        return std::nullopt;
    }
    TDatedRun run;
    run.report.title = title;
    run.report.dateFrom = ReportFrame::DateText(dates.from);
    run.report.dateTo = ReportFrame::DateText(dates.to);
    run.sql = ReportFrame::ExpandDates(sql, run.report.dateFrom, run.report.dateTo);
    return run;
}

// The finished report, with the no-data warning when its query gave nothing.
TPreparedReport Finish(TPreparedReport report) {
    if (report.records == 0) {
        ShowWarning(ReportFrame::NoDataText);
    }
    return report;
}

// Builds a dated report: `fill` reads the expanded SQL into the report.
TStored<TPreparedReport> RunDated(const QString& title, const TDates& dates, const QString& sql,
                                  const std::function<void(TDatedRun&)>& fill) {
    TChecked refusal;
    std::optional<TDatedRun> run = StartDated(title, dates, sql, refusal);
    if (!run) {
        return *refusal;
    }
    fill(*run);
    return Finish(std::move(run->report));
}

void LayOutTop(TPreparedReport& report) {
    report.header = {Column(QStringLiteral("排名"), 0, 10, Qt::AlignHCenter),
                     Column(QStringLiteral("影片编号"), 10, 20),
                     Column(QStringLiteral("影片名称"), 30, 50),
                     Column(QStringLiteral("总出租部数"), 80, 20, Qt::AlignRight)};
    report.detail = report.header;
    report.groupHeader = {Column({}, 0, 100)};
    report.groupFooter = {Column({}, 30, 50, Qt::AlignRight), Column({}, 80, 20, Qt::AlignRight)};
    report.summary = report.groupFooter;
}

} // namespace

TDates CurrentMonth() {
    const QDate today = TClock::Today();
    const QDate first(today.year(), today.month(), 1);
    return Range(first, first.addMonths(1).addDays(-1));
}

TDates TodayOnly() {
    return Range(TClock::Today(), TClock::Today());
}

TDates CurrentYear() {
    const int year = TClock::Today().year();
    return Range(QDate(year, 1, 1), QDate(year, 12, 31));
}

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
        LayOutTop(report);
        QString category;
        int rank = 0;
        qint64 groupSum = 0;
        qint64 totalSum = 0;
        auto closeGroup = [&] {
            ReportRows::Add(report, TBandKind::GroupFooter, {Subtotal, Whole(groupSum)});
        };
        ReportRows::ForEach(run.sql, [&](TDAOQuery& q) {
            ++report.records;
            if (group) {
                const QString name = q.FieldByName(QStringLiteral("CName")).AsString();
                if (report.records == 1 || name != category) {
                    if (report.records > 1) {
                        closeGroup();
                    }
                    category = name;
                    rank = 0;
                    groupSum = 0;
                    ReportRows::Add(report, TBandKind::GroupHeader, {name});
                }
            }
            if (rank == TopRows) {
                return;
            }
            const qint64 power =
                q.FieldByName(QStringLiteral("TPower")).AsCurrency().RoundedWhole();
            ++rank;
            groupSum += power;
            totalSum += power;
            ReportRows::Add(report, TBandKind::Detail,
                            {Whole(rank), q.FieldByName(QStringLiteral("Code")).AsString(),
                             q.FieldByName(QStringLiteral("Name")).AsString(), Whole(power)});
        });
        if (group && report.records > 0) {
            closeGroup();
        }
        ReportRows::Add(report, TBandKind::Summary, {Total, Whole(totalSum)});
    });
}

TStored<TPreparedReport> RentPie(const TDates& dates) {
    return RunDated(PieCaption(), dates, RentReportSql::Pie(), [](TDatedRun& run) {
        TPreparedReport& report = run.report;
        report.header = {Column(QStringLiteral("影片分类"), 0, 60),
                         Column(QStringLiteral("出租部数"), 60, 40, Qt::AlignRight)};
        report.detail = report.header;
        report.summary = {Column({}, 0, 100, Qt::AlignRight)};
        qint64 total = 0;
        ReportRows::ForEach(run.sql, [&](TDAOQuery& q) {
            ++report.records;
            const TPieSlice slice{
                q.FieldByName(QStringLiteral("CName")).AsString(),
                q.FieldByName(QStringLiteral("TPower")).AsCurrency().RoundedWhole()};
            total += slice.value;
            report.slices.append(slice);
            ReportRows::Add(report, TBandKind::Detail, {slice.label, Whole(slice.value)});
        });
        report.totalText = Format("合计出租影片 %d部", {total});
        ReportRows::Add(report, TBandKind::Summary, {report.totalText});
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

        QString month;
        qint64 monthCount = 0;
        qint64 totalCount = 0;
        ReportRows::ForEach(run.sql, [&](TDAOQuery& q) {
            const QString rowMonth = q.FieldByName(QStringLiteral("Month")).AsString();
            if (report.records == 0 || rowMonth != month) {
                if (report.records > 0) {
                    ReportRows::Add(report, TBandKind::GroupFooter, {Subtotal, Whole(monthCount)});
                }
                month = rowMonth;
                monthCount = 0;
                ReportRows::Add(report, TBandKind::GroupHeader, {month});
            }
            ++report.records;
            ReportRows::Add(
                report, TBandKind::Detail,
                {q.FieldByName(QStringLiteral("Associator")).AsString(),
                 TextFormats::MoneyText(q.FieldByName(QStringLiteral("Deposit")).AsCurrency()),
                 TextFormats::MoneyText(q.FieldByName(QStringLiteral("Rent")).AsCurrency())});
            for (const TLine& line : lines.value(q.FieldByName(QStringLiteral("Id")).AsInteger())) {
                ReportRows::Add(report, TBandKind::SubDetail, line.values);
                monthCount += line.counted ? 1 : 0;
                totalCount += line.counted ? 1 : 0;
            }
        });
        if (report.records > 0) {
            ReportRows::Add(report, TBandKind::GroupFooter, {Subtotal, Whole(monthCount)});
        }
        ReportRows::Add(report, TBandKind::Summary, {Total, Whole(totalCount)});
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
        Currency deposits;
        Currency rents;
        ReportRows::ForEach(run.sql, [&](TDAOQuery& q) {
            ++report.records;
            const Currency deposit = q.FieldByName(QStringLiteral("TDeposit")).AsCurrency();
            const Currency rent = q.FieldByName(QStringLiteral("TRent")).AsCurrency();
            deposits += deposit;
            rents += rent;
            ReportRows::Add(report, TBandKind::Detail,
                            {q.FieldByName(QStringLiteral("Month")).AsString(),
                             TextFormats::MoneyText(deposit), TextFormats::MoneyText(rent)});
        });
        const QString yuan = QStringLiteral("￥");
        ReportRows::Add(
            report, TBandKind::Summary,
            {Total, yuan + TextFormats::MoneyText(deposits), yuan + TextFormats::MoneyText(rents)});
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
    ReportRows::Add(report, TBandKind::Summary, {Total, Whole(report.records)});
    return Finish(std::move(report));
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
    return Finish(std::move(report));
}

} // namespace RentReports

#include "reports/OverView.h"
#include "reports/RentReports.h"
#include "reports/SaleReports.h"
#include "reports/pages/ReportPages.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "tools/vintorctl/Commands.h"
#include "tools/vintorctl/Options.h"

#include <functional>
#include <map>

namespace {

const char* const UsageText =
    "用法: vintorctl report NAME LEDGER [--from YYYY-MM-DD] [--to YYYY-MM-DD] "
    "[--today YYYY-MM-DD] [选项] [--pdf FILE]\n"
    "只读打开账本 LEDGER，把报表 NAME 逐行打印到标准输出（TITLE、HEADER、GROUP、ROW、\n"
    "SUB、FOOTER、SUMMARY 开头，字段用制表符分隔）。没有数据时退出码为 1。\n"
    "  --from, --to  报表的日期范围；不写时取报表窗口的默认范围（本月、今天或今年）\n"
    "  --today       “今天”取这一天\n"
    "  --pdf FILE    同时把报表按打印的版面写成 PDF 文件\n"
    "  --group       排行榜按影片分类各列前十\n"
    "  --member CODE 只列这位会员的单据（--all 或不写：全部单据）\n"
    "  --min, --max  租出天数的范围（默认都是 3）\n"
    "  --sort FIELD  按这一列排序：Day、Code、Name、Days、Associator、Telephone、Address；\n"
    "                --desc 从大到小\n"
    "报表 NAME 及其选项:\n"
    "  rent-top [--group]                     影片出租排行榜\n"
    "  rent-pie                               影片出租情况分布图\n"
    "  rent-detail [--member CODE | --all]    影片出租明细表\n"
    "  rent-month                             影片月出租情况\n"
    "  rent-late [--min N] [--max N]          影片出租逾期报表\n"
    "  rent-late-grid [--min N] [--sort FIELD [--desc]]  影片出租逾期情况\n"
    "  sale-top [--group]                     影片销售排行榜\n"
    "  sale-pie                               影片销售情况分布图\n"
    "  sale-detail                            影片销售明细表\n"
    "  sale-month                             影片月销售情况\n"
    "  overview                               经营情况一览表：每个数字一行 ROW，红字加 -\n";

// Options that stand alone; every other "--name" takes the word after it.
const QStringList Flags = {QStringLiteral("--group"), QStringLiteral("--all"),
                           QStringLiteral("--desc")};

struct TRequest {
    TOptions options;
    QStringList flags;
    RentReports::TDates dates;

    bool Flag(const char* name) const { return flags.contains(QLatin1String(name)); }
};

using TReportRun = std::function<TStored<TPreparedReport>(const TRequest&)>;

// A whole number option, `fallback` when absent; nothing when malformed.
std::optional<int> Days(const TOptions& options, const QString& name, int fallback) {
    if (!options.Has(name)) {
        return fallback;
    }
    bool ok = false;
    const int days = options.Value(name).toInt(&ok);
    if (!ok || days < 0) {
        return std::nullopt;
    }
    return days;
}

// The bills of the member with this code; an empty code is no member picked
// (the walk-in renter's bills).
std::optional<int> MemberId(const QString& code) {
    if (code.isEmpty()) {
        return 0;
    }
    const QString id = TDM::Instance().SqlFieldText(
        SqlFormat("SELECT Id FROM TbAssociator WHERE Code=\"%s\"", {code}), QStringLiteral("Id"));
    if (id.isEmpty()) {
        ShowError(Format("会员编号“%s”不存在，请重新输入。", {code}));
        return std::nullopt;
    }
    return id.toInt();
}

TRefusal OptionRefusal(const QString& option) {
    const QString message = Format("“%s”输入不正确，请重新输入。", {option});
    ShowError(message);
    return {option, message};
}

const std::map<QString, std::pair<std::function<RentReports::TDates()>, TReportRun>>& Reports() {
    using namespace RentReports;
    static const std::map<QString, std::pair<std::function<TDates()>, TReportRun>> reports = {
        {QStringLiteral("rent-top"),
         {CurrentMonth, [](const TRequest& r) { return RentTop(r.dates, r.Flag("--group")); }}},
        {QStringLiteral("rent-pie"),
         {CurrentMonth, [](const TRequest& r) { return RentPie(r.dates); }}},
        {QStringLiteral("rent-detail"),
         {TodayOnly,
          [](const TRequest& r) -> TStored<TPreparedReport> {
              if (!r.options.Has(QStringLiteral("member")) || r.Flag("--all")) {
                  return RentDetail(r.dates, true, 0);
              }
              const std::optional<int> member = MemberId(r.options.Value(QStringLiteral("member")));
              if (!member) {
                  return TRefusal{QStringLiteral("edCode"), {}};
              }
              return RentDetail(r.dates, false, *member);
          }}},
        {QStringLiteral("rent-month"),
         {CurrentYear, [](const TRequest& r) { return RentMonth(r.dates); }}},
        {QStringLiteral("rent-late"),
         {nullptr,
          [](const TRequest& r) -> TStored<TPreparedReport> {
              const std::optional<int> min = Days(r.options, QStringLiteral("min"), 3);
              const std::optional<int> max = Days(r.options, QStringLiteral("max"), 3);
              if (!min || !max) {
                  return OptionRefusal(!min ? QStringLiteral("--min") : QStringLiteral("--max"));
              }
              return RentLate(*min, *max);
          }}},
        {QStringLiteral("rent-late-grid"),
         {nullptr,
          [](const TRequest& r) -> TStored<TPreparedReport> {
              const std::optional<int> min = Days(r.options, QStringLiteral("min"), 3);
              if (!min || *min > LateGridMaxDays) {
                  return OptionRefusal(QStringLiteral("--min"));
              }
              return RentLateGrid(*min, r.options.Value(QStringLiteral("sort")), r.Flag("--desc"));
          }}},
        {QStringLiteral("sale-top"),
         {CurrentMonth,
          [](const TRequest& r) { return SaleReports::SaleTop(r.dates, r.Flag("--group")); }}},
        {QStringLiteral("sale-pie"),
         {CurrentMonth, [](const TRequest& r) { return SaleReports::SalePie(r.dates); }}},
        {QStringLiteral("sale-detail"),
         {CurrentYear, [](const TRequest& r) { return SaleReports::SaleDetail(r.dates); }}},
        {QStringLiteral("sale-month"),
         {CurrentYear, [](const TRequest& r) { return SaleReports::SaleMonth(r.dates); }}},
        {QStringLiteral("overview"),
         {OverView::DefaultDates, [](const TRequest& r) { return OverView::Prepare(r.dates); }}},
    };
    return reports;
}

void PrintLine(QTextStream& out, const char* kind, const QStringList& values) {
    out << kind;
    for (const QString& value : values) {
        out << '\t' << value;
    }
    out << '\n';
}

const char* KindWord(TBandKind band) {
    switch (band) {
    case TBandKind::GroupHeader:
        return "GROUP";
    case TBandKind::Detail:
        return "ROW";
    case TBandKind::SubDetail:
        return "SUB";
    case TBandKind::GroupFooter:
        return "FOOTER";
    case TBandKind::Summary:
        break;
    }
    return "SUMMARY";
}

void Print(const TPreparedReport& report, QTextStream& out) {
    QStringList title = {report.title};
    if (!report.dateFrom.isEmpty()) {
        title << report.dateFrom << report.dateTo;
    }
    PrintLine(out, "TITLE", title);
    if (!report.header.isEmpty()) {
        QStringList captions;
        for (const TReportColumn& column : report.header) {
            captions.append(column.caption);
        }
        PrintLine(out, "HEADER", captions);
    }
    // A one-page summary lists its figures; a red one ends in "-".
    for (const TReportRow& row : report.figures.isEmpty() ? report.rows : report.figures) {
        PrintLine(out, KindWord(row.band),
                  row.red.isEmpty() ? row.values : row.values + QStringList{QStringLiteral("-")});
    }
}

} // namespace

int RunReport(const QStringList& args, QTextStream& out, QTextStream& err) {
    QStringList words;
    QStringList flags;
    for (const QString& arg : args) {
        (Flags.contains(arg) ? flags : words).append(arg);
    }
    TRequest request{TOptions(words), flags, {}};
    const QStringList& positional = request.options.Positional();
    const auto report = positional.size() == 2 ? Reports().find(positional[0]) : Reports().end();
    if (report == Reports().end() || !request.options.ApplyToday(err)) {
        err << UsageText;
        return 2;
    }
    TDM dm;
    dm.DbBase.SetDatabaseName(positional[1]);
    dm.DbBase.SetReadOnly(true);
    try {
        dm.DbBase.Open();
    } catch (const EVintorError& e) {
        err << e.Message() << "\n";
        return 2;
    }
    const TMessagePrinter printer(err);
    const auto& [defaults, run] = report->second;
    if (defaults) {
        request.dates = defaults();
    }
    if (request.options.Has(QStringLiteral("from"))) {
        request.dates.from = request.options.Value(QStringLiteral("from"));
    }
    if (request.options.Has(QStringLiteral("to"))) {
        request.dates.to = request.options.Value(QStringLiteral("to"));
    }
    try {
        const TStored<TPreparedReport> prepared = run(request);
        // A refusal or the no-data warning is already on standard error.
        if (!prepared.Ok() || prepared.Value().records == 0) {
            return 1;
        }
        Print(prepared.Value(), out);
        const QString pdf = request.options.Value(QStringLiteral("pdf"));
        if (request.options.Has(QStringLiteral("pdf")) &&
            !TReportPages::WritePdf(prepared.Value(), pdf)) {
            err << "ERROR: " << Format(QStringLiteral("无法写入文件“%s”。"), {pdf}) << "\n";
            return 1;
        }
        return 0;
    } catch (const EVintorError& e) {
        err << "ERROR: " << e.Message() << "\n";
        return 1;
    }
}

QString ReportUsage() {
    return QString::fromUtf8(UsageText);
}

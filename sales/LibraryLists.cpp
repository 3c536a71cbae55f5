#include "sales/LibraryLists.h"

#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/RentCd.h"

namespace LibraryLists {

namespace {

// The status a rental title shows; its column sorts and filters by it too.
const QString StatusText =
    QStringLiteral("IIF(A.Status=1,\"未租\",IIF(A.Status=2,\"已租\",\"注销\"))");
// A walk-in renter's lines name no member.
const QString RenterName = QStringLiteral("IIF(A.AId<>0,B.Name,\"零租用户\")");

// A column of the title's own table, sorted and filtered by its field.
TGridColumn Own(const char* caption, const char* field, TCellKind kind) {
    return {QString::fromUtf8(caption), QLatin1String(field), kind,
            QStringLiteral("A.") + QLatin1String(field)};
}

// The columns both libraries lead with.
QList<TGridColumn> TitleLead() {
    return {
        Own("入库日期", "Day", TCellKind::Date),
        Own("影片编号", "Code", TCellKind::Text),
        Own("影片名称", "Name", TCellKind::Text),
        {QStringLiteral("影片分类"), QStringLiteral("BName"), TCellKind::Text,
         QStringLiteral("B.Name")},
    };
}

TGridColumn Memo() {
    return {QStringLiteral("说明"), QStringLiteral("Memo"), TCellKind::Text,
            QStringLiteral("A.Memo"), false};
}

QString Count(TDM& dm, const QString& sql) {
    return dm.SqlFieldText(sql, QStringLiteral("Count"));
}

// Sums as the ledger holds them: money exact to 1/10000, without trailing
// zeros; an empty table sums to 0.
QString Sum(TDM& dm, const char* table, const char* column) {
    return dm
        .SqlSum(dm.Q1, Format(QStringLiteral("SELECT Sum(%s) As Sum FROM %s"), {column, table}),
                QStringLiteral("Sum"))
        .ToPlainText();
}

QString CountByStatus(TDM& dm, int status) {
    return Count(dm, Format(QStringLiteral("SELECT Count(Id) As Count FROM TbRentCd WHERE "
                                           "Status=%d"),
                            {status}));
}

} // namespace

QString RentSelect() {
    // The status text leads, so the column named Status is the text and not
    // the stored code of A.*.
    return QStringLiteral("SELECT ") + StatusText +
           QStringLiteral(" AS Status,A.*,B.Name AS BName,C.Name AS CName FROM (TbRentCd AS A "
                          "LEFT JOIN TbCdCategory AS B ON A.CId=B.Id) LEFT JOIN TbFee AS C ON "
                          "A.FId=C.Id");
}

QList<TGridColumn> RentColumns() {
    return TitleLead() +
           QList<TGridColumn>{
               {QStringLiteral("收费标准"), QStringLiteral("CName"), TCellKind::Text,
                QStringLiteral("C.Name")},
               Own("碟片数目", "Number", TCellKind::Number),
               Own("价格", "Price", TCellKind::Money),
               Own("计费部数", "Power", TCellKind::Number),
               Own("导演", "Director", TCellKind::Text),
               Own("主演", "Player", TCellKind::Text),
               {QStringLiteral("状态"), QStringLiteral("Status"), TCellKind::Text, StatusText},
               Memo(),
           };
}

QString SaleSelect() {
    return QStringLiteral(
        "SELECT A.*,B.Name AS BName FROM TbSaleCd AS A LEFT JOIN TbCdCategory AS B ON "
        "A.CId=B.Id");
}

QList<TGridColumn> SaleColumns() {
    return TitleLead() + QList<TGridColumn>{
                             Own("碟片数目", "Number1", TCellKind::Number),
                             Own("数量", "Number2", TCellKind::Number),
                             Own("价格", "Price", TCellKind::Money),
                             Own("导演", "Director", TCellKind::Text),
                             Own("主演", "Player", TCellKind::Text),
                             Memo(),
                         };
}

QString HistorySelect() {
    return QStringLiteral("SELECT A.Id,A.Day1,A.Day2,C.Name AS CName,") + RenterName +
           QStringLiteral(" AS Name,A.Deposit,A.Rent FROM (TbRTransaction AS A LEFT JOIN "
                          "TbAssociator AS B ON A.AId=B.Id) LEFT JOIN TbCategory AS C ON "
                          "A.CId2=C.Id");
}

QString HistoryWhere(int titleId) {
    return Format(QStringLiteral("A.CId1=%d"), {titleId});
}

QList<TGridColumn> HistoryColumns() {
    return {
        Own("出租日期", "Day1", TCellKind::Date),
        Own("返还日期", "Day2", TCellKind::Date),
        {QStringLiteral("收支分类"), QStringLiteral("CName"), TCellKind::Text,
         QStringLiteral("C.Name")},
        {QStringLiteral("租借人"), QStringLiteral("Name"), TCellKind::Text, RenterName},
        Own("押金", "Deposit", TCellKind::Money),
        Own("租金", "Rent", TCellKind::Money),
    };
}

QList<int> HistorySummedColumns() {
    return {4, 5};
}

QList<TTotal> RentTotals(TDM& dm) {
    return {
        {QStringLiteral("入库日期"),
         QStringLiteral("总数:") + Count(dm, QStringLiteral("SELECT Count(Id) As Count FROM "
                                                            "TbRentCd"))},
        {QStringLiteral("影片编号"),
         QStringLiteral("已租:") + CountByStatus(dm, TRentCd::RentedOut)},
        {QStringLiteral("影片名称"), QStringLiteral("未租:") + CountByStatus(dm, TRentCd::InStock)},
        {QStringLiteral("影片分类"),
         QStringLiteral("注销:") + CountByStatus(dm, TRentCd::WrittenOff)},
        {QStringLiteral("碟片数目"), QStringLiteral("总计:") + Sum(dm, "TbRentCd", "Number")},
        {QStringLiteral("价格"), QStringLiteral("合计:") + Sum(dm, "TbRentCd", "Price")},
        {QStringLiteral("计费部数"), QStringLiteral("总计:") + Sum(dm, "TbRentCd", "Power")},
    };
}

QList<TTotal> SaleTotals(TDM& dm) {
    return {
        {QStringLiteral("影片编号"),
         QStringLiteral("总数:") + Count(dm, QStringLiteral("SELECT Count(Id) As Count FROM "
                                                            "TbSaleCd"))},
        {QStringLiteral("碟片数目"), QStringLiteral("总计:") + Sum(dm, "TbSaleCd", "Number1")},
        {QStringLiteral("数量"), QStringLiteral("总计:") + Sum(dm, "TbSaleCd", "Number2")},
        {QStringLiteral("价格"), QStringLiteral("合计:") + Sum(dm, "TbSaleCd", "Price")},
    };
}

} // namespace LibraryLists

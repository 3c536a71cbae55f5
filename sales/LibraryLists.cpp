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
    return {
        {QStringLiteral("入库日期"), QStringLiteral("Day"), TCellKind::Date,
         QStringLiteral("A.Day")},
        {QStringLiteral("影片编号"), QStringLiteral("Code"), TCellKind::Text,
         QStringLiteral("A.Code")},
        {QStringLiteral("影片名称"), QStringLiteral("Name"), TCellKind::Text,
         QStringLiteral("A.Name")},
        {QStringLiteral("影片分类"), QStringLiteral("BName"), TCellKind::Text,
         QStringLiteral("B.Name")},
        {QStringLiteral("收费标准"), QStringLiteral("CName"), TCellKind::Text,
         QStringLiteral("C.Name")},
        {QStringLiteral("碟片数目"), QStringLiteral("Number"), TCellKind::Number,
         QStringLiteral("A.Number")},
        {QStringLiteral("价格"), QStringLiteral("Price"), TCellKind::Money,
         QStringLiteral("A.Price")},
        {QStringLiteral("计费部数"), QStringLiteral("Power"), TCellKind::Number,
         QStringLiteral("A.Power")},
        {QStringLiteral("导演"), QStringLiteral("Director"), TCellKind::Text,
         QStringLiteral("A.Director")},
        {QStringLiteral("主演"), QStringLiteral("Player"), TCellKind::Text,
         QStringLiteral("A.Player")},
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
    return {
        {QStringLiteral("入库日期"), QStringLiteral("Day"), TCellKind::Date,
         QStringLiteral("A.Day")},
        {QStringLiteral("影片编号"), QStringLiteral("Code"), TCellKind::Text,
         QStringLiteral("A.Code")},
        {QStringLiteral("影片名称"), QStringLiteral("Name"), TCellKind::Text,
         QStringLiteral("A.Name")},
        {QStringLiteral("影片分类"), QStringLiteral("BName"), TCellKind::Text,
         QStringLiteral("B.Name")},
        {QStringLiteral("碟片数目"), QStringLiteral("Number1"), TCellKind::Number,
         QStringLiteral("A.Number1")},
        {QStringLiteral("数量"), QStringLiteral("Number2"), TCellKind::Number,
         QStringLiteral("A.Number2")},
        {QStringLiteral("价格"), QStringLiteral("Price"), TCellKind::Money,
         QStringLiteral("A.Price")},
        {QStringLiteral("导演"), QStringLiteral("Director"), TCellKind::Text,
         QStringLiteral("A.Director")},
        {QStringLiteral("主演"), QStringLiteral("Player"), TCellKind::Text,
         QStringLiteral("A.Player")},
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
        {QStringLiteral("出租日期"), QStringLiteral("Day1"), TCellKind::Date,
         QStringLiteral("A.Day1")},
        {QStringLiteral("返还日期"), QStringLiteral("Day2"), TCellKind::Date,
         QStringLiteral("A.Day2")},
        {QStringLiteral("收支分类"), QStringLiteral("CName"), TCellKind::Text,
         QStringLiteral("C.Name")},
        {QStringLiteral("租借人"), QStringLiteral("Name"), TCellKind::Text, RenterName},
        {QStringLiteral("押金"), QStringLiteral("Deposit"), TCellKind::Money,
         QStringLiteral("A.Deposit")},
        {QStringLiteral("租金"), QStringLiteral("Rent"), TCellKind::Money,
         QStringLiteral("A.Rent")},
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

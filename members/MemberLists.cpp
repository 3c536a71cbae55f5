#include "members/MemberLists.h"

#include "members/MemberMovement.h"
#include "storage/TextFormats.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"

namespace MemberLists {

namespace {

// The states of a rental line.
enum { LineReturned = 1, LineOut = 2, LineCancelled = 3 };

QString Count(const QString& sql, const QString& column) {
    const QString count = TDM::Instance().SqlFieldText(sql, column);
    return count.isEmpty() ? QStringLiteral("0") : count;
}

} // namespace

QList<TGridColumn> MemberColumns() {
    return {
        {QStringLiteral("编号"), QStringLiteral("Code")},
        {QStringLiteral("姓名"), QStringLiteral("Name"), TCellKind::Text, QStringLiteral("A.Name")},
        {QStringLiteral("类型"), QStringLiteral("BName"), TCellKind::Text,
         QStringLiteral("B.Name")},
        {QStringLiteral("剩余部数"), QStringLiteral("Number"), TCellKind::Number},
        {QStringLiteral("预收租金"), QStringLiteral("Balance"), TCellKind::Money},
        {QStringLiteral("押金"), QStringLiteral("Deposit"), TCellKind::Money},
        {QStringLiteral("联系电话"), QStringLiteral("Telephone")}};
}

QString MemberSelect() {
    return QStringLiteral("SELECT A.Id,A.Code,A.Name,B.Name AS BName,A.Number,A.Balance,A.Deposit,"
                          "A.Telephone FROM TbAssociator AS A LEFT JOIN TbAtorType AS B ON "
                          "B.Id=A.AId");
}

TFooter MemberFooter() {
    return {{0, QStringLiteral("总数:") +
                    Count(QStringLiteral("SELECT Count(Id) As Count FROM TbAssociator"),
                          QStringLiteral("Count"))}};
}

QString MemberExportName() {
    return QStringLiteral("所有会员列表");
}

QList<TGridColumn> FeeColumns() {
    return {
        {QStringLiteral("日期"), QStringLiteral("Day"), TCellKind::Date, QStringLiteral("A.Day")},
        {QStringLiteral("收支分类"), QStringLiteral("BName"), TCellKind::Text,
         QStringLiteral("B.Name")},
        {QStringLiteral("金额"), QStringLiteral("Sum2"), TCellKind::Money,
         QStringLiteral("A.Sum2")},
        {QStringLiteral("经手人"), QStringLiteral("CName"), TCellKind::Text,
         QStringLiteral("C.Name")},
        {QStringLiteral("对应账户"), QStringLiteral("DName"), TCellKind::Text,
         QStringLiteral("D.Name")},
        {QStringLiteral("说明"), QStringLiteral("Memo"), TCellKind::Text, QStringLiteral("A.Memo"),
         false}};
}

QString FeeSelect() {
    return QStringLiteral(
        "SELECT A.Id,A.Day,A.Sum2,A.Memo,C.Name AS CName,B.Name AS BName,D.Name AS DName FROM "
        "((TbFTransaction AS A LEFT JOIN TbCategory AS B ON A.CId1=B.Id) LEFT JOIN TbOperator AS "
        "C ON C.Id=A.CId3) LEFT JOIN TbAccount AS D ON D.Id=A.AId2");
}

QString FeeWhere(int memberId) {
    // A member's movements name it in AId3 as well as in AId1. They are read
    // by AId3: AId1 of an account movement is the account, so a member whose
    // Id is also an account's (the cash box is account 1) would otherwise be
    // looked for among every movement of that account.
    return Format(QStringLiteral("A.Flag=1 AND A.AId3=%d AND +A.AId1=%d AND A.CId1 IN(%d,%d,%d)"),
                  {memberId, memberId, int(MemberMovement::PaymentCategory),
                   int(MemberMovement::RefundCategory), int(MemberMovement::DepositCategory)});
}

TFooter FeeFooter(int memberId) {
    const QString where = FeeWhere(memberId);
    const QString count =
        Count(QStringLiteral("SELECT Count(A.Id) As Count FROM TbFTransaction AS A WHERE ") + where,
              QStringLiteral("Count"));
    TDM& dm = TDM::Instance();
    const Currency sum = dm.SqlSum(
        dm.Q1, QStringLiteral("SELECT Sum(A.Sum2) As Sum FROM TbFTransaction AS A WHERE ") + where,
        QStringLiteral("Sum"));
    return {{0, QStringLiteral("总数:") + count},
            {2, QStringLiteral("总计:") + TextFormats::MoneyText(sum)}};
}

QString FeeExportName(const QString& memberName) {
    return memberName + QStringLiteral("-交费情况表");
}

QList<TGridColumn> RentColumns() {
    QList<TGridColumn> columns = {{QStringLiteral("出租日期"), QStringLiteral("Day1"),
                                   TCellKind::Date, QStringLiteral("A.Day1")},
                                  {QStringLiteral("返还日期"), QStringLiteral("Day2"),
                                   TCellKind::Date, QStringLiteral("A.Day2")},
                                  {QStringLiteral("影片编号"), QStringLiteral("BCode"),
                                   TCellKind::Text, QStringLiteral("B.Code")},
                                  {QStringLiteral("影片名称"), QStringLiteral("BName"),
                                   TCellKind::Text, QStringLiteral("B.Name")},
                                  {QStringLiteral("影片分类"), QStringLiteral("CName"),
                                   TCellKind::Text, QStringLiteral("C.Name")},
                                  {QStringLiteral("状态"), QStringLiteral("TXT_Status"),
                                   TCellKind::Text, QStringLiteral("A.CId2")}};
    // The state sorts by its stored number but is filtered by the word shown.
    columns.back().filterField = QStringLiteral("TXT_Status");
    return columns;
}

QString RentSelect() {
    return QStringLiteral(
        "SELECT A.Id,A.Day1,A.Day2,A.Deposit,A.Rent,B.Code AS BCode,B.Name AS BName,C.Name AS "
        "CName,IIF(A.Cid2=1,\"已还\",IIF(A.Cid2=2,\"未还\",\"撤消\")) AS TXT_Status FROM "
        "(TbRTransaction AS A LEFT JOIN TbRentCd AS B ON A.CId1=B.Id) LEFT JOIN TbCdCategory AS "
        "C ON C.Id=B.CId");
}

QString RentWhere(int memberId) {
    return Format(QStringLiteral("A.AId=%d"), {memberId});
}

TFooter RentFooter(int memberId) {
    const auto inState = [memberId](const char* column, int state) {
        return Count(Format(QStringLiteral("SELECT Count(A.Id) As %s FROM TbRTransaction AS A "
                                           "WHERE A.AId=%d AND A.CId2=%d"),
                            {column, memberId, state}),
                     QString::fromLatin1(column));
    };
    return {{0, QStringLiteral("总数:") +
                    Count(Format(QStringLiteral("SELECT Count(A.Id) As Count FROM "
                                                "TbRTransaction AS A WHERE A.AId=%d"),
                                 {memberId}),
                          QStringLiteral("Count"))},
            {1, QStringLiteral("未还:") + inState("RentCount", LineOut)},
            {2, QStringLiteral("已还:") + inState("ReturnCount", LineReturned)},
            {3, QStringLiteral("撤消:") + inState("CancelCount", LineCancelled)}};
}

QString RentExportName(const QString& memberName) {
    return memberName + QStringLiteral("-出租情况表");
}

} // namespace MemberLists

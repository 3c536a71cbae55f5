#include "members/FundLists.h"

#include "members/Counterpart.h"
#include "storage/JetDate.h"
#include "storage/TextFormats.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/Account.h"

namespace FundLists {

namespace {

enum { SettledRental = 1 };

bool IsCashBox(int accountId) {
    return accountId == TAccount::CashBoxId;
}

// The cash box also lists the member movements (its money); any other account
// only account movements, whatever a member's Id in AId1 says.
QString AccountMovementsOnly(int accountId) {
    return IsCashBox(accountId) ? QString() : QStringLiteral(" AND A.Flag=0");
}

} // namespace

TIdList Accounts() {
    TIdList accounts;
    TDM::Instance().FillIdList(
        accounts, QStringLiteral("SELECT Id,Name AS Txt FROM TbAccount AS A ORDER BY Id ASC"));
    return accounts;
}

QList<TGridColumn> Columns() {
    QList<TGridColumn> columns = {
        {QStringLiteral("日期"), QStringLiteral("Day"), TCellKind::Date, QStringLiteral("A.Day")},
        {QStringLiteral("收支分类"), QStringLiteral("BName"), TCellKind::Text,
         QStringLiteral("B.Name")},
        {QStringLiteral("经手人"), QStringLiteral("CName"), TCellKind::Text,
         QStringLiteral("C.Name")},
        {QStringLiteral("账户/会员"), QStringLiteral("AName"), TCellKind::Text,
         QStringLiteral("A.AId1")},
        {QStringLiteral("金额"), QStringLiteral("Sum"), TCellKind::Money, QStringLiteral("A.Sum1")},
        {QStringLiteral("说明"), QStringLiteral("Memo"), TCellKind::Text, QStringLiteral("A.Memo"),
         false}};
    // The counterpart sorts by the Id of its side and the amount by Sum1, but
    // both are filtered by what the list shows.
    columns[CounterpartColumn].filterField = QStringLiteral("AName");
    columns[SumColumn].filterField = QStringLiteral("Sum");
    return columns;
}

QString Select(int accountId) {
    // The cash box shows a settled rental by the rent it kept, a transfer into
    // it and a member movement by -Sum1; any other account Sum1 where it pays
    // and -Sum1 where it receives.
    const QString sum =
        IsCashBox(accountId)
            ? Format(QStringLiteral("IIF(A.Flag=0,IIF(A.AId1=%d,IIF(A.CId1=%d,ABS(A.Sum2),A.Sum1),"
                                    "-A.Sum1),-A.Sum1)"),
                     {accountId, int(SettledRental)})
            : Format(QStringLiteral("IIF(A.AId1=%d,A.Sum1,-A.Sum1)"), {accountId});
    return Format(QStringLiteral("SELECT A.*,B.Id AS CId,%s AS Sum,B.Name AS BName,C.Name AS "
                                 "CName,%s AS AId,%s AS AName FROM (TbFTransaction AS A LEFT JOIN "
                                 "TbCategory AS B ON A.CId1=B.Id) LEFT JOIN TbOperator AS C ON "
                                 "C.Id=A.CId3"),
                  {sum, Counterpart::IdSql(accountId), Counterpart::NameSql(accountId)});
}

QString Where(int accountId, const std::optional<QDate>& since) {
    if (!since) {
        return Format(QStringLiteral("(A.AId1=%d OR A.AId2=%d)%s"),
                      {accountId, accountId, AccountMovementsOnly(accountId)});
    }
    return Format(
        QStringLiteral("(+A.AId1=%d OR +A.AId2=%d)%s AND A.Day>=#%s#"),
        {accountId, accountId, AccountMovementsOnly(accountId), JetDate::ShortText(*since)});
}

int MovementCount(int accountId) {
    // The rows naming it in AId1, and those naming it in AId2 only: the first
    // count reads the AId1 index alone, where a count of the OR would gather
    // and merge the rows of both indexes (twice the time on the cash box).
    const QString only = AccountMovementsOnly(accountId);
    return TDM::Instance()
        .SqlFieldText(
            Format(QStringLiteral("SELECT (SELECT Count(*) FROM TbFTransaction AS A WHERE "
                                  "A.AId1=%d%s)+(SELECT Count(*) FROM TbFTransaction AS A "
                                  "WHERE A.AId2=%d AND A.AId1<>%d%s) AS N FROM TbVersion"),
                   {accountId, only, accountId, accountId, only}),
            QStringLiteral("N"))
        .toInt();
}

TFooter Footer(int accountId, Currency balance) {
    return {{DayColumn, QStringLiteral("总数:") + QString::number(MovementCount(accountId))},
            {SumColumn, QStringLiteral("合计:") + TextFormats::MoneyText(balance)}};
}

} // namespace FundLists

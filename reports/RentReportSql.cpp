#include "reports/RentReportSql.h"

#include "storage/dao/Format.h"

namespace RentReportSql {

namespace {

// Rental line states and fund movement kinds the reports count.
constexpr int Returned = 1;
constexpr int Out = 2;
constexpr int Cancelled = 3;
constexpr int ReturnMovement = 1;
constexpr int RentMovement = 2;
constexpr int CancelMovement = 3;

// Rental lines rented or returned in the range, not cancelled, counted per
// title: CId1, N.
QString CountedLines() {
    return Format("(SELECT CId1, Count(*) AS N FROM ("
                  "SELECT CId1 FROM TbRTransaction WHERE Day1>=#$BDAY$# AND Day1<=#$EDAY$# "
                  "AND CId2 IN (%d,%d) "
                  "UNION ALL "
                  "SELECT CId1 FROM TbRTransaction WHERE Day2>=#$BDAY$# AND Day2<=#$EDAY$# "
                  "AND CId2 IN (%d,%d) AND (Day1<#$BDAY$# OR Day1>#$EDAY$#)"
                  ") GROUP BY CId1) AS L",
                  {Out, Returned, Out, Returned});
}

QString Bills(const QString& memberFilter) {
    return Format("A.Day>=#$BDAY$# And A.Day<=#$EDAY$# AND A.CId1 IN (%d,%d,%d) %s",
                  {RentMovement, ReturnMovement, CancelMovement, memberFilter});
}

} // namespace

QString Top(bool group) {
    if (group) {
        return Format("SELECT C.Name AS CName, B.Code, B.Name, Sum(B.Power*L.N) AS TPower "
                      "FROM (%s LEFT JOIN TbRentCd AS B ON B.Id=L.CId1) "
                      "LEFT JOIN TbCdCategory AS C ON C.Id=B.CId "
                      "GROUP BY C.Name, B.Code, B.Name "
                      "ORDER BY C.Name, Sum(B.Power*L.N) DESC, B.Code",
                      {CountedLines()});
    }
    return Format("SELECT B.Code, B.Name, Sum(B.Power*L.N) AS TPower "
                  "FROM %s LEFT JOIN TbRentCd AS B ON B.Id=L.CId1 "
                  "GROUP BY B.Code, B.Name ORDER BY Sum(B.Power*L.N) DESC, B.Code",
                  {CountedLines()});
}

QString Pie() {
    return Format("SELECT C.Name AS CName, Sum(B.Power*L.N) AS TPower "
                  "FROM (%s LEFT JOIN TbRentCd AS B ON B.Id=L.CId1) "
                  "LEFT JOIN TbCdCategory AS C ON C.Id=B.CId "
                  "GROUP BY C.Name ORDER BY Sum(B.Power*L.N) DESC, C.Name",
                  {CountedLines()});
}

QString Detail(const QString& memberFilter) {
    // Each movement is its own row; the order is the one its grouping by
    // month, day, kind, renter and amounts always printed it in.
    return Format("SELECT A.Id, Left(A.Day,7) AS Month, A.Day, A.CId1, "
                  "IIF(A.AId3=0,\"零租用户\",B.Name) AS Associator, A.Sum1 AS Deposit, "
                  "ABS(A.Sum2) AS Rent FROM TbFTransaction AS A "
                  "LEFT JOIN TbAssociator AS B ON B.Id=A.AId3 WHERE %s "
                  "ORDER BY A.Day, A.CId1, A.AId3, B.Name, A.Sum1, A.Sum2, A.Id",
                  {Bills(memberFilter)});
}

QString DetailLines(const QString& memberFilter) {
    return Format("SELECT A.FId, A.Day1, A.Day2, B.Code, B.Name, A.CId2, "
                  "IIF(A.CId2=%d,\"出租\",IIF(A.CId2=%d,\"返还\",\"撤消\")) AS Status "
                  "FROM TbRTransaction AS A LEFT JOIN TbRentCd AS B ON B.Id=A.CId1 "
                  "WHERE A.FId IN (SELECT A.Id FROM TbFTransaction AS A WHERE %s) "
                  "ORDER BY A.FId, A.Id",
                  {Out, Returned, Bills(memberFilter)});
}

QString MemberFilter(int memberId) {
    return Format("AND A.AId3=%d", {memberId});
}

QString Month() {
    return Format("SELECT Left(A.Day,7) AS Month, Sum(A.Sum1) AS TDeposit, "
                  "Sum(ABS(A.Sum2)) AS TRent FROM TbFTransaction AS A "
                  "WHERE A.Day>=#$BDAY$# And A.Day<=#$EDAY$# AND A.CId1 IN (%d,%d) "
                  "GROUP BY Left(A.Day,7) ORDER BY Left(A.Day,7)",
                  {RentMovement, ReturnMovement});
}

QString Late(const QString& latest, const QString& earliest) {
    return Format("SELECT A.Day1 AS Day, (Date()-A.Day1) AS Days, B.Code, B.Name, "
                  "IIF(A.AId=0,\"零租用户\",C.Name) AS Associator, C.Telephone, C.Address "
                  "FROM (TbRTransaction AS A LEFT JOIN TbRentCd AS B ON B.Id=A.CId1) "
                  "LEFT JOIN TbAssociator AS C ON C.Id=A.AId "
                  "WHERE A.Day1<=#%s# AND A.Day1>=#%s# AND A.CId2=%d ORDER BY A.Day1, A.Id",
                  {latest, earliest, Out});
}

} // namespace RentReportSql

#include "reports/SaleReportSql.h"

#include "storage/dao/Format.h"

namespace SaleReportSql {

namespace {

// The kind of a sold line (a refunded one is 7).
constexpr int Sold = 6;

// The value of the sale line A.
const char* const LineValue = "IIF(A.Discount=0,A.Number*A.Price,A.Number*A.Price*(A.Discount/10))";

QString SoldInRange() {
    return Format("A.Day>=#$BDAY$# And A.Day<=#$EDAY$# AND A.CId2=%d", {Sold});
}

} // namespace

QString Top(bool group) {
    if (group) {
        return Format("SELECT C.Name AS CName, B.Code, B.Name, Sum(A.Number) AS TNumber, "
                      "Sum(%s) AS TSum "
                      "FROM (TbSTransaction AS A LEFT JOIN TbSaleCd AS B ON B.Id=A.CId1) "
                      "LEFT JOIN TbCdCategory AS C ON C.Id=B.CId WHERE %s "
                      "GROUP BY C.Name, B.Code, B.Name "
                      "ORDER BY C.Name, Sum(A.Number) DESC, B.Code",
                      {LineValue, SoldInRange()});
    }
    return Format("SELECT B.Code, B.Name, Sum(A.Number) AS TNumber, Sum(%s) AS TSum "
                  "FROM TbSTransaction AS A LEFT JOIN TbSaleCd AS B ON B.Id=A.CId1 WHERE %s "
                  "GROUP BY B.Code, B.Name ORDER BY Sum(A.Number) DESC, B.Code",
                  {LineValue, SoldInRange()});
}

QString Pie() {
    return Format("SELECT C.Name AS CName, Sum(A.Number) AS TNumber "
                  "FROM (TbSTransaction AS A LEFT JOIN TbSaleCd AS B ON B.Id=A.CId1) "
                  "LEFT JOIN TbCdCategory AS C ON C.Id=B.CId WHERE %s "
                  "GROUP BY C.Name ORDER BY Sum(A.Number) DESC, C.Name",
                  {SoldInRange()});
}

QString Detail() {
    // Each line is its own row; the order is the one its grouping by month,
    // day, title and figures always printed it in.
    return Format("SELECT Left(A.Day,7) AS Month, A.Day, B.Code, B.Name, A.Discount, A.Number, "
                  "%s AS Sum FROM TbSTransaction AS A LEFT JOIN TbSaleCd AS B ON B.Id=A.CId1 "
                  "WHERE %s ORDER BY A.Day, B.Code, B.Name, A.Discount, A.Number, A.Price, A.Id",
                  {LineValue, SoldInRange()});
}

QString Month() {
    return Format("SELECT Left(A.Day,7) AS Month, C.Name AS CName, Sum(A.Number) AS TNumber, "
                  "Sum(%s) AS TSum "
                  "FROM (TbSTransaction AS A LEFT JOIN TbSaleCd AS B ON B.Id=A.CId1) "
                  "LEFT JOIN TbCdCategory AS C ON C.Id=B.CId WHERE %s "
                  "GROUP BY Left(A.Day,7), C.Name ORDER BY Left(A.Day,7), C.Name",
                  {LineValue, SoldInRange()});
}

} // namespace SaleReportSql

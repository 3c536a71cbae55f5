#include "reports/OverViewSql.h"

#include "storage/dao/Format.h"

namespace OverViewSql {

namespace {

// Fund movement kinds (TbFTransaction.CId1) and line states.
constexpr int Settled = 1;   // a returned bill; a returned line
constexpr int Out = 2;       // a bill still out; a line still out
constexpr int Withdrawn = 3; // a cancelled bill; a cancelled line
constexpr int Sale = 6;      // a sale; a sold line
constexpr int Refund = 7;    // a sale refunded in full; a refunded line
constexpr int MemberPayment = 11;
constexpr int MemberRefund = 12;
constexpr int MemberDeposit = 13;
constexpr int RentalStockIn = 21;
constexpr int SaleStockIn = 22;

const char* const InRange = "A.Day>=#$BDAY$# And A.Day<=#$EDAY$#";

// One kind of movement of the range, summed over `column`.
QString KindSum(const char* column, int kind) {
    return Format("SELECT SUM(A.%s) AS TSum FROM TbFTransaction AS A WHERE %s AND A.CId1=%d",
                  {column, InRange, kind});
}

// A term of the lines' condition; in a long range kept off its index ("+"),
// so that the lines are walked in the order of the index the statement reads.
QString Term(const QString& term, TSpan span) {
    return span == TSpan::Long && !term.startsWith(u'+') ? u'+' + term : term;
}

// The sum of `sum` over the movements of the range that meet `where` (if
// given) and hold a rental line (B) meeting every term of `lines`, each
// movement once. A short range asks that per movement along the lines'
// movement index; a long one lists the movements of the qualifying lines,
// walking that index in order, which costs less than asking it for most
// movements of the ledger.
QString PerMovement(const char* sum, const QString& where, const QStringList& lines, TSpan span) {
    const QString movements = where.isEmpty() ? QString::fromLatin1(InRange)
                                              : QString::fromLatin1(InRange) + " AND " + where;
    if (span == TSpan::Short) {
        return Format("SELECT SUM(%s) AS TSum FROM TbFTransaction AS A WHERE %s AND EXISTS "
                      "(SELECT B.Id FROM TbRTransaction AS B WHERE B.FId=A.Id AND %s)",
                      {sum, movements, lines.join(QStringLiteral(" AND "))});
    }
    QStringList walked;
    for (const QString& term : lines) {
        walked.append(Term(term, span));
    }
    return Format("SELECT SUM(%s) AS TSum FROM (SELECT B.FId FROM TbRTransaction AS B WHERE %s "
                  "GROUP BY B.FId) AS L INNER JOIN TbFTransaction AS A ON A.Id=L.FId WHERE %s",
                  {sum, walked.join(QStringLiteral(" AND ")), movements});
}

// Rental bills (rented, settled, cancelled) of the range with a line rented
// in the range by `renter` ("=0" walk-in, "<>0" members), each with the
// deposit first taken: what is handed back plus the rent taken out of it.
QString Deposits(const char* renter, TSpan span) {
    return PerMovement("IIF(A.Sum2<0,A.Sum1-A.Sum2,A.Sum1)",
                       Format("A.CId1 IN (%d,%d,%d)", {Out, Settled, Withdrawn}),
                       {QStringLiteral("B.Day1>=#$BDAY$#"), QStringLiteral("B.Day1<=#$EDAY$#"),
                        QStringLiteral("B.AId") + QLatin1String(renter)},
                       span);
}

// Movements of the range holding a line returned by `renter`, with their rent.
QString Rents(const char* renter, TSpan span) {
    return PerMovement(
        "ABS(A.Sum2)", QString(),
        {Format("B.CId2=%d", {Settled}), QStringLiteral("B.AId") + QLatin1String(renter)}, span);
}

// The units of the rental lines of the range: `lines` names the day column,
// the renter and the states; each title's lines are counted before its units
// are read.
QString Units(const QString& lines) {
    return Format("SELECT SUM(B.Power*L.N) AS TSum FROM (SELECT CId1, Count(*) AS N FROM "
                  "TbRTransaction WHERE %s GROUP BY CId1) AS L LEFT JOIN TbRentCd AS B ON "
                  "B.Id=L.CId1",
                  {lines});
}

QString Rented(const char* renter, TSpan span) {
    return Units(
        Format("%s>=#$BDAY$# And %s<=#$EDAY$# AND %s AND CId2 IN (%d,%d)",
               {Term("Day1", span), Term("Day1", span), Term(renter, span), Out, Settled}));
}

QString Returned(const char* renter, TSpan span) {
    return Units(Format(
        "%s>=#$BDAY$# And %s<=#$EDAY$# AND %s AND %s=%d",
        {Term("Day2", span), Term("Day2", span), Term(renter, span), Term("CId2", span), Settled}));
}

QString StockedIn(int flag) {
    return Format("SELECT SUM(A.Number) AS TSum FROM TbITransaction AS A WHERE %s AND A.Flag=%d",
                  {InRange, flag});
}

QString SaleLines(int state) {
    return Format("SELECT SUM(A.Number) AS TSum FROM TbSTransaction AS A WHERE %s AND A.CId2=%d",
                  {InRange, state});
}

// The walk-in renter's lines rented in a range lie together in the renter
// index; those returned in it are read by day ("+AId" keeps the renter index,
// which holds a third of all lines under that renter, from leading).
const char* const WalkIn = "AId=0";
const char* const ReturnedByWalkIn = "+AId=0";
const char* const Member = "AId<>0";

} // namespace

QString Statement(TFigure figure, TSpan span) {
    switch (figure) {
    case TFigure::WalkInDeposit:
        return Deposits("=0", span);
    case TFigure::MemberDeposit:
        return Deposits("<>0", span);
    case TFigure::DepositReturned:
        return Format("SELECT SUM(A.Sum1) AS TSum FROM TbFTransaction AS A WHERE %s AND "
                      "(A.CId1=%d OR A.CId1=%d)",
                      {InRange, Settled, Withdrawn});
    case TFigure::DepositHeld:
        return KindSum("Sum1", Out);
    case TFigure::WalkInRent:
        return Rents("=0", span);
    case TFigure::MemberRent:
        return Rents("<>0", span);
    case TFigure::RentalPurchases:
        return KindSum("Sum1", RentalStockIn);
    case TFigure::SalePurchases:
        return KindSum("Sum1", SaleStockIn);
    case TFigure::Sales:
        return KindSum("Sum1", Sale);
    case TFigure::SaleRefunds:
        return KindSum("Sum1", Refund);
    case TFigure::MemberPayments:
        return KindSum("Sum2", MemberPayment);
    case TFigure::MemberDeposits:
        return KindSum("Sum2", MemberDeposit);
    case TFigure::MemberRefunds:
        return KindSum("Sum1", MemberRefund);
    case TFigure::WalkInRented:
        return Rented(WalkIn, span);
    case TFigure::MemberRented:
        return Rented(Member, span);
    case TFigure::WalkInReturned:
        return Returned(ReturnedByWalkIn, span);
    case TFigure::MemberReturned:
        return Returned(Member, span);
    case TFigure::RentalBought:
        return StockedIn(0);
    case TFigure::SaleBought:
        return StockedIn(1);
    case TFigure::Sold:
        return SaleLines(Sale);
    case TFigure::Refunded:
        return SaleLines(Refund);
    case TFigure::Cancelled:
        return Units(Format("Day2>=#$BDAY$# And Day2<=#$EDAY$# AND CId2=%d", {Withdrawn}));
    case TFigure::RentFromDeposits:
        return PerMovement("-A.Sum2", QStringLiteral("A.Sum2<0"), {Format("B.CId2=%d", {Settled})},
                           span);
    case TFigure::RangeSaleRefunds:
        return Format("SELECT SUM(A.Sum1) AS TSum FROM TbFTransaction AS A WHERE %s AND "
                      "A.CId1=%d AND EXISTS (SELECT B.Id FROM TbSTransaction AS B WHERE "
                      "B.FId=A.Id AND B.Day>=#$BDAY$# And B.Day<=#$EDAY$#)",
                      {InRange, Refund});
    }
    return {};
}

QList<TFigure> CostliestFirst() {
    // Ten years of a large ledger: the rental line figures take 200 to 500 ms
    // each, the deposits handed back and the cancelled units tens, the rest a
    // few.
    QList<TFigure> order = {
        TFigure::RentFromDeposits, TFigure::MemberDeposit,  TFigure::WalkInDeposit,
        TFigure::MemberRent,       TFigure::MemberReturned, TFigure::MemberRented,
        TFigure::WalkInReturned,   TFigure::WalkInRent,     TFigure::WalkInRented,
        TFigure::DepositReturned,  TFigure::Cancelled};
    for (int i = 0; i < FigureCount; ++i) {
        if (!order.contains(TFigure(i))) {
            order.append(TFigure(i));
        }
    }
    return order;
}

bool IsCount(TFigure figure) {
    return figure >= TFigure::WalkInRented && figure <= TFigure::Cancelled;
}

} // namespace OverViewSql

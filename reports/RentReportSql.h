#pragma once

#include <QString>

// The Jet SQL of the rental reports, with the date macros $BDAY$ and $EDAY$.
//
// The rank list and the pie count a line when it was rented or returned in the
// range. They read that as two disjoint parts, lines rented in the range and
// lines returned in it but rented outside it, each found along its own day
// index, counted per title and only then joined to the titles: one index
// range per part instead of an OR over two indexes and a sort of every line.
// Ties in the sums go by code or name so the ten printed are always the same.
namespace RentReportSql {

// Code, Name, TPower; with `group` also the category name (CName) first, in
// category order.
QString Top(bool group);
// CName, TPower.
QString Pie();
// The bills of the range: Id, Month, Day, CId1, Associator, Deposit, Rent.
// `memberFilter` is empty (every renter) or MemberFilter(id).
QString Detail(const QString& memberFilter);
// The lines of those bills, by bill: FId, Day1, Day2, Code, Name, CId2, Status.
QString DetailLines(const QString& memberFilter);
QString MemberFilter(int memberId);
// Month, TDeposit, TRent, by month.
QString Month();
// The discs out rented between the two dates (yyyy-MM-dd), both included:
// Day, Days, Code, Name, Associator, Telephone, Address.
QString Late(const QString& latest, const QString& earliest);

} // namespace RentReportSql

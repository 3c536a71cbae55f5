#pragma once

#include <QList>
#include <QString>

// The Jet SQL of the business overview: one statement per figure, each with
// the date macros $BDAY$ and $EDAY$ and answering one value, TSum (empty when
// nothing counts).
//
// A movement counts towards a deposit or rent figure once, when one of its
// rental lines qualifies; the statements ask that per movement (EXISTS along
// the lines' movement index), or over a long range list the movements of the
// qualifying lines in that index's order, instead of joining every line and
// removing the repeats. The disc counts add up each title's lines first and
// read the title's units once per title, not once per line. The statements
// are independent of each other.
namespace OverViewSql {

// How much of the ledger a range covers. The lines of a short range are
// found by day (sorted by title for the counts, asked per movement for the
// money); a long range walks every line in title or movement order instead,
// which costs less than sorting or asking for most of them.
enum class TSpan { Short, Long };

// The figures in the order they are evaluated.
enum class TFigure {
    WalkInDeposit,   // deposits of walk-in bills rented in the range, as first taken
    MemberDeposit,   // the same for members
    DepositReturned, // deposits handed back (settled and cancelled bills)
    DepositHeld,     // deposits of bills still out
    WalkInRent,      // rent of walk-in bills settled
    MemberRent,      // rent of members' bills settled
    RentalPurchases, // payments for rental stock-ins (negative)
    SalePurchases,   // payments for sale stock-ins (negative)
    Sales,           // sales
    SaleRefunds,     // sales refunded in full (negative)
    MemberPayments,  // member payments
    MemberDeposits,  // member deposits
    MemberRefunds,   // refunds to members (positive)
    WalkInRented,    // units rented to walk-in renters
    MemberRented,    // units rented to members
    WalkInReturned,  // units returned by walk-in renters
    MemberReturned,  // units returned by members
    RentalBought,    // rental titles stocked in
    SaleBought,      // sale discs stocked in
    Sold,            // sale discs sold
    Refunded,        // sale discs taken back
    Cancelled,       // units of cancelled rentals
    // Parts of the figures above that the profit must not count twice:
    RentFromDeposits, // rent of settled bills that was taken out of the deposit
    RangeSaleRefunds, // full refunds of sales made within the range (negative)
};
inline constexpr int FigureCount = int(TFigure::RangeSaleRefunds) + 1;

// The statement of a figure over a range of that span.
QString Statement(TFigure figure, TSpan span = TSpan::Short);
// True for the counts of discs and units, false for amounts of money.
bool IsCount(TFigure figure);
// Every figure once, those whose statements read the most rows first (the
// rental lines, then the movements and the rest), so that statements run side
// by side end together instead of one long statement starting last.
QList<TFigure> CostliestFirst();

} // namespace OverViewSql

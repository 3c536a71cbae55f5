#pragma once

#include "rental/BillRentObject.h"
#include "storage/Currency.h"
#include "storage/dao/CBQuery.h"
#include "storage/records/Associator.h"
#include "storage/records/FTransaction.h"
#include "storage/records/RTransaction.h"
#include "storage/records/RentCd.h"

#include <QList>
#include <QString>
#include <QStringList>

class TOperator;
class TPrinter;
class TShopInfo;

// The business object behind the rental counter: one customer at a time, the
// discs to rent out or take back, deposit, rent and refund, and the commits
// that write a rental, a return or a cancellation, each in one transaction.
class TRentObject {
public:
    enum TState { Idle = 1, Returning = 2, Renting = 3 };
    // A series entry never expands to more codes than this.
    static constexpr int MaxExpandedCodes = 1000;

    // The printer configuration, shop and logged-in operator live for the
    // whole program (not owned).
    TRentObject(const TPrinter& printer, const TShopInfo& shop, const TOperator& cashier);

    // "0001.1-10.20-30" → 0001, 0001-1 … 0001-10, 0001-20 … 0001-30. A range
    // bound that is not a number is reported and counts as 0; an entry of more
    // than MaxExpandedCodes codes is refused with a warning and gives none.
    static QStringList ExpandCodes(const QString& text);

    // Feeds each code of the entry to the renting or returning path.
    void EnterCode(const QString& text);
    // Loads the member by code and its open rentals; false for an unknown code.
    bool EnterMember(const QString& code);
    // Selects or clears line `index` of NowLines and recomputes the totals.
    void SelectLine(int index, bool selected);
    // Recomputes after the desk changed NowLines[CurrentLine].Selected.
    void Recalculate();
    void CommitRent();
    void CommitReturn();
    void CancelRent();
    void Reset();
    // Hands the figures to the receipt and prints it.
    void FillReceipt();

    static int LineCount(const QList<TRTransaction>& lines, bool all);
    static Currency DepositSum(const QList<TRTransaction>& lines, bool all);
    static Currency RentSum(const QList<TRTransaction>& lines, bool all);
    // Days shown for a line: rawDays, or rawDays + 1 on the day of the rental.
    static int ShownDays(qint64 rawDays) { return int(rawDays > 0 ? rawDays : rawDays + 1); }

    int Sn = 0;
    int State = Idle;
    Currency Received;
    Currency Refund;
    Currency DepositTotal;
    Currency RentTotal;
    QString Memo;
    int CurrentLine = -1;
    TFTransaction Fund;
    TAssociator Renter;
    TRentCd Disc;
    TBillRentObject Bill;
    QList<TRTransaction> NowLines;
    QList<TRTransaction> HeldLines;

private:
    // What a commit may change in memory, restored when the commit fails.
    struct TSnapshot {
        int sn, state;
        Currency received, refund, depositTotal, rentTotal;
        TFTransaction fund;
        TAssociator renter;
        QList<TRTransaction> nowLines, heldLines, billLines;
    };
    TSnapshot Snapshot() const;
    void Restore(const TSnapshot& snapshot);
    template <typename TEngine, typename Commit>
    friend void CommitAtomically(TEngine& engine, Commit commit);

    // A different renter starts a new bill: every bill and its movement
    // belong to one renter. The same renter keeps the bill open until Reset.
    void TakeRenter(const TAssociator& renter);
    bool CheckRent(const TRentCd& disc);
    void AddRentLine(const TRentCd& disc);
    void LoadReturnByDisc(const TRentCd& disc);
    void LoadReturnByMember();
    // A stored line with its linked records, its days and (for the "now" list)
    // its rent; selected.
    TRTransaction LoadLine(int id) const;
    void SetRefund();
    void ClearTotals();
    bool PrintingOn() const;
    void CopyLinesToReceipt(const QList<TRTransaction>& lines);
    void OpenDrawerIfPaid();
    // A fresh rental movement of the current bill into the cash box.
    void NewRentalMovement();
    void WriteReturnedLine(TRTransaction& line);
    void ReturnPartOfBills(bool oneBill, Currency held);
    void ApplyLatePenalty(const QDate& latestDay1);

    const TPrinter& printer_;
    const TOperator& cashier_;
};

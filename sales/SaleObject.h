#pragma once

#include "rental/BillSaleObject.h"
#include "storage/Currency.h"
#include "storage/records/FTransaction.h"
#include "storage/records/STransaction.h"
#include "storage/records/SaleCd.h"

#include <QList>
#include <QString>
#include <QStringList>

class TOperator;
class TPrinter;
class TShopInfo;

// The business object behind the sales counter: the titles one customer buys,
// priced with quantity and discount, and the commits that write a sale or take
// lines of an earlier bill back, each in one transaction.
class TSaleObject {
public:
    enum TState { Empty = 1, Selling = 5, Refunding = 6 };
    // Kinds of a sale line and of its fund movement (fixed TbCategory Ids).
    enum TKind { SaleKind = 6, RefundKind = 7 };

    // The printer configuration, shop and logged-in operator live for the
    // whole program (not owned).
    TSaleObject(const TPrinter& printer, const TShopInfo& shop, const TOperator& cashier);

    void Reset();
    // Looks the title up by code and adds a line for it, asking first when it
    // is out of stock. Unknown codes change nothing. A known code entered
    // while a bill is loaded starts a new sale, so the loaded lines are never
    // written as sold again.
    void EnterCode(const QString& code);
    void EnterCodes(const QStringList& codes);
    // One line of the title, unless NowLines already holds one.
    void AddLine(int titleId);
    // Loads the still-sold lines of bill `sn` for a refund, Sn becoming `sn`;
    // state Empty when the bill has none.
    void LoadBill(int sn);
    // The same for a typed bill number; text that is not a whole number is
    // reported under "单据编号" and changes nothing.
    void LoadBill(const QString& text);
    // The operator's edit of line `index`: "折扣", "数量" and "单价" are each
    // checked (zero allowed) and every valid one is taken; a refused one is
    // reported and the line keeps its value. Then Total and Received follow.
    // False when a value was refused. An amount out of range raises
    // EVintorError and leaves the line as it was.
    bool EditLine(int index, const QString& discount, const QString& number, const QString& price);
    // Total and Received from the selected lines of NowLines.
    void Recalculate();
    void CommitSale();
    void CommitRefund();
    // Hands bill number, figures and memo to the receipt and prints it.
    void FillReceipt();

    static int LineCount(const QList<TSTransaction>& lines, bool all);
    static int NumberSum(const QList<TSTransaction>& lines, bool all);
    // Summed line by line, each line amount rounded to the money grid.
    // Amounts out of range raise EVintorError here and in LineAmount.
    static Currency AmountSum(const QList<TSTransaction>& lines, bool all);
    // Number × Price, times Discount/10 when a discount is set.
    static Currency LineAmount(const TSTransaction& line);

    int Sn = 0;
    int State = Empty;
    Currency Total;
    Currency Received;
    Currency Cash;
    Currency Change;
    QString Memo;
    TFTransaction Fund;
    TSaleCd Disc;
    TBillSaleObject Bill;
    QList<TSTransaction> NowLines;
    QList<TSTransaction> HistoryLines;

private:
    // What a commit may change in memory, restored when the commit fails.
    struct TSnapshot {
        int sn, state;
        Currency total, received;
        TFTransaction fund;
        TSaleCd disc;
        QList<TSTransaction> nowLines, historyLines, billLines;
    };
    TSnapshot Snapshot() const;
    void Restore(const TSnapshot& snapshot);
    template <typename TEngine, typename Commit>
    friend void CommitAtomically(TEngine& engine, Commit commit);

    // Adds `change` to the stock of the line's title as stored now (two lines
    // of one bill may name the same title, another counter may have sold it)
    // and saves it; a title deleted meanwhile refuses the commit.
    void MoveStock(TSTransaction& line, qint64 change);
    void OpenDrawer();

    const TPrinter& printer_;
    const TOperator& cashier_;
    // The lists hold a bill loaded for a refund (until the next Reset).
    bool billLoaded_ = false;
};

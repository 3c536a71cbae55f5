#include "sales/SaleObject.h"

#include "rental/ReceiptFigures.h"
#include "storage/CheckedMoney.h"
#include "storage/Clock.h"
#include "storage/InputChecks.h"
#include "storage/Prompter.h"
#include "storage/dao/AtomicCommit.h"
#include "storage/dao/CBQuery.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/dao/Recheck.h"
#include "storage/records/Operator.h"
#include "storage/records/Printer.h"

#include <algorithm>

namespace {

constexpr int CashBoxAccount = 1;

// The line ids of a sale bill that are still sold, in the order stored.
QList<int> SaleKindIds(int sn) {
    QList<int> ids;
    TCBQuery query;
    if (query.HasRows(
            Format(QStringLiteral("SELECT Id FROM TbSTransaction WHERE CId2=%d AND Sn=%d"),
                   {int(TSaleObject::SaleKind), sn}))) {
        for (; !query.Eof(); query.Next()) {
            ids.append(int(query.FieldByName(QStringLiteral("Id")).AsInteger()));
        }
    }
    return ids;
}

} // namespace

TSaleObject::TSaleObject(const TPrinter& printer, const TShopInfo& shop, const TOperator& cashier)
    : Bill(printer, shop, cashier), printer_(printer), cashier_(cashier) {
    Reset();
}

void TSaleObject::Reset() {
    State = Empty;
    Sn = 0;
    Total = Received = Cash = Change = Currency();
    Memo.clear();
    Disc = TSaleCd();
    Disc.Id = 0;
    NowLines.clear();
    HistoryLines.clear();
    Bill.ClearLines();
    billLoaded_ = false;
}

void TSaleObject::EnterCode(const QString& code) {
    TSaleCd title;
    if (title.LoadByCode(code) < 0) {
        return;
    }
    if (billLoaded_) {
        Reset();
    }
    Disc = title;
    if (Disc.Number2 >= 1 ||
        AskYesNo(Format(QStringLiteral("影片[%s]目前库存不足，是否继续销售？"), {Disc.Name}))) {
        AddLine(Disc.Id);
    }
    State = Selling;
}

void TSaleObject::EnterCodes(const QStringList& codes) {
    for (const QString& code : codes) {
        EnterCode(code);
    }
}

void TSaleObject::AddLine(int titleId) {
    if (std::any_of(NowLines.begin(), NowLines.end(),
                    [titleId](const TSTransaction& line) { return line.CId1 == titleId; })) {
        return;
    }
    TSTransaction line;
    if (!line.SaleCd.LoadById(titleId)) {
        return;
    }
    line.Selected = true;
    line.Id = -1;
    line.Day = TClock::Today();
    line.CId1 = titleId;
    line.CId2 = SaleKind;
    line.FId = 0;
    line.Discount = Currency();
    line.Number = 1;
    line.Price = line.SaleCd.Price;
    line.Sn = 0;
    line.Category.LoadById(SaleKind);
    Total = CheckedMoney::Add(Total, line.Price);
    NowLines.append(line);
    Received = Total;
}

void TSaleObject::LoadBill(int sn) {
    State = Empty;
    const QList<int> ids = SaleKindIds(sn);
    if (ids.isEmpty()) {
        return;
    }
    State = Refunding;
    billLoaded_ = true;
    // The refund's receipt carries the bill's own number and only the lines
    // taken back.
    Sn = sn;
    Bill.ClearLines();
    Total = Received = Currency();
    NowLines.clear();
    HistoryLines.clear();
    for (const int id : ids) {
        TSTransaction line;
        line.LoadById(id);
        line.Selected = true;
        HistoryLines.append(line);
        NowLines.append(line);
    }
    // The bill's money: what is left on every movement it was sold with
    // (each commit before a Reset made one).
    QList<int> funds;
    for (const TSTransaction& line : NowLines) {
        if (!funds.contains(line.FId)) {
            funds.append(line.FId);
            TFTransaction movement;
            movement.LoadById(line.FId);
            Total = CheckedMoney::Add(Total, movement.Sum1);
        }
    }
    Fund = TFTransaction();
    Fund.LoadById(NowLines.back().FId);
    Received = Total;
    Memo = Fund.Memo;
}

void TSaleObject::LoadBill(const QString& text) {
    if (InputChecks::CheckInteger(QStringLiteral("单据编号"), text, true)) {
        LoadBill(text.trimmed().toInt());
    }
}

bool TSaleObject::EditLine(int index, const QString& discount, const QString& number,
                           const QString& price) {
    if (index < 0 || index >= NowLines.size()) {
        return false;
    }
    using namespace InputChecks;
    TSTransaction edited = NowLines[index];
    bool taken = true;
    if (CheckMoney(QStringLiteral("折扣"), discount, true)) {
        edited.Discount = *Currency::Parse(discount);
    } else {
        taken = false;
    }
    if (CheckInteger(QStringLiteral("数量"), number, true)) {
        edited.Number = number.trimmed().toInt();
    } else {
        taken = false;
    }
    if (CheckMoney(QStringLiteral("单价"), price, true)) {
        edited.Price = *Currency::Parse(price);
    } else {
        taken = false;
    }
    // An amount out of range is refused here, before the line changes.
    QList<TSTransaction> lines = NowLines;
    lines[index] = edited;
    AmountSum(lines, true);
    const Currency total = AmountSum(lines, false);
    NowLines[index] = edited;
    Total = total;
    Received = Total;
    return taken;
}

void TSaleObject::Recalculate() {
    Total = AmountSum(NowLines, false);
    Received = Total;
}

TSaleObject::TSnapshot TSaleObject::Snapshot() const {
    return {Sn, State, Total, Received, Fund, Disc, NowLines, HistoryLines, Bill.Lines};
}

void TSaleObject::Restore(const TSnapshot& s) {
    Sn = s.sn;
    State = s.state;
    Total = s.total;
    Received = s.received;
    Fund = s.fund;
    Disc = s.disc;
    NowLines = s.nowLines;
    HistoryLines = s.historyLines;
    Bill.Lines = s.billLines;
}

void TSaleObject::MoveStock(TSTransaction& line, qint64 change) {
    // Read inside the commit's transaction: another counter may have sold,
    // restocked or deleted the title meanwhile.
    TSaleCd title;
    if (!title.LoadById(line.CId1)) {
        throw EVintorError(
            Format(QStringLiteral("影片“%s”已被别处删除，本单未保存。"), {line.SaleCd.Code}));
    }
    title.Number2 = CheckedMoney::AddCount(title.Number2, change);
    title.Save();
    line.SaleCd = title;
    if (Disc.Id == title.Id) {
        Disc = title;
    }
}

void TSaleObject::OpenDrawer() {
    if (printer_.CashBox == 1) {
        Bill.Printer.OpenDrawer();
    }
}

void TSaleObject::CommitSale() {
    // A sale without a ticked line would book money for no goods.
    if (State != Selling || LineCount(NowLines, false) == 0) {
        return;
    }
    CommitAtomically(*this, [this] {
        if (printer_.OnOff == 1) {
            for (const TSTransaction& line : NowLines) {
                if (line.Selected) {
                    Bill.Lines.append(line);
                }
            }
        }
        Fund = TFTransaction();
        Fund.Id = -1;
        Fund.Day = TClock::Today();
        Fund.CId1 = SaleKind;
        Fund.Flag = TFTransaction::AccountMovement;
        Fund.CId2 = 0;
        Fund.CId3 = cashier_.Id;
        Fund.AId1 = CashBoxAccount;
        Fund.AId2 = 0;
        Fund.AId3 = 0;
        Fund.Sum1 = Received;
        Fund.Sum2 = Currency();
        Fund.Memo = Memo;
        Fund.Save();
        if (Sn == 0) {
            Sn = TSTransaction().NextSerial();
        }
        for (TSTransaction& line : NowLines) {
            if (!line.Selected) {
                continue;
            }
            line.FId = Fund.Id;
            MoveStock(line, -qint64(line.Number));
            line.Sn = Sn;
            line.Save();
            HistoryLines.append(line);
        }
        NowLines.clear();
        // Nothing is being prepared now, so the next title starts a new total;
        // Received stays for the receipt.
        Total = Currency();
    });
    OpenDrawer();
}

void TSaleObject::CommitRefund() {
    // Without a ticked line nothing goes back and the bill stays as it is.
    if (State != Refunding || LineCount(NowLines, false) == 0) {
        return;
    }
    CommitAtomically(*this, [this] {
        using namespace CheckedMoney;
        // What goes back on each movement of the bill: the amounts of its
        // lines taken back, in the order met. What is paid back beyond or
        // short of the lines goes with the first.
        QList<std::pair<int, Currency>> portions;
        Currency linesAmount;
        Bill.ClearLines();
        for (TSTransaction& line : NowLines) {
            if (!line.Selected) {
                continue;
            }
            if (printer_.OnOff == 1) {
                Bill.Lines.append(line);
            }
            Recheck::RequireRow(
                Format(QStringLiteral("SELECT Id FROM TbSTransaction WHERE Id=%d AND CId2=%d"),
                       {line.Id, int(SaleKind)}),
                Format(QStringLiteral("影片“%s”已在别处退货，本单未保存。"), {line.SaleCd.Code}));
            MoveStock(line, line.Number);
            line.CId2 = RefundKind;
            line.Save();
            const int id = line.Id;
            HistoryLines.removeIf([id](const TSTransaction& held) { return held.Id == id; });
            const Currency amount = LineAmount(line);
            linesAmount = Add(linesAmount, amount);
            const auto portion = std::find_if(portions.begin(), portions.end(),
                                              [&](const auto& p) { return p.first == line.FId; });
            if (portion == portions.end()) {
                portions.append({line.FId, amount});
            } else {
                portion->second = Add(portion->second, amount);
            }
        }
        portions.front().second = Add(portions.front().second, Subtract(Received, linesAmount));
        NowLines.clear();
        // A movement keeps the sale of its lines still sold; once none is
        // left it becomes the refund record of what was given back.
        for (const auto& [fundId, portion] : portions) {
            TFTransaction movement;
            movement.LoadById(fundId);
            movement.Day = TClock::Today();
            TCBQuery sold;
            if (sold.HasRows(
                    Format(QStringLiteral("SELECT Id FROM TbSTransaction WHERE FId=%d AND CId2=%d"),
                           {fundId, int(SaleKind)}))) {
                movement.CId1 = SaleKind;
                movement.Sum1 = Subtract(movement.Sum1, portion);
            } else {
                movement.CId1 = RefundKind;
                movement.Sum1 = Subtract(Currency(), portion);
            }
            sold.Close();
            movement.Memo = Memo;
            movement.Save();
            if (fundId == portions.front().first) {
                Fund = movement;
            }
        }
    });
    OpenDrawer();
}

void TSaleObject::FillReceipt() {
    PrintReceipt(Bill, {QString::number(Sn), 0, Received, Cash, Change, Memo, State});
}

int TSaleObject::LineCount(const QList<TSTransaction>& lines, bool all) {
    return int(std::count_if(lines.begin(), lines.end(),
                             [all](const TSTransaction& l) { return all || l.Selected; }));
}

int TSaleObject::NumberSum(const QList<TSTransaction>& lines, bool all) {
    int sum = 0;
    for (const TSTransaction& l : lines) {
        sum += all || l.Selected ? l.Number : 0;
    }
    return sum;
}

Currency TSaleObject::AmountSum(const QList<TSTransaction>& lines, bool all) {
    Currency sum;
    for (const TSTransaction& l : lines) {
        if (all || l.Selected) {
            sum = CheckedMoney::Add(sum, LineAmount(l));
        }
    }
    return sum;
}

Currency TSaleObject::LineAmount(const TSTransaction& line) {
    const Currency full = CheckedMoney::Multiply(line.Price, line.Number);
    if (line.Discount.IsZero()) {
        return full;
    }
    return CheckedMoney::FromLongDouble(full.ToLongDouble() *
                                        (line.Discount / Currency::FromWhole(10)));
}

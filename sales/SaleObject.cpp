#include "sales/SaleObject.h"

#include "storage/AtomicCommit.h"
#include "storage/CBQuery.h"
#include "storage/Clock.h"
#include "storage/DM.h"
#include "storage/Format.h"
#include "storage/InputChecks.h"
#include "storage/Operator.h"
#include "storage/Printer.h"
#include "storage/Prompter.h"

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
    NowLines.append(line);
    Total += line.Price;
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
    Fund = TFTransaction();
    Fund.LoadById(NowLines.back().FId);
    Total = Fund.Sum1;
    Received = Total;
    Memo = Fund.Memo;
}

void TSaleObject::LoadBill(const QString& text) {
    if (InputChecks::CheckInteger(QStringLiteral("单据编号"), text, true)) {
        LoadBill(text.trimmed().toInt());
    }
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

void TSaleObject::MoveStock(TSTransaction& line, int change) {
    TSaleCd title;
    if (!title.LoadById(line.CId1)) {
        return;
    }
    title.Number2 += change;
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
            MoveStock(line, -line.Number);
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
        const int fundId = NowLines.front().FId;
        for (TSTransaction& line : NowLines) {
            if (!line.Selected) {
                continue;
            }
            MoveStock(line, line.Number);
            line.CId2 = RefundKind;
            line.Save();
            const int id = line.Id;
            HistoryLines.removeIf([id](const TSTransaction& held) { return held.Id == id; });
        }
        NowLines.clear();
        Fund = TFTransaction();
        Fund.LoadById(fundId);
        Fund.Day = TClock::Today();
        const Currency rest = Fund.Sum1 - Received;
        if (!rest.IsZero()) {
            Fund.CId1 = SaleKind;
            Fund.Sum1 = rest;
        } else {
            Fund.CId1 = RefundKind;
            Fund.Sum1 = -Received;
        }
        Fund.Memo = Memo;
        Fund.Save();
    });
    OpenDrawer();
}

void TSaleObject::FillReceipt() {
    Bill.BillNo = QString::number(Sn);
    Bill.Amount1 = Received;
    Bill.Amount2 = Cash;
    Bill.Amount3 = Change;
    Bill.Note = Memo;
    Bill.Kind = State;
    Bill.Print();
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
        sum += all || l.Selected ? LineAmount(l) : Currency();
    }
    return sum;
}

Currency TSaleObject::LineAmount(const TSTransaction& line) {
    const Currency full = line.Price * qint64(line.Number);
    if (line.Discount.IsZero()) {
        return full;
    }
    return Currency::FromLongDouble(full.ToLongDouble() *
                                    (line.Discount / Currency::FromWhole(10)));
}

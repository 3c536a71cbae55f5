#include "rental/RentObject.h"

#include "rental/ReceiptFigures.h"
#include "storage/CheckedMoney.h"
#include "storage/Clock.h"
#include "storage/InputChecks.h"
#include "storage/JetDate.h"
#include "storage/Prompter.h"
#include "storage/dao/AtomicCommit.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/dao/Recheck.h"
#include "storage/records/Operator.h"
#include "storage/records/Printer.h"

#include <algorithm>
#include <set>

namespace {

enum { ReturnedLine = 1, OpenLine = 2, CancelledLine = 3 };
enum { ReturnKind = 1, RentalKind = 2, CancelKind = 3 };
constexpr int CashBoxAccount = 1;

// The rows of a SELECT as (first column, second column) pairs.
QList<std::pair<int, int>> IdPairs(const QString& sql, const char* second) {
    QList<std::pair<int, int>> rows;
    TCBQuery query;
    if (query.HasRows(sql)) {
        for (; !query.Eof(); query.Next()) {
            rows.append({int(query.FieldByName(QStringLiteral("Id")).AsInteger()),
                         int(query.FieldByName(QLatin1String(second)).AsInteger())});
        }
    }
    return rows;
}

qint64 RawDays(const QDate& day1) {
    return day1.daysTo(TClock::Today());
}

// Inside a rental's transaction: every disc to rent out is still in stock.
void RecheckInStock(const QList<TRTransaction>& lines) {
    for (const TRTransaction& line : lines) {
        if (line.Selected) {
            Recheck::RequireRow(
                Format(QStringLiteral("SELECT Id FROM TbRentCd WHERE Id=%d AND Status=%d"),
                       {line.CId1, int(TRentCd::InStock)}),
                Format(QStringLiteral("光盘“%s”已被别处租出，本单未保存。"), {line.RentCd.Code}));
        }
    }
}

// Inside a return's or cancellation's transaction: every line of the bills
// is still out on the movement it was loaded with.
void RecheckOpen(const QList<TRTransaction>& lines) {
    for (const TRTransaction& line : lines) {
        Recheck::RequireRow(
            Format(QStringLiteral("SELECT Id FROM TbRTransaction WHERE Id=%d AND CId2=%d AND "
                                  "FId=%d"),
                   {line.Id, int(OpenLine), line.FId}),
            Format(QStringLiteral("光盘“%s”已在别处归还或撤消，本单未保存。"), {line.RentCd.Code}));
    }
}

} // namespace

TRentObject::TRentObject(const TPrinter& printer, const TShopInfo& shop, const TOperator& cashier)
    : Bill(printer, shop, cashier), printer_(printer), cashier_(cashier) {
    Reset();
}

QStringList TRentObject::ExpandCodes(const QString& text) {
    if (!text.contains(u'.')) {
        return {text};
    }
    QStringList codes;
    QString prefix;
    qint64 total = 0;
    auto bound = [](const QString& value, const QString& caption) -> qint64 {
        return InputChecks::CheckInteger(caption, value, true) ? value.trimmed().toLongLong() : 0;
    };
    for (const QString& part : text.split(u'.')) {
        const int dash = part.indexOf(u'-');
        if (dash < 0) {
            codes.append(part);
            prefix = part;
            ++total;
            continue;
        }
        const qint64 from = bound(part.left(dash), QStringLiteral("开始集数"));
        const qint64 to = bound(part.mid(dash + 1), QStringLiteral("结束集数"));
        if (to < from) {
            continue;
        }
        total += to - from + 1;
        if (total > MaxExpandedCodes) {
            ShowWarning(QStringLiteral("输入的编号“%1”包含的影片超过%2部，请分段输入。")
                            .arg(text)
                            .arg(MaxExpandedCodes));
            return {};
        }
        for (qint64 n = from; n <= to; ++n) {
            codes.append(prefix + u'-' + QString::number(n));
        }
    }
    return codes;
}

void TRentObject::ClearTotals() {
    DepositTotal = RentTotal = Received = Refund = Currency();
}

void TRentObject::SetRefund() {
    Refund =
        RentTotal < DepositTotal ? CheckedMoney::Subtract(DepositTotal, RentTotal) : Currency();
}

bool TRentObject::PrintingOn() const {
    return printer_.OnOff == 1;
}

void TRentObject::CopyLinesToReceipt(const QList<TRTransaction>& lines) {
    if (PrintingOn()) {
        Bill.AddLines(lines);
    }
}

void TRentObject::OpenDrawerIfPaid() {
    if (printer_.CashBox == 1 && (!Received.IsZero() || !Refund.IsZero())) {
        Bill.Printer.OpenDrawer();
    }
}

void TRentObject::EnterCode(const QString& text) {
    for (const QString& code : ExpandCodes(text)) {
        TRentCd disc;
        if (disc.LoadByCode(code) < 0) {
            continue;
        }
        Disc = disc;
        if (Disc.Status == TRentCd::InStock) {
            if (State != Renting) {
                ClearTotals();
                NowLines.clear();
                Bill.ClearLines();
            }
            if (CheckRent(Disc)) {
                AddRentLine(Disc);
                State = Renting;
            }
        } else if (Disc.Status == TRentCd::RentedOut) {
            if (State != Renting ||
                AskYesNo(QStringLiteral("目前正在处理出租业务，但您输入的影片已经出租，是否切换到返"
                                        "还业务。"))) {
                LoadReturnByDisc(Disc);
                State = Returning;
            }
        }
    }
}

bool TRentObject::CheckRent(const TRentCd& disc) {
    if (Renter.IsWalkIn()) {
        return true;
    }
    if (Renter.QuotaCheckPending) {
        Renter.QuotaCheckPending = false;
        const TAtorType& type = Renter.AtorType;
        const char* question = nullptr;
        if (type.T_Num != 0 && Renter.RemainingNumber() <= Currency()) {
            question = "会员[%s]剩余部数不足，需要缴费才能出租。是否继续出租？";
        } else if (type.T_Day != 0 && Renter.RemainingDays() < 1) {
            question = "会员[%s]剩余天数不足，需要缴费才能出租。是否继续出租？";
        } else if (type.Fee >= 5 && Renter.Balance <= Currency()) {
            question = "会员[%s]预收租金不足，需要缴费才能出租。是否继续出租？";
        }
        if (question) {
            return AskYesNo(Format(QString::fromUtf8(question), {Renter.Name}));
        }
    }
    TCBQuery query;
    if (!query.HasRows(
            Format(QStringLiteral("SELECT Id,Day1 FROM TbRTransaction WHERE AId=%d AND CId1=%d"),
                   {Renter.Id, disc.Id}))) {
        return true;
    }
    const QDate day1 = query.FieldByName(QStringLiteral("Day1")).AsDateTime();
    query.Close();
    return AskYesNo(Format(QStringLiteral("影片[%s]已经在 %s 租过，是否继续出租？"),
                           {disc.Name, JetDate::LongText(day1)}));
}

void TRentObject::AddRentLine(const TRentCd& disc) {
    for (const TRTransaction& line : NowLines) {
        if (line.CId1 == disc.Id) {
            return;
        }
    }
    TRTransaction line;
    line.Selected = true;
    line.Days = 0;
    line.Id = -1;
    line.Day1 = line.Day2 = TClock::Today();
    line.AId = Renter.IsWalkIn() ? 0 : Renter.Id;
    line.CId1 = disc.Id;
    line.FId = 0;
    line.RentCd = disc;
    line.Category.LoadById(OpenLine);
    // The deposit may take units from the member: kept only with the line.
    TAssociator renter = Renter;
    line.Deposit = renter.DepositFor(disc);
    line.Rent = Currency();
    line.Sn = 0;
    line.CId2 = OpenLine;
    DepositTotal = CheckedMoney::Add(DepositTotal, line.Deposit);
    Renter = renter;
    line.Associator = Renter;
    NowLines.append(line);
    Received = DepositTotal;
}

TRTransaction TRentObject::LoadLine(int id) const {
    TRTransaction line;
    line.LoadById(id);
    const qint64 rawDays = RawDays(line.Day1);
    line.Selected = true;
    line.Days = ShownDays(rawDays);
    line.Rent = Renter.RentFor(line.RentCd, rawDays);
    return line;
}

void TRentObject::LoadReturnByDisc(const TRentCd& disc) {
    const auto rows = IdPairs(
        Format(QStringLiteral("SELECT Id,AId FROM TbRTransaction WHERE CId2=%d AND Sn=(SELECT Top "
                              "1 Sn FROM TbRTransaction WHERE CId2=%d AND CId1=%d ORDER BY Id "
                              "DESC)"),
               {OpenLine, OpenLine, disc.Id}),
        "AId");
    if (!rows.isEmpty()) {
        NowLines.clear();
        HeldLines.clear();
        DepositTotal = RentTotal = Refund = Currency();
        TAssociator renter;
        renter.Id = 0;
        if (rows.front().second > 0) {
            renter.LoadById(rows.front().second);
        }
        TakeRenter(renter);
        for (const auto& row : rows) {
            TRTransaction line = LoadLine(row.first);
            RentTotal = CheckedMoney::Add(RentTotal, line.Rent);
            NowLines.append(line);
        }
        Fund = TFTransaction();
        Fund.LoadById(NowLines.back().FId);
        DepositTotal = Fund.Sum1;
        Memo = Fund.Memo;
        if (!Renter.IsWalkIn()) {
            const auto held = IdPairs(Format(QStringLiteral("SELECT Id,AId FROM TbRTransaction "
                                                            "WHERE AId=%d AND CId2=%d ORDER BY "
                                                            "Day1 ASC"),
                                             {Renter.Id, OpenLine}),
                                      "AId");
            for (const auto& row : held) {
                HeldLines.append(LoadLine(row.first));
            }
        } else {
            HeldLines = NowLines;
            Sn = HeldLines.back().Sn;
        }
    }
    Received = RentTotal;
    SetRefund();
}

bool TRentObject::EnterMember(const QString& code) {
    TAssociator member;
    if (member.LoadByCode(code) < 0) {
        return false;
    }
    TakeRenter(member);
    LoadReturnByMember();
    return true;
}

void TRentObject::TakeRenter(const TAssociator& renter) {
    if (renter.Id != Renter.Id) {
        Sn = 0;
    }
    Renter = renter;
}

void TRentObject::LoadReturnByMember() {
    State = Idle;
    const auto rows =
        IdPairs(Format(QStringLiteral("SELECT Id,FId FROM TbRTransaction WHERE CId2=%d AND AId=%d"),
                       {OpenLine, Renter.Id}),
                "FId");
    if (rows.isEmpty()) {
        HeldLines.clear();
        DepositTotal = RentTotal = Currency();
    } else {
        State = Returning;
        NowLines.clear();
        HeldLines.clear();
        DepositTotal = RentTotal = Refund = Currency();
        int previousFund = -1;
        for (const auto& row : rows) {
            const TRTransaction line = LoadLine(row.first);
            HeldLines.append(line);
            NowLines.append(line);
            RentTotal = CheckedMoney::Add(RentTotal, line.Rent);
            if (row.second != previousFund) {
                Fund = TFTransaction();
                Fund.LoadById(row.second);
                DepositTotal = CheckedMoney::Add(DepositTotal, Fund.Sum1);
                previousFund = row.second;
            }
        }
        Received = RentTotal;
        Memo = Fund.Memo;
    }
    SetRefund();
}

void TRentObject::SelectLine(int index, bool selected) {
    if (index < 0 || index >= NowLines.size() || NowLines[index].Selected == selected) {
        return;
    }
    NowLines[index].Selected = selected;
    CurrentLine = index;
    Recalculate();
}

void TRentObject::Recalculate() {
    if (State == Returning) {
        RentTotal = RentSum(NowLines, false);
        Received = RentTotal;
    } else if (State == Renting) {
        const Currency deposit = DepositSum(NowLines, false);
        if (CurrentLine >= 0 && CurrentLine < NowLines.size() && Renter.UsesQuota()) {
            const TRTransaction& line = NowLines[CurrentLine];
            Renter.Number = line.Selected ? CheckedMoney::Subtract(Renter.Number, line.RentCd.Power)
                                          : CheckedMoney::Add(Renter.Number, line.RentCd.Power);
        }
        DepositTotal = deposit;
        Received = DepositTotal;
    }
}

TRentObject::TSnapshot TRentObject::Snapshot() const {
    return {Sn,   State,  Received, Refund,    DepositTotal, RentTotal,
            Fund, Renter, NowLines, HeldLines, Bill.Lines};
}

void TRentObject::Restore(const TSnapshot& s) {
    Sn = s.sn;
    State = s.state;
    Received = s.received;
    Refund = s.refund;
    DepositTotal = s.depositTotal;
    RentTotal = s.rentTotal;
    Fund = s.fund;
    Renter = s.renter;
    NowLines = s.nowLines;
    HeldLines = s.heldLines;
    Bill.Lines = s.billLines;
}

void TRentObject::NewRentalMovement() {
    Sn = TRTransaction().NextSerial();
    Fund = TFTransaction();
    Fund.Id = -1;
    Fund.AId3 = Renter.IsWalkIn() ? 0 : Renter.Id;
    Fund.Sum1 = Received;
}

void TRentObject::CommitRent() {
    DepositTotal = Currency();
    if (NowLines.isEmpty() || State != Renting) {
        return;
    }
    CommitAtomically(*this, [this] {
        RecheckInStock(NowLines);
        CopyLinesToReceipt(NowLines);
        if (Sn == 0) {
            NewRentalMovement();
        } else {
            TFTransaction bill;
            if (bill.LoadByRentalSn(Sn) == 1) {
                Fund = bill;
                Fund.Sum1 = CheckedMoney::Add(bill.Sum1, Received);
            } else {
                // Everything on that bill was settled meanwhile: a new bill.
                NewRentalMovement();
            }
        }
        Fund.Day = TClock::Today();
        Fund.CId1 = RentalKind;
        Fund.Flag = TFTransaction::AccountMovement;
        Fund.CId2 = 0;
        Fund.CId3 = cashier_.Id;
        Fund.AId1 = CashBoxAccount;
        Fund.AId2 = 0;
        Fund.Sum2 = Currency();
        Fund.Memo = Memo;
        Fund.Save();
        int saved = 0;
        for (TRTransaction& line : NowLines) {
            if (!line.Selected) {
                continue;
            }
            line.RentCd.Status = TRentCd::RentedOut;
            line.RentCd.Save();
            line.FId = Fund.Id;
            line.Sn = Sn;
            line.Save();
            line.Days = 1;
            HeldLines.append(line);
            ++saved;
        }
        NowLines.clear();
        if (saved > 0 && !Renter.IsWalkIn() && Renter.AtorType.T_Num != 0) {
            Renter.Save();
        }
    });
    OpenDrawerIfPaid();
}

void TRentObject::WriteReturnedLine(TRTransaction& line) {
    line.Day2 = TClock::Today();
    line.RentCd.Status = TRentCd::InStock;
    line.RentCd.Save();
    line.CId2 = ReturnedLine;
    line.Save();
    HeldLines.removeIf([&](const TRTransaction& held) { return held.Id == line.Id; });
}

void TRentObject::CommitReturn() {
    if (NowLines.isEmpty() || State != Returning || LineCount(NowLines, false) == 0) {
        return;
    }
    for (int i = 0; i < NowLines.size(); ++i) {
        if (NowLines[i].Selected) {
            NowLines.swapItemsAt(i, 0);
        }
    }
    QDate latestDay1;
    CommitAtomically(*this, [this, &latestDay1] {
        RecheckOpen(NowLines);
        CopyLinesToReceipt(NowLines);
        Currency held;
        int previous = -1;
        for (const TRTransaction& line : NowLines) {
            if (line.Selected && line.FId != previous) {
                TFTransaction movement;
                movement.LoadById(line.FId);
                held = CheckedMoney::Add(held, movement.Sum1);
                previous = line.FId;
            }
        }
        const int firstFund = NowLines.front().FId;
        const bool oneBill =
            std::all_of(NowLines.begin(), NowLines.end(),
                        [&](const TRTransaction& l) { return l.FId == firstFund; });
        const bool allSelected = LineCount(NowLines, false) == NowLines.size();
        if (allSelected) {
            Fund = TFTransaction();
            Fund.LoadById(firstFund);
            Fund.Day = TClock::Today();
            Fund.CId1 = ReturnKind;
            Fund.CId3 = cashier_.Id;
            Fund.Sum1 = Refund;
            Fund.Sum2 = held < CheckedMoney::Add(Refund, Received) ? Received : -Received;
            Fund.Memo = Memo;
            Fund.Save();
            std::set<int> deleted;
            for (TRTransaction& line : NowLines) {
                if (line.FId != firstFund && deleted.insert(line.FId).second) {
                    TDM::Instance().ExecSql(Format(
                        QStringLiteral("DELETE * FROM TbFTransaction WHERE Id=%d"), {line.FId}));
                }
                line.FId = firstFund;
            }
        } else {
            ReturnPartOfBills(oneBill, held);
        }
        for (TRTransaction& line : NowLines) {
            if (line.Selected) {
                if (!latestDay1.isValid() || line.Day1 > latestDay1) {
                    latestDay1 = line.Day1;
                }
                WriteReturnedLine(line);
            }
        }
        NowLines.clear();
        if (!Renter.IsWalkIn() && Renter.AtorType.Fee >= 5) {
            Renter.Balance = CheckedMoney::Subtract(Renter.Balance, Received);
            Renter.Save();
        }
        if (Renter.IsLate(latestDay1)) {
            ApplyLatePenalty(latestDay1);
        }
    });
    OpenDrawerIfPaid();
}

// A return of some lines: a new return movement for them, the bill's deposit
// movement reduced by what was handed back (and by the rent when the operator
// takes it out of the deposit).
void TRentObject::ReturnPartOfBills(bool oneBill, Currency held) {
    TFTransaction bill;
    bill.LoadById(NowLines.front().FId);
    TFTransaction returned = bill;
    returned.Id = -1;
    returned.Day = TClock::Today();
    returned.CId1 = ReturnKind;
    returned.CId3 = cashier_.Id;
    returned.Sum1 = Refund;
    returned.Memo = Memo;
    bool fromDeposit = false;
    if (held > Currency() && Received > Currency()) {
        fromDeposit = AskYesNo(Format(QStringLiteral("返还影片收取的租金：%0.2f元，是否从押金：%0."
                                                     "2f中扣除?"),
                                      {Received, held}));
    }
    // Deposits of other bills whose lines all stay out move into the first
    // bill's movement, so no deposit still held is lost.
    Currency carried;
    std::set<int> merged;
    if (!oneBill) {
        std::set<int> selectedFunds;
        for (const TRTransaction& line : NowLines) {
            if (line.Selected) {
                selectedFunds.insert(line.FId);
            }
        }
        for (const TRTransaction& line : NowLines) {
            if (!line.Selected && line.FId != bill.Id && merged.insert(line.FId).second &&
                !selectedFunds.count(line.FId)) {
                TFTransaction other;
                other.LoadById(line.FId);
                carried = CheckedMoney::Add(carried, other.Sum1);
            }
        }
    }
    using namespace CheckedMoney;
    const Currency kept = Add(Subtract(held, Refund), carried);
    if (fromDeposit) {
        returned.Sum2 = -Received;
        bill.Sum1 = Subtract(kept, Received);
        bill.Save();
    } else {
        returned.Sum2 = Received;
        if (!oneBill || Refund > Currency()) {
            bill.Sum1 = kept;
            bill.Save();
        }
    }
    returned.Save();
    Fund = returned;
    for (const int id : merged) {
        TDM::Instance().ExecSql(
            Format(QStringLiteral("DELETE * FROM TbFTransaction WHERE Id=%d"), {id}));
    }
    for (TRTransaction& line : NowLines) {
        line.FId = line.Selected ? returned.Id : bill.Id;
        if (!line.Selected) {
            line.Save();
            for (TRTransaction& held : HeldLines) {
                if (held.Id == line.Id) {
                    held.FId = bill.Id;
                }
            }
        }
    }
}

void TRentObject::ApplyLatePenalty(const QDate& latestDay1) {
    const TAtorType& type = Renter.AtorType;
    const qint64 overdue = latestDay1.daysTo(TClock::Today()) - type.Days;
    TPenaltyRequest request;
    request.code = u'[' + Renter.Code + u']' + Renter.Name;
    request.days = QStringLiteral("%1 天").arg(overdue);
    const bool units = type.Punish == 2;
    request.caption = units ? QStringLiteral("扣减部数：") : QStringLiteral("扣减金额：");
    request.proposed = units ? QString::number(overdue) : Currency::FromWhole(overdue).ToFixed(2);
    for (;;) {
        const std::optional<QString> entry = TPrompter::Current().Penalty(request);
        if (!entry) {
            return;
        }
        if (!InputChecks::CheckMoney(request.caption, *entry, true)) {
            continue; // the dialog opens again on the proposed value
        }
        const Currency amount = Currency::Parse(*entry).value_or(Currency());
        if (units) {
            Renter.Number =
                CheckedMoney::Subtract(Renter.Number, Currency::FromWhole(amount.RoundedWhole()));
        } else {
            Renter.Balance = CheckedMoney::Subtract(Renter.Balance, amount);
        }
        Renter.Save();
        return;
    }
}

void TRentObject::CancelRent() {
    if (NowLines.isEmpty() || State != Returning) {
        return;
    }
    CommitAtomically(*this, [this] {
        RecheckOpen(NowLines);
        CopyLinesToReceipt(NowLines);
        TFTransaction bill;
        bill.LoadById(NowLines.front().FId);
        TFTransaction target;
        if (LineCount(NowLines, false) == NowLines.size()) {
            bill.Day = TClock::Today();
            bill.CId1 = CancelKind;
            bill.CId3 = cashier_.Id;
        } else {
            bill.Sum1 = CheckedMoney::Subtract(bill.Sum1, Refund);
            target = bill;
            target.Id = -1;
            target.Day = TClock::Today();
            target.CId1 = CancelKind;
            target.CId3 = cashier_.Id;
            target.Sum1 = Refund;
            target.Sum2 = Received;
            target.Memo = Memo;
            target.Save();
        }
        bill.Memo = Memo;
        bill.Save();
        if (target.Id <= 0) {
            target = bill;
        }
        Fund = target;
        Currency power;
        for (qsizetype i = NowLines.size() - 1; i >= 0; --i) {
            TRTransaction& line = NowLines[i];
            if (!line.Selected) {
                line.Selected = true;
                continue;
            }
            line.FId = target.Id;
            line.Day2 = TClock::Today();
            line.RentCd.Status = TRentCd::InStock;
            line.RentCd.Save();
            line.CId2 = CancelledLine;
            line.Save();
            power = CheckedMoney::Add(power, line.RentCd.Power);
            const int id = line.Id;
            HeldLines.removeIf([id](const TRTransaction& held) { return held.Id == id; });
            NowLines.removeAt(i);
        }
        if (power > Currency() && Renter.UsesQuota()) {
            Renter.Number = CheckedMoney::Add(Renter.Number, power);
            Renter.Save();
        }
    });
}

void TRentObject::Reset() {
    State = Idle;
    ClearTotals();
    Sn = 0;
    Memo.clear();
    Disc = TRentCd();
    Disc.Id = 0;
    Renter = TAssociator();
    Renter.Id = 0;
    Renter.AId = 0;
    Fund = TFTransaction();
    CurrentLine = -1;
    NowLines.clear();
    HeldLines.clear();
    Bill.ClearLines();
}

void TRentObject::FillReceipt() {
    PrintReceipt(Bill, {QString::number(Fund.Id), Renter.IsWalkIn() ? 0 : Renter.Id, Received,
                        Refund, Currency(), Memo, State});
}

int TRentObject::LineCount(const QList<TRTransaction>& lines, bool all) {
    return int(std::count_if(lines.begin(), lines.end(),
                             [all](const TRTransaction& l) { return all || l.Selected; }));
}

Currency TRentObject::DepositSum(const QList<TRTransaction>& lines, bool all) {
    Currency sum;
    for (const TRTransaction& l : lines) {
        sum = CheckedMoney::Add(sum, all || l.Selected ? l.Deposit : Currency());
    }
    return sum;
}

Currency TRentObject::RentSum(const QList<TRTransaction>& lines, bool all) {
    Currency sum;
    for (const TRTransaction& l : lines) {
        sum = CheckedMoney::Add(sum, all || l.Selected ? l.Rent : Currency());
    }
    return sum;
}

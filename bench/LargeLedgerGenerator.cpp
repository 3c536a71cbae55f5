#include "bench/LargeLedgerGenerator.h"

#include "bench/BulkWriter.h"
#include "bench/SeededRandom.h"
#include "storage/JetDate.h"
#include "storage/Pinyin.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/ledger/FileOps.h"
#include "storage/ledger/LedgerTemplate.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <vector>

namespace LargeLedgerGenerator {

namespace {

using TTable = TBulkWriter::TTable;

constexpr int CashBox = 1;
constexpr int BankAccount = 2;
constexpr int Suppliers = 5;
constexpr int Actors = 400;
constexpr int LongestRental = 12; // days; a title is lent again only after that
constexpr int OperatorClerk = 2;

// Characters names are made of; each contributes the initial of its reading.
const char16_t NameCharacters[] =
    u"爱情战争英雄天下无敌风云龙虎黑夜白雪花月星光海洋山水火城市人生梦想青春"
    u"少年时代传奇故事江湖侠客剑刀神秘王国公主女孩男人家族兄弟姐妹朋友战士"
    u"最后一个秘密生死危机追击行动使命任务飞车狂奔东方西部南北大小新旧红蓝"
    u"金银铁血泪笑声音乐舞蹈天空地球未来世界回忆幸福快乐悲伤黄昏黎明午夜";
const char16_t Surnames[] = u"王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹";

struct TFeeRow {
    const char* name;
    int deposit1, number1, rent1, days1, deposit2, number2;
    double rent2;
    int days2;
};
// Fee standards: the template's first, then new releases and series.
const TFeeRow Fees[] = {
    {"标准收费", 20, 1, 2, 1, 10, 1, 1, 1},
    {"新片收费", 30, 1, 3, 1, 20, 1, 2, 1},
    {"连续剧收费", 10, 1, 1, 3, 5, 1, 0.5, 3},
};

struct TMemberType {
    const char* name;
    int tDay, tSum, tNum, days, fee, punish;
};
// Member types: the template's first, then one of every other charging kind.
const TMemberType MemberTypes[] = {
    {"普通会员", 0, 0, 0, 0, 4, 1},   {"包月会员", 30, 50, 0, 3, 1, 1},
    {"计次会员", 0, 30, 10, 3, 2, 2}, {"季度会员", 90, 100, 40, 5, 3, 2},
    {"储值会员", 0, 0, 0, 3, 5, 3},
};

struct TTitle {
    int fee;
    Currency power;
    int freeFrom;   // first day (day number) it may be lent again
    int writtenOff; // day of the write-off; INT_MAX when never
};

struct TSaleTitle {
    Currency price;
    int stock;
};

// Everything the day-by-day simulation writes and remembers.
struct TWork {
    TWork(const QString& path, const TOptions& o) : writer(path), random(o.seed), options(o) {}
    TBulkWriter writer;
    TSeededRandom random;
    const TOptions& options;
    TStats stats;
    int firstDay = 0;
    int days = 0;
    QString alphabet;
    QString alphabetInitials;
    QStringList actors;
    std::vector<TTitle> titles;
    std::vector<int> memberTypes; // index into MemberTypes, per member
    std::vector<TSaleTitle> saleTitles;
    qint64 rentalTitleSerial = 0;
    qint64 batchSerial = 0;
    std::vector<TTable> tables;
};

enum TableIndex {
    RentCd,
    SaleCd,
    Associator,
    FTransaction,
    RTransaction,
    STransaction,
    ITransaction
};

TTable& Table(TWork& w, TableIndex index) {
    return w.tables[size_t(index)];
}

Currency Money(double amount) {
    return Currency::FromDouble(amount);
}

// A name of `length` characters and its initials.
QPair<QString, QString> MakeName(TWork& w, int length, const QString& first = QString()) {
    QString name = first;
    QString spell = first.isEmpty() ? QString() : Pinyin::Initials(first);
    while (name.size() < length) {
        const qsizetype n = w.random.Below(w.alphabet.size());
        name += w.alphabet[n];
        spell += w.alphabetInitials[n];
    }
    return {name, spell};
}

QString PersonName(TWork& w) {
    const QString surnames = QString::fromUtf16(Surnames);
    const QString surname = surnames.mid(w.random.Below(surnames.size()), 1);
    return MakeName(w, int(w.random.Between(2, 3)), surname).first;
}

void WriteMasterData(TWork& w) {
    // Initials of the name characters, as the program computes them.
    w.alphabet = QString::fromUtf16(NameCharacters);
    for (const QChar c : std::as_const(w.alphabet)) {
        w.alphabetInitials += Pinyin::Initials(QString(c));
    }
    TBulkWriter& out = w.writer;
    out.Exec("DELETE FROM TbFee");
    out.Exec("DELETE FROM TbAtorType");
    TTable fee = out.Table("TbFee", "Id,Name,Deposit1,Number1,Rent1,Days1,Deposit2,Number2,Rent2,"
                                    "Days2");
    int id = 0;
    for (const TFeeRow& f : Fees) {
        fee.Insert({++id, f.name, Money(f.deposit1), Money(f.number1), Money(f.rent1), f.days1,
                    Money(f.deposit2), Money(f.number2), Money(f.rent2), f.days2});
    }
    TTable type = out.Table("TbAtorType", "Id,Name,T_Day,T_Sum,T_Num,Days,Fee,Punish,Memo");
    id = 0;
    for (const TMemberType& t : MemberTypes) {
        type.Insert({++id, t.name, t.tDay, Money(t.tSum), t.tNum, t.days, t.fee, t.punish, ""});
    }
    out.Table("TbOperator", "Id,Name,Password,Op1,Op2,Op3,Op4,Op13,Op14,Op17")
        .Insert({OperatorClerk, "店员", "1234", 1, 1, 1, 1, 1, 1, 1});
    out.Table("TbAccount", "Id,Name,\"Max\",\"Min\",\"No\",Bank,Contact,Telephone,Memo")
        .Insert({BankAccount, "银行账户", Currency(), Currency(), "6222020200112233445",
                 "中国工商银行", "店主", "", ""});
    out.Table("TbBank", "Name,Memo").Insert({"中国工商银行", ""});
    TTable company = out.Table("TbCompany", "Name,Address,Telephone,Memo");
    for (int n = 1; n <= Suppliers; ++n) {
        company.Insert({Format(QStringLiteral("音像批发部%d"), {n}), "文化市场", "", ""});
    }
    TTable player = out.Table("TbPlayer", "Name,Spell,Memo");
    for (int n = 0; n < Actors; ++n) {
        const QString name = PersonName(w);
        w.actors.append(name);
        player.Insert({name, Pinyin::Initials(name), ""});
    }
    w.tables = {
        out.Table("TbRentCd", "Code,Name,Spell,Day,Alias1,Alias2,CId,FId,Status,Director,Player,"
                              "Number,Price,Power,Memo"),
        out.Table("TbSaleCd", "Code,Name,Spell,Day,Alias1,Alias2,CId,Director,Player,Number1,"
                              "Number2,Cost,Price,Memo"),
        out.Table("TbAssociator", "Code,Name,Spell,AId,LastDay,Number,Balance,Deposit,Telephone,"
                                  "Address,Memo"),
        out.Table("TbFTransaction", "Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,Memo"),
        out.Table("TbRTransaction", "Day1,Day2,AId,CId1,FId,Deposit,Rent,Sn,CId2"),
        out.Table("TbSTransaction", "Day,CId1,CId2,FId,Discount,Number,Price,Sn"),
        out.Table("TbITransaction", "Day,CId1,CId2,FId,Flag,Number,Price,Sn"),
    };
}

// Appends a fund movement and returns its Id.
qint64 Movement(TWork& w, int day, int kind, int flag, int account, int other, int member,
                Currency sum1, Currency sum2, int supplier = 0) {
    ++w.stats.fundMovements;
    const int clerk = w.random.Chance(0.7) ? OperatorClerk : 1;
    return Table(w, FTransaction)
        .Insert({day, kind, flag, supplier, clerk, account, other, member, sum1, sum2, ""});
}

// The payment of a stock-in batch, known once its lines are written.
void SetPayment(TWork& w, qint64 fund, Currency total) {
    const QString sql =
        Format(QStringLiteral("UPDATE TbFTransaction SET Sum1=%0.4f WHERE Id=%d"), {-total, fund});
    w.writer.Exec(sql.toUtf8().constData());
}

int Category(TWork& w, bool series) {
    return series ? int(w.random.Between(9, 10)) : int(w.random.Between(3, 10));
}

QString Cast(TWork& w) {
    return w.actors[w.random.Below(w.actors.size())] + u',' +
           w.actors[w.random.Below(w.actors.size())];
}

// One stock-in batch of `count` rental titles: a single title or a series.
void StockRentalTitles(TWork& w, int day, qint64 count) {
    const int batch = int(++w.batchSerial);
    const qint64 fund = Movement(w, day, 21, 0, BankAccount, 0, 0, Currency(), Currency(),
                                 int(w.random.Between(1, Suppliers)));
    Currency total;
    while (count > 0) {
        const bool series = count >= 10 && w.random.Chance(0.05);
        const int episodes =
            series ? int(w.random.Between(10, int(std::min<qint64>(count, 30)))) : 1;
        const auto [name, spell] = MakeName(w, int(w.random.Between(2, 6)));
        const QString code = Format(QStringLiteral("%06d"), {++w.rentalTitleSerial});
        const int category = Category(w, series);
        const QString director = w.actors[w.random.Below(w.actors.size())];
        const QString cast = Cast(w);
        for (int episode = 1; episode <= episodes; ++episode) {
            const int fee = series ? 3 : (w.random.Chance(0.3) ? 2 : 1);
            const Currency power = series || w.random.Chance(0.9)
                                       ? Money(1)
                                       : Money(0.5 * double(w.random.Between(1, 4)));
            const Currency price = Money(double(w.random.Between(8, 40)));
            const bool writtenOff = w.random.Chance(0.02);
            const int writeOff = writtenOff ? day + int(w.random.Between(30, 2000)) : INT_MAX;
            const int status = writeOff <= w.firstDay + w.days - 1 ? 3 : 1;
            const qint64 id = Table(w, RentCd).Insert(
                {series ? Format(QStringLiteral("%s-%d"), {code, episode}) : code, name, spell, day,
                 "", "", category, fee, status, director, cast, int(w.random.Between(1, 2)), price,
                 power, series ? Format(QStringLiteral("第%d集"), {episode}) : QString()});
            w.titles.push_back({fee, power, day, writeOff});
            Table(w, ITransaction).Insert({day, id, 21, fund, 0, 1, price, batch});
            total += price;
            ++w.stats.rentalTitles;
            ++w.stats.stockInLines;
            --count;
        }
    }
    SetPayment(w, fund, total);
}

void StockSaleTitles(TWork& w, int day, qint64 count) {
    const int batch = int(++w.batchSerial);
    const qint64 fund = Movement(w, day, 22, 0, BankAccount, 0, 0, Currency(), Currency(),
                                 int(w.random.Between(1, Suppliers)));
    Currency total;
    for (; count > 0; --count) {
        const auto [name, spell] = MakeName(w, int(w.random.Between(2, 6)));
        const Currency cost = Money(double(w.random.Between(8, 30)));
        const Currency price = cost + Money(double(w.random.Between(5, 20)));
        const int quantity = int(w.random.Between(10, 40));
        const qint64 id = Table(w, SaleCd).Insert(
            {Format(QStringLiteral("S%05d"), {qint64(w.saleTitles.size() + 1)}), name, spell, day,
             "", "", Category(w, false), w.actors[w.random.Below(w.actors.size())], Cast(w),
             int(w.random.Between(1, 3)), quantity, cost, price, ""});
        w.saleTitles.push_back({price, quantity});
        Table(w, ITransaction).Insert({day, id, 22, fund, 1, quantity, cost, batch});
        total += cost * quantity;
        ++w.stats.saleTitles;
        ++w.stats.stockInLines;
    }
    SetPayment(w, fund, total);
}

// A member payment (kind 11) or deposit (kind 13): out of the member, into the cash box.
void MemberMovement(TWork& w, int day, int kind, qint64 member, Currency amount) {
    Movement(w, day, kind, 1, int(member), CashBox, int(member), -amount, amount);
    ++w.stats.memberPayments;
}

Currency PaymentOf(const TMemberType& type) {
    return Money(type.tSum > 0 ? type.tSum : 100);
}

void JoinMember(TWork& w, int day) {
    const int type = int(w.random.Below(std::size(MemberTypes)));
    const TMemberType& t = MemberTypes[type];
    const QString name = PersonName(w);
    const int lastDay = t.tDay > 0 ? w.firstDay + w.days - 1 + int(w.random.Between(-30, 60)) : day;
    const Currency deposit = w.random.Chance(0.5) ? Money(50) : Currency();
    const qint64 id =
        Table(w, Associator)
            .Insert({Format(QStringLiteral("%06d"), {qint64(w.memberTypes.size()) + 100001}), name,
                     Pinyin::Initials(name), type + 1, lastDay,
                     Money(double(t.tNum > 0 ? w.random.Between(0, t.tNum) : 0)),
                     Money(t.fee == 5 ? double(w.random.Between(0, 200)) : 0), deposit,
                     Format(QStringLiteral("139%08d"), {w.random.Below(100000000)}), "", ""});
    w.memberTypes.push_back(type);
    ++w.stats.members;
    if (t.tSum > 0 || t.fee == 5) {
        MemberMovement(w, day, 11, id, PaymentOf(t));
    }
    if (!deposit.IsZero()) {
        MemberMovement(w, day, 13, id, deposit);
    }
}

void PayMembership(TWork& w, int day) {
    const qint64 member = w.random.Below(qint64(w.memberTypes.size()));
    MemberMovement(w, day, 11, member + 1, PaymentOf(MemberTypes[w.memberTypes[member]]));
}

struct TLine {
    qint64 title;
    Currency deposit;
    Currency rent;
};

// Deposit of a title for the renter's member type (-1: walk-in renter).
Currency DepositFor(const TTitle& title, int type) {
    const TFeeRow& fee = Fees[title.fee - 1];
    if (type < 0) {
        return Currency::FromLongDouble(title.power.ToLongDouble() / fee.number1 * fee.deposit1);
    }
    const int kind = MemberTypes[type].fee;
    return kind == 2 || kind == 4
               ? Currency::FromLongDouble(title.power.ToLongDouble() / fee.number2 * fee.deposit2)
               : Currency();
}

// Rent for `days` days: whole charging units times the rent, by the days
// beyond one period but never less than one period.
Currency RentFor(const TTitle& title, int type, int days) {
    const TFeeRow& fee = Fees[title.fee - 1];
    const int kind = type < 0 ? 0 : MemberTypes[type].fee;
    if (type >= 0 && kind != 3 && kind != 4 && kind != 5) {
        return Currency();
    }
    const long double number = type < 0 ? fee.number1 : fee.number2;
    const long double rent = type < 0 ? fee.rent1 : fee.rent2;
    const int period = type < 0 ? fee.days1 : fee.days2;
    const qint64 units = RoundHalfEven(title.power.ToLongDouble() / number);
    const long double factor =
        days <= 0 ? 1.0L : std::max(RoundHalfEven((long double)days / period, 4), 1.0L);
    return Currency::FromLongDouble(units * rent * factor);
}

struct TSettlement {
    Currency refund;
    Currency rent; // Sum2: positive when paid on top, negative when taken from the deposit
};

TSettlement Settle(Currency held, Currency rent) {
    const Currency refund = rent < held ? held - rent : Currency();
    return {refund, held < refund + rent ? rent : -rent};
}

// A free title stocked by `day`, newer titles more often; -1 when none turned up.
qint64 PickTitle(TWork& w, int day, const std::vector<TLine>& taken) {
    const double count = double(w.titles.size());
    for (int attempt = 0; attempt < 12; ++attempt) {
        const double u = w.random.Unit();
        const qint64 index = std::min(qint64(count * (1.0 - u * u)), qint64(count) - 1);
        const TTitle& title = w.titles[size_t(index)];
        const bool inBill = std::any_of(taken.begin(), taken.end(),
                                        [&](const TLine& l) { return l.title == index; });
        if (!inBill && title.freeFrom <= day && title.writtenOff > day + LongestRental) {
            return index;
        }
    }
    return -1;
}

int ReturnDay(TWork& w, int day) {
    if (w.random.Chance(0.002)) {
        return INT_MAX; // never brought back
    }
    const int kept = int(w.random.Between(0, 3)) + int(w.random.Between(0, 3)) +
                     (w.random.Chance(0.1) ? int(w.random.Between(0, LongestRental - 6)) : 0);
    return day + kept;
}

void WriteLines(TWork& w, const std::vector<TLine>& lines, size_t from, size_t to, int day1,
                int day2, int member, qint64 fund, qint64 sn, int state) {
    for (size_t n = from; n < to; ++n) {
        const TLine& l = lines[n];
        const bool out = state == 2;
        Table(w, RTransaction)
            .Insert({day1, out ? day1 : day2, member, l.title + 1, fund, l.deposit,
                     out ? Currency() : l.rent, sn, state});
        w.titles[size_t(l.title)].freeFrom = out ? INT_MAX : day2 + 1;
        ++w.stats.rentalLines;
    }
}

// One rental bill with its whole later history: open, cancelled, returned at
// once, or returned in two parts.
void RentalBill(TWork& w, int day, qint64 lines) {
    const int lastDay = w.firstDay + w.days - 1;
    const bool walkIn = w.memberTypes.empty() || w.random.Chance(0.3);
    const qint64 member = walkIn ? 0 : w.random.Below(qint64(w.memberTypes.size())) + 1;
    const int type = walkIn ? -1 : w.memberTypes[size_t(member - 1)];
    std::vector<TLine> bill;
    while (qint64(bill.size()) < lines) {
        const qint64 title = PickTitle(w, day, bill);
        if (title < 0) {
            break;
        }
        bill.push_back({title, DepositFor(w.titles[size_t(title)], type), Currency()});
    }
    if (bill.empty()) {
        return;
    }
    Currency deposit;
    for (const TLine& l : bill) {
        deposit += l.deposit;
    }
    const qint64 sn = w.stats.rentalLines + 1; // Max(Id)+1 of the line table
    ++w.stats.rentalBills;
    const int m = int(member);
    if (w.random.Chance(0.03)) { // cancelled on the spot
        const qint64 fund = Movement(w, day, 3, 0, CashBox, 0, m, deposit, Currency());
        WriteLines(w, bill, 0, bill.size(), day, day, m, fund, sn, 3);
        ++w.stats.billsCancelled;
        return;
    }
    const int back = ReturnDay(w, day);
    const bool split = bill.size() > 1 && w.random.Chance(0.1);
    const size_t early = split ? size_t(w.random.Between(1, qint64(bill.size()) - 1)) : 0;
    const int earlyBack = split ? std::min(back, day + int(w.random.Between(0, 2))) : back;
    const int lateBack = back == INT_MAX ? back : std::max(back, earlyBack + 1);
    auto rentOf = [&](size_t from, size_t to, int returned) {
        Currency sum;
        for (size_t n = from; n < to; ++n) {
            bill[n].rent = RentFor(w.titles[size_t(bill[n].title)], type, returned - day);
            sum += bill[n].rent;
        }
        return sum;
    };
    Currency held = deposit;
    qint64 earlyFund = 0;
    if (early > 0 && earlyBack <= lastDay) {
        // The first discs come back alone: their own return movement.
        Currency part;
        for (size_t n = 0; n < early; ++n) {
            part += bill[n].deposit;
        }
        const Currency rent = rentOf(0, early, earlyBack);
        const Currency refund = Settle(part, rent).refund;
        held = deposit - refund;
        earlyFund = Movement(w, earlyBack, 1, 0, CashBox, 0, m, refund, rent);
    }
    const size_t rest = earlyFund > 0 ? early : 0;
    qint64 fund = 0;
    if (lateBack <= lastDay) {
        const TSettlement s = Settle(held, rentOf(rest, bill.size(), lateBack));
        fund = Movement(w, lateBack, 1, 0, CashBox, 0, m, s.refund, s.rent);
    } else {
        fund = Movement(w, day, 2, 0, CashBox, 0, m, held, Currency());
        ++w.stats.billsOut;
    }
    if (earlyFund > 0) {
        WriteLines(w, bill, 0, rest, day, earlyBack, m, earlyFund, sn, 1);
    }
    WriteLines(w, bill, rest, bill.size(), day, lateBack, m, fund, sn, lateBack <= lastDay ? 1 : 2);
}

void SaleBill(TWork& w, int day, qint64 lines) {
    const qint64 sn = w.stats.saleLines + 1;
    struct TSale {
        qint64 title;
        int number;
        int discount;
        Currency amount;
    };
    std::vector<TSale> sales;
    Currency total;
    for (int attempt = 0; attempt < 8 && qint64(sales.size()) < lines; ++attempt) {
        const qint64 title = w.random.Below(qint64(w.saleTitles.size()));
        TSaleTitle& t = w.saleTitles[size_t(title)];
        if (t.stock == 0) {
            continue;
        }
        const int number = t.stock > 1 && w.random.Chance(0.1) ? 2 : 1;
        const int discount = w.random.Chance(0.15) ? int(w.random.Between(8, 9)) : 0;
        const Currency amount =
            discount == 0
                ? t.price * number
                : Currency::FromLongDouble(t.price.ToLongDouble() * number * discount / 10);
        t.stock -= number;
        sales.push_back({title, number, discount, amount});
        total += amount;
    }
    if (sales.empty()) {
        return;
    }
    const qint64 fund = Movement(w, day, 6, 0, CashBox, 0, 0, total, Currency());
    for (const TSale& s : sales) {
        Table(w, STransaction)
            .Insert({day, s.title + 1, 6, fund, Money(s.discount), s.number,
                     w.saleTitles[size_t(s.title)].price, sn});
        ++w.stats.saleLines;
    }
}

// Rows due by the end of day `index` when `total` are spread over the days,
// `opening` of them on the first day.
qint64 DueBy(const TWork& w, qint64 total, double opening, int index) {
    const qint64 first = qint64(double(total) * opening);
    return first + (total - first) * (index + 1) / w.days;
}

void Simulate(TWork& w) {
    const TOptions& o = w.options;
    qint64 payments = 0;
    qint64 lines = 0;
    qint64 saleLines = 0;
    for (int index = 0; index < w.days; ++index) {
        const int day = w.firstDay + index;
        if (const qint64 due = DueBy(w, o.rentalTitles, 0.05, index) - w.stats.rentalTitles;
            due > 0) {
            StockRentalTitles(w, day, due);
        }
        if (const qint64 due = DueBy(w, o.saleTitles, 0.1, index) - w.stats.saleTitles; due > 0) {
            StockSaleTitles(w, day, due);
        }
        while (w.stats.members < DueBy(w, o.members, 0.02, index)) {
            JoinMember(w, day);
        }
        for (; payments < DueBy(w, qint64(o.members) * 4, 0, index); ++payments) {
            PayMembership(w, day);
        }
        for (const qint64 due = DueBy(w, o.rentalLines, 0, index); lines < due;) {
            const qint64 count = std::min(due - lines, w.random.Between(1, 4));
            RentalBill(w, day, count);
            lines += count;
        }
        for (const qint64 due = DueBy(w, o.saleLines, 0, index); saleLines < due;) {
            const qint64 count = std::min(due - saleLines, w.random.Between(1, 3));
            SaleBill(w, day, count);
            saleLines += count;
        }
        if (index % 7 == 6) { // the week's takings go to the bank
            const Currency amount = Money(double(w.random.Between(500, 3000)));
            Movement(w, day, 16, 0, CashBox, BankAccount, 0, -amount, amount);
        }
        if (JetDate::FromDayNumber(day).day() == 1) { // the month's rent
            Movement(w, day, 27, 0, BankAccount, 0, 0, -Money(3000), Currency());
        }
    }
}

} // namespace

TStats Generate(const QString& path, const TOptions& options) {
    if (QFileInfo::exists(path)) {
        throw EOleException(QStringLiteral("文件“%1”已经存在，不能覆盖。").arg(path));
    }
    QElapsedTimer clock;
    clock.start();
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    LedgerTemplate::WriteBlankLedger(partial);
    TStats stats;
    try {
        TWork w(partial, options);
        w.firstDay = int(JetDate::DayNumber(options.lastDay.addYears(-options.years).addDays(1)));
        w.days = int(JetDate::DayNumber(options.lastDay)) - w.firstDay + 1;
        WriteMasterData(w);
        Simulate(w);
        w.writer.Exec("UPDATE TbRentCd SET Status=2 WHERE Id IN "
                      "(SELECT CId1 FROM TbRTransaction WHERE CId2=2)");
        w.writer.Exec("UPDATE TbSaleCd SET Number2=Number2-ifnull((SELECT Sum(Number) FROM "
                      "TbSTransaction AS S WHERE S.CId1=TbSaleCd.Id AND S.CId2=6),0)");
        w.writer.Finish();
        stats = w.stats;
        stats.titlesOut = std::count_if(w.titles.begin(), w.titles.end(),
                                        [](const TTitle& t) { return t.freeFrom == INT_MAX; });
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw EInOutError(QStringLiteral("无法把“%1”改名为“%2”。").arg(partial, path));
    }
    FileOps::Sync(QFileInfo(path).absolutePath());
    stats.seconds = double(clock.nsecsElapsed()) / 1e9;
    stats.fileBytes = QFileInfo(path).size();
    return stats;
}

QString Describe(const TStats& s) {
    const QList<QPair<const char*, qint64>> rows = {
        {"rental titles", s.rentalTitles},
        {"  of them rented out", s.titlesOut},
        {"members", s.members},
        {"rental lines", s.rentalLines},
        {"rental bills", s.rentalBills},
        {"  still out", s.billsOut},
        {"  cancelled", s.billsCancelled},
        {"fund movements", s.fundMovements},
        {"member payments", s.memberPayments},
        {"sale titles", s.saleTitles},
        {"sale lines", s.saleLines},
        {"stock-in lines", s.stockInLines},
    };
    QString text;
    for (const auto& [name, value] : rows) {
        text += QStringLiteral("%1 %2\n").arg(QLatin1String(name), -22).arg(value, 10);
    }
    text += QStringLiteral("%1 %2 s\n")
                .arg(QStringLiteral("generation"), -22)
                .arg(s.seconds, 10, 'f', 1);
    text += QStringLiteral("%1 %2 MB\n")
                .arg(QStringLiteral("file size"), -22)
                .arg(double(s.fileBytes) / (1024.0 * 1024.0), 10, 'f', 1);
    return text;
}

} // namespace LargeLedgerGenerator

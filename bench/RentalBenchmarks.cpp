#include "bench/RentalBenchmarks.h"

#include "bench/LedgerSamples.h"
#include "bench/Measurement.h"
#include "rental/RentObject.h"
#include "storage/PickSearch.h"
#include "storage/Pinyin.h"
#include "storage/ScriptedPrompter.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/Operator.h"
#include "storage/records/Printer.h"
#include "storage/records/ShopInfo.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace RentalBenchmarks {

namespace {

using namespace LedgerSamples;

constexpr int Runs = 30;
constexpr int HeldByMember = 20;

using Measurement::Print;

// The engine of one counter, with the program-wide rows it reads.
struct TCounter {
    TPrinter printer;
    TShopInfo shop;
    TOperator cashier;
    TCounter() {
        printer.LoadById(1);
        printer.OnOff = 0; // the figures are the engine's, not a device's
        printer.CashBox = 0;
        shop.LoadById(1);
        cashier.LoadById(1);
    }
    std::unique_ptr<TRentObject> NewEngine() const {
        return std::make_unique<TRentObject>(printer, shop, cashier);
    }
};

void TimeEngine(TDM& dm) {
    TScriptedPrompter prompter; // every question answered Yes, as a busy clerk does
    TPrompterScope scope(prompter);
    const TCounter counter;
    const QString member = MemberHolding(dm, HeldByMember, *counter.NewEngine());
    auto desk = counter.NewEngine();
    Print(Measurement::Line(QStringLiteral("rent: enter a member with 20 open rentals"),
                            Measurement::Time(Runs, [&](int) { desk->EnterMember(member); })));

    // One engine per run: each rents a series of its own, then takes it back.
    const QStringList series = SeriesInStock(dm, Runs + 1);
    const int runs = int(std::min<qsizetype>(Runs, series.size() - 1));
    if (runs < 1) {
        Print(QStringLiteral("rent: series figures skipped, too few series in stock"));
        return;
    }
    std::vector<std::unique_ptr<TRentObject>> engines;
    for (int n = 0; n <= runs; ++n) {
        engines.push_back(counter.NewEngine());
    }
    size_t next = 0;
    Print(Measurement::Line(QStringLiteral("rent: enter a 10-episode series code (walk-in)"),
                            Measurement::Time(runs, [&](int) {
                                engines[next]->EnterCode(series[int(next)] +
                                                         QStringLiteral(".1-10"));
                                ++next;
                            })));
    next = 0;
    Print(Measurement::Line(QStringLiteral("rent: commit that 10-disc rental"),
                            Measurement::Time(runs, [&](int) { engines[next++]->CommitRent(); })));
    for (size_t n = 0; n < engines.size(); ++n) {
        engines[n]->Reset();
        engines[n]->EnterCode(series[int(n)] + QStringLiteral("-1")); // loads the whole bill
    }
    next = 0;
    Print(
        Measurement::Line(QStringLiteral("rent: return a 10-line bill"),
                          Measurement::Time(runs, [&](int) { engines[next++]->CommitReturn(); })));
}

void TimeLookups(TDM& dm) {
    const QStringList codes =
        Column(dm, QStringLiteral("SELECT TOP 50 Code FROM TbRentCd WHERE FId>0 AND CId>0"),
               QStringLiteral("Code"));
    const QStringList ids =
        Column(dm, QStringLiteral("SELECT TOP 50 Id FROM TbRentCd WHERE FId>0 AND CId>0"),
               QStringLiteral("Id"));
    QStringList initials;
    for (const QString& spell : Column(dm, QStringLiteral("SELECT TOP 500 Spell FROM TbRentCd"),
                                       QStringLiteral("Spell"))) {
        if (spell.size() >= 4) {
            initials.append(spell.left(4));
        }
    }
    TRentCd disc;
    Print(Measurement::Line(
        QStringLiteral("title with category and fee (TRentCd::LoadById)"),
        Measurement::Time(300, [&](int n) { disc.LoadById(ids[n % ids.size()].toInt()); })));
    TPickSearch pick;
    pick.Setup(&dm.DbBase, QStringLiteral("SELECT Id,Code,Name,Spell,Status FROM TbRentCd"), true,
               true);
    Print(Measurement::Line(
        QStringLiteral("pick search: four-letter initials (TPickSearch)"),
        Measurement::Time(300, [&](int n) { pick.Search(initials[n % initials.size()]); })));
    Print(Measurement::Line(
        QStringLiteral("pick search: code prefix (TPickSearch)"),
        Measurement::Time(300, [&](int n) { pick.Search(codes[n % codes.size()].left(4)); })));
    const QString name = QStringLiteral("射雕英雄传之东成西就");
    Print(Measurement::Line(QStringLiteral("PinyinInitials of a 10-character name"),
                            Measurement::Time(300, [&](int) { PinyinInitials(name); })));
}

} // namespace

void Run(TDM& dm) {
    TimeLookups(dm);
    TimeEngine(dm);
}

} // namespace RentalBenchmarks

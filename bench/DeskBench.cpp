#include "bench/DeskBench.h"

#include "app/ExPickEdit.h"
#include "app/Session.h"
#include "app/kit/DeskGrid.h"
#include "bench/LedgerSamples.h"
#include "bench/Measurement.h"
#include "bench/SeededRandom.h"
#include "bench/WindowRig.h"
#include "rental/SearchCdObject.h"
#include "rental/ui/RentalFm.h"
#include "rental/ui/SearchCdFm.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/RentCd.h"

#include <QInputMethodEvent>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>

namespace DeskBench {

namespace {

using namespace WindowRig;
using Measurement::Print;

constexpr int Runs = 15;
constexpr int SearchRuns = 10;
constexpr int HeldByMember = 20;
constexpr int DeskTargetMs = 50;
constexpr int SearchTargetMs = 100;

// The rental desk shown in a window of its own whose keys its hook sees, on
// its ledger session.
class TDeskRig {
public:
    explicit TDeskRig(const QString& ledger) : ledger_(ledger) {
        desk_ = std::make_unique<TRentalFm>();
        ShowDesk(*desk_);
    }

    TDM& Dm() { return ledger_.Dm(); }
    TRentalFm& Desk() { return *desk_; }
    const TRentObject& Engine() const { return desk_->RentObject; }
    // A fresh engine of this session, for preparing the ledger.
    TRentObject NewEngine() {
        TSession& session = ledger_.Session();
        return TRentObject(session.Printer, session.ShopInfo, session.Operator);
    }

    void Scan(TExPickEdit* box, const QString& code) { WindowRig::Scan(box, code); }
    void Press(Qt::Key key) { WindowRig::Press(*desk_, key); }
    // The next customer (F5), not timed.
    void NextCustomer() {
        Press(Qt::Key_F5);
        Redraw(*desk_);
        Require(Engine().State == TRentObject::Idle, QStringLiteral("restart on F5"));
    }

private:
    TLedgerSession ledger_;
    std::unique_ptr<TRentalFm> desk_;
};

int LastTitleId(TDM& dm) {
    return dm.SqlFieldText(QStringLiteral("SELECT Max(Id) AS N FROM TbRentCd"), QStringLiteral("N"))
        .toInt();
}

// The desk's samples: discs in stock, series whose ten episodes are in stock,
// and a member holding HeldByMember open rentals (made when the ledger has
// none).
struct TDeskSamples {
    QStringList discs;
    QStringList series;
    QString member;
};

TDeskSamples DrawSamples(TDeskRig& rig) {
    TDeskSamples samples;
    TDM& dm = rig.Dm();
    TRentObject engine = rig.NewEngine();
    samples.member = LedgerSamples::MemberHolding(dm, HeldByMember, engine);
    samples.series = LedgerSamples::SeriesInStock(dm, Runs + 1);
    TSeededRandom random(11);
    const int titles = LastTitleId(dm);
    TRentCd disc;
    for (int tries = 0; tries < 50 * Runs && samples.discs.size() <= Runs; ++tries) {
        if (disc.LoadById(int(random.Between(1, titles))) && disc.Status == TRentCd::InStock &&
            !disc.Code.contains(u'-')) {
            samples.discs.append(disc.Code);
        }
    }
    return samples;
}

// `length` characters from inside names of titles spread over the ledger.
QStringList NameFragments(TDM& dm, int count, int length) {
    QStringList fragments;
    TSeededRandom random(13);
    const int titles = LastTitleId(dm);
    while (fragments.size() < count) {
        const QString name =
            dm.SqlFieldText(Format(QStringLiteral("SELECT Name FROM TbRentCd WHERE Id=%d"),
                                   {int(random.Between(1, titles))}),
                            QStringLiteral("Name"));
        if (name.size() >= length + 2) {
            fragments.append(name.mid(1, length));
        }
    }
    return fragments;
}

// One customer after another, run n on samples n: a disc scanned and dropped;
// a series rented and committed; a disc of that bill scanned, which brings
// up its ten lines, and the bill returned; the member looked up. Run 0 warms
// up and is not counted.
void TimeDesk(TDeskRig& rig, const TDeskSamples& samples) {
    TFigures disc(QStringLiteral("disc code in stock (scan + Enter)"), DeskTargetMs);
    TFigures member(QStringLiteral("member with 20 open rentals (code + Enter)"), DeskTargetMs);
    TFigures series(QStringLiteral("10-episode series code (\"X.1-10\" + Enter)"), DeskTargetMs);
    TFigures commit(QStringLiteral("rental commit, 10 discs (F6)"), DeskTargetMs);
    TFigures billDisc(QStringLiteral("disc of an open 10-line bill (scan + Enter)"), DeskTargetMs);
    TFigures giveBack(QStringLiteral("return of the 10 lines (F7)"), DeskTargetMs);
    TFigures repaint(QStringLiteral("redraw alone, nothing changed (no key)"), DeskTargetMs);

    TRentalFm& desk = rig.Desk();
    const TRentObject& engine = rig.Engine();
    const int runs = int(std::min<qsizetype>(
        {qsizetype(Runs), samples.series.size() - 1, samples.discs.size() - 1}));
    if (runs < 1) {
        Print(QStringLiteral("desk: skipped, too few series or discs in stock"));
        return;
    }
    for (int n = 0; n <= runs; ++n) {
        const QString bill = samples.series[n];

        rig.NextCustomer();
        repaint.Time([] {}, &desk);
        disc.Time([&] { rig.Scan(desk.edCCode, samples.discs[n]); }, &desk);
        Require(engine.State == TRentObject::Renting && engine.NowLines.size() == 1,
                QStringLiteral("take the disc ") + samples.discs[n]);

        rig.NextCustomer();
        series.Time([&] { rig.Scan(desk.edCCode, bill + QStringLiteral(".1-10")); }, &desk);
        Require(engine.NowLines.size() == 10, QStringLiteral("take the series ") + bill);
        commit.Time([&] { rig.Press(Qt::Key_F6); }, &desk);
        Require(engine.NowLines.isEmpty() && engine.HeldLines.size() == 10,
                QStringLiteral("rent out the series ") + bill);

        rig.NextCustomer();
        billDisc.Time([&] { rig.Scan(desk.edCCode, bill + QStringLiteral("-1")); }, &desk);
        Require(engine.State == TRentObject::Returning && engine.NowLines.size() == 10,
                QStringLiteral("bring up the bill of ") + bill);
        giveBack.Time([&] { rig.Press(Qt::Key_F7); }, &desk);
        Require(engine.NowLines.isEmpty(), QStringLiteral("take back the bill of ") + bill);

        rig.NextCustomer();
        member.Time([&] { rig.Scan(desk.edPCode, samples.member); }, &desk);
        Require(engine.HeldLines.size() == HeldByMember,
                QStringLiteral("bring up the member ") + samples.member);
    }
    for (const TFigures* figures : {&disc, &member, &series, &commit, &billDisc, &giveBack}) {
        Print(figures->Line());
    }
    Print(repaint.Line() + QStringLiteral("  (part of every figure above)"));
}

// A new name criterion in the search window, as the input method types it.
void TypeName(TSearchCdFm& window, const QString& name) {
    window.edName->setFocus();
    window.edName->clear();
    QInputMethodEvent typed;
    typed.setCommitString(name);
    QCoreApplication::sendEvent(window.edName, &typed);
    Redraw(window);
}

void RequireFound(TSearchCdFm& window, const QString& name) {
    Require(window.SearchObject.NameText == name &&
                window.tlSearch->model()->rowCount() == int(window.SearchObject.Results.size()),
            QStringLiteral("search for ") + name);
}

// The disc search by a name fragment of `length` characters: the engine
// alone, then the search window from the click on "开始搜索" to its redrawn
// result list, after a click on it and after its mnemonic Alt+S.
void TimeSearch(TDM& dm, TSearchCdFm& window, int length) {
    const QStringList fragments = NameFragments(dm, SearchRuns + 1, length);
    const QString what = QStringLiteral("disc search, %1-character name fragment").arg(length);
    TFigures engine(what + QStringLiteral(" (engine)"), SearchTargetMs);
    TSearchCdObject search;
    size_t found = 0;
    for (const QString& fragment : fragments) {
        search.NameText = fragment;
        engine.Time([&] { search.Search(); });
        found += search.Results.size();
    }
    Print(engine.Line() +
          QStringLiteral("  %1 titles found on average").arg(found / size_t(fragments.size())));

    TFigures clicked(what + QStringLiteral(" (window, click)"), SearchTargetMs);
    TFigures keyed(what + QStringLiteral(" (window, Alt+S)"), SearchTargetMs);
    for (const QString& fragment : fragments) {
        TypeName(window, fragment);
        clicked.Time([&] { QTest::mouseClick(window.btnSearch, Qt::LeftButton); }, &window);
        RequireFound(window, fragment);
        TypeName(window, fragment);
        window.SearchObject.NameText.clear();
        keyed.Time([&] { QTest::keyClick(window.edName, Qt::Key_S, Qt::AltModifier); }, &window);
        RequireFound(window, fragment);
    }
    Print(clicked.Line());
    Print(keyed.Line());
}

} // namespace

void Run(const QString& ledger) {
    Print(QStringLiteral("\nthe rental desk (TRentalFm, offscreen %1x%2), key to redrawn window:")
              .arg(DeskSize.width())
              .arg(DeskSize.height()));
    TDeskRig rig(ledger);
    const TDeskSamples samples = DrawSamples(rig);
    TimeDesk(rig, samples);
    TSearchCdFm search;
    ShowActive(search);
    for (const int length : {2, 1}) {
        TimeSearch(rig.Dm(), search, length);
    }
}

} // namespace DeskBench

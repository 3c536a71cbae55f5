#include "bench/DeskBench.h"

#include "app/ExPickEdit.h"
#include "app/KeyReleaseFilter.h"
#include "app/Session.h"
#include "app/kit/DeskGrid.h"
#include "bench/LedgerSamples.h"
#include "bench/Measurement.h"
#include "bench/SeededRandom.h"
#include "rental/SearchCdObject.h"
#include "rental/ui/RentalFm.h"
#include "rental/ui/SearchCdFm.h"
#include "storage/ScriptedPrompter.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/records/RentCd.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace DeskBench {

namespace {

constexpr int Runs = 15;
constexpr int SearchRuns = 10;
constexpr int HeldByMember = 20;
constexpr int DeskTargetMs = 50;
constexpr int SearchTargetMs = 100;
constexpr QSize DeskSize(1280, 760);

void Print(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// A desk that did not do what the keys asked would give figures of nothing:
// the run stops instead.
void Require(bool done, const QString& what) {
    if (!done) {
        throw EVintorError(QStringLiteral("the desk did not ") + what);
    }
}

// What the operator waits for after a key: the work it queued (posted events,
// zero timers, layout, painting of what changed), then the window painted
// whole, so nothing is left for later.
void Redraw(QWidget& window) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    for (int pass = 0; pass < 20; ++pass) {
        QCoreApplication::sendPostedEvents();
        if (!dispatcher->processEvents(QEventLoop::AllEvents)) {
            break;
        }
    }
    window.repaint();
}

// Shows `window` on its own, active, so keys reach its focused control.
void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        throw EVintorError(QStringLiteral("the window did not become active"));
    }
    Redraw(window);
}

// Wall and processor times of one action, each run timed on its own, and the
// share of the redraw; the first run warms up and is not kept.
class TFigures {
public:
    TFigures(QString name, double targetMs) : name_(std::move(name)), targetMs_(targetMs) {}

    // Times `keys` and then, given a window, its redraw.
    void Time(const std::function<void()>& keys, QWidget* window = nullptr) {
        QElapsedTimer timer;
        const double cpuStart = Measurement::CpuMs();
        timer.start();
        keys();
        const qint64 keysNs = timer.nsecsElapsed();
        if (window) {
            Redraw(*window);
        }
        const qint64 totalNs = timer.nsecsElapsed();
        if (!warm_) {
            warm_ = true;
            return;
        }
        wall_.push_back(double(totalNs) / 1e6);
        if (window) {
            redraw_.push_back(double(totalNs - keysNs) / 1e6);
        }
        cpu_.push_back(Measurement::CpuMs() - cpuStart);
    }

    // "name  wall median/max  cpu median/max  redraw median  target  ok|OVER".
    QString Line() const {
        if (wall_.empty()) {
            return name_ + QStringLiteral(" (no runs)");
        }
        const double wallMax = Max(wall_);
        return QStringLiteral("%1 wall %2 / %3 ms   cpu %4 / %5 ms   redraw %6 ms   target %7 ms  "
                              "%8 (%9 runs)")
            .arg(name_, -56)
            .arg(Median(wall_), 7, 'f', 2)
            .arg(wallMax, 7, 'f', 2)
            .arg(Median(cpu_), 7, 'f', 2)
            .arg(Max(cpu_), 7, 'f', 2)
            .arg(redraw_.empty() ? QStringLiteral("     -")
                                 : QString::number(Median(redraw_), 'f', 2).rightJustified(6))
            .arg(targetMs_, 3, 'f', 0)
            .arg(wallMax < targetMs_ ? QStringLiteral("ok  ") : QStringLiteral("OVER"))
            .arg(wall_.size());
    }

private:
    static double Median(std::vector<double> times) {
        std::sort(times.begin(), times.end());
        const size_t half = times.size() / 2;
        return times.size() % 2 ? times[half] : (times[half - 1] + times[half]) / 2;
    }
    static double Max(const std::vector<double>& times) {
        return *std::max_element(times.begin(), times.end());
    }

    QString name_;
    double targetMs_;
    bool warm_ = false;
    std::vector<double> wall_;
    std::vector<double> cpu_;
    std::vector<double> redraw_;
};

// The desk's surroundings: a copy of the ledger and settings of its own in a
// temporary directory, scripted messages (every question answered Yes, a late
// penalty confirmed as proposed), the session of the ledger's administrator
// and the desk shown in a window of its own whose keys its hook sees.
class TDeskRig {
public:
    explicit TDeskRig(const QString& ledger) : scope_(prompter_) {
        if (!dir_.isValid() || !QFile::copy(ledger, dir_.filePath(QStringLiteral("desk.mdb")))) {
            throw EVintorError(QStringLiteral("cannot copy the ledger into a temporary directory"));
        }
        oldConfig_ = qgetenv("VINTOR_CONFIG");
        qputenv("VINTOR_CONFIG", dir_.filePath(QStringLiteral("vintor.ini")).toLocal8Bit());
        TDAODatabase& db = session_.Dm.DbBase;
        db.SetDatabaseName(dir_.filePath(QStringLiteral("desk.mdb")));
        db.Open();
        const QString admin =
            session_.Dm.SqlFieldText(QStringLiteral("SELECT TOP 1 Id FROM TbOperator WHERE "
                                                    "Name=\"管理员\" ORDER BY Id"),
                                     QStringLiteral("Id"));
        if (!session_.Operator.LoadById(admin.toInt())) {
            throw EVintorError(QStringLiteral("the ledger has no administrator"));
        }
        session_.ShopInfo.LoadById(1);
        session_.Printer.LoadById(1);
        // Figures of the desk, not of a receipt printer or a cash drawer.
        session_.Printer.OnOff = 0;
        session_.Printer.CashBox = 0;
        desk_ = std::make_unique<TRentalFm>();
        TKeyReleaseFilter::Instance().SetCurrent(desk_.get());
        desk_->resize(DeskSize);
        ShowActive(*desk_);
    }

    ~TDeskRig() {
        desk_.reset();
        session_.Dm.DbBase.Close();
        if (oldConfig_.isNull()) {
            qunsetenv("VINTOR_CONFIG");
        } else {
            qputenv("VINTOR_CONFIG", oldConfig_);
        }
    }

    TDeskRig(const TDeskRig&) = delete;
    TDeskRig& operator=(const TDeskRig&) = delete;

    TDM& Dm() { return session_.Dm; }
    TRentalFm& Desk() { return *desk_; }
    const TRentObject& Engine() const { return desk_->RentObject; }
    // A fresh engine of this session, for preparing the ledger.
    TRentObject NewEngine() const {
        return TRentObject(session_.Printer, session_.ShopInfo, session_.Operator);
    }

    // Typed as a scanner does: the code and Enter at full speed.
    void Scan(TExPickEdit* box, const QString& code) {
        box->setFocus();
        QTest::keyClicks(box, code);
        QTest::keyClick(box, Qt::Key_Return);
    }
    // A function key where the operator is: on the focused control.
    void Press(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : desk_.get(), key);
    }
    // The next customer (F5), not timed.
    void NextCustomer() {
        Press(Qt::Key_F5);
        Redraw(*desk_);
        Require(Engine().State == TRentObject::Idle, QStringLiteral("restart on F5"));
    }

private:
    QTemporaryDir dir_;
    QByteArray oldConfig_;
    TScriptedPrompter prompter_;
    TPrompterScope scope_;
    TSession session_;
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
        keyed.Time(
            [&] {
                QTest::keyClick(window.edName, Qt::Key_S, Qt::AltModifier);
                // The mnemonic shows the button pressed and clicks it later.
                QDeadlineTimer deadline(2000);
                while (window.SearchObject.NameText != fragment && !deadline.hasExpired()) {
                    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
                }
            },
            &window);
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

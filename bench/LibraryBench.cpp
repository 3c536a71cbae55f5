#include "bench/LibraryBench.h"

#include "app/ExPickEdit.h"
#include "app/KeyReleaseFilter.h"
#include "app/kit/DataGrid.h"
#include "bench/LedgerSamples.h"
#include "bench/Measurement.h"
#include "bench/WindowRig.h"
#include "sales/ui/LibraryPage.h"
#include "sales/ui/ManageFm.h"
#include "sales/ui/RentHistoryPanel.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/UpgradeProgress.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QTabWidget>

#include <memory>

namespace LibraryBench {

namespace {

using namespace WindowRig;
using Measurement::Print;
using Measurement::StatusMb;

constexpr int Runs = 10;
constexpr int SortRuns = 4;
constexpr int ScreenTargetMs = 300;
constexpr int CountTargetMs = 1000;
constexpr int LookupTargetMs = 50;

// What the operator sees first: the window laid out and painted once. The
// rows past the first page are counted after it, on a zero timer.
void FirstScreen(TManageFm& library) {
    library.repaint();
}

std::unique_ptr<TManageFm> OpenLibrary() {
    auto library = std::make_unique<TManageFm>();
    TKeyReleaseFilter::Instance().SetCurrent(library.get());
    library->resize(DeskSize);
    library->show();
    FirstScreen(*library);
    return library;
}

void TimeOpening() {
    TFigures open(QStringLiteral("open: first screen of rental titles + totals"), ScreenTargetMs);
    TFigures count(QStringLiteral("  then every row counted (zero timer)"), CountTargetMs);
    for (int n = 0; n <= Runs; ++n) {
        std::unique_ptr<TManageFm> library;
        open.Time([&] { library = OpenLibrary(); });
        Require(library->dgRentCd->model()->rowCount() > 0, QStringLiteral("list rental titles"));
        count.Time([&] { Redraw(*library); });
        Require(library->dgRentCd->Model().Counted(), QStringLiteral("count the rental titles"));
    }
    Print(open.Line());
    Print(count.Line());
}

// Each sortable column clicked twice (up, then down), timed to the first
// screen repainted; the count that follows is timed apart.
void TimeSorting(TManageFm& library) {
    QHeaderView* header = library.dgRentCd->horizontalHeader();
    const QList<TGridColumn>& columns = library.dgRentCd->Data().Columns();
    for (int column = 0; column < columns.size(); ++column) {
        if (!columns[column].sortable) {
            continue;
        }
        TFigures click(QStringLiteral("sort by %1 (%2): first screen")
                           .arg(columns[column].caption, columns[column].SortExpression().left(12)),
                       ScreenTargetMs);
        TFigures count(QStringLiteral("  then every row counted"), CountTargetMs);
        for (int n = 0; n <= SortRuns; ++n) {
            click.Time([&] {
                emit header->sectionClicked(column);
                FirstScreen(library);
            });
            count.Time([&] { Redraw(library); });
        }
        Print(click.Line());
        Print(count.Line());
    }
    // Back to the day, as the list opens.
    emit header->sectionClicked(0);
    if (header->sortIndicatorOrder() == Qt::DescendingOrder) {
        emit header->sectionClicked(0);
    }
    Redraw(library);
}

void TimeLocating(TManageFm& library, TDM& dm) {
    const QStringList codes = LedgerSamples::Column(
        dm, QStringLiteral("SELECT Code FROM TbRentCd WHERE Id % 997 = 0"), QStringLiteral("Code"));
    const QStringList spells = LedgerSamples::Column(
        dm,
        QStringLiteral("SELECT Spell FROM TbRentCd WHERE Id % 991 = 0 AND Spell<>\"\" AND "
                       "Spell NOT IN (SELECT Spell FROM TbRentCd AS B WHERE B.Id<>TbRentCd.Id)"),
        QStringLiteral("Spell"));
    TFigures byCode(QStringLiteral("locate a title by its code (+ Enter)"), LookupTargetMs);
    for (int n = 0; n <= Runs && n < codes.size(); ++n) {
        library.edRentCode->ClearEntry();
        byCode.Time([&] { Scan(library.edRentCode, codes[n]); }, &library);
        Require(library.dgRentCd->model()
                        ->index(library.dgRentCd->currentIndex().row(), 1)
                        .data()
                        .toString() == codes[n],
                QStringLiteral("locate ") + codes[n]);
    }
    Print(byCode.Line());
    TFigures bySpell(QStringLiteral("locate a title by its initials (+ Enter)"), LookupTargetMs);
    for (int n = 0; n <= Runs && n < spells.size(); ++n) {
        library.edRentCode->ClearEntry();
        bySpell.Time([&] { Scan(library.edRentCode, spells[n]); }, &library);
    }
    Print(bySpell.Line() +
          QStringLiteral("  (%1 titles with initials of their own)").arg(spells.size()));
}

void TimeHistory(TManageFm& library, TDM& dm) {
    const QStringList busy = LedgerSamples::Column(
        dm,
        QStringLiteral("SELECT TOP 12 CId1 AS Id FROM TbRTransaction GROUP BY CId1 ORDER BY "
                       "Count(Id) DESC"),
        QStringLiteral("Id"));
    Require(!busy.isEmpty(), QStringLiteral("find rented titles"));
    TFigures history(QStringLiteral("history of a busy title (title made current)"),
                     LookupTargetMs);
    int lines = 0;
    for (int n = 0; n <= Runs && n < busy.size(); ++n) {
        history.Time([&] { library.tsRent->Locate(busy[n].toLongLong()); }, &library);
        lines = std::max(lines, library.pnDetail->dgDetail->model()->rowCount());
    }
    Print(history.Line() + QStringLiteral("  (up to %1 lines)").arg(lines));
}

void TimeSalePage(TManageFm& library) {
    TFigures page(QStringLiteral("sale page shown (tab): first screen + totals"), ScreenTargetMs);
    for (int n = 0; n <= Runs; ++n) {
        library.pcManage->setCurrentIndex(0);
        Redraw(library);
        page.Time([&] {
            library.pcManage->setCurrentIndex(1);
            FirstScreen(library);
        });
    }
    Redraw(library);
    Print(page.Line() +
          QStringLiteral("  %1 sale titles").arg(library.dgSaleCd->model()->rowCount()));
    library.pcManage->setCurrentIndex(0);
    Redraw(library);
}

// Scrolls through every rental title a few screens at a time, as a held
// Page Down would; only the pages looked at last stay in memory.
void MeasureScrolling(TManageFm& library) {
    QScrollBar* bar = library.dgRentCd->verticalScrollBar();
    const double before = StatusMb("VmRSS");
    int steps = 0;
    for (int value = 0; value <= bar->maximum(); value += 4 * bar->pageStep()) {
        bar->setValue(value);
        library.dgRentCd->viewport()->repaint();
        ++steps;
    }
    const double after = StatusMb("VmRSS");
    Print(QStringLiteral("scroll through %1 rental titles (%2 screens painted): resident %3 -> "
                         "%4 MB, peak %5 MB")
              .arg(library.dgRentCd->model()->rowCount())
              .arg(steps)
              .arg(before, 0, 'f', 1)
              .arg(after, 0, 'f', 1)
              .arg(StatusMb("VmHWM"), 0, 'f', 1));
}

} // namespace

void Run(const QString& ledger) {
    Print(QStringLiteral("\nthe disc library (TManageFm, offscreen %1x%2):")
              .arg(DeskSize.width())
              .arg(DeskSize.height()));
    TLedgerSession session(ledger);
    // As the program opens a ledger: a ledger made before an index was listed
    // gets it now, once.
    QElapsedTimer upgrade;
    upgrade.start();
    TUpgradeProgress progress;
    LedgerUpgrade::UpgradeLedger(session.Dm(), progress);
    Print(QStringLiteral("ledger brought up to date on opening: %1 ms")
              .arg(double(upgrade.nsecsElapsed()) / 1e6, 0, 'f', 1));
    TimeOpening();
    std::unique_ptr<TManageFm> library = OpenLibrary();
    Redraw(*library);
    TimeSorting(*library);
    TimeLocating(*library, session.Dm());
    TimeHistory(*library, session.Dm());
    TimeSalePage(*library);
    MeasureScrolling(*library);
}

} // namespace LibraryBench

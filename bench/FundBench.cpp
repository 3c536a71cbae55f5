#include "bench/FundBench.h"

#include "app/KeyReleaseFilter.h"
#include "app/kit/DataGrid.h"
#include "app/kit/GridFooter.h"
#include "bench/GridModelBench.h"
#include "bench/Measurement.h"
#include "bench/WindowRig.h"
#include "members/FundLists.h"
#include "members/ui/FundFm.h"
#include "storage/dao/DM.h"
#include "storage/ledger/LedgerBalances.h"

#include <QAction>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

#include <memory>

namespace FundBench {

namespace {

using namespace WindowRig;
using Measurement::Print;

constexpr int Runs = 15;
constexpr int OpenTargetMs = 300;
constexpr int CountTargetMs = 1000;
constexpr int TargetMs = 50;
constexpr int ScrollSteps = 400;

bool FootersShown(TFundFm& window) {
    return !window.ftFTransaction->Cell(FundLists::DayColumn).isEmpty() &&
           !window.ftFTransaction->Cell(FundLists::SumColumn).isEmpty();
}

// From the action to the cash box's first screen painted with its details and
// footers, which is what the operator reads; the grid then counts the rest of
// the rows after that paint, timed on its own. The window shown before is
// closed outside the figures.
void TimeOpening() {
    TFigures open(QStringLiteral("funds window open: first screen, details, footers"),
                  OpenTargetMs);
    TFigures counted(QStringLiteral("  then the rest of the rows counted (after the paint)"),
                     CountTargetMs);
    std::unique_ptr<TFundFm> window;
    for (int n = 0; n <= Runs; ++n) {
        window.reset();
        open.Time([&] {
            window = std::make_unique<TFundFm>();
            TKeyReleaseFilter::Instance().SetCurrent(window.get());
            window->resize(DeskSize);
            window->show();
            window->repaint();
        });
        Require(window->dgFTransaction->model()->rowCount() > 0 && FootersShown(*window),
                QStringLiteral("show the cash box's movements and footers"));
        counted.Time([&] { Redraw(*window); });
        Require(window->dgFTransaction->Model().Counted(), QStringLiteral("count the movements"));
    }
    Print(open.Line());
    Print(counted.Line() + QStringLiteral("  %1 movements, %2, %3")
                               .arg(window->dgFTransaction->model()->rowCount())
                               .arg(window->ftFTransaction->Cell(FundLists::DayColumn),
                                    window->ftFTransaction->Cell(FundLists::SumColumn)));
    Print(Measurement::Line(QStringLiteral("  footers alone (count + kept balance)"),
                            Measurement::Time(Runs, [](int) {
                                TAccount cashBox;
                                cashBox.LoadById(TAccount::CashBoxId);
                                FundLists::Footer(TAccount::CashBoxId, cashBox.Balance());
                            })));
}

// Ctrl+End from the top to the last movement, then the scroll bar dragged from
// the top to the bottom in steps, each step drawn: the pages read are let go
// as the grid moves on, so memory stays at the kit's bound.
void TimeScrolling(TFundFm& window) {
    TDataGrid& grid = *window.dgFTransaction;
    grid.setFocus();
    const double rssBefore = Measurement::StatusMb("VmRSS");
    TFigures end(QStringLiteral("last movement (Ctrl+End)"), TargetMs);
    for (int n = 0; n <= Runs; ++n) {
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
        Redraw(window);
        end.Time([&] { QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier); }, &window);
        Require(grid.currentIndex().row() == grid.model()->rowCount() - 1,
                QStringLiteral("reach the last movement"));
    }
    Print(end.Line());
    QScrollBar* bar = grid.verticalScrollBar();
    TFigures sweep(QStringLiteral("scroll bar top to bottom, one step drawn"), TargetMs);
    for (int step = 0; step <= ScrollSteps; ++step) {
        sweep.Time([&] { bar->setValue(int(qint64(bar->maximum()) * step / ScrollSteps)); },
                   &window);
    }
    Print(sweep.Line());
    Print(QStringLiteral("      memory: RSS %1 MB before, %2 MB after (peak %3 MB); pages kept %4 "
                         "of %5 rows each")
              .arg(rssBefore, 0, 'f', 1)
              .arg(Measurement::StatusMb("VmRSS"), 0, 'f', 1)
              .arg(Measurement::StatusMb("VmHWM"), 0, 'f', 1)
              .arg(grid.Data().Rows().PagesInMemory())
              .arg(TQueryRows::PageRows));
}

// Each period chosen from the menu, to the list redrawn with its rows
// counted; then every movement again.
void TimePeriods(TDM& dm, TFundFm& window) {
    TFigures today(QStringLiteral("period 显示本日以来记录 (menu)"), TargetMs);
    TFigures week(QStringLiteral("period 显示本周以来记录 (menu)"), TargetMs);
    TFigures month(QStringLiteral("period 显示本月以来记录 (menu)"), TargetMs);
    QList<int> rows(3);
    for (int n = 0; n <= Runs; ++n) {
        int shown = 0;
        for (auto [figures, action] :
             {std::pair{&today, window.mToday}, std::pair{&week, window.mWeek},
              std::pair{&month, window.mMonth}}) {
            figures->Time([action] { action->trigger(); }, &window);
            rows[shown++] = window.dgFTransaction->model()->rowCount();
        }
    }
    Print(today.Line() + QStringLiteral("  %1 movements").arg(rows[0]));
    Print(week.Line() + QStringLiteral("  %1 movements").arg(rows[1]));
    Print(month.Line() + QStringLiteral("  %1 movements").arg(rows[2]));
    window.mToday->trigger();
    Redraw(window);
    const TQueryRows& list = window.dgFTransaction->Data().Rows();
    Print(QStringLiteral("      today's first page read %1")
              .arg(GridModelBench::ReadBy(list.FirstPageByOrder())));
    GridModelBench::PrintPlan(dm, QStringLiteral("today's first page"), list.FirstPageSql());
    GridModelBench::PrintPlan(dm, QStringLiteral("today's count"), list.CountSql());
    TFigures all(QStringLiteral("period 显示所有记录 (menu), rows counted"), CountTargetMs);
    for (int n = 0; n <= Runs / 3; ++n) {
        window.mToday->trigger();
        Redraw(window);
        all.Time([&] { window.mAll->trigger(); }, &window);
    }
    Print(all.Line());
}

// The bank's tab and back to the cash box, each to its list redrawn.
void TimeAccounts(TFundFm& window) {
    if (window.tcAccount->count() < 2) {
        Print(QStringLiteral("accounts: skipped, the ledger has only the cash box"));
        return;
    }
    TFigures other(QStringLiteral("another account's tab (few movements)"), TargetMs);
    TFigures cashBox(QStringLiteral("back to the cash box's tab, rows counted"), CountTargetMs);
    for (int n = 0; n <= Runs / 3; ++n) {
        other.Time([&] { window.tcAccount->setCurrentIndex(1); }, &window);
        cashBox.Time([&] { window.tcAccount->setCurrentIndex(0); }, &window);
    }
    Print(other.Line());
    Print(cashBox.Line());
}

} // namespace

void Run(const QString& ledger) {
    Print(QStringLiteral("\nthe funds window (TFundFm, offscreen %1x%2), key to redrawn window:")
              .arg(DeskSize.width())
              .arg(DeskSize.height()));
    TLedgerSession session(ledger);
    // As the program opens a ledger: balances recounted once if the copy's
    // kept totals cannot be trusted, then read as kept.
    if (LedgerBalances::Ensure(session.Dm())) {
        Print(QStringLiteral("balances recounted on open (the ledger's totals were not trusted)"));
    }
    Print(QStringLiteral("%1 movements, %2 of the cash box")
              .arg(session.Dm().SqlFieldText(
                  QStringLiteral("SELECT Count(*) AS N FROM TbFTransaction"), QStringLiteral("N")))
              .arg(FundLists::MovementCount(TAccount::CashBoxId)));
    TimeOpening();
    TFundFm window;
    ShowDesk(window);
    TimeScrolling(window);
    TimePeriods(session.Dm(), window);
    TimeAccounts(window);
}

} // namespace FundBench

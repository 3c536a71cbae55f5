#include "bench/MembersBench.h"

#include "app/ExPickEdit.h"
#include "app/KeyReleaseFilter.h"
#include "app/kit/DataGrid.h"
#include "bench/LedgerSamples.h"
#include "bench/Measurement.h"
#include "bench/WindowRig.h"
#include "members/ui/PersonFm.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"

#include <QHeaderView>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace MembersBench {

namespace {

using namespace WindowRig;
using Measurement::Print;

constexpr int Runs = 15;
constexpr int OpenTargetMs = 300;
constexpr int TargetMs = 50;
constexpr int NameColumn = 1;
constexpr int RentPage = 1;

// From the action to the window drawn with its first screen of members, the
// first member's details and records: what F4 costs before the operator can
// type. The window shown before is closed outside the figure.
void TimeOpening() {
    TFigures open(QStringLiteral("members window open with its list"), OpenTargetMs);
    std::unique_ptr<TPersonFm> window;
    for (int n = 0; n <= Runs; ++n) {
        window.reset();
        open.Time([&] {
            window = std::make_unique<TPersonFm>();
            TKeyReleaseFilter::Instance().SetCurrent(window.get());
            window->resize(DeskSize);
            window->show();
            Redraw(*window);
        });
        Require(window->MemberId() > 0, QStringLiteral("show a member"));
    }
    Print(open.Line());
}

// The window at work: Down to the next member, a member's code and Enter, a
// click on the name header (each run toggles the order) and the rentals page
// of the member found.
void TimeWork(TDM& dm) {
    const QStringList codes = LedgerSamples::Column(
        dm,
        Format(QStringLiteral("SELECT TOP %d Code FROM TbAssociator ORDER BY Spell DESC"),
               {Runs + 1}),
        QStringLiteral("Code"));
    Require(codes.size() > Runs, QStringLiteral("find enough members"));
    TPersonFm window;
    ShowDesk(window);
    TFigures next(QStringLiteral("next member (Down)"), TargetMs);
    TFigures byCode(QStringLiteral("member by its code (code + Enter)"), TargetMs);
    TFigures sort(QStringLiteral("members sorted by name (header click)"), OpenTargetMs);
    TFigures rentals(QStringLiteral("rentals page of a member (tab)"), TargetMs);
    for (int n = 0; n <= Runs; ++n) {
        window.pcDetail->setCurrentIndex(0);
        window.dgAssociator->setFocus();
        const int before = window.MemberId();
        next.Time([&] { QTest::keyClick(window.dgAssociator, Qt::Key_Down); }, &window);
        Require(window.MemberId() != before, QStringLiteral("move to the next member"));

        byCode.Time([&] { Scan(window.edCode, codes[n]); }, &window);
        Require(window.dgAssociator->currentIndex().siblingAtColumn(0).data().toString() ==
                    codes[n],
                QStringLiteral("find the member ") + codes[n]);

        rentals.Time([&] { window.pcDetail->setCurrentIndex(RentPage); }, &window);

        const QHeaderView* header = window.dgAssociator->horizontalHeader();
        const int x = header->sectionViewportPosition(NameColumn) + 5;
        sort.Time([&] { QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5)); },
                  &window);
    }
    for (const TFigures* figures : {&next, &byCode, &rentals, &sort}) {
        Print(figures->Line());
    }
}

} // namespace

void Run(const QString& ledger) {
    Print(QStringLiteral("\nthe members window (TPersonFm, offscreen %1x%2), key to redrawn "
                         "window:")
              .arg(DeskSize.width())
              .arg(DeskSize.height()));
    TLedgerSession session(ledger);
    Print(QStringLiteral("%1 members")
              .arg(session.Dm().SqlFieldText(
                  QStringLiteral("SELECT Count(*) AS N FROM TbAssociator"), QStringLiteral("N"))));
    TimeOpening();
    TimeWork(session.Dm());
}

} // namespace MembersBench

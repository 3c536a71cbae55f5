#include "bench/SaleDeskBench.h"

#include "app/ExPickEdit.h"
#include "app/kit/DataGrid.h"
#include "app/kit/DateEdit.h"
#include "bench/LedgerSamples.h"
#include "bench/Measurement.h"
#include "bench/SeededRandom.h"
#include "bench/WindowRig.h"
#include "sales/ui/BillCodeEdit.h"
#include "sales/ui/SaleFm.h"
#include "sales/ui/SearchBillFm.h"
#include "storage/JetDate.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"

#include <QPushButton>
#include <QTest>

#include <memory>

namespace SaleDeskBench {

namespace {

using namespace WindowRig;
using Measurement::Print;

constexpr int Runs = 15;
constexpr int BillLines = 10;
constexpr int TargetMs = 50;
constexpr int MonthDays = 30;

// Codes of titles with stock enough for every run, spread over the ledger
// (one for the code alone, ten for the sale of each run), and bill numbers
// of earlier sales, drawn at random.
struct TSamples {
    QStringList codes;
    QStringList bills;
};

TSamples DrawSamples(TDM& dm) {
    TSamples samples;
    samples.codes = LedgerSamples::Column(
        dm,
        Format(QStringLiteral("SELECT TOP %d Code FROM TbSaleCd WHERE Number2>=5 ORDER BY "
                              "Spell"),
               {(Runs + 1) * (BillLines + 1)}),
        QStringLiteral("Code"));
    TSeededRandom random(17);
    const int lines = dm.SqlFieldText(QStringLiteral("SELECT Max(Id) AS N FROM TbSTransaction"),
                                      QStringLiteral("N"))
                          .toInt();
    for (int tries = 0; tries < 100 * Runs && samples.bills.size() <= Runs; ++tries) {
        const QString sn = dm.SqlFieldText(
            Format(QStringLiteral("SELECT Sn FROM TbSTransaction WHERE Id=%d AND CId2=6"),
                   {int(random.Between(1, lines))}),
            QStringLiteral("Sn"));
        if (!sn.isEmpty() && !samples.bills.contains(sn)) {
            samples.bills.append(sn);
        }
    }
    return samples;
}

// The sales desk, one customer after another: a title code; ten titles
// scanned and sold on F6; an earlier bill brought up by its number. Run 0
// warms up and is not counted.
void TimeDesk(TSaleFm& desk, const TSamples& samples) {
    TFigures code(QStringLiteral("sale code (scan + Enter)"), TargetMs);
    TFigures sale(QStringLiteral("sale commit, 10 lines (F6)"), TargetMs);
    TFigures bill(QStringLiteral("bill by its number (number + Enter)"), TargetMs);
    const TSaleObject& engine = desk.SaleObject;
    const int runs = int(std::min<qsizetype>(
        {qsizetype(Runs), samples.codes.size() / (BillLines + 1) - 1, samples.bills.size() - 1}));
    if (runs < 1) {
        Print(QStringLiteral("sales desk: skipped, too few titles in stock or bills"));
        return;
    }
    const auto nextCustomer = [&] {
        Press(desk, Qt::Key_F5);
        Redraw(desk);
        Require(engine.State == TSaleObject::Empty, QStringLiteral("restart on F5"));
    };
    for (int n = 0; n <= runs; ++n) {
        const QStringList codes = samples.codes.mid(n * (BillLines + 1), BillLines + 1);
        nextCustomer();
        code.Time([&] { Scan(desk.edCCode, codes[0]); }, &desk);
        Require(engine.NowLines.size() == 1, QStringLiteral("take the title ") + codes[0]);
        for (const QString& more : codes.mid(1, BillLines - 1)) {
            Scan(desk.edCCode, more);
        }
        Redraw(desk);
        Require(engine.NowLines.size() == BillLines, QStringLiteral("take ten titles"));
        sale.Time([&] { Press(desk, Qt::Key_F6); }, &desk);
        Require(engine.NowLines.isEmpty() && engine.Sn != 0, QStringLiteral("sell ten titles"));

        nextCustomer();
        bill.Time([&] { Scan(desk.edSCode, samples.bills[n]); }, &desk);
        Require(engine.State == TSaleObject::Refunding && !engine.NowLines.isEmpty(),
                QStringLiteral("bring up the bill ") + samples.bills[n]);
    }
    for (const TFigures* figures : {&code, &sale, &bill}) {
        Print(figures->Line());
    }
}

// The bill search from the click on its search button to the sales of the
// last month listed with the lines of the first shown below.
void TimeBillSearch(TDM& dm) {
    const QString last = dm.SqlFieldText(
        QStringLiteral("SELECT TOP 1 Day FROM TbFTransaction WHERE CId1=6 ORDER BY Day DESC"),
        QStringLiteral("Day"));
    const std::optional<QDate> lastDay = JetDate::ParseShort(last);
    Require(lastDay.has_value(), QStringLiteral("find a day of the last sale in ") + last);
    TSearchBillFm search;
    ShowActive(search);
    search.edDay->SetEnteredDate(lastDay->addDays(-MonthDays));
    TFigures month(QStringLiteral("bill search, one month of sales (click)"), TargetMs);
    for (int n = 0; n <= Runs; ++n) {
        month.Time([&] { QTest::mouseClick(search.btnSearch, Qt::LeftButton); }, &search);
        Require(search.dgBill->model()->rowCount() > 0 && !search.Lines.isEmpty(),
                QStringLiteral("find a month of sales"));
    }
    Print(month.Line() + QStringLiteral("  %1 sales listed after the count")
                             .arg(search.dgBill->model()->rowCount()));
}

} // namespace

void Run(const QString& ledger) {
    Print(QStringLiteral("\nthe sales desk (TSaleFm, offscreen %1x%2), key to redrawn window:")
              .arg(DeskSize.width())
              .arg(DeskSize.height()));
    TLedgerSession session(ledger);
    const TSamples samples = DrawSamples(session.Dm());
    {
        TSaleFm desk;
        ShowDesk(desk);
        TimeDesk(desk, samples);
    }
    TimeBillSearch(session.Dm());
}

} // namespace SaleDeskBench

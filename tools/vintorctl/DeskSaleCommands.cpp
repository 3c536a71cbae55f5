#include "tools/vintorctl/DeskSaleCommands.h"

#include "sales/SaleAmounts.h"
#include "sales/SaleObject.h"
#include "tools/vintorctl/DeskSession.h"

#include <memory>

namespace DeskSaleCommands {

namespace {

using TSale = std::shared_ptr<TSaleObject>;

// "<code> <discount> <number> <price> <amount>"
QString LineText(const TSTransaction& line) {
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(line.SaleCd.Code, line.Discount.ToPlainText(), QString::number(line.Number),
             line.Price.ToPlainText(), TSaleObject::LineAmount(line).ToPlainText());
}

void Show(TDeskSession& session, const TSaleObject& sale) {
    session.Print(QStringLiteral("STATE %1 SN %2 TOTAL %3 RECEIVED %4 CASH %5 CHANGE %6")
                      .arg(sale.State)
                      .arg(sale.Sn)
                      .arg(sale.Total.ToPlainText(), sale.Received.ToPlainText(),
                           sale.Cash.ToPlainText(), sale.Change.ToPlainText()));
    session.Print(QStringLiteral("NOW %1").arg(sale.NowLines.size()));
    for (const TSTransaction& line : sale.NowLines) {
        session.Print((line.Selected ? QStringLiteral("1 ") : QStringLiteral("0 ")) +
                      LineText(line));
    }
    session.Print(QStringLiteral("HISTORY %1").arg(sale.HistoryLines.size()));
    for (const TSTransaction& line : sale.HistoryLines) {
        session.Print(LineText(line));
    }
}

// The index of line N (from 1) of the lines now on the desk, or -1 with an
// error line.
int LineIndex(TDeskSession& session, const TSaleObject& sale, const QString& number) {
    bool ok = false;
    const int n = number.toInt(&ok);
    if (!ok || n < 1 || n > sale.NowLines.size()) {
        session.Print(QStringLiteral("ERROR: no line ") + number);
        return -1;
    }
    return n - 1;
}

void Tick(TDeskSession& session, TSaleObject& sale, const QStringList& args) {
    if (args[1] != QLatin1String("yes") && args[1] != QLatin1String("no")) {
        session.Print(QStringLiteral("ERROR: usage: sale.tick N yes|no"));
        return;
    }
    const int index = LineIndex(session, sale, args[0]);
    if (index >= 0) {
        sale.NowLines[index].Selected = args[1] == QLatin1String("yes");
        sale.Recalculate();
    }
}

// The three values the desk lets the operator change in a line, checked by
// the engine as the grid's cells are.
void Edit(TDeskSession& session, TSaleObject& sale, const QStringList& args) {
    const int index = LineIndex(session, sale, args[0]);
    if (index >= 0) {
        sale.EditLine(index, args[1], args[2], args[3]);
    }
}

void RegisterAction(TDeskSession& session, const QString& word, const TSale& sale,
                    void (TSaleObject::*action)()) {
    session.Register(word, 0, 0, QString(),
                     [sale, action](const QStringList&) { ((*sale).*action)(); });
}

} // namespace

void Register(TDeskSession& session) {
    const TSale sale =
        std::make_shared<TSaleObject>(session.Printer(), session.Shop(), session.Cashier());
    sale->Bill.Printer.SetPort(session.NewPrinterPort());
    session.Register(QStringLiteral("sale.code"), 1, 1, QStringLiteral("TEXT"),
                     [sale](const QStringList& args) { sale->EnterCode(args[0]); });
    session.Register(QStringLiteral("sale.bill"), 1, 1, QStringLiteral("N"),
                     [sale](const QStringList& args) { sale->LoadBill(args[0]); });
    session.Register(QStringLiteral("sale.tick"), 2, 2, QStringLiteral("N yes|no"),
                     [&session, sale](const QStringList& args) { Tick(session, *sale, args); });
    session.Register(QStringLiteral("sale.edit"), 4, 4, QStringLiteral("N DISCOUNT NUMBER PRICE"),
                     [&session, sale](const QStringList& args) { Edit(session, *sale, args); });
    session.Register(QStringLiteral("sale.received"), 0, 1, QStringLiteral("AMOUNT"),
                     [sale](const QStringList& args) {
                         SaleAmounts::Apply(*sale, args.value(0), sale->Cash.ToPlainText());
                     });
    session.Register(QStringLiteral("sale.cash"), 0, 1, QStringLiteral("AMOUNT"),
                     [sale](const QStringList& args) {
                         SaleAmounts::Apply(*sale, sale->Received.ToPlainText(), args.value(0));
                     });
    session.Register(QStringLiteral("sale.memo"), 0, 1, QStringLiteral("TEXT"),
                     [sale](const QStringList& args) { sale->Memo = args.value(0); });
    RegisterAction(session, QStringLiteral("sale.commit"), sale, &TSaleObject::CommitSale);
    RegisterAction(session, QStringLiteral("sale.refund"), sale, &TSaleObject::CommitRefund);
    RegisterAction(session, QStringLiteral("sale.reset"), sale, &TSaleObject::Reset);
    RegisterAction(session, QStringLiteral("sale.print"), sale, &TSaleObject::FillReceipt);
    session.Register(QStringLiteral("sale.show"), 0, 0, QString(),
                     [&session, sale](const QStringList&) { Show(session, *sale); });
}

} // namespace DeskSaleCommands

#include "tools/vintorctl/DeskStockCommands.h"

#include "sales/StockRentObject.h"
#include "sales/StockSaleObject.h"
#include "tools/vintorctl/DeskSession.h"

#include <memory>

namespace DeskStockCommands {

namespace {

// The entry fields the two kinds share.
template <typename TEntry> void FillTitle(TEntry& entry, const QHash<QString, QString>& f) {
    entry.code = f.value(QStringLiteral("code"), entry.code);
    entry.name = f.value(QStringLiteral("name"), entry.name);
    entry.alias1 = f.value(QStringLiteral("alias1"), entry.alias1);
    entry.alias2 = f.value(QStringLiteral("alias2"), entry.alias2);
    entry.director = f.value(QStringLiteral("director"), entry.director);
    entry.player = f.value(QStringLiteral("player"), entry.player);
    entry.memo = f.value(QStringLiteral("memo"), entry.memo);
    entry.price = f.value(QStringLiteral("price"), entry.price);
    entry.cid = f.value(QStringLiteral("cid"), QString::number(entry.cid)).toInt();
}

void Fill(TStockRentEntry& entry, const QHash<QString, QString>& f) {
    FillTitle(entry, f);
    entry.fid = f.value(QStringLiteral("fid"), QString::number(entry.fid)).toInt();
    entry.number = f.value(QStringLiteral("number"), entry.number);
    entry.power = f.value(QStringLiteral("power"), entry.power);
    entry.amount = f.value(QStringLiteral("amount"), entry.amount);
    entry.split = f.value(QStringLiteral("split"), entry.split);
}

void Fill(TTitleSaleEntry& entry, const QHash<QString, QString>& f) {
    FillTitle(entry, f);
    entry.number1 = f.value(QStringLiteral("number1"), entry.number1);
    entry.number2 = f.value(QStringLiteral("number2"), entry.number2);
    entry.cost = f.value(QStringLiteral("cost"), entry.cost);
}

QString LineText(const TITransaction& line) {
    const bool rental = line.Flag == TITransaction::RentalLine;
    const QString code = rental ? line.RentCd.Code : line.SaleCd.Code;
    const QString name = rental ? line.RentCd.Name : line.SaleCd.Name;
    const QString units = rental ? line.RentCd.Power.ToPlainText() : line.SaleCd.Cost.ToPlainText();
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(code, name, QString::number(line.Number), units, line.Price.ToPlainText());
}

// One batch with the dialog's header and entry as the script fills them.
template <typename TBatch, typename TEntry> struct TDesk {
    TBatch batch;
    TStockHeader header;
    TEntry entry;
};

template <typename TBatch, typename TEntry>
std::shared_ptr<TDesk<TBatch, TEntry>> RegisterKind(TDeskSession& session, const QString& prefix) {
    auto desk = std::make_shared<TDesk<TBatch, TEntry>>();
    auto word = [&](const char* name) { return prefix + QLatin1String(name); };
    // The day dates the titles and lines entered from now on, as leaving the
    // dialog's "日期" does.
    session.Register(word("header"), 5, 6,
                     QStringLiteral("DAY SUPPLIER ACCOUNT OPERATOR AMOUNT MEMO"),
                     [desk](const QStringList& a) {
                         desk->header.day = a[0];
                         desk->header.supplier = a[1].toInt();
                         desk->header.account = a[2].toInt();
                         desk->header.operatorId = a[3].toInt();
                         desk->header.amount = a[4];
                         desk->header.memo = a.value(5);
                         desk->batch.SetEntryDay(a[0]);
                     });
    session.Register(
        word("entry"), 0, 1, QStringLiteral("key=value ..."),
        [desk](const QStringList& a) { Fill(desk->entry, TDeskSession::Fields(a.value(0))); });
    session.Register(word("post"), 0, 0, QString(), [desk](const QStringList&) {
        if (!desk->batch.SubmitEntry(desk->entry, desk->header.supplier)) {
            desk->entry = TEntry();
        }
    });
    session.Register(word("select"), 1, 1, QStringLiteral("N"),
                     [desk](const QStringList& a) { desk->batch.SelectLine(a[0].toInt() - 1); });
    session.Register(word("delete"), 0, 0, QString(),
                     [desk](const QStringList&) { desk->batch.DeleteLine(); });
    session.Register(word("copy"), 0, 0, QString(),
                     [desk](const QStringList&) { desk->batch.CopyLine(); });
    session.Register(word("paste"), 0, 0, QString(),
                     [desk](const QStringList&) { desk->batch.PasteLine(); });
    session.Register(word("save"), 0, 0, QString(), [&session, desk](const QStringList&) {
        if (desk->batch.SetHeader(desk->header)) {
            return; // the header check has shown its message
        }
        if (desk->batch.Save()) {
            session.Print(QStringLiteral("OK %1").arg(desk->batch.Fund.Id));
            // The next batch starts empty on the same day, as the dialog's
            // "保存并新添" keeps its "日期".
            desk->batch = TBatch();
            desk->batch.SetEntryDay(desk->header.day);
        }
    });
    session.Register(word("show"), 0, 0, QString(), [&session, desk](const QStringList&) {
        session.Print(QStringLiteral("LINES %1").arg(desk->batch.Lines.size()));
        for (const TITransaction& line : desk->batch.Lines) {
            session.Print(LineText(line));
        }
    });
    return desk;
}

} // namespace

void Register(TDeskSession& session) {
    RegisterKind<TStockRentObject, TStockRentEntry>(session, QStringLiteral("stockrent."));
    const auto sale =
        RegisterKind<TStockSaleObject, TTitleSaleEntry>(session, QStringLiteral("stocksale."));
    // A code typed into the sale entry: a stored title fills the entry.
    session.Register(QStringLiteral("stocksale.lookup"), 1, 1, QStringLiteral("CODE"),
                     [&session, sale](const QStringList& a) {
                         if (!sale->batch.LookUpCode(a[0])) {
                             session.Print(QStringLiteral("NEW"));
                             return;
                         }
                         sale->entry = sale->batch.Entry();
                         session.Print(QStringLiteral("FOUND %1 STOCK %2")
                                           .arg(sale->batch.Disc.Name)
                                           .arg(sale->batch.Stock));
                     });
}

} // namespace DeskStockCommands

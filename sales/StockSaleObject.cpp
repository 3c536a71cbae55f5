#include "sales/StockSaleObject.h"

#include "sales/TitleEdits.h"
#include "storage/CheckedMoney.h"
#include "storage/InputChecks.h"
#include "storage/dao/CBQuery.h"

using namespace InputChecks;

TStockSaleObject::TStockSaleObject() {
    ClearEntry();
}

void TStockSaleObject::ClearEntry() {
    BlankEntry();
    Disc.Number1 = 1;
    Disc.Number2 = 1;
}

Currency TStockSaleObject::CostSum() const {
    Currency sum;
    for (const TITransaction& line : Lines) {
        sum = CheckedMoney::Add(sum, CheckedMoney::Multiply(line.Price, line.Number));
    }
    return sum;
}

bool TStockSaleObject::LookUpCode(const QString& code) {
    const QDate day = Disc.Day;
    if (Disc.LoadByCode(code) < 0) {
        return false;
    }
    // The line is dated by the stock-in, not by the title's first purchase.
    Disc.Day = day;
    Stock = Disc.Number2;
    Disc.Number2 = 1;
    return true;
}

TChecked TStockSaleObject::CheckEntry(const TTitleSaleEntry& entry, int supplier) const {
    TRefusalRun run = EntryRun(supplier);
    run.Check(QStringLiteral("edCode"), [&] {
        return CheckNotEmpty(QStringLiteral("编号"), entry.code) && !ReportInBatch(entry.code);
    });
    TitleEdits::CheckName(run, entry);
    TitleEdits::CheckCategory(run, entry);
    TitleEdits::CheckSaleFigures(run, entry);
    return run.Result();
}

TTitleSaleEntry TStockSaleObject::Entry() const {
    return TTitleSaleEntry::From(Disc);
}

void TStockSaleObject::TakeEntry(const TTitleSaleEntry& entry) {
    TSaleCd stored;
    const bool same = Disc.Id > 0 && Disc.Code == entry.code;
    const int id = same ? Disc.Id : stored.LoadByCode(entry.code);
    entry.CopyInto(Disc);
    Disc.Id = id > 0 ? id : -1;
}

TChecked TStockSaleObject::SubmitEntry(const TTitleSaleEntry& entry, int supplier) {
    return TakeAndPost(
        CheckEntry(entry, supplier), QStringLiteral("edNumber2"), [&] { TakeEntry(entry); },
        [this] { PostEntry(); });
}

void TStockSaleObject::CheckSums() const {
    TStockBatch::CheckSums();
    CostSum();
}

void TStockSaleObject::PostEntry() {
    PlaceLine(LineOf(Disc, Disc.Number2, Disc.Cost));
    ClearEntry();
}

void TStockSaleObject::SaveLine(TITransaction& line) {
    TSaleCd& title = line.SaleCd;
    TSaleCd stored;
    if (title.Id > 0 && stored.LoadById(title.Id)) {
        title.Number2 = CheckedMoney::AddCount(stored.Number2, line.Number);
    }
    title.Save();
}

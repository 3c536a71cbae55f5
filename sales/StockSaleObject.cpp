#include "sales/StockSaleObject.h"

#include "storage/CBQuery.h"
#include "storage/InputChecks.h"

using namespace InputChecks;

TStockSaleObject::TStockSaleObject() {
    ClearEntry();
}

void TStockSaleObject::ClearEntry() {
    const QDate day = Disc.Day;
    Disc = TSaleCd();
    Disc.Id = -1;
    Disc.Day = day;
    Disc.CId = 0;
    Disc.Number1 = 1;
    Disc.Number2 = 1;
    Disc.Cost = Currency();
    Disc.Price = Currency();
    EditMode = 0;
}

Currency TStockSaleObject::CostSum() const {
    Currency sum;
    for (const TITransaction& line : Lines) {
        sum += line.Price * qint64(line.Number);
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

std::optional<TStockField> TStockSaleObject::CheckEntry(const TTitleSaleEntry& entry,
                                                        int supplier) const {
    if (!SupplierChosen(supplier)) {
        return TStockField::Supplier;
    }
    if (!CheckNotEmpty(QStringLiteral("编号"), entry.code) || ReportInBatch(entry.code)) {
        return TStockField::Code;
    }
    if (!CheckNotEmpty(QStringLiteral("影片名称"), entry.name)) {
        return TStockField::Name;
    }
    if (!CheckChosen(QStringLiteral("影片类型"), entry.cid > 0 ? QString::number(entry.cid) : "")) {
        return TStockField::Category;
    }
    if (!CheckInteger(QStringLiteral("碟片数目"), entry.number1, true)) {
        return TStockField::Number1;
    }
    if (!CheckInteger(QStringLiteral("进货数量"), entry.number2, true)) {
        return TStockField::Number2;
    }
    if (!CheckMoney(QStringLiteral("单套进价"), entry.cost, true)) {
        return TStockField::Cost;
    }
    if (!CheckMoney(QStringLiteral("参考售价"), entry.price, true)) {
        return TStockField::Price;
    }
    return std::nullopt;
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

std::optional<TStockField> TStockSaleObject::SubmitEntry(const TTitleSaleEntry& entry,
                                                         int supplier) {
    if (auto field = CheckEntry(entry, supplier)) {
        return field;
    }
    TakeEntry(entry);
    PostEntry();
    return std::nullopt;
}

void TStockSaleObject::PostEntry() {
    PlaceLine(LineOf(Disc, Disc.Number2, Disc.Cost));
    ClearEntry();
}

void TStockSaleObject::SaveLine(TITransaction& line) {
    TSaleCd& title = line.SaleCd;
    TSaleCd stored;
    if (title.Id > 0 && stored.LoadById(title.Id)) {
        title.Number2 = stored.Number2 + line.Number;
    }
    title.Save();
}

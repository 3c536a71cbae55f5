#include "sales/StockRentObject.h"

#include "storage/Format.h"
#include "storage/InputChecks.h"
#include "storage/Prompter.h"
#include "storage/TextFormats.h"

using namespace InputChecks;

namespace {

const QString RentTable = QStringLiteral("TbRentCd");

} // namespace

TStockRentObject::TStockRentObject() {
    ClearEntry();
}

void TStockRentObject::ClearEntry() {
    const QDate day = Disc.Day;
    Disc = TRentCd();
    Disc.Id = -1;
    Disc.Day = day;
    Disc.CId = 0;
    Disc.FId = 0;
    Disc.Number = 1;
    Disc.Power = Currency::FromWhole(1);
    Disc.Price = Currency();
    Amount = 1;
    Split = QStringLiteral("-");
    EditMode = 0;
}

std::optional<TStockField> TStockRentObject::CheckEntry(const TStockRentEntry& entry,
                                                        int supplier) const {
    if (!SupplierChosen(supplier)) {
        return TStockField::Supplier;
    }
    if (!CheckNotEmpty(QStringLiteral("编号"), entry.code) ||
        CodeTaken(Disc.Id, entry.code, RentTable) || ReportInBatch(entry.code)) {
        return TStockField::Code;
    }
    if (!CheckNotEmpty(QStringLiteral("影片名称"), entry.name)) {
        return TStockField::Name;
    }
    if (!CheckChosen(QStringLiteral("影片类型"), entry.cid > 0 ? QString::number(entry.cid) : "")) {
        return TStockField::Category;
    }
    if (!CheckChosen(QStringLiteral("收费标准"), entry.fid > 0 ? QString::number(entry.fid) : "")) {
        return TStockField::Fee;
    }
    if (!CheckInteger(QStringLiteral("碟片数目"), entry.number, true)) {
        return TStockField::Number;
    }
    if (!CheckHalfStep(QStringLiteral("计费部数"), entry.power, true)) {
        return TStockField::Power;
    }
    if (!CheckMoney(QStringLiteral("价格"), entry.price, true)) {
        return TStockField::Price;
    }
    const QString amountCaption = QStringLiteral("集数/套数");
    if (!CheckInteger(amountCaption, entry.amount, false)) {
        return TStockField::Amount;
    }
    const int amount = entry.amount.trimmed().toInt();
    // Fewer than one episode would post nothing, and a huge count would
    // take the dialog down with it.
    if (amount < 0) {
        ShowError(Format(QStringLiteral("“\"%s\"”输入不正确，请重新输入。"), {amountCaption}));
        return TStockField::Amount;
    }
    if (amount > MaxEpisodes) {
        ShowWarning(Format(QStringLiteral("输入的编号“%s”包含的影片超过%d部，请分段输入。"),
                           {entry.code, MaxEpisodes}));
        return TStockField::Amount;
    }
    // Consecutive codes count on from the code as a number.
    if (amount > 1 && entry.split.isEmpty() &&
        !CheckInteger(QStringLiteral("编号"), entry.code, true)) {
        return TStockField::Code;
    }
    // The units shared among the episodes must stay whole or half units.
    if (!entry.split.isEmpty()) {
        const Currency power = Currency::Parse(entry.power).value_or(Currency());
        const Currency share = Currency::FromLongDouble(power.ToLongDouble() / amount);
        if (!CheckHalfStep(amountCaption, share.ToPlainText(), false)) {
            return TStockField::Amount;
        }
    }
    return std::nullopt;
}

TStockRentEntry TStockRentObject::Entry() const {
    TStockRentEntry entry;
    static_cast<TTitleRentEntry&>(entry) = TTitleRentEntry::From(Disc);
    entry.amount = QString::number(Amount);
    entry.split = Split;
    return entry;
}

void TStockRentObject::TakeEntry(const TStockRentEntry& entry) {
    entry.CopyInto(Disc);
    Amount = entry.amount.trimmed().toInt();
    Split = entry.split;
}

std::optional<TStockField> TStockRentObject::SubmitEntry(const TStockRentEntry& entry,
                                                         int supplier) {
    if (auto field = CheckEntry(entry, supplier)) {
        return field;
    }
    TakeEntry(entry);
    PostEntry();
    return std::nullopt;
}

void TStockRentObject::PostEntry() {
    const int n = Amount;
    if (EditMode == 1 || n <= 1) {
        PlaceLine(LineOf(Disc, 1, Disc.Price));
        ClearEntry();
        return;
    }
    const QString base = Disc.Code;
    TRentCd episode = Disc;
    if (!Split.isEmpty()) {
        episode.Number = int(RoundHalfEven((long double)(Disc.Number) / n));
        if (episode.Number == 0) {
            episode.Number = 1;
        }
        episode.Power = Currency::FromLongDouble(Disc.Power.ToLongDouble() / n);
        if (episode.Power.IsZero()) {
            episode.Power = Currency::FromWhole(1);
        }
    }
    for (int i = 0; i < n; ++i) {
        const QString code = TextFormats::NextCode(base, Split, i);
        if (CodeTaken(Disc.Id, code, RentTable) || ReportInBatch(code)) {
            continue;
        }
        episode.Code = code;
        Lines.append(LineOf(episode, 1, episode.Price));
    }
    ClearEntry();
}

void TStockRentObject::SaveLine(TITransaction& line) {
    TRentCd& title = line.RentCd;
    title.Status = TRentCd::InStock;
    title.Id = -1;
    title.Save();
}

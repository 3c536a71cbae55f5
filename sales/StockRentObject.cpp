#include "sales/StockRentObject.h"

#include "sales/TitleEdits.h"
#include "storage/InputChecks.h"
#include "storage/Prompter.h"
#include "storage/TextFormats.h"
#include "storage/dao/Format.h"

using namespace InputChecks;

namespace {

const QString RentTable = QStringLiteral("TbRentCd");
const QString AmountCaption = QStringLiteral("集数/套数");

} // namespace

TStockRentObject::TStockRentObject() {
    ClearEntry();
}

void TStockRentObject::ClearEntry() {
    BlankEntry();
    Disc.Number = 1;
    Disc.Power = Currency::FromWhole(1);
    Amount = 1;
    Split = QStringLiteral("-");
}

TChecked TStockRentObject::CheckEntry(const TStockRentEntry& entry, int supplier) const {
    TRefusalRun run = EntryRun(supplier);
    run.Check(QStringLiteral("edCode"), [&] {
        return CheckNotEmpty(QStringLiteral("编号"), entry.code) &&
               !CodeTaken(Disc.Id, entry.code, RentTable) && !ReportInBatch(entry.code);
    });
    TitleEdits::CheckName(run, entry);
    TitleEdits::CheckCategory(run, entry);
    run.Check(QStringLiteral("cbFee"), [&] {
        return CheckChosen(QStringLiteral("收费标准"),
                           entry.fid > 0 ? QString::number(entry.fid) : QString());
    });
    TitleEdits::CheckRentFigures(run, entry);
    run.Check(QStringLiteral("edAmount"), [&] { return AmountAccepted(entry); });
    // Consecutive codes count on from the code as a number.
    run.Check(QStringLiteral("edCode"), [&] {
        return entry.amount.trimmed().toInt() <= 1 || !entry.split.isEmpty() ||
               CheckInteger(QStringLiteral("编号"), entry.code, true);
    });
    // The units shared among the episodes must stay whole or half units.
    run.Check(QStringLiteral("edAmount"), [&] {
        if (entry.split.isEmpty()) {
            return true;
        }
        const Currency power = Currency::Parse(entry.power).value_or(Currency());
        const Currency share =
            Currency::FromLongDouble(power.ToLongDouble() / entry.amount.trimmed().toInt());
        return CheckHalfStep(AmountCaption, share.ToPlainText(), false);
    });
    return run.Result();
}

bool TStockRentObject::AmountAccepted(const TStockRentEntry& entry) {
    if (!CheckInteger(AmountCaption, entry.amount, false)) {
        return false;
    }
    const int amount = entry.amount.trimmed().toInt();
    // Fewer than one episode would post nothing, and a huge count would
    // take the dialog down with it.
    if (amount < 0) {
        ShowError(Format(QStringLiteral("“\"%s\"”输入不正确，请重新输入。"), {AmountCaption}));
        return false;
    }
    if (amount > MaxEpisodes) {
        ShowWarning(Format(QStringLiteral("输入的编号“%s”包含的影片超过%d部，请分段输入。"),
                           {entry.code, MaxEpisodes}));
        return false;
    }
    return true;
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

TChecked TStockRentObject::SubmitEntry(const TStockRentEntry& entry, int supplier) {
    return TakeAndPost(
        CheckEntry(entry, supplier), QStringLiteral("edPrice"), [&] { TakeEntry(entry); },
        [this] { PostEntry(); });
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

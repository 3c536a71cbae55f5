#pragma once

#include "sales/StockBatch.h"
#include "sales/StockRentEntry.h"
#include "storage/records/RentCd.h"

#include <QString>

// The batch behind the rental stock-in: new rental titles, one line each,
// with the codes of a series' episodes generated from one entry.
class TStockRentObject : public TStockBatch<TRentCd> {
public:
    // An entry never expands to more titles than this.
    static constexpr int MaxEpisodes = 1000;

    TStockRentObject();

    int Amount = 1;                      // "集数/套数"
    QString Split = QStringLiteral("-"); // "分隔"

    void ClearEntry() override;
    // The entry title as one line, or (EditMode 0 with Amount above 1) one
    // line per episode; episode codes already taken are reported and skipped.
    void PostEntry();

    // The entry checks, in order; the refusal of the first failure, whose
    // message has been shown.
    TChecked CheckEntry(const TStockRentEntry& entry, int supplier) const;
    // The entry as the dialog shows it.
    TStockRentEntry Entry() const;
    // The typed entry into Disc, Amount and Split.
    void TakeEntry(const TStockRentEntry& entry);
    // "保存 &E": check, take and post; the refusal, or nothing.
    TChecked SubmitEntry(const TStockRentEntry& entry, int supplier);

protected:
    // "集数/套数" a whole number from 1 to MaxEpisodes; a refusal is shown.
    static bool AmountAccepted(const TStockRentEntry& entry);
    void SaveLine(TITransaction& line) override;
};

#pragma once

#include "sales/StockBatch.h"
#include "sales/TitleSaleEntry.h"
#include "storage/records/SaleCd.h"

// The batch behind the sale stock-in: each line buys a quantity of a sale
// title at a unit cost, restocking the stored title of that code or creating
// a new one.
class TStockSaleObject : public TStockBatch<TSaleCd> {
public:
    TStockSaleObject();

    void ClearEntry() override;
    // The entry title as a line (appended, or replacing the selected one).
    void PostEntry();
    // Sum of quantity × unit cost over the lines; EVintorError when out of
    // range (a posted entry never makes it so).
    Currency CostSum() const;

    // "存货数量" of the title last found by code.
    int Stock = 0;

    // Loads the stored title of this code into the entry with a quantity of
    // 1 (its day stays the entry's) and its stock into Stock; false when
    // there is none, the entry then stays as it was.
    bool LookUpCode(const QString& code);
    // The entry checks, in order; the refusal of the first failure, whose
    // message has been shown.
    TChecked CheckEntry(const TTitleSaleEntry& entry, int supplier) const;
    // The entry as the dialog shows it.
    TTitleSaleEntry Entry() const;
    // The typed entry into Disc. The entry's title is the stored one of the
    // typed code, or a new one: a stored title is only ever restocked or
    // changed through its own code.
    void TakeEntry(const TTitleSaleEntry& entry);
    // "保存 &E": check, take and post; the refusal, or nothing.
    TChecked SubmitEntry(const TTitleSaleEntry& entry, int supplier);

protected:
    void CheckSums() const override;
    void SaveLine(TITransaction& line) override;
};

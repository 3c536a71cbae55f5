#pragma once

#include "sales/StockSaleObject.h"
#include "sales/ui/StockInFm.h"

class QLabel;

// "销售进货": a batch of sale titles bought from one supplier, each line a
// quantity at a unit cost; a code of a stored title restocks it.
class TAddStockSaleFm : public TStockInFm {
    Q_OBJECT
public:
    explicit TAddStockSaleFm(QWidget* parent = nullptr);

    QLabel* lbStock;

    const TStockSaleObject& Batch() const { return stock_; }

protected:
    void AddEntryFields() override;
    void ShowEntry() override;
    TChecked SubmitEntry(int supplier) override;
    void ShowTotals() override;

private:
    // Enter in "编号", or leaving it, with a changed code: the stored title
    // of that code and its stock, when there is one.
    void LookUpCode();

    TStockSaleObject stock_;
    // The code whose title the entry shows (or was last looked up).
    QString shownCode_;
};

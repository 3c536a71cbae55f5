#pragma once

#include "sales/StockRentObject.h"
#include "sales/ui/StockInFm.h"

class QLineEdit;
class TDigitEdit;

// "出租进货": a batch of new rental titles from one supplier; one entry may
// stand for every episode or set of a series, whose codes are generated.
class TAddStockRentFm : public TStockInFm {
    Q_OBJECT
public:
    explicit TAddStockRentFm(QWidget* parent = nullptr);

    TDigitEdit* edAmount;
    QLineEdit* edSplit;

    const TStockRentObject& Batch() const { return stock_; }

protected:
    void AddEntryFields() override;
    void ShowEntry() override;
    TChecked SubmitEntry(int supplier) override;
    void ShowTotals() override;

private:
    TStockRentObject stock_;
};

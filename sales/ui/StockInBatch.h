#pragma once

#include "sales/StockBatch.h"

#include <QList>
#include <QString>

class TCdTitle;

// What a stock-in window does with its batch, whichever kind of title the
// batch holds.
class TStockInBatch {
public:
    virtual ~TStockInBatch() = default;

    virtual const QList<TITransaction>& Lines() const = 0;
    virtual const TCdTitle& TitleOf(int line) const = 0;
    virtual int CurrentLine() const = 0;
    virtual bool Copied() const = 0;
    virtual void ClearEntry() = 0;
    virtual void SelectLine(int line) = 0;
    virtual void DeleteLine() = 0;
    virtual bool CopyLine() = 0;
    virtual bool PasteLine() = 0;
    virtual bool SetEntryDay(const QString& text) = 0;
    virtual TChecked SetHeader(const TStockHeader& header) = 0;
};

// The batch of rental (TRentCd) or sale (TSaleCd) titles behind a window.
template <typename TTitle> class TStockInBatchOf final : public TStockInBatch {
public:
    explicit TStockInBatchOf(TStockBatch<TTitle>& batch) : batch_(batch) {}

    const QList<TITransaction>& Lines() const override { return batch_.Lines; }
    const TCdTitle& TitleOf(int line) const override {
        return TStockBatch<TTitle>::TitleOf(batch_.Lines[line]);
    }
    int CurrentLine() const override { return batch_.CurrentLine; }
    bool Copied() const override { return batch_.Copied; }
    void ClearEntry() override { batch_.ClearEntry(); }
    void SelectLine(int line) override { batch_.SelectLine(line); }
    void DeleteLine() override { batch_.DeleteLine(); }
    bool CopyLine() override { return batch_.CopyLine(); }
    bool PasteLine() override { return batch_.PasteLine(); }
    bool SetEntryDay(const QString& text) override { return batch_.SetEntryDay(text); }
    TChecked SetHeader(const TStockHeader& header) override { return batch_.SetHeader(header); }

private:
    TStockBatch<TTitle>& batch_;
};

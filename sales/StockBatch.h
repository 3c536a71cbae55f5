#pragma once

#include "sales/StockField.h"
#include "sales/StockHeader.h"
#include "storage/CBObject.h"
#include "storage/Currency.h"
#include "storage/FTransaction.h"
#include "storage/ITransaction.h"

#include <QDate>
#include <QList>

#include <optional>

// What the rental and the sale stock-in share: a batch of titles bought from
// one supplier, each a TbITransaction line owning a copy of its title, the
// entry title being typed, the selected line, a title clipboard and the
// purchase movement. Saving writes the movement, the titles and the lines in
// one transaction. TTitle is TRentCd or TSaleCd.
template <typename TTitle> class TStockBatch : public TCBObject {
public:
    bool Copied = false;
    QDate Day;
    int EditMode = 0; // 0 the entry adds lines, 1 it changes the selected line
    TTitle Disc;
    TTitle Clipboard;
    int CurrentLine = -1; // index into Lines, -1 for none
    TFTransaction Fund;
    QList<TITransaction> Lines;

    static TTitle& TitleOf(TITransaction& line);
    static const TTitle& TitleOf(const TITransaction& line);

    virtual void ClearEntry() = 0;
    // "日期" left: a valid date becomes the entry's day.
    bool SetEntryDay(const QString& text);
    // The line becomes the selected one and its title the entry.
    void SelectLine(int index);
    // Removes the selected line (the last one when none is selected).
    void DeleteLine();
    // The selected line's title onto the clipboard; without a selected line
    // an error is shown and false returned.
    bool CopyLine();
    // The clipboard as a new entry; an error when nothing was copied.
    bool PasteLine();
    // True when a line's title has this code; in EditMode 1 the selected line
    // does not count.
    bool CodeInBatch(const QString& code) const;
    Currency PriceSum() const;
    int NumberSum() const;
    // Checks the header and copies it into the purchase movement.
    std::optional<TStockField> SetHeader(const TStockHeader& header);

    // The lines whose Id is this object's Id, with their titles, and the
    // movement of the last one.
    bool Load() override;
    // Writes the batch in one transaction and frees the lines; nothing when
    // there are none. When a statement fails nothing is written and the
    // batch stays as it was.
    bool Save() override;

protected:
    TStockBatch();
    // A batch has no columns of its own; load and save are its own.
    void Bind(TFieldBinder&) override {}
    // Shows the pick check for the supplier; false when none is chosen.
    static bool SupplierChosen(int supplier);
    // Shows "…编号已经添加…" and answers true when the code is in the batch.
    bool ReportInBatch(const QString& code) const;
    // A line of the entry title as it is now, dated by its day.
    TITransaction LineOf(const TTitle& title, int number, Currency price) const;
    // EditMode 0 appends the line, 1 replaces the selected one.
    void PlaceLine(const TITransaction& line);
    // Writes one line's title and the line itself.
    virtual void SaveLine(TITransaction& line) = 0;
};

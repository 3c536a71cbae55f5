#pragma once

#include "sales/StockHeader.h"
#include "storage/Currency.h"
#include "storage/RefusalRun.h"
#include "storage/records/CBObject.h"
#include "storage/records/FTransaction.h"
#include "storage/records/ITransaction.h"

#include <QDate>
#include <QList>

#include <functional>

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
    // The sums raise EVintorError when out of range; a posted entry never
    // makes them so.
    Currency PriceSum() const;
    int NumberSum() const;
    // Checks the header and copies it into the purchase movement; its day
    // becomes the day of every line, of their titles and of the entry.
    TChecked SetHeader(const TStockHeader& header);

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
    // Shows "…编号已经添加…" and answers true when the code is in the batch.
    bool ReportInBatch(const QString& code) const;
    // A run of the entry checks that starts with the pick check for the
    // supplier (cbCompany).
    static TRefusalRun EntryRun(int supplier);
    // The refusal of the entry checks when there is one; otherwise takes the
    // entry through `take` and posts it through `post`, refusing with
    // `sumField` when the sums would leave the range.
    TChecked TakeAndPost(const TChecked& checked, const QString& sumField,
                         const std::function<void()>& take, const std::function<void()>& post);
    // A new title (no category, fee or price) as the entry, on the entry's
    // day; EditMode 0.
    void BlankEntry();
    // A line of the entry title as it is now, dated by its day.
    TITransaction LineOf(const TTitle& title, int number, Currency price) const;
    // EditMode 0 appends the line, 1 replaces the selected one.
    void PlaceLine(const TITransaction& line);
    // Raises EVintorError when a sum of the lines leaves the range the
    // ledger can hold.
    virtual void CheckSums() const;
    // Posts the entry through `post` and keeps the result only when the sums
    // stay in range; otherwise the lines, the entry and the selection are as
    // they were and the error is shown. False then.
    bool PostInRange(const std::function<void()>& post);
    // Writes one line's title and the line itself.
    virtual void SaveLine(TITransaction& line) = 0;
};

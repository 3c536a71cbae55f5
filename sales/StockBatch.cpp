#include "sales/StockBatch.h"

#include "storage/CheckedMoney.h"
#include "storage/Clock.h"
#include "storage/InputChecks.h"
#include "storage/JetDate.h"
#include "storage/Prompter.h"
#include "storage/dao/CBQuery.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"

#include <type_traits>

namespace {

enum { RentalStockIn = 21, SaleStockIn = 22 };

template <typename TTitle> constexpr bool IsRental = std::is_same_v<TTitle, TRentCd>;

} // namespace

template <typename TTitle>
TStockBatch<TTitle>::TStockBatch() : TCBObject(QStringLiteral("TbITransaction")) {
    Day = TClock::Today();
    Disc.Day = Day;
}

template <typename TTitle> TTitle& TStockBatch<TTitle>::TitleOf(TITransaction& line) {
    if constexpr (IsRental<TTitle>) {
        return line.RentCd;
    } else {
        return line.SaleCd;
    }
}

template <typename TTitle> const TTitle& TStockBatch<TTitle>::TitleOf(const TITransaction& line) {
    return TitleOf(const_cast<TITransaction&>(line));
}

template <typename TTitle> bool TStockBatch<TTitle>::SetEntryDay(const QString& text) {
    if (!InputChecks::CheckDate(QStringLiteral("日期"), text)) {
        return false;
    }
    Disc.Day = *JetDate::ParseShort(text);
    return true;
}

template <typename TTitle> void TStockBatch<TTitle>::SelectLine(int index) {
    if (index < 0 || index >= Lines.size()) {
        return;
    }
    CurrentLine = index;
    Disc = TitleOf(Lines[index]);
    EditMode = 1;
}

template <typename TTitle> void TStockBatch<TTitle>::DeleteLine() {
    if (Lines.isEmpty()) {
        return;
    }
    Lines.removeAt(CurrentLine >= 0 && CurrentLine < Lines.size() ? CurrentLine : Lines.size() - 1);
    CurrentLine = int(Lines.size()) - 1;
    ClearEntry();
}

template <typename TTitle> bool TStockBatch<TTitle>::CopyLine() {
    if (CurrentLine < 0 || CurrentLine >= Lines.size()) {
        ShowError(QStringLiteral("请首先选中一条进货记录。"));
        return false;
    }
    Clipboard = TitleOf(Lines[CurrentLine]);
    Copied = true;
    return true;
}

template <typename TTitle> bool TStockBatch<TTitle>::PasteLine() {
    if (!Copied) {
        ShowError(QStringLiteral("请先复制一条进货记录。"));
        return false;
    }
    Disc = Clipboard;
    EditMode = 0;
    return true;
}

template <typename TTitle> bool TStockBatch<TTitle>::CodeInBatch(const QString& code) const {
    for (int i = 0; i < Lines.size(); ++i) {
        if (EditMode == 1 && i == CurrentLine) {
            continue;
        }
        // Codes compare as the ledger compares them: ASCII case ignored.
        if (TitleOf(Lines[i]).Code.compare(code, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

template <typename TTitle> Currency TStockBatch<TTitle>::PriceSum() const {
    Currency sum;
    for (const TITransaction& line : Lines) {
        sum = CheckedMoney::Add(sum, line.Price);
    }
    return sum;
}

template <typename TTitle> int TStockBatch<TTitle>::NumberSum() const {
    int sum = 0;
    for (const TITransaction& line : Lines) {
        sum = CheckedMoney::AddCount(sum, line.Number);
    }
    return sum;
}

template <typename TTitle> TChecked TStockBatch<TTitle>::SetHeader(const TStockHeader& header) {
    if (TChecked refusal = header.Check()) {
        return refusal;
    }
    header.CopyInto(Fund);
    // The header's day dates the whole batch: lines posted before the day
    // was changed, a line's day taken over by selecting it, and the titles.
    Disc.Day = Fund.Day;
    for (TITransaction& line : Lines) {
        line.Day = Fund.Day;
        TitleOf(line).Day = Fund.Day;
    }
    return std::nullopt;
}

template <typename TTitle> TRefusalRun TStockBatch<TTitle>::EntryRun(int supplier) {
    TRefusalRun run;
    run.Check(QStringLiteral("cbCompany"), [supplier] {
        return InputChecks::CheckChosen(QStringLiteral("供应商"),
                                        supplier > 0 ? QString::number(supplier) : QString());
    });
    return run;
}

template <typename TTitle>
TChecked TStockBatch<TTitle>::TakeAndPost(const TChecked& checked, const QString& sumField,
                                          const std::function<void()>& take,
                                          const std::function<void()>& post) {
    if (checked) {
        return checked;
    }
    take();
    return TRefusalRun().Check(sumField, [&] { return PostInRange(post); }).Result();
}

template <typename TTitle> bool TStockBatch<TTitle>::ReportInBatch(const QString& code) const {
    if (!CodeInBatch(code)) {
        return false;
    }
    ShowError(Format(QStringLiteral("“\"%s\"”编号已经添加，请重新输入。"), {code}));
    return true;
}

template <typename TTitle> void TStockBatch<TTitle>::BlankEntry() {
    const QDate day = Disc.Day;
    Disc = TTitle();
    Disc.Id = -1;
    Disc.Day = day;
    EditMode = 0;
}

template <typename TTitle>
TITransaction TStockBatch<TTitle>::LineOf(const TTitle& title, int number, Currency price) const {
    TITransaction line;
    line.Id = -1;
    line.Day = Disc.Day;
    line.CId1 = IsRental<TTitle> ? 0 : title.Id;
    line.FId = 0;
    line.Flag = IsRental<TTitle> ? TITransaction::RentalLine : TITransaction::SaleLine;
    line.Number = number;
    line.Price = price;
    TitleOf(line) = title;
    return line;
}

template <typename TTitle> void TStockBatch<TTitle>::PlaceLine(const TITransaction& line) {
    if (EditMode == 1 && CurrentLine >= 0 && CurrentLine < Lines.size()) {
        Lines[CurrentLine] = line;
    } else {
        Lines.append(line);
    }
}

template <typename TTitle> void TStockBatch<TTitle>::CheckSums() const {
    PriceSum();
    NumberSum();
}

template <typename TTitle>
bool TStockBatch<TTitle>::PostInRange(const std::function<void()>& post) {
    const QList<TITransaction> lines = Lines;
    const TTitle entry = Disc;
    const int editMode = EditMode;
    const int currentLine = CurrentLine;
    post();
    try {
        CheckSums();
        return true;
    } catch (const EVintorError& error) {
        Lines = lines;
        Disc = entry;
        EditMode = editMode;
        CurrentLine = currentLine;
        ShowError(error.Message());
        return false;
    }
}

template <typename TTitle> bool TStockBatch<TTitle>::Load() {
    Lines.clear();
    CurrentLine = -1;
    TCBQuery query;
    QList<int> ids;
    if (query.HasRows(Format(QStringLiteral("SELECT Id FROM TbITransaction WHERE Id=%d"), {Id}))) {
        for (; !query.Eof(); query.Next()) {
            ids.append(int(query.FieldByName(QStringLiteral("Id")).AsInteger()));
        }
    }
    query.Close();
    for (const int id : ids) {
        TITransaction line;
        line.LoadById(id);
        Lines.append(line);
    }
    if (Lines.isEmpty()) {
        return false;
    }
    Fund = TFTransaction();
    Fund.LoadById(Lines.back().FId);
    return true;
}

template <typename TTitle> bool TStockBatch<TTitle>::Save() {
    if (Lines.isEmpty()) {
        return false;
    }
    const TFTransaction fund = Fund;
    const QList<TITransaction> lines = Lines;
    try {
        TDM::TTransaction transaction(TDM::Instance());
        Fund.Id = -1;
        Fund.CId1 = IsRental<TTitle> ? RentalStockIn : SaleStockIn;
        Fund.Flag = TFTransaction::AccountMovement;
        Fund.AId2 = 0;
        Fund.AId3 = 0;
        Fund.Sum2 = Currency();
        Fund.Save();
        const int sn = TITransaction().NextSerial();
        for (TITransaction& line : Lines) {
            line.CId2 = Fund.CId1;
            line.FId = Fund.Id;
            line.Sn = sn;
            SaveLine(line);
            line.CId1 = TitleOf(line).Id;
            line.Id = -1;
            line.Save();
        }
        transaction.Commit();
    } catch (...) {
        Fund = fund;
        Lines = lines;
        throw;
    }
    Lines.clear();
    CurrentLine = -1;
    ClearEntry();
    return true;
}

template class TStockBatch<TRentCd>;
template class TStockBatch<TSaleCd>;

#pragma once

#include "storage/records/CdTitle.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class TRentCd;

// One title the disc search found or put into the cart: its record (a TRentCd
// or a TSaleCd) and whether it is ticked.
struct TFoundCd {
    std::unique_ptr<TCdTitle> Record;
    bool Selected = false;

    // The rental title; nullptr for a sale title.
    const TRentCd* Rent() const;
    // A rental title that is out with a renter (Status 2): it cannot be ticked.
    bool RentedOut() const;
    // Discs of the title: Number of a rental title, Number1 of a sale title.
    int Units() const;
    // "未租", "已租" or "注销" for a rental title, empty for a sale title.
    QString StatusText() const;
};
using TFoundCds = std::vector<TFoundCd>;

// The disc search behind the search window: the criteria, the query they
// make, the titles found and the cart the operator collects titles in. The
// ticks of both lists follow one rule: a rented-out rental title stays
// unticked.
class TSearchCdObject {
public:
    enum { RentMode = 0, SaleMode = 1 };

    // Rental titles (TbRentCd) or sale titles (TbSaleCd). Switching keeps both
    // lists as they are.
    void SetMode(int mode);
    int Mode() const { return mode_; }
    const QString& TableName() const { return tableName_; }

    QString CodeText;
    QString NameText;
    QString AliasText;
    QString DirectorText;
    QString PlayerText;
    int CategoryId = 0; // 0: every category
    bool WithSubCategories = false;
    QString MemoText;
    QDate DayFrom; // purchase-date range; a null date does not limit
    QDate DayTo;

    TFoundCds Results;
    TFoundCds Cart;

    // The SELECT for the criteria: one condition per criterion that is not
    // blank, joined with AND. Typed text is matched literally anywhere in its
    // column (quotes and LIKE wildcards in it stand for themselves).
    QString BuildSql() const;
    // Replaces Results with the titles the criteria find. A rental title out
    // with a renter starts unticked, every other title ticked.
    void Search();

    // Ticks every result that may be ticked; unticks every result.
    void SelectAll();
    void ClearAll();
    // The same for the given rows of Results only.
    void SelectRows(const QList<int>& rows);
    void ClearRows(const QList<int>& rows);
    // The operator ticks or unticks one row of Results or Cart. Ticking a
    // rented-out rental title is refused with a warning; false then.
    bool SetSelected(TFoundCds& list, int row, bool selected);

    static int SelectedCount(const TFoundCds& list);
    static int SelectedUnits(const TFoundCds& list);

    // Moves the ticked results to the end of the cart, taking them from the
    // last result to the first.
    void MoveToCart();
    // The codes of the ticked titles in the cart, in cart order.
    QStringList CartCodes() const;

private:
    std::unique_ptr<TCdTitle> NewRecord() const;

    int mode_ = RentMode;
    QString tableName_ = QStringLiteral("TbRentCd");
};

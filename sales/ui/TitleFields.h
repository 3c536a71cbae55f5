#pragma once

#include "sales/TitleRentEntry.h"
#include "sales/TitleSaleEntry.h"

#include <QWidget>

class QGridLayout;
class QLabel;
class QLineEdit;
class TDigitEdit;
class TIdComboBox;
class TMoneyEdit;
class TPopupDlg;

// The fields of a rental or a sale title, two to a row in the order Enter
// goes through them; director and actor open the actor picker. The title
// dialogs and the stock-ins show a title entry here and read it back as
// typed; the core checks it.
class TTitleFields : public QWidget {
    Q_OBJECT
public:
    enum class TKind { Rent, Sale };

    TTitleFields(TKind kind, QWidget* parent = nullptr);

    // Adds a field after the others (the stock-ins' own), captioned.
    void AddField(const QString& caption, QWidget* field);
    // The caption shown beside a field.
    QLabel* LabelOf(const QWidget* field) const;

    // Rental fields (TKind::Rent).
    void Show(const TTitleRentEntry& entry);
    TTitleRentEntry RentEntry() const;
    // Sale fields (TKind::Sale).
    void Show(const TTitleSaleEntry& entry);
    TTitleSaleEntry SaleEntry() const;

    QLineEdit* edCode;
    QLineEdit* edName;
    QLineEdit* edAlias1;
    QLineEdit* edAlias2;
    TIdComboBox* cbCdCategory;
    TIdComboBox* cbFee = nullptr;    // rental
    TDigitEdit* edNumber = nullptr;  // rental "碟片数目"
    TDigitEdit* edPower = nullptr;   // rental "计费部数"
    TDigitEdit* edNumber1 = nullptr; // sale "碟片数目"
    TDigitEdit* edNumber2 = nullptr; // sale "进货数量"
    TMoneyEdit* edCost = nullptr;    // sale "单套进价"
    TMoneyEdit* edPrice;             // "价格" or "参考售价"
    QLineEdit* edDirector;
    QLineEdit* edPlayer;
    TPopupDlg* pdDirector;
    TPopupDlg* pdPlayer;
    QLineEdit* edMemo1;

private:
    void ShowShared(const TTitleEntry& entry);
    void TakeShared(TTitleEntry& entry) const;

    QGridLayout* grid_;
    int fields_ = 0;
};

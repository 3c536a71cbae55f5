#pragma once

#include "app/DialogFm.h"
#include "storage/Currency.h"
#include "storage/grid/GridColumn.h"

#include <QList>

class QLabel;
class QPushButton;
class TDataGrid;
class TDateEdit;
class TDeskGrid;
class TDeskLineModel;
class TGridFooter;
class TMoneyEdit;

// "查找销售单据": finds earlier sales by day and amount and hands the bill
// number of the one chosen back to the sales desk for a refund.
class TSearchBillFm : public TDialogFm {
    Q_OBJECT
public:
    explicit TSearchBillFm(QWidget* parent = nullptr);

    // Opens the dialog modally; the chosen bill number as text, or empty
    // text when the dialog was closed without a choice.
    static QString Find(QWidget* parent);

    // Checks the conditions and lists the sales that meet them; false (the
    // refused box focused) when a condition is refused.
    bool Search();
    // The bill number of the line under the cursor (the first line when none
    // is); empty without a line.
    QString ChosenSn() const;

    // One line of the sale shown below.
    struct TLine {
        QString code;
        QString name;
        int number = 0;
        Currency price;
        int sn = 0;
    };
    QList<TLine> Lines;

    TDateEdit* edDay;
    TMoneyEdit* edSum;
    QPushButton* btnSearch;
    TDataGrid* dgBill;
    TGridFooter* ftBill;
    TDeskGrid* tlLines;
    TGridFooter* ftLines;
    QLabel* lbHint;
    QPushButton* btnOk;
    QPushButton* btnClose;

protected:
    void ModalShown() override;

private:
    QWidget* BuildConditions();
    QWidget* BuildLines();
    // The lines of the sale under the cursor of the upper grid.
    void ShowLines();
    void ShowCount();
    void Choose();

    QList<TGridColumn> lineColumns_;
    TDeskLineModel* linesModel_;
};

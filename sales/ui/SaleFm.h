#pragma once

#include "app/ChildFm.h"
#include "sales/SaleObject.h"
#include "storage/grid/GridColumn.h"

#include <QList>
#include <QStringList>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class TBillCodeEdit;
class TDeskGrid;
class TDeskLineModel;
class TExPickEdit;
class TGridFooter;
class TMoneyEdit;
class TSaleCdPanel;

// "光盘销售": the counter where discs are sold and sold discs taken back. A
// thin workflow over its TSaleObject: title codes, a bill number, grid edits,
// ticks and amounts go to the engine, and the panel, grids and money fields
// show what the engine then holds. F5 restarts, F6 sells, F7 takes back (with
// permission Op4), F8 prints the bill just written, F9 edits the lines, F12
// opens the disc search.
class TSaleFm : public TChildFm {
    Q_OBJECT
public:
    explicit TSaleFm(QWidget* parent = nullptr);
    ~TSaleFm() override;

    bool MessageHook(QObject* receiver, QEvent* event) override;

    // The next customer: nothing entered, focus on the title code.
    void ReStart();

    TSaleObject SaleObject;

    TExPickEdit* edCCode;
    TBillCodeEdit* edSCode;
    QToolButton* btnSearch;
    QToolButton* btnTab;
    TSaleCdPanel* gbCdInfo;
    QTabWidget* tabNow;
    TDeskGrid* tlNow;
    TGridFooter* ftNow;
    QTabWidget* tabHistory;
    TDeskGrid* tlHistory;
    TGridFooter* ftHistory;
    QLabel* lbTotal;
    TMoneyEdit* edSum;
    TMoneyEdit* edCash;
    QLabel* lbTip;
    QLabel* lbChange;
    QLineEdit* edMemo;
    QPushButton* btnEdit;
    QPushButton* btnReStart;
    QPushButton* btnSale;
    QPushButton* btnBack;
    QPushButton* btnPrint;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildEntries();
    QWidget* BuildGrids();
    QWidget* BuildMoney();
    QWidget* BuildButtons();
    void WireActions();

    // A line's three editable cells, with `text` typed into `column`, go to
    // the engine.
    bool EditLine(int line, int column, const QString& text);
    void EnterCodes(const QStringList& codes);
    void EnterSearchedCodes();
    void EnterPickedTitle(int id);
    void LoadBill(const QString& text);
    void SearchBill();
    // Runs an engine call (a failure is shown) and draws what the engine then
    // holds, with the change worked out again from the amounts shown.
    void Act(const std::function<void()>& call);
    void Commit(void (TSaleObject::*commit)());
    void Print();
    void EditDiscounts();
    void ToggleTitlePanel();

    void Redraw();
    void ShowButtons();
    void ShowFooters();
    // Total, the amounts, the change and the memo as the engine holds them.
    void ShowFigures();
    void ShowChange();
    // The amount entries (and, for a commit, the memo) taken by the engine
    // and the change shown; false (the refused entry selected) when an entry
    // is not an amount.
    bool ApplyAmounts(bool takeMemo);

    QList<TGridColumn> nowColumns_;
    QList<TGridColumn> historyColumns_;
    TDeskLineModel* nowModel_;
    TDeskLineModel* historyModel_;
};

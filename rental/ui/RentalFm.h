#pragma once

#include "app/ChildFm.h"
#include "rental/RentObject.h"

#include <QStringList>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class TCdInfoPanel;
class TDeskGrid;
class TExPickEdit;
class TGridFooter;
class TMoneyEdit;
class TRenterPanel;

// "光盘出租/返还": the counter where discs go out and come back. A thin
// workflow over its TRentObject: disc codes, a member, ticks and amounts go
// to the engine, and the panels, grids and money fields show what the engine
// then holds. F5 restarts, F6 rents (or, while returning, cancels with
// permission Op2), F7 takes the discs back, F8 prints the last receipt, F12
// enters the discs picked in the disc search.
class TRentalFm : public TChildFm {
    Q_OBJECT
public:
    explicit TRentalFm(QWidget* parent = nullptr);
    ~TRentalFm() override;

    bool MessageHook(QObject* receiver, QEvent* event) override;

    // The next customer: a walk-in renter, nothing entered, focus on the
    // disc code.
    void ReStart();

    TRentObject RentObject;

    TExPickEdit* edCCode;
    TExPickEdit* edPCode;
    QToolButton* btnTab;
    TCdInfoPanel* gbCdInfo;
    TRenterPanel* gbAssociator;
    QTabWidget* tabNow;
    // Its tick menu: tlNow->maSelect, maClear, mpSelect, mpClear.
    TDeskGrid* tlNow;
    TGridFooter* ftNow;
    QTabWidget* tabHistory;
    TDeskGrid* tlHistory;
    TGridFooter* ftHistory;
    QLabel* lbDeposit;
    QLabel* lbRent;
    QLabel* lbSum;
    TMoneyEdit* edSum;
    TMoneyEdit* edCash;
    QLineEdit* edMemo;
    QPushButton* btnReStart;
    QPushButton* btnRent;
    QPushButton* btnReturn;
    QPushButton* btnPrint;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildEntries();
    QWidget* BuildGrids();
    QWidget* BuildMoney();
    QWidget* BuildButtons();
    void WireActions();

    // A walk-in renter and empty entries, the focus left where it is.
    void StartOver();
    // Codes entered one by one (a typed entry, a pick, the disc search).
    void EnterCodes(const QStringList& codes);
    // The discs ticked in the cart of the disc search.
    void EnterSearchedCodes();
    void EnterPickedDisc(int id);
    void EnterPickedMember(int id);
    // The workflow steps: run the engine call (a failure is shown), then draw
    // what the engine holds; the figures too unless a commit went through,
    // whose figures stay on show for the receipt.
    void Act(const std::function<void()>& call, bool figures = true);
    void Commit(void (TRentObject::*commit)());
    void RentOrCancel();
    void Print();
    void ToggleDiscPanel();

    void Redraw();
    void ShowButtons();
    void ShowFooters();
    // Deposit, rent and the three entries from the engine; while returning
    // the refund then follows the received amount.
    void ShowFigures();
    // The received entry as typed, taken by the engine; while returning the
    // refund entry follows. A half-typed amount is left for the commit.
    void FollowReceived();
    // The commit form of the money entries; false (and the focus on the
    // refused entry) when one was refused, and then nothing is committed.
    bool TakeAmounts();
};

#pragma once

#include "app/ChildFm.h"
#include "storage/records/Account.h"

class QAction;
class QPushButton;
class QTabBar;
class TAccountPanel;
class TDataGrid;
class TGridFooter;

// "账户/资金管理": one tab per fund account, the current account's details
// and its movements since the chosen period's start. F5 adds an account, F6
// edits and F7 deletes the current one; income, expenses and transfers are
// added, edited and deleted by their buttons (Alt+A, T, E, D), edits and
// deletes only for the movements entered here.
class TFundFm : public TChildFm {
    Q_OBJECT
public:
    explicit TFundFm(QWidget* parent = nullptr);

    bool MessageHook(QObject* receiver, QEvent* event) override;

    // The account whose tab is current; -1 without one.
    int AccountId() const { return accountId_; }

    QPushButton* btn_Account_Add;
    QPushButton* btn_Account_Edit;
    QPushButton* btn_Account_Del;
    QTabBar* tcAccount;
    TAccountPanel* gbDetail;
    QPushButton* btn_FTransaction_Add;
    QPushButton* btn_Transfer_Add;
    QPushButton* btn_FTransaction_Edit;
    QPushButton* btn_FTransaction_Del;
    QPushButton* btnFilter;
    QAction* mMonth;
    QAction* mWeek;
    QAction* mToday;
    QAction* mAll;
    TDataGrid* dgFTransaction;
    TGridFooter* ftFTransaction;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildToolbar();
    QWidget* BuildMovements(QWidget* parent);
    // The "显示选项" menu, the stored period checked.
    void BuildPeriodMenu();

    // Fills the tabs again with `accountId` current (-1: the account added
    // last; one that is gone: the first), without reading its list.
    void FillTabs(int accountId);
    // The tabs again and the account's details and list.
    void ShowAccounts(int accountId);
    // Reads the current account's list again, with `movementId` current (else
    // the one current before, else the first), and its details and footers.
    void ShowAccount(qint64 movementId = -1);
    // The list alone, in the chosen period.
    void LoadList(qint64 movementId);
    // The account's details and the footers, which stand for all its
    // movements.
    void ShowDetails();
    QString ListWhere() const;
    void ChoosePeriod(int showOption);
    // The category of the current movement; 0 without one.
    int CurrentCategory();
    void UpdateButtons();

    void AddAccount();
    void EditAccount();
    void DeleteAccount();
    // Runs a movement dialog for the current account; a saved movement is
    // made current.
    template <class TDialog> void RunMovementDialog(int id);
    void EditMovement();
    void DeleteMovement();

    int accountId_ = -1;
    bool filling_ = false;
    TAccount account_;
};

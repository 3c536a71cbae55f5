#include "members/ui/FundFm.h"

#include "app/EditDialogFm.h"
#include "app/kit/ButtonMnemonic.h"
#include "app/kit/DataGrid.h"
#include "app/kit/DeskLabels.h"
#include "app/kit/EngineCall.h"
#include "app/kit/GridFooter.h"
#include "members/AccountStore.h"
#include "members/FundLists.h"
#include "members/FundRecords.h"
#include "members/ShowPeriod.h"
#include "members/ui/AccountPanel.h"
#include "members/ui/AddAccountFm.h"
#include "members/ui/AddFTransactionFm.h"
#include "members/ui/AddTransferFm.h"
#include "storage/Clock.h"
#include "storage/Settings.h"
#include "storage/dao/DM.h"

#include <QActionGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

TFundFm::TFundFm(QWidget* parent) : TChildFm(parent) {
    setWindowTitle(QStringLiteral("账户/资金管理"));
    setObjectName(QStringLiteral("FundFm"));
    tcAccount = new QTabBar(this);
    tcAccount->setObjectName(QStringLiteral("tcAccount"));
    tcAccount->setExpanding(false);
    auto* body = new QFrame(this);
    body->setFrameShape(QFrame::StyledPanel);
    gbDetail = new TAccountPanel(body);
    gbDetail->setFixedWidth(240);
    auto* row = new QHBoxLayout(body);
    row->addWidget(BuildMovements(body), 1);
    row->addWidget(gbDetail);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildToolbar());
    layout->addSpacing(4);
    layout->setSpacing(0); // the tabs right over the account they show
    layout->addWidget(tcAccount);
    layout->addWidget(body, 1);

    connect(tcAccount, &QTabBar::currentChanged, this, [this](int index) {
        if (filling_) {
            return;
        }
        accountId_ = index < 0 ? -1 : tcAccount->tabData(index).toInt();
        dgFTransaction->setCurrentIndex({}); // the new list starts at its top
        ShowAccount();
    });
    connect(dgFTransaction->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TFundFm::UpdateButtons);
    // A column filter or a new order may leave no movement current.
    connect(dgFTransaction, &TDataGrid::Reloaded, this, [this] {
        dgFTransaction->KeepARowCurrent();
        UpdateButtons();
    });
    connect(dgFTransaction, &QAbstractItemView::doubleClicked, this, [this] {
        if (btn_FTransaction_Edit->isEnabled()) {
            EditMovement();
        }
    });

    FillTabs(TAccount::CashBoxId);
    dgFTransaction->SetUp(QStringLiteral("dgFTransaction"), FundLists::Columns(),
                          FundLists::Select(accountId_), ListWhere(), FundLists::Key);
    ShowDetails();
}

QWidget* TFundFm::BuildToolbar() {
    auto* bar = new QWidget(this);
    using DeskLabels::NewButton;
    btn_Account_Add = NewButton(bar, "btn_Account_Add", QStringLiteral("新添账户 F5"));
    btn_Account_Edit = NewButton(bar, "btn_Account_Edit", QStringLiteral("修改 F6"));
    btn_Account_Del = NewButton(bar, "btn_Account_Del", QStringLiteral("删除 F7"));
    connect(btn_Account_Add, &QPushButton::clicked, this, &TFundFm::AddAccount);
    connect(btn_Account_Edit, &QPushButton::clicked, this, &TFundFm::EditAccount);
    connect(btn_Account_Del, &QPushButton::clicked, this, &TFundFm::DeleteAccount);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {btn_Account_Add, btn_Account_Edit, btn_Account_Del}) {
        row->addWidget(button);
    }
    row->addStretch();
    return bar;
}

QWidget* TFundFm::BuildMovements(QWidget* parent) {
    auto* page = new QWidget(parent);
    using DeskLabels::NewButton;
    btn_FTransaction_Add = NewButton(page, "btn_FTransaction_Add", QStringLiteral("添加收支 &A"));
    btn_Transfer_Add = NewButton(page, "btn_Transfer_Add", QStringLiteral("添加转账 &T"));
    btn_FTransaction_Edit = NewButton(page, "btn_FTransaction_Edit", QStringLiteral("修改 &E"));
    btn_FTransaction_Del = NewButton(page, "btn_FTransaction_Del", QStringLiteral("删除 &D"));
    btnFilter = NewButton(page, "btnFilter", QStringLiteral("显示选项"));
    for (QPushButton* button :
         {btn_FTransaction_Add, btn_Transfer_Add, btn_FTransaction_Edit, btn_FTransaction_Del}) {
        ClickOnMnemonic(button);
    }
    connect(btn_FTransaction_Add, &QPushButton::clicked, this,
            [this] { RunMovementDialog<TAddFTransactionFm>(-1); });
    connect(btn_Transfer_Add, &QPushButton::clicked, this,
            [this] { RunMovementDialog<TAddTransferFm>(-1); });
    connect(btn_FTransaction_Edit, &QPushButton::clicked, this, &TFundFm::EditMovement);
    connect(btn_FTransaction_Del, &QPushButton::clicked, this, &TFundFm::DeleteMovement);
    BuildPeriodMenu();

    dgFTransaction = new TDataGrid(&TDM::Instance().DbBase, page);
    ftFTransaction = new TGridFooter(dgFTransaction, page);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {btn_FTransaction_Add, btn_Transfer_Add, btn_FTransaction_Edit,
                                btn_FTransaction_Del, btnFilter}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0); // the footer right under its grid
    layout->addLayout(buttons);
    layout->addSpacing(4);
    layout->addWidget(dgFTransaction, 1);
    layout->addWidget(ftFTransaction);
    return page;
}

void TFundFm::BuildPeriodMenu() {
    auto* menu = new QMenu(btnFilter);
    auto* group = new QActionGroup(menu);
    // Any other stored value shows everything, as "显示所有记录" does.
    const int stored = TSettings().ShowOption();
    const int shown = ShowPeriod::Start(stored, TClock::Today()) ? stored : int(TSettings::ShowAll);
    const auto add = [&](const char* name, const QString& caption, int showOption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        action->setActionGroup(group);
        action->setChecked(showOption == shown);
        connect(action, &QAction::triggered, this,
                [this, showOption] { ChoosePeriod(showOption); });
        return action;
    };
    mMonth = add("mMonth", QStringLiteral("显示本月以来记录"), TSettings::ShowThisMonth);
    mWeek = add("mWeek", QStringLiteral("显示本周以来记录"), TSettings::ShowThisWeek);
    mToday = add("mToday", QStringLiteral("显示本日以来记录"), TSettings::ShowToday);
    mAll = add("mAll", QStringLiteral("显示所有记录"), TSettings::ShowAll);
    btnFilter->setMenu(menu);
}

void TFundFm::showEvent(QShowEvent* event) {
    TChildFm::showEvent(event);
    dgFTransaction->setFocus();
}

bool TFundFm::MessageHook(QObject*, QEvent* event) {
    return ClickReleased(event, {{Qt::Key_F5, btn_Account_Add},
                                 {Qt::Key_F6, btn_Account_Edit},
                                 {Qt::Key_F7, btn_Account_Del}});
}

void TFundFm::FillTabs(int accountId) {
    filling_ = true;
    while (tcAccount->count() > 0) {
        tcAccount->removeTab(0);
    }
    int current = 0;
    for (const TIdItem& account : FundLists::Accounts()) {
        const int tab = tcAccount->addTab(account.Text);
        tcAccount->setTabData(tab, account.Id);
        if (account.Id == accountId || accountId <= 0) {
            current = tab;
        }
    }
    tcAccount->setCurrentIndex(tcAccount->count() > 0 ? current : -1);
    accountId_ = tcAccount->count() > 0 ? tcAccount->tabData(current).toInt() : -1;
    filling_ = false;
}

void TFundFm::ShowAccounts(int accountId) {
    FillTabs(accountId);
    ShowAccount();
}

QString TFundFm::ListWhere() const {
    return FundLists::Where(accountId_,
                            ShowPeriod::Start(TSettings().ShowOption(), TClock::Today()));
}

void TFundFm::ShowAccount(qint64 movementId) {
    LoadList(movementId);
    ShowDetails();
}

void TFundFm::LoadList(qint64 movementId) {
    dgFTransaction->Data().SetSql(FundLists::Select(accountId_), ListWhere(), FundLists::Key);
    dgFTransaction->Reload(); // a row stays current (Reloaded)
    if (movementId > 0) {
        dgFTransaction->SelectId(movementId);
    }
}

void TFundFm::ShowDetails() {
    if (accountId_ <= 0 || !account_.LoadById(accountId_)) {
        account_ = TAccount();
    }
    const Currency balance = account_.Balance();
    gbDetail->ShowAccount(account_, balance);
    ftFTransaction->SetCells(FundLists::Footer(accountId_, balance));
}

void TFundFm::ChoosePeriod(int showOption) {
    TSettings().SetShowOption(showOption);
    LoadList(-1); // the footers stand for every movement whatever the period
}

int TFundFm::CurrentCategory() {
    const QModelIndex current = dgFTransaction->currentIndex();
    if (!current.isValid()) {
        return 0;
    }
    TQueryRows& rows = dgFTransaction->Data().Rows();
    return int(rows.Value(current.row(), rows.FieldIndex(QStringLiteral("CId1"))).Number());
}

void TFundFm::UpdateButtons() {
    const bool account = accountId_ > 0;
    btn_Account_Edit->setEnabled(account);
    btn_Account_Del->setEnabled(account);
    btn_FTransaction_Add->setEnabled(account);
    btn_Transfer_Add->setEnabled(account && tcAccount->count() >= 2);
    // Only what was entered here: the desks, stock-in and member payments
    // keep their own movements.
    const bool ours =
        dgFTransaction->SelectedId() > 0 && TFundRecords::CanChange(CurrentCategory());
    btn_FTransaction_Edit->setEnabled(ours);
    btn_FTransaction_Del->setEnabled(ours);
}

void TFundFm::AddAccount() {
    int id = -1;
    if (!TEditDialogFm::Execute<TAddAccountFm>(id, 0, window())) {
        return;
    }
    // The new account's list starts in date order.
    dgFTransaction->Data().Sort().SetMark(FundLists::DayColumn, TGridSort::TMark::Ascending);
    dgFTransaction->setCurrentIndex({});
    ShowAccounts(id);
}

void TFundFm::EditAccount() {
    int id = accountId_;
    if (TEditDialogFm::Execute<TAddAccountFm>(id, 0, window())) {
        ShowAccounts(accountId_);
    }
}

void TFundFm::DeleteAccount() {
    bool deleted = false;
    EngineCall::Run([&] { deleted = TAccountStore::DeleteAccount(accountId_); });
    if (deleted) {
        dgFTransaction->setCurrentIndex({});
        ShowAccounts(TAccount::CashBoxId);
    }
}

template <class TDialog> void TFundFm::RunMovementDialog(int id) {
    if (TEditDialogFm::Execute<TDialog>(id, accountId_, window())) {
        ShowAccount(id);
    }
}

void TFundFm::EditMovement() {
    const int id = int(dgFTransaction->SelectedId());
    if (CurrentCategory() == TFundRecords::TransferCategory) {
        RunMovementDialog<TAddTransferFm>(id);
    } else {
        RunMovementDialog<TAddFTransactionFm>(id);
    }
}

void TFundFm::DeleteMovement() {
    bool deleted = false;
    EngineCall::Run(
        [&] { deleted = TFundRecords::DeleteMovement(int(dgFTransaction->SelectedId())); });
    if (deleted) {
        ShowAccount();
    }
}

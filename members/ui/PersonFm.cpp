#include "members/ui/PersonFm.h"

#include "app/EditDialogFm.h"
#include "app/ExPickEdit.h"
#include "app/PickEditSetup.h"
#include "app/Session.h"
#include "app/kit/DataGrid.h"
#include "app/kit/DeskLabels.h"
#include "app/kit/EngineCall.h"
#include "app/kit/GridFooter.h"
#include "members/MemberDetails.h"
#include "members/MemberLists.h"
#include "members/MemberRecords.h"
#include "members/MemberStore.h"
#include "members/ui/AddAssociatorFm.h"
#include "members/ui/AddTaxFm.h"
#include "members/ui/EditAssociatorFm.h"
#include "members/ui/MemberPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The permissions of the window's buttons.
enum {
    AddMemberFlag = 14,
    EditMemberFlag = 15,
    DeleteMemberFlag = 16,
    AddRecordFlag = 17,
    EditRecordFlag = 18,
    DeleteRecordFlag = 19
};

enum { FeePage = 0, RentPage = 1 };

// A page's grid above its footer, below a row of buttons.
QWidget* ListPage(QWidget* parent, std::initializer_list<QPushButton*> buttons, TDataGrid* grid,
                  TGridFooter* footer) {
    auto* page = new QWidget(parent);
    auto* row = new QHBoxLayout;
    for (QPushButton* button : buttons) {
        button->setParent(page);
        row->addWidget(button);
    }
    row->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(0); // the footer right under its grid
    layout->addLayout(row);
    layout->addSpacing(4);
    layout->addWidget(grid, 1);
    layout->addWidget(footer);
    return page;
}

} // namespace

TPersonFm::TPersonFm(QWidget* parent) : TChildFm(parent) {
    setWindowTitle(QStringLiteral("会员管理"));
    setObjectName(QStringLiteral("PersonFm"));
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(BuildMembers());
    pcDetail = new QTabWidget(splitter);
    pcDetail->setObjectName(QStringLiteral("pcDetail"));
    pcDetail->addTab(BuildFeePage(), QStringLiteral("会员缴费情况"));
    pcDetail->addTab(BuildRentPage(), QStringLiteral("会员出租情况"));
    splitter->addWidget(pcDetail);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildToolbar());
    layout->addWidget(splitter, 1);

    connect(pcDetail, &QTabWidget::currentChanged, this, [this] { ShowPage(); });
    connect(dgAssociator->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TPersonFm::FollowCurrentRow);
    // A filter or a new order may leave no member current, or another one.
    connect(dgAssociator, &TDataGrid::Reloaded, this, [this] {
        if (!reloading_) {
            dgAssociator->KeepARowCurrent();
            FollowCurrentRow();
        }
    });
    connect(dgFee->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TPersonFm::UpdateButtons);
    connect(dgFee, &TDataGrid::Reloaded, this, &TPersonFm::UpdateButtons);
    connect(dgAssociator, &QAbstractItemView::doubleClicked, this, [this] {
        if (btn_Associator_Edit->isEnabled()) {
            EditMember();
        }
    });
    connect(dgFee, &QAbstractItemView::doubleClicked, this, [this] {
        if (btn_Fee_Edit->isEnabled()) {
            EditRecord();
        }
    });

    dgFee->SetUp(QStringLiteral("dgFee"), MemberLists::FeeColumns(), MemberLists::FeeSelect(),
                 MemberLists::FeeWhere(memberId_), MemberLists::Key);
    dgRent->SetUp(QStringLiteral("dgRent"), MemberLists::RentColumns(), MemberLists::RentSelect(),
                  MemberLists::RentWhere(memberId_), MemberLists::Key);
    dgAssociator->SetUp(QStringLiteral("dgAssociator"), MemberLists::MemberColumns(),
                        MemberLists::MemberSelect(), QString(), MemberLists::Key);
    ReloadMembers(-1);
}

QWidget* TPersonFm::BuildToolbar() {
    auto* bar = new QWidget(this);
    edCode = new TExPickEdit(bar);
    edCode->setObjectName(QStringLiteral("edCode"));
    edCode->setToolTip(QStringLiteral("输入会员编号或者首拼（WXJ 王小姐）"));
    PickEditSetup::SetupPickEdit(QStringLiteral("SELECT Id,Code,Name,Spell FROM TbAssociator"),
                                 *edCode, false, true);
    connect(edCode, &TExPickEdit::KeyChanged, this, &TPersonFm::PickMember);
    using DeskLabels::NewButton;
    btn_Associator_Add = NewButton(bar, "btn_Associator_Add", QStringLiteral("新添会员 F5"));
    btn_Associator_Edit = NewButton(bar, "btn_Associator_Edit", QStringLiteral("修改 F6"));
    btn_Associator_Del = NewButton(bar, "btn_Associator_Del", QStringLiteral("删除 F7"));
    btnAssociatorData = NewButton(bar, "btnAssociatorData", QStringLiteral("导出会员"));
    connect(btn_Associator_Add, &QPushButton::clicked, this, &TPersonFm::AddMember);
    connect(btn_Associator_Edit, &QPushButton::clicked, this, &TPersonFm::EditMember);
    connect(btn_Associator_Del, &QPushButton::clicked, this, &TPersonFm::DeleteMember);
    connect(btnAssociatorData, &QPushButton::clicked, this,
            [this] { dgAssociator->Export(MemberLists::MemberExportName()); });

    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("会员编号"), bar));
    row->addWidget(edCode);
    row->addSpacing(12);
    for (QPushButton* button :
         {btn_Associator_Add, btn_Associator_Edit, btn_Associator_Del, btnAssociatorData}) {
        row->addWidget(button);
    }
    row->addStretch();
    return bar;
}

QWidget* TPersonFm::BuildMembers() {
    auto* box = new QWidget(this);
    pcAssociator = new QTabWidget(box);
    pcAssociator->setObjectName(QStringLiteral("pcAssociator"));
    TDAODatabase* database = &TSession::Current().Dm.DbBase;
    dgAssociator = new TDataGrid(database);
    ftAssociator = new TGridFooter(dgAssociator);
    pcAssociator->addTab(ListPage(pcAssociator, {}, dgAssociator, ftAssociator),
                         QStringLiteral("所有会员列表"));
    gbDetail = new TMemberPanel(box);
    gbDetail->setFixedWidth(240);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pcAssociator, 1);
    layout->addWidget(gbDetail);
    return box;
}

QWidget* TPersonFm::BuildFeePage() {
    using DeskLabels::NewButton;
    btn_Fee_Add =
        NewButton(this, "btn_Fee_Add", QStringLiteral("添加记录 &A"),
                  QStringLiteral("点击为会员每期缴会费；会员预收租金充值；会员缴纳押金等等。"));
    btn_Fee_Edit = NewButton(this, "btn_Fee_Edit", QStringLiteral("修改 &E"));
    btn_Fee_Del = NewButton(this, "btn_Fee_Del", QStringLiteral("删除 &D"));
    btnFeeData = NewButton(this, "btnFeeData", QStringLiteral("导出记录"));
    connect(btn_Fee_Add, &QPushButton::clicked, this, &TPersonFm::AddRecord);
    connect(btn_Fee_Edit, &QPushButton::clicked, this, &TPersonFm::EditRecord);
    connect(btn_Fee_Del, &QPushButton::clicked, this, &TPersonFm::DeleteRecord);
    connect(btnFeeData, &QPushButton::clicked, this,
            [this] { dgFee->Export(MemberLists::FeeExportName(member_.Name)); });
    dgFee = new TDataGrid(&TSession::Current().Dm.DbBase);
    ftFee = new TGridFooter(dgFee);
    return ListPage(this, {btn_Fee_Add, btn_Fee_Edit, btn_Fee_Del, btnFeeData}, dgFee, ftFee);
}

QWidget* TPersonFm::BuildRentPage() {
    btnRentData = DeskLabels::NewButton(this, "btnRentData", QStringLiteral("导出记录"));
    connect(btnRentData, &QPushButton::clicked, this,
            [this] { dgRent->Export(MemberLists::RentExportName(member_.Name)); });
    dgRent = new TDataGrid(&TSession::Current().Dm.DbBase);
    ftRent = new TGridFooter(dgRent);
    return ListPage(this, {btnRentData}, dgRent, ftRent);
}

void TPersonFm::showEvent(QShowEvent* event) {
    TChildFm::showEvent(event);
    edCode->setFocus();
}

bool TPersonFm::MessageHook(QObject*, QEvent* event) {
    return ClickReleased(event, {{Qt::Key_F5, btn_Associator_Add},
                                 {Qt::Key_F6, btn_Associator_Edit},
                                 {Qt::Key_F7, btn_Associator_Del}});
}

template <class TDialog> void TPersonFm::RunMemberDialog(int id) {
    if (TEditDialogFm::Execute<TDialog>(id, 0, window())) {
        ReloadMembers(id);
    }
}

void TPersonFm::AddMember() {
    RunMemberDialog<TAddAssociatorFm>(-1);
}

void TPersonFm::EditMember() {
    RunMemberDialog<TEditAssociatorFm>(memberId_);
}

void TPersonFm::DeleteMember() {
    bool deleted = false;
    EngineCall::Run(
        [&] { deleted = TMemberStore(TSession::Current().Operator).DeleteMember(memberId_); });
    if (deleted) {
        ReloadMembers(-1);
    }
}

void TPersonFm::RunRecordDialog(int id) {
    if (TEditDialogFm::Execute<TAddTaxFm>(id, memberId_, window())) {
        ReloadMembers(memberId_, id);
    }
}

void TPersonFm::AddRecord() {
    RunRecordDialog(-1);
}

void TPersonFm::EditRecord() {
    RunRecordDialog(int(dgFee->SelectedId()));
}

void TPersonFm::DeleteRecord() {
    bool deleted = false;
    EngineCall::Run(
        [&] { deleted = TMemberRecords(memberId_).DeleteRecord(int(dgFee->SelectedId())); });
    if (deleted) {
        ReloadMembers(memberId_);
    }
}

void TPersonFm::PickMember(int id) {
    if (!dgAssociator->SelectId(id)) {
        // A member the column filters hide: the whole list again.
        dgAssociator->Data().ClearFilters();
        ReloadMembers(id);
    }
}

void TPersonFm::ReloadMembers(qint64 id, qint64 recordId) {
    reloading_ = true;
    dgAssociator->Reload();
    if (id <= 0 || !dgAssociator->SelectId(id)) {
        dgAssociator->KeepARowCurrent();
    }
    reloading_ = false;
    ftAssociator->SetCells(MemberLists::MemberFooter());
    ShowMember(recordId);
}

void TPersonFm::FollowCurrentRow() {
    if (!reloading_ && dgAssociator->SelectedId() != memberId_) {
        ShowMember();
    }
}

void TPersonFm::ShowMember(qint64 recordId) {
    memberId_ = int(dgAssociator->SelectedId());
    if (memberId_ > 0 && member_.LoadById(memberId_)) {
        gbDetail->ShowMember(TMemberDetails::Of(member_));
    } else {
        member_ = TAssociator();
        gbDetail->Clear();
    }
    ShowPage(recordId);
}

void TPersonFm::ShowPage(qint64 recordId) {
    const bool fees = pcDetail->currentIndex() == FeePage;
    TDataGrid& grid = fees ? *dgFee : *dgRent;
    grid.Data().SetSql(fees ? MemberLists::FeeSelect() : MemberLists::RentSelect(),
                       fees ? MemberLists::FeeWhere(memberId_) : MemberLists::RentWhere(memberId_),
                       MemberLists::Key);
    grid.Reload();
    if (recordId <= 0 || !grid.SelectId(recordId)) {
        grid.KeepARowCurrent();
    }
    (fees ? ftFee : ftRent)
        ->SetCells(fees ? MemberLists::FeeFooter(memberId_) : MemberLists::RentFooter(memberId_));
    UpdateButtons();
}

void TPersonFm::UpdateButtons() {
    const TOperator& op = TSession::Current().Operator;
    const bool member = memberId_ > 0;
    const bool record = member && dgFee->SelectedId() > 0;
    btn_Associator_Add->setEnabled(op.Has(AddMemberFlag));
    btn_Associator_Edit->setEnabled(member && op.Has(EditMemberFlag));
    btn_Associator_Del->setEnabled(member && op.Has(DeleteMemberFlag));
    btn_Fee_Add->setEnabled(member && op.Has(AddRecordFlag));
    btn_Fee_Edit->setEnabled(record && op.Has(EditRecordFlag));
    btn_Fee_Del->setEnabled(record && op.Has(DeleteRecordFlag));
}

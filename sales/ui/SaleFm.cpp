#include "sales/ui/SaleFm.h"

#include "app/ExPickEdit.h"
#include "app/PickEditSetup.h"
#include "app/Session.h"
#include "app/kit/DeskGrid.h"
#include "app/kit/DeskLabels.h"
#include "app/kit/DeskLineModel.h"
#include "app/kit/DigitCellDelegate.h"
#include "app/kit/EngineCall.h"
#include "app/kit/GridFooter.h"
#include "app/kit/MoneyEdit.h"
#include "app/kit/WaitCursor.h"
#include "rental/SearchCdObject.h"
#include "rental/ui/SearchCdFm.h"
#include "sales/SaleAmounts.h"
#include "sales/ui/BillCodeEdit.h"
#include "sales/ui/SaleCdPanel.h"
#include "sales/ui/SaleLines.h"
#include "sales/ui/SearchBillFm.h"
#include "storage/CheckedMoney.h"
#include "storage/TextFormats.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Permission "退还业务".
constexpr int RefundPermission = 4;

const QString SellingTab = QStringLiteral("本次准备出售的影片");
const QString RefundingTab = QStringLiteral("本次准备退还的影片");

QString Amount(Currency amount) {
    return TextFormats::MoneyText(amount) + QStringLiteral("元");
}

} // namespace

TSaleFm::TSaleFm(QWidget* parent)
    : TChildFm(parent), SaleObject(TSession::Current().Printer, TSession::Current().ShopInfo,
                                   TSession::Current().Operator),
      nowColumns_(SaleLines::Columns(true)), historyColumns_(SaleLines::Columns(false)) {
    setWindowTitle(QStringLiteral("光盘销售（影片购物车 F12）"));
    setObjectName(QStringLiteral("SaleFm"));

    auto* left = new QVBoxLayout;
    left->addWidget(BuildEntries());
    left->addWidget(BuildGrids(), 1);
    left->addWidget(BuildMoney());
    left->addWidget(BuildButtons());
    gbCdInfo = new TSaleCdPanel(this);
    gbCdInfo->setFixedWidth(230);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(gbCdInfo);
    setTabOrder(edCCode, edSCode);
    setTabOrder(edSCode, edSum);
    setTabOrder(edSum, edCash);
    setTabOrder(edCash, edMemo);

    WireActions();
    ReStart();
}

TSaleFm::~TSaleFm() = default;

QWidget* TSaleFm::BuildEntries() {
    auto* box = new QWidget(this);
    edCCode = new TExPickEdit(box);
    edCCode->setObjectName(QStringLiteral("edCCode"));
    edCCode->setToolTip(QStringLiteral("输入影片编号或者首拼（SLZQ 少林足球）"));
    edCCode->SetTakesCodes(true);
    PickEditSetup::SetupPickEdit(QStringLiteral("SELECT Id,Code,Name,Spell FROM TbSaleCd"),
                                 *edCCode, false, true);
    edSCode = new TBillCodeEdit(box);
    edSCode->setObjectName(QStringLiteral("edSCode"));
    edSCode->setToolTip(QStringLiteral("输入打印单据流水号或者点击旁边的按钮查找销售单"));
    btnSearch = new QToolButton(box);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    btnSearch->setText(QStringLiteral("…"));
    btnSearch->setFocusPolicy(Qt::NoFocus);
    btnSearch->setToolTip(QStringLiteral("查找销售单据"));
    btnTab = new QToolButton(box);
    btnTab->setObjectName(QStringLiteral("btnTab"));
    btnTab->setFocusPolicy(Qt::NoFocus);
    btnTab->setArrowType(Qt::RightArrow);
    btnTab->setToolTip(QStringLiteral("隐藏影片详细信息"));

    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("影片编号/首拼："), box));
    row->addWidget(edCCode, 1);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("单据编号："), box));
    row->addWidget(edSCode, 1);
    row->addWidget(btnSearch);
    row->addWidget(btnTab);
    return box;
}

QWidget* TSaleFm::BuildGrids() {
    auto* box = new QWidget(this);
    TDeskLineSource now = SaleLines::Source(SaleObject.NowLines, nowColumns_);
    now.ticked = [this](int line) { return SaleObject.NowLines[line].Selected; };
    now.tick = [this](int line, bool on) {
        SaleObject.NowLines[line].Selected = on;
        if (SaleObject.State != TSaleObject::Empty) {
            SaleObject.Recalculate();
        }
    };
    const QList<int> editable{SaleLines::ColumnOf(nowColumns_, "Discount"),
                              SaleLines::ColumnOf(nowColumns_, "Number"),
                              SaleLines::ColumnOf(nowColumns_, "Price")};
    now.editable = [editable](int, int column) { return editable.contains(column); };
    now.edit = [this](int line, int column, const QString& text) {
        return EditLine(line, column, text);
    };
    nowModel_ = new TDeskLineModel(nowColumns_, now, this);
    historyModel_ = new TDeskLineModel(
        historyColumns_, SaleLines::Source(SaleObject.HistoryLines, historyColumns_), this);

    tabNow = new QTabWidget(box);
    tlNow = new TDeskGrid(nowModel_, QStringLiteral("tlNow"));
    tlNow->setToolTip(QStringLiteral("点击鼠标右键，可实现高级功能"));
    // Typing into a discount, quantity or price cell edits it.
    tlNow->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    tlNow->setItemDelegate(new TDigitCellDelegate(tlNow));
    ftNow = new TGridFooter(tlNow);
    tabNow->addTab(tlNow->InPage(ftNow, tabNow), SellingTab);

    tabHistory = new QTabWidget(box);
    tlHistory = new TDeskGrid(historyModel_, QStringLiteral("tlHistory"));
    ftHistory = new TGridFooter(tlHistory);
    tabHistory->addTab(tlHistory->InPage(ftHistory, tabHistory),
                       QStringLiteral("已经出售的影片情况"));

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabNow, 3);
    layout->addWidget(tabHistory, 2);
    return box;
}

QWidget* TSaleFm::BuildMoney() {
    auto* box = new QWidget(this);
    lbTotal = new QLabel(box);
    lbTotal->setObjectName(QStringLiteral("lbTotal"));
    lbTotal->setMinimumWidth(90);
    edSum = new TMoneyEdit(QStringLiteral("实收金额"), box);
    edSum->setObjectName(QStringLiteral("edSum"));
    edSum->setToolTip(QStringLiteral("输入实际销售或者退还总金额"));
    edCash = new TMoneyEdit(QStringLiteral("收到现金"), box);
    edCash->setObjectName(QStringLiteral("edCash"));
    edCash->setToolTip(QStringLiteral("输入收到客户现金金额，可以不填"));
    for (TMoneyEdit* edit : {edSum, edCash}) {
        edit->SetSignAllowed(true);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(110);
    }
    lbTip = new QLabel(box);
    lbTip->setObjectName(QStringLiteral("lbTip"));
    lbChange = new QLabel(box);
    lbChange->setObjectName(QStringLiteral("lbChange"));
    lbChange->setMinimumWidth(90);
    for (QLabel* figure : {lbTotal, lbChange}) {
        QFont font = figure->font();
        font.setBold(true);
        figure->setFont(font);
    }
    edMemo = new QLineEdit(box);
    edMemo->setObjectName(QStringLiteral("edMemo"));
    edMemo->setToolTip(QStringLiteral("可以输入一些备忘文字"));

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("总金额："), box), 0, 0);
    grid->addWidget(lbTotal, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("实收金额："), box), 0, 2, Qt::AlignRight);
    grid->addWidget(edSum, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("收到现金："), box), 0, 4, Qt::AlignRight);
    grid->addWidget(edCash, 0, 5);
    grid->addWidget(lbTip, 0, 6, Qt::AlignRight);
    grid->addWidget(lbChange, 0, 7);
    grid->addWidget(new QLabel(QStringLiteral("说明："), box), 1, 0);
    grid->addWidget(edMemo, 1, 1, 1, 7);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* TSaleFm::BuildButtons() {
    auto* box = new QWidget(this);
    btnEdit = DeskLabels::NewButton(box, "btnEdit", QStringLiteral("修改销售信息 F9"));
    btnReStart = DeskLabels::NewButton(box, "btnReStart", QStringLiteral("重新开始 F5"),
                                       QStringLiteral("开始下一个客户销售业务"));
    btnSale = DeskLabels::NewButton(box, "btnSale", QStringLiteral("出售 F6"));
    btnBack = DeskLabels::NewButton(box, "btnBack", QStringLiteral("退还 F7"));
    btnPrint = DeskLabels::NewButton(box, "btnPrint", QStringLiteral("<<打印单据F8"),
                                     QStringLiteral("打印销售/退还票据"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(btnEdit);
    row->addStretch();
    for (QPushButton* button : {btnReStart, btnSale, btnBack, btnPrint}) {
        row->addWidget(button);
    }
    return box;
}

void TSaleFm::WireActions() {
    connect(edCCode, &TExPickEdit::CodeTyped, this,
            [this](const QString& text) { EnterCodes({text}); });
    connect(edCCode, &TExPickEdit::KeyChanged, this, &TSaleFm::EnterPickedTitle);
    connect(edSCode, &TBillCodeEdit::BillEntered, this, &TSaleFm::LoadBill);
    connect(btnSearch, &QToolButton::clicked, this, &TSaleFm::SearchBill);
    connect(btnTab, &QToolButton::clicked, this, &TSaleFm::ToggleTitlePanel);
    connect(btnEdit, &QPushButton::clicked, this, &TSaleFm::EditDiscounts);
    connect(btnReStart, &QPushButton::clicked, this, &TSaleFm::ReStart);
    connect(btnSale, &QPushButton::clicked, this, [this] { Commit(&TSaleObject::CommitSale); });
    connect(btnBack, &QPushButton::clicked, this, [this] {
        // A click that got past the disabled button is refused too.
        if (TSession::Current().Operator.Has(RefundPermission)) {
            Commit(&TSaleObject::CommitRefund);
        }
    });
    connect(btnPrint, &QPushButton::clicked, this, &TSaleFm::Print);
    // Every change of an amount is checked and taken at once.
    for (TMoneyEdit* edit : {edSum, edCash}) {
        connect(edit, &QLineEdit::textEdited, this, [this] { ApplyAmounts(false); });
    }
    connect(edMemo, &QLineEdit::textEdited, this,
            [this](const QString& text) { SaleObject.Memo = text; });
    const auto linesChanged = [this] {
        EngineCall::Run([this] {
            ShowFooters();
            ShowFigures();
        });
        ApplyAmounts(false);
    };
    connect(nowModel_, &TDeskLineModel::Ticked, this, linesChanged);
    connect(nowModel_, &TDeskLineModel::Edited, this, linesChanged);
    tlNow->AddTickMenu(
        [this](bool on) { nowModel_->TickAll(on); },
        [this](const QList<int>& lines, bool on) { nowModel_->TickLines(lines, on); });
}

bool TSaleFm::MessageHook(QObject*, QEvent* event) {
    switch (ReleasedFunctionKey(event)) {
    case Qt::Key_F9:
        EditDiscounts();
        return true;
    case Qt::Key_F12:
        // The search is modal and a window of its own: while it is open its
        // keys do not come here, so F12 cannot open it twice.
        EnterSearchedCodes();
        return true;
    default:
        return ClickReleased(event, {{Qt::Key_F5, btnReStart},
                                     {Qt::Key_F6, btnSale},
                                     {Qt::Key_F7, btnBack},
                                     {Qt::Key_F8, btnPrint}});
    }
}

void TSaleFm::showEvent(QShowEvent* event) {
    TChildFm::showEvent(event);
    edCCode->setFocus();
}

void TSaleFm::ReStart() {
    Act([this] { SaleObject.Reset(); });
    edCCode->ClearEntry();
    edSCode->ClearEntry();
    edCCode->setFocus();
}

bool TSaleFm::EditLine(int line, int column, const QString& text) {
    const auto cell = [&](const char* field) {
        const int at = SaleLines::ColumnOf(nowColumns_, field);
        return at == column ? text : nowModel_->Text(line, at);
    };
    return SaleObject.EditLine(line, cell("Discount"), cell("Number"), cell("Price"));
}

void TSaleFm::EnterCodes(const QStringList& codes) {
    Act([this, codes] { SaleObject.EnterCodes(codes); });
}

void TSaleFm::EnterSearchedCodes() {
    const QStringList codes = TSearchCdFm::Pick(this, TSearchCdObject::SaleMode);
    // Closed without a pick: the entries stay as the operator left them.
    if (!codes.isEmpty()) {
        EnterCodes(codes);
    }
}

void TSaleFm::EnterPickedTitle(int id) {
    Act([this, id] {
        SaleObject.EnterCode(TDM::Instance().SqlFieldText(
            Format(QStringLiteral("SELECT Code FROM TbSaleCd WHERE Id=%d"), {id}),
            QStringLiteral("Code")));
    });
}

void TSaleFm::LoadBill(const QString& text) {
    Act([this, text] { SaleObject.LoadBill(text); });
}

void TSaleFm::SearchBill() {
    const QString sn = TSearchBillFm::Find(this);
    if (!sn.isEmpty()) {
        edSCode->SetEntry(sn);
        LoadBill(sn);
    }
}

void TSaleFm::Act(const std::function<void()>& call) {
    EngineCall::Run(call);
    EngineCall::Run([this] {
        Redraw();
        ShowFigures();
    });
    ApplyAmounts(false);
}

void TSaleFm::Commit(void (TSaleObject::*commit)()) {
    if (!ApplyAmounts(true)) {
        return;
    }
    const bool done = EngineCall::Run([this, commit] { (SaleObject.*commit)(); });
    EngineCall::Run([this] {
        Redraw();
        ShowFigures();
    });
    if (!done) {
        ApplyAmounts(false);
    }
}

void TSaleFm::Print() {
    const TWaitCursor wait;
    EngineCall::Run([this] { SaleObject.FillReceipt(); });
}

void TSaleFm::EditDiscounts() {
    if (SaleObject.NowLines.isEmpty()) {
        return;
    }
    const int line = qMax(0, tlNow->currentIndex().row());
    tlNow->setFocus();
    tlNow->setCurrentIndex(nowModel_->index(line, SaleLines::ColumnOf(nowColumns_, "Discount")));
}

void TSaleFm::ToggleTitlePanel() {
    const bool show = gbCdInfo->isHidden();
    gbCdInfo->setVisible(show);
    btnTab->setArrowType(show ? Qt::RightArrow : Qt::LeftArrow);
    btnTab->setToolTip(show ? QStringLiteral("隐藏影片详细信息")
                            : QStringLiteral("显示影片详细信息"));
}

void TSaleFm::Redraw() {
    gbCdInfo->ShowTitle(SaleObject.Disc.Id);
    tlNow->Redraw();
    tlHistory->Redraw();
    ShowFooters();
    ShowButtons();
}

void TSaleFm::ShowButtons() {
    const int state = SaleObject.State;
    const bool refunding = state == TSaleObject::Refunding;
    btnSale->setEnabled(state == TSaleObject::Selling);
    btnBack->setEnabled(refunding && TSession::Current().Operator.Has(RefundPermission));
    // Only the bill just written (sold or taken back) can be printed.
    btnPrint->setEnabled(state != TSaleObject::Empty && SaleObject.NowLines.isEmpty() &&
                         SaleObject.Sn != 0);
    tabNow->setTabText(0, refunding ? RefundingTab : SellingTab);
}

void TSaleFm::ShowFooters() {
    SaleLines::ShowTotals(*ftNow, nowColumns_, SaleObject.NowLines, false);
    SaleLines::ShowTotals(*ftHistory, historyColumns_, SaleObject.HistoryLines, true);
}

void TSaleFm::ShowFigures() {
    lbTotal->setText(Amount(SaleObject.Total));
    edSum->SetValue(SaleObject.Received);
    edCash->SetValue(SaleObject.Cash);
    edMemo->setText(SaleObject.Memo);
    ShowChange();
}

void TSaleFm::ShowChange() {
    const Currency change = SaleObject.Change;
    const bool short_ = change < Currency();
    lbTip->setText(short_ ? QStringLiteral("还差：") : QStringLiteral("多出："));
    QPalette palette = lbChange->palette();
    palette.setColor(QPalette::WindowText, short_ ? Qt::red : Qt::black);
    lbChange->setPalette(palette);
    lbChange->setText(Amount(short_ ? CheckedMoney::Subtract(Currency(), change) : change));
}

bool TSaleFm::ApplyAmounts(bool takeMemo) {
    // An emptied entry counts as 0, shown selected so typing replaces it.
    for (TMoneyEdit* edit : {edSum, edCash}) {
        if (edit->text().isEmpty()) {
            edit->setText(QStringLiteral("0"));
            edit->selectAll();
        }
    }
    bool taken = false;
    EngineCall::Run([&] { taken = SaleAmounts::Apply(SaleObject, edSum->text(), edCash->text()); });
    if (!taken) {
        if (takeMemo) { // the commit waits: the refused entry is to be corrected
            TMoneyEdit* refused = Currency::Parse(edSum->text()) ? edCash : edSum;
            refused->setFocus();
            refused->selectAll();
        }
        return false;
    }
    if (takeMemo) {
        SaleObject.Memo = edMemo->text();
    }
    ShowChange();
    return true;
}

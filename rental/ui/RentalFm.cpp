#include "rental/ui/RentalFm.h"

#include "app/ExPickEdit.h"
#include "app/PickEditSetup.h"
#include "app/Session.h"
#include "app/kit/DeskGrid.h"
#include "app/kit/DeskLabels.h"
#include "app/kit/DeskLineModel.h"
#include "app/kit/EngineCall.h"
#include "app/kit/GridFooter.h"
#include "app/kit/MoneyEdit.h"
#include "app/kit/WaitCursor.h"
#include "rental/RentAmounts.h"
#include "rental/ui/CdInfoPanel.h"
#include "rental/ui/RenterPanel.h"
#include "rental/ui/SearchCdFm.h"
#include "storage/Prompter.h"
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

// Permission "撤消已经出租的影片".
constexpr int CancelPermission = 2;

const QString RentingTab = QStringLiteral("本次准备租借的影片");
const QString ReturningTab = QStringLiteral("本次准备返还的影片");

QList<TGridColumn> NowColumns() {
    return {{QString(), QStringLiteral("Selected"), TCellKind::Tick},
            {QStringLiteral("日期"), QStringLiteral("Day1"), TCellKind::Date},
            {QStringLiteral("编号"), QStringLiteral("Code")},
            {QStringLiteral("名称"), QStringLiteral("Name")},
            {QStringLiteral("租借天数"), QStringLiteral("Days"), TCellKind::Number},
            {QStringLiteral("参考押金"), QStringLiteral("Deposit"), TCellKind::Money},
            {QStringLiteral("参考租金"), QStringLiteral("Rent"), TCellKind::Money}};
}

QList<TGridColumn> HistoryColumns() {
    return {{QStringLiteral("日期"), QStringLiteral("Day1"), TCellKind::Date},
            {QStringLiteral("编号"), QStringLiteral("Code")},
            {QStringLiteral("名称"), QStringLiteral("Name")},
            {QStringLiteral("租借天数"), QStringLiteral("Days"), TCellKind::Number},
            {QStringLiteral("押金"), QStringLiteral("Deposit"), TCellKind::Money},
            {QStringLiteral("租金"), QStringLiteral("Rent"), TCellKind::Money}};
}

QVariant LineValue(const TRTransaction& line, const QString& field) {
    if (field == QLatin1String("Day1")) {
        return line.Day1;
    }
    if (field == QLatin1String("Code")) {
        return line.RentCd.Code;
    }
    if (field == QLatin1String("Name")) {
        return line.RentCd.Name;
    }
    if (field == QLatin1String("Days")) {
        return line.Days;
    }
    return QVariant::fromValue(field == QLatin1String("Deposit") ? line.Deposit : line.Rent);
}

// One of the engine's line lists as a grid shows it.
TDeskLineSource LinesOf(const QList<TRTransaction>& lines, const QList<TGridColumn>& columns) {
    TDeskLineSource source;
    source.count = [&lines] { return int(lines.size()); };
    source.value = [&lines, columns](int line, int column) {
        return LineValue(lines[line], columns[column].field);
    };
    return source;
}

int ColumnOf(const TDeskLineModel& model, const char* field) {
    const QList<TGridColumn>& columns = model.Columns();
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].field == QLatin1String(field)) {
            return i;
        }
    }
    return -1;
}

QString CodeOf(const char* table, int id) {
    return TDM::Instance().SqlFieldText(
        Format(QStringLiteral("SELECT Code FROM %s WHERE Id=%d"), {table, id}),
        QStringLiteral("Code"));
}

// "总数:" under one column, "合计:" under deposit and rent: of every line, or
// of the ticked ones.
void ShowTotals(TGridFooter& footer, const TDeskLineModel& model, const char* countUnder,
                const QList<TRTransaction>& lines, bool all) {
    const QString sum = QStringLiteral("合计: ");
    footer.SetCell(ColumnOf(model, countUnder),
                   QStringLiteral("总数: %1").arg(TRentObject::LineCount(lines, all)));
    footer.SetCell(ColumnOf(model, "Deposit"),
                   sum + TextFormats::MoneyText(TRentObject::DepositSum(lines, all)));
    footer.SetCell(ColumnOf(model, "Rent"),
                   sum + TextFormats::MoneyText(TRentObject::RentSum(lines, all)));
}

QString Amount(Currency amount) {
    return TextFormats::MoneyText(amount) + QStringLiteral("元");
}

} // namespace

TRentalFm::TRentalFm(QWidget* parent)
    : TChildFm(parent), RentObject(TSession::Current().Printer, TSession::Current().ShopInfo,
                                   TSession::Current().Operator) {
    setWindowTitle(QStringLiteral("光盘出租/返还 [影片购物车 F12]"));
    setObjectName(QStringLiteral("RentalFm"));

    auto* left = new QVBoxLayout;
    left->addWidget(BuildEntries());
    gbAssociator = new TRenterPanel(this);
    left->addWidget(gbAssociator);
    left->addWidget(BuildGrids(), 1);
    left->addWidget(BuildMoney());
    left->addWidget(BuildButtons());
    gbCdInfo = new TCdInfoPanel(this);
    gbCdInfo->setFixedWidth(250);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(gbCdInfo);
    setTabOrder(edCCode, edPCode);
    setTabOrder(edPCode, edSum);
    setTabOrder(edSum, edCash);
    setTabOrder(edCash, edMemo);

    WireActions();
    ReStart();
}

TRentalFm::~TRentalFm() = default;

QWidget* TRentalFm::BuildEntries() {
    auto* box = new QWidget(this);
    edCCode = new TExPickEdit(box);
    edCCode->setObjectName(QStringLiteral("edCCode"));
    edCCode->setToolTip(QStringLiteral("输入影片编号或者首拼（SLZQ 少林足球）"));
    edCCode->SetTakesCodes(true);
    PickEditSetup::SetupPickEdit(QStringLiteral("SELECT Id,Code,Name,Spell,Status FROM TbRentCd"),
                                 *edCCode, true, true);
    edPCode = new TExPickEdit(box);
    edPCode->setObjectName(QStringLiteral("edPCode"));
    edPCode->setToolTip(QStringLiteral("输入会员编号或者首拼（WXJ 王小姐）"));
    PickEditSetup::SetupPickEdit(QStringLiteral("SELECT Id,Code,Name,Spell FROM TbAssociator"),
                                 *edPCode, false, true);
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
    row->addWidget(new QLabel(QStringLiteral("会员编号/首拼："), box));
    row->addWidget(edPCode, 1);
    row->addWidget(btnTab);
    return box;
}

QWidget* TRentalFm::BuildGrids() {
    auto* box = new QWidget(this);
    const QList<TGridColumn> nowColumns = NowColumns();
    TDeskLineSource now = LinesOf(RentObject.NowLines, nowColumns);
    now.ticked = [this](int line) { return RentObject.NowLines[line].Selected; };
    now.tick = [this](int line, bool on) { RentObject.SelectLine(line, on); };
    tlNow = new TDeskGrid(new TDeskLineModel(nowColumns, now, this), QStringLiteral("tlNow"));
    tlNow->setToolTip(QStringLiteral("点击鼠标右键，可实现高级功能"));
    ftNow = new TGridFooter(tlNow);
    tabNow = new QTabWidget(box);
    tabNow->addTab(tlNow->InPage(ftNow, tabNow), RentingTab);

    const QList<TGridColumn> historyColumns = HistoryColumns();
    tlHistory = new TDeskGrid(
        new TDeskLineModel(historyColumns, LinesOf(RentObject.HeldLines, historyColumns), this),
        QStringLiteral("tlHistory"));
    ftHistory = new TGridFooter(tlHistory);
    tabHistory = new QTabWidget(box);
    tabHistory->addTab(tlHistory->InPage(ftHistory, tabHistory),
                       QStringLiteral("已经租借的影片情况"));

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabNow, 3);
    layout->addWidget(tabHistory, 2);
    return box;
}

QWidget* TRentalFm::BuildMoney() {
    auto* box = new QWidget(this);
    lbDeposit = new QLabel(box);
    lbDeposit->setObjectName(QStringLiteral("lbDeposit"));
    lbRent = new QLabel(box);
    lbRent->setObjectName(QStringLiteral("lbRent"));
    lbSum = new QLabel(box);
    lbSum->setObjectName(QStringLiteral("lbSum"));
    edSum = new TMoneyEdit(QString(), box);
    edSum->setObjectName(QStringLiteral("edSum"));
    edCash = new TMoneyEdit(QStringLiteral("实退押金"), box);
    edCash->setObjectName(QStringLiteral("edCash"));
    for (TMoneyEdit* edit : {edSum, edCash}) {
        edit->SetSignAllowed(true);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(110);
    }
    edMemo = new QLineEdit(box);
    edMemo->setObjectName(QStringLiteral("edMemo"));
    for (QLabel* figure : {lbDeposit, lbRent}) {
        figure->setMinimumWidth(90);
        QFont font = figure->font();
        font.setBold(true);
        figure->setFont(font);
    }

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("押金："), box), 0, 0);
    grid->addWidget(lbDeposit, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("租金："), box), 0, 2);
    grid->addWidget(lbRent, 0, 3);
    grid->addWidget(lbSum, 0, 4, Qt::AlignRight);
    grid->addWidget(edSum, 0, 5);
    grid->addWidget(new QLabel(QStringLiteral("实退押金："), box), 0, 6, Qt::AlignRight);
    grid->addWidget(edCash, 0, 7);
    grid->addWidget(new QLabel(QStringLiteral("说明："), box), 1, 0);
    grid->addWidget(edMemo, 1, 1, 1, 7);
    grid->setColumnStretch(3, 1);
    return box;
}

QWidget* TRentalFm::BuildButtons() {
    auto* box = new QWidget(this);
    btnReStart = DeskLabels::NewButton(box, "btnReStart", QStringLiteral("重新开始 F5"),
                                       QStringLiteral("开始下一个客户出租返还业务，勿忘记！"));
    btnRent = DeskLabels::NewButton(box, "btnRent", QStringLiteral("出租 F6"));
    btnReturn = DeskLabels::NewButton(box, "btnReturn", QStringLiteral("返还 F7"));
    btnPrint = DeskLabels::NewButton(box, "btnPrint", QStringLiteral("<<打印单据 F8"),
                                     QStringLiteral("打印出租/返还票据"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {btnReStart, btnRent, btnReturn, btnPrint}) {
        row->addWidget(button);
    }
    row->addStretch();
    return box;
}

void TRentalFm::WireActions() {
    connect(edCCode, &TExPickEdit::CodeTyped, this,
            [this](const QString& text) { EnterCodes({text}); });
    connect(edCCode, &TExPickEdit::KeyChanged, this, &TRentalFm::EnterPickedDisc);
    connect(edPCode, &TExPickEdit::KeyChanged, this, &TRentalFm::EnterPickedMember);
    // Clearing the member box, or typing over it, ends that member's turn;
    // the focus stays where the operator types.
    connect(edPCode, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty() && !RentObject.Renter.IsWalkIn()) {
            StartOver();
        }
    });
    connect(btnTab, &QToolButton::clicked, this, &TRentalFm::ToggleDiscPanel);
    connect(btnReStart, &QPushButton::clicked, this, &TRentalFm::ReStart);
    connect(btnRent, &QPushButton::clicked, this, &TRentalFm::RentOrCancel);
    connect(btnReturn, &QPushButton::clicked, this, [this] { Commit(&TRentObject::CommitReturn); });
    connect(btnPrint, &QPushButton::clicked, this, &TRentalFm::Print);
    connect(edSum, &QLineEdit::textEdited, this, &TRentalFm::FollowReceived);
    connect(edMemo, &QLineEdit::textEdited, this,
            [this](const QString& text) { RentObject.Memo = text; });
    connect(&tlNow->Model(), &TDeskLineModel::Ticked, this, [this] {
        EngineCall::Run([this] {
            ShowFooters();
            gbAssociator->ShowRenter(RentObject.Renter);
            ShowFigures();
        });
    });
    tlNow->AddTickMenu(
        [this](bool on) { tlNow->Model().TickAll(on); },
        [this](const QList<int>& lines, bool on) { tlNow->Model().TickLines(lines, on); });
}

bool TRentalFm::MessageHook(QObject*, QEvent* event) {
    if (ReleasedFunctionKey(event) == Qt::Key_F12) {
        EnterSearchedCodes();
        return true;
    }
    return ClickReleased(event, {{Qt::Key_F5, btnReStart},
                                 {Qt::Key_F6, btnRent},
                                 {Qt::Key_F7, btnReturn},
                                 {Qt::Key_F8, btnPrint}});
}

void TRentalFm::showEvent(QShowEvent* event) {
    TChildFm::showEvent(event);
    edCCode->setFocus();
}

void TRentalFm::ReStart() {
    StartOver();
    edCCode->setFocus();
}

void TRentalFm::StartOver() {
    Act([this] { RentObject.Reset(); });
    edCCode->ClearEntry();
    edPCode->ClearEntry();
}

void TRentalFm::EnterCodes(const QStringList& codes) {
    Act([this, codes] {
        for (const QString& code : codes) {
            RentObject.EnterCode(code);
        }
    });
}

void TRentalFm::EnterSearchedCodes() {
    // The search is kept between openings; it never runs twice at once.
    const auto* open = findChild<TSearchCdFm*>(QString(), Qt::FindDirectChildrenOnly);
    if (open && open->isVisible()) {
        return;
    }
    const QStringList codes = TSearchCdFm::Pick(this, TSearchCdObject::RentMode);
    // Closed without a pick: the entries stay as the operator left them.
    if (!codes.isEmpty()) {
        EnterCodes(codes);
    }
}

void TRentalFm::EnterPickedDisc(int id) {
    Act([this, id] { RentObject.EnterCode(CodeOf("TbRentCd", id)); });
}

void TRentalFm::EnterPickedMember(int id) {
    Act([this, id] { RentObject.EnterMember(CodeOf("TbAssociator", id)); });
}

void TRentalFm::Act(const std::function<void()>& call, bool figures) {
    const bool done = EngineCall::Run(call);
    EngineCall::Run([this, figures, done] {
        Redraw();
        if (figures || !done) {
            ShowFigures();
        }
    });
}

void TRentalFm::Commit(void (TRentObject::*commit)()) {
    if (TakeAmounts()) {
        Act([this, commit] { (RentObject.*commit)(); }, false);
    }
}

void TRentalFm::RentOrCancel() {
    if (RentObject.State != TRentObject::Returning) {
        Commit(&TRentObject::CommitRent);
    } else if (TSession::Current().Operator.Has(CancelPermission)) {
        Commit(&TRentObject::CancelRent);
    }
}

void TRentalFm::Print() {
    const TWaitCursor wait;
    EngineCall::Run([this] { RentObject.FillReceipt(); });
}

void TRentalFm::ToggleDiscPanel() {
    const bool show = gbCdInfo->isHidden();
    gbCdInfo->setVisible(show);
    btnTab->setArrowType(show ? Qt::RightArrow : Qt::LeftArrow);
    btnTab->setToolTip(show ? QStringLiteral("隐藏影片详细信息")
                            : QStringLiteral("显示影片详细信息"));
}

void TRentalFm::Redraw() {
    gbCdInfo->ShowDisc(RentObject.Disc.Id);
    gbAssociator->ShowRenter(RentObject.Renter);
    tlNow->Model().Reload();
    tlHistory->Model().Reload();
    ShowFooters();
    ShowButtons();
}

void TRentalFm::ShowButtons() {
    const int state = RentObject.State;
    const bool returning = state == TRentObject::Returning;
    const bool waiting = !RentObject.NowLines.isEmpty();
    btnRent->setText(returning ? QStringLiteral("撤消 F6") : QStringLiteral("出租 F6"));
    btnRent->setEnabled(state == TRentObject::Renting ||
                        (returning && TSession::Current().Operator.Has(CancelPermission)));
    btnReturn->setEnabled(returning);
    btnPrint->setEnabled(state != TRentObject::Idle && !waiting);
    tabNow->setTabText(0, returning ? ReturningTab : RentingTab);
    lbSum->setText(RentAmounts::ReceivedCaption(state) + QStringLiteral("："));
}

void TRentalFm::ShowFooters() {
    ShowTotals(*ftNow, tlNow->Model(), "Code", RentObject.NowLines, false);
    ShowTotals(*ftHistory, tlHistory->Model(), "Day1", RentObject.HeldLines, true);
}

void TRentalFm::ShowFigures() {
    lbDeposit->setText(Amount(RentObject.DepositTotal));
    lbRent->setText(Amount(RentObject.RentTotal));
    edSum->SetValue(RentObject.Received);
    edCash->SetValue(RentObject.Refund);
    edMemo->setText(RentObject.Memo);
    FollowReceived();
}

void TRentalFm::FollowReceived() {
    // Typing passes each complete amount on at once; a half-typed one ("-",
    // ".") is not worth a message yet: the commit checks the entry again and
    // reports it then.
    const TPrompterScope scope(TPrompter::Silent());
    if (RentAmounts::TypeReceived(RentObject, edSum->text())) {
        edCash->SetValue(RentObject.Refund);
    }
}

bool TRentalFm::TakeAmounts() {
    if (!RentAmounts::TypeReceived(RentObject, edSum->text())) {
        edSum->setFocus();
        edSum->selectAll();
        return false;
    }
    if (!RentAmounts::TakeRefund(RentObject, edCash->text(), edMemo->text())) {
        edCash->setFocus();
        edCash->selectAll();
        return false;
    }
    return true;
}

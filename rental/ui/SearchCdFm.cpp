#include "rental/ui/SearchCdFm.h"

#include "app/kit/ButtonMnemonic.h"
#include "app/kit/DateEdit.h"
#include "app/kit/DeskGrid.h"
#include "app/kit/DeskLineModel.h"
#include "app/kit/EngineCall.h"
#include "app/kit/GridFooter.h"
#include "app/kit/IdComboBox.h"
#include "app/kit/PopupDlg.h"
#include "app/kit/WaitCursor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

enum TColumn { TickColumn, CodeColumn, NameColumn, CategoryColumn, UnitsColumn, StatusColumn };

QList<TGridColumn> Columns() {
    return {{QString(), QStringLiteral("Selected"), TCellKind::Tick},
            {QStringLiteral("影片编号"), QStringLiteral("Code")},
            {QStringLiteral("影片名称"), QStringLiteral("Name")},
            {QStringLiteral("影片分类"), QStringLiteral("Category")},
            {QStringLiteral("碟片数目"), QStringLiteral("Units"), TCellKind::Number},
            {QStringLiteral("状态"), QStringLiteral("Status")}};
}

QVariant CellOf(const TFoundCd& found, int column) {
    switch (column) {
    case CodeColumn:
        return found.Record->Code;
    case NameColumn:
        return found.Record->Name;
    case CategoryColumn:
        return found.Record->Category.Name;
    case UnitsColumn:
        return found.Units();
    default:
        return found.StatusText();
    }
}

QLineEdit* NewEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QPushButton* NewButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    ClickOnMnemonic(button);
    return button;
}

} // namespace

TSearchCdFm::TSearchCdFm(QWidget* parent) : TDialogFm(parent) {
    setWindowTitle(QStringLiteral("影片搜索/挑选"));
    setObjectName(QStringLiteral("SearchCdFm"));

    // Made in the order Tab and Enter go through them.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildCriteria());
    layout->addWidget(BuildPages(), 1);
    btnPost = NewButton(QStringLiteral("出租"), "btnPost", this);
    btnClose = NewButton(QStringLiteral("关闭"), "btnClose", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPost);
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);
    resize(780, 580);

    connect(btnSearch, &QPushButton::clicked, this, &TSearchCdFm::Search);
    connect(btnGo, &QPushButton::clicked, this, &TSearchCdFm::MoveToCart);
    connect(btnAll, &QPushButton::clicked, this, [this] {
        SearchObject.SelectAll();
        ShowTicks();
    });
    connect(btnClear, &QPushButton::clicked, this, [this] {
        SearchObject.ClearAll();
        ShowTicks();
    });
    tlSearch->AddTickMenu(
        [this](bool on) {
            on ? SearchObject.SelectAll() : SearchObject.ClearAll();
            ShowTicks();
        },
        [this](const QList<int>& lines, bool on) {
            on ? SearchObject.SelectRows(lines) : SearchObject.ClearRows(lines);
            ShowTicks();
        });
    connect(btnPost, &QPushButton::clicked, this, &TSearchCdFm::Accept);
    connect(btnClose, &QPushButton::clicked, this, &TSearchCdFm::Reject);

    FillCategories();
    SetMode(TSearchCdObject::RentMode);
    ShowFooters();
    EnableButtons();
}

QWidget* TSearchCdFm::BuildCriteria() {
    auto* box = new QWidget(this);
    edCode = NewEdit("edCode", box);
    edCode->setPlaceholderText(QStringLiteral("输入影片编号，编号支持模糊查找"));
    edCode->setToolTip(edCode->placeholderText());
    edName = NewEdit("edName", box);
    edAlias = NewEdit("edAlias", box);
    edDirector = NewEdit("edDirector", box);
    edPlayer = NewEdit("edPlayer", box);
    pdDirector = new TPopupDlg(edDirector);
    pdPlayer = new TPopupDlg(edPlayer);
    cbCdCategory = new TIdComboBox(box);
    cbCdCategory->setObjectName(QStringLiteral("cbCdCategory"));
    cbSub = new QCheckBox(QStringLiteral("包含子分类"), box);
    cbSub->setObjectName(QStringLiteral("cbSub"));
    edFrom = new TDateEdit(box);
    edFrom->setObjectName(QStringLiteral("edFrom"));
    edFrom->SetEmptyAllowed(true);
    edTo = new TDateEdit(box);
    edTo->setObjectName(QStringLiteral("edTo"));
    edTo->SetEmptyAllowed(true);
    edMemo = NewEdit("edMemo", box);
    btnSearch = NewButton(QStringLiteral("开始搜索 &S"), "btnSearch", box);

    auto* category = new QHBoxLayout;
    category->addWidget(cbCdCategory, 1);
    category->addWidget(cbSub);
    auto* days = new QHBoxLayout;
    days->addWidget(edFrom, 1);
    days->addWidget(new QLabel(QStringLiteral("到"), box));
    days->addWidget(edTo, 1);

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto label = [box](const char* text) { return new QLabel(QString::fromUtf8(text), box); };
    grid->addWidget(label("影片编号："), 0, 0);
    grid->addWidget(edCode, 0, 1);
    grid->addWidget(label("影片名称："), 0, 2);
    grid->addWidget(edName, 0, 3);
    grid->addWidget(label("影片别名："), 0, 4);
    grid->addWidget(edAlias, 0, 5);
    grid->addWidget(label("导演："), 1, 0);
    grid->addWidget(edDirector, 1, 1);
    grid->addWidget(label("主演："), 1, 2);
    grid->addWidget(edPlayer, 1, 3);
    grid->addWidget(label("影片分类："), 1, 4);
    grid->addLayout(category, 1, 5);
    grid->addWidget(label("购入日期："), 2, 0);
    grid->addLayout(days, 2, 1, 1, 3);
    grid->addWidget(label("备注："), 2, 4);
    grid->addWidget(edMemo, 2, 5);
    grid->addWidget(btnSearch, 3, 5, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
    return box;
}

QWidget* TSearchCdFm::BuildPages() {
    pcResult = new QTabWidget(this);
    pcResult->setObjectName(QStringLiteral("pcResult"));
    tlSearch = NewGrid(SearchObject.Results, QStringLiteral("tlSearch"), pcResult);
    tlSearch->setToolTip(QStringLiteral("点击鼠标右键，可实现高级功能"));
    ftSearch = new TGridFooter(tlSearch, pcResult);
    tlBag = NewGrid(SearchObject.Cart, QStringLiteral("tlBag"), pcResult);
    ftBag = new TGridFooter(tlBag, pcResult);

    QWidget* results = tlSearch->InPage(ftSearch, pcResult);
    btnGo = NewButton(QStringLiteral("选入购物车 &B"), "btnGo", results);
    btnAll = NewButton(QStringLiteral("全选 &A"), "btnAll", results);
    btnClear = NewButton(QStringLiteral("清除 &C"), "btnClear", results);
    auto* row = new QHBoxLayout;
    row->addWidget(btnGo);
    row->addStretch();
    row->addWidget(btnAll);
    row->addWidget(btnClear);
    static_cast<QVBoxLayout*>(results->layout())->addLayout(row);

    pcResult->addTab(results, QStringLiteral("搜索结果"));
    pcResult->addTab(tlBag->InPage(ftBag, pcResult), QStringLiteral("购物车"));
    return pcResult;
}

TDeskGrid* TSearchCdFm::NewGrid(TFoundCds& list, const QString& name, QWidget* parent) {
    TDeskLineSource source;
    source.count = [&list] { return int(list.size()); };
    source.value = [&list](int line, int column) { return CellOf(list[line], column); };
    source.ticked = [&list](int line) { return list[line].Selected; };
    source.tick = [this, &list](int line, bool on) { SearchObject.SetSelected(list, line, on); };
    auto* model = new TDeskLineModel(Columns(), source, this);
    connect(model, &TDeskLineModel::Ticked, this, &TSearchCdFm::ShowFooters);
    auto* grid = new TDeskGrid(model, name, parent);
    grid->horizontalHeader()->resizeSection(UnitsColumn, 70);
    grid->horizontalHeader()->resizeSection(StatusColumn, 60);
    return grid;
}

void TSearchCdFm::FillCategories() {
    cbCdCategory->Fill(
        QStringLiteral("SELECT 0 AS Id,\"所有影片分类\" AS Txt FROM TbVersion UNION SELECT Id,Name "
                       "AS TXT FROM TbCdCategory ORDER BY Id"));
    cbCdCategory->ChooseId(0);
}

void TSearchCdFm::ModalShown() {
    edCode->setFocus();
}

QStringList TSearchCdFm::Pick(QWidget* owner, int mode) {
    std::unique_ptr<TSearchCdFm> ownerless;
    TSearchCdFm* window =
        owner ? owner->findChild<TSearchCdFm*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new TSearchCdFm(owner);
        if (!owner) {
            ownerless.reset(window);
        }
    }
    window->SetMode(mode);
    if (window->Exec() != QDialog::Accepted) {
        return {};
    }
    return window->SearchObject.CartCodes();
}

void TSearchCdFm::SetMode(int mode) {
    SearchObject.SetMode(mode);
    btnPost->setText(SearchObject.Mode() == TSearchCdObject::SaleMode ? QStringLiteral("销售")
                                                                      : QStringLiteral("出租"));
}

void TSearchCdFm::Search() {
    SearchObject.CodeText = edCode->text();
    SearchObject.NameText = edName->text();
    SearchObject.AliasText = edAlias->text();
    SearchObject.DirectorText = edDirector->text();
    SearchObject.PlayerText = edPlayer->text();
    SearchObject.CategoryId = cbCdCategory->ChosenId();
    SearchObject.WithSubCategories = cbSub->isChecked();
    SearchObject.MemoText = edMemo->text();
    SearchObject.DayFrom = edFrom->EnteredDate();
    SearchObject.DayTo = edTo->EnteredDate();
    {
        const TWaitCursor wait;
        EngineCall::Run([this] { SearchObject.Search(); });
        tlSearch->Model().Reload();
    }
    ShowFooters();
    EnableButtons();
    pcResult->setCurrentIndex(0);
}

void TSearchCdFm::MoveToCart() {
    SearchObject.MoveToCart();
    tlSearch->Model().Reload();
    tlBag->Model().Reload();
    ShowFooters();
    EnableButtons();
    pcResult->setCurrentIndex(1);
}

void TSearchCdFm::ShowTicks() {
    tlSearch->Redraw();
    tlBag->Redraw();
    ShowFooters();
}

void TSearchCdFm::ShowFooters() {
    const auto show = [](TGridFooter* footer, const TFoundCds& list) {
        footer->SetCell(CodeColumn,
                        QStringLiteral("总数: %1").arg(TSearchCdObject::SelectedCount(list)));
        footer->SetCell(UnitsColumn,
                        QStringLiteral("合计: %1").arg(TSearchCdObject::SelectedUnits(list)));
    };
    show(ftSearch, SearchObject.Results);
    show(ftBag, SearchObject.Cart);
}

void TSearchCdFm::EnableButtons() {
    const bool found = !SearchObject.Results.empty();
    btnGo->setEnabled(found);
    btnAll->setEnabled(found);
    btnClear->setEnabled(found);
}

#include "sales/ui/LibraryPage.h"

#include "app/ChildFm.h"
#include "app/ExPickEdit.h"
#include "app/PickEditSetup.h"
#include "app/Session.h"
#include "app/kit/DataGrid.h"
#include "app/kit/GridFooter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

TLibraryPage::TLibraryPage(const TSetup& setup, const QString& addCaption, QWidget* parent)
    : QWidget(parent), edCode(new TExPickEdit(this)), btnAdd(new QPushButton(addCaption, this)),
      btnEdit(new QPushButton(QStringLiteral("修改 F6"), this)),
      btnDel(new QPushButton(QStringLiteral("删除 F7"), this)),
      btnData(new QPushButton(QStringLiteral("导入/导出"), this)),
      dgList(new TDataGrid(&TSession::Current().Dm.DbBase, this)),
      ftList(new TGridFooter(dgList, this)), setup_(setup), tools_(new QHBoxLayout),
      body_(new QVBoxLayout) {
    edCode->setToolTip(QStringLiteral("输入影片编号或者首拼（SLZQ 少林足球）"));
    edCode->setMinimumWidth(160);
    PickEditSetup::SetupPickEdit(setup.pickSql, *edCode, setup.pickStatus, true);
    auto* menu = new QMenu(btnData);
    aExport = menu->addAction(QStringLiteral("导出光盘资料"));
    btnData->setMenu(menu);

    tools_->addWidget(new QLabel(QStringLiteral("影片编号"), this));
    tools_->addWidget(edCode);
    tools_->addSpacing(8);
    buttons_ = {{btnAdd, Qt::Key_F5, 0, false},
                {btnEdit, Qt::Key_F6, 0, true},
                {btnDel, Qt::Key_F7, 0, true}};
    for (QPushButton* button : {btnAdd, btnEdit, btnDel, btnData}) {
        button->setFocusPolicy(Qt::NoFocus);
        tools_->addWidget(button);
    }
    tools_->addStretch();

    auto* list = new QVBoxLayout;
    list->setSpacing(0);
    list->addWidget(dgList);
    list->addWidget(ftList);
    body_->addLayout(list, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools_);
    layout->addLayout(body_, 1);

    connect(btnAdd, &QPushButton::clicked, this, &TLibraryPage::Add);
    connect(btnEdit, &QPushButton::clicked, this, &TLibraryPage::Edit);
    connect(btnDel, &QPushButton::clicked, this, &TLibraryPage::Delete);
    connect(aExport, &QAction::triggered, this, &TLibraryPage::Export);
    connect(edCode, &TExPickEdit::KeyChanged, this, [this](int key) { Locate(key); });
    connect(dgList, &QAbstractItemView::doubleClicked, this, [this] {
        if (btnEdit->isEnabled()) {
            btnEdit->click();
        }
    });
    // A new order or filter: the rows are read again, the totals stay.
    connect(dgList, &TDataGrid::Reloaded, this, [this] { KeepATitleCurrent(); });
    connect(dgList->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        UpdateButtons();
        emit TitleShown(CurrentId());
    });
    UpdateButtons();
}

void TLibraryPage::SetPermissions(int add, int edit, int del) {
    buttons_[0].flag = add;
    buttons_[1].flag = edit;
    buttons_[2].flag = del;
    UpdateButtons();
}

void TLibraryPage::AddTitleButton(QPushButton* button, int key, int flag) {
    button->setFocusPolicy(Qt::NoFocus);
    tools_->insertWidget(tools_->indexOf(btnData), button);
    buttons_.append({button, key, flag, true});
    UpdateButtons();
}

void TLibraryPage::AddBelow(QWidget* panel, int stretch) {
    body_->addWidget(panel, stretch);
}

void TLibraryPage::Reload(qint64 id) {
    if (setUp_) {
        dgList->Reload();
    } else { // the first showing reads the rows as it sets the grid up
        dgList->SetUp(setup_.gridName, setup_.columns, setup_.select, QString(),
                      QStringLiteral("A.Id"));
        setUp_ = true;
    }
    if (id > 0) {
        dgList->SelectId(id);
    }
    KeepATitleCurrent();
    ShowTotals();
    emit TitleShown(CurrentId());
}

qint64 TLibraryPage::CurrentId() const {
    return dgList->SelectedId();
}

bool TLibraryPage::Locate(qint64 id) {
    if (dgList->SelectId(id)) {
        return true;
    }
    dgList->Data().ClearFilters();
    dgList->Reload();
    return dgList->SelectId(id);
}

void TLibraryPage::Add() {
    RunDialog(adder_, -1, false);
}

void TLibraryPage::Edit() {
    RunDialog(editor_, int(CurrentId()), true);
}

// A batch answers the Id of one of its stock-in lines, not of a title: after
// an add the list keeps its current title; after an edit the edited title is
// current.
void TLibraryPage::RunDialog(const std::function<bool(int&, QWidget*)>& dialog, int id,
                             bool select) {
    if (dialog && dialog(id, window())) {
        Reload(select ? id : -1);
    }
}

// After a delete the title below the deleted one is current (above it for the
// last row).
void TLibraryPage::Delete() {
    const int row = dgList->currentIndex().row();
    const int rows = dgList->model()->rowCount();
    const qint64 next = row + 1 < rows ? dgList->Data().KeyOf(row + 1)
                        : row > 0      ? dgList->Data().KeyOf(row - 1)
                                       : -1;
    if (deleter_ && deleter_(int(CurrentId()))) {
        Reload(next);
    }
}

void TLibraryPage::Export() {
    dgList->Export(setup_.exportName);
}

bool TLibraryPage::ActOnKey(const QEvent* event) {
    const int key = TChildFm::ReleasedFunctionKey(event);
    for (const TButton& bound : buttons_) {
        if (key != 0 && key == bound.key) {
            if (bound.button->isEnabled()) {
                bound.button->click();
            }
            return true;
        }
    }
    return false;
}

void TLibraryPage::KeepATitleCurrent() {
    dgList->KeepARowCurrent();
    UpdateButtons();
}

// Each total stands under the column of its caption, wherever the operator
// moved that column.
void TLibraryPage::ShowTotals() {
    ftList->Clear();
    const QList<TGridColumn>& columns = dgList->Data().Columns();
    for (const LibraryLists::TTotal& total : setup_.totals(TSession::Current().Dm)) {
        for (int column = 0; column < columns.size(); ++column) {
            if (columns[column].caption == total.caption) {
                ftList->SetCell(column, total.text);
            }
        }
    }
}

void TLibraryPage::UpdateButtons() {
    const TOperator& clerk = TSession::Current().Operator;
    const bool onTitle = CurrentId() > 0;
    for (const TButton& bound : buttons_) {
        bound.button->setEnabled((bound.flag == 0 || clerk.Has(bound.flag)) &&
                                 (!bound.needsTitle || onTitle));
    }
}

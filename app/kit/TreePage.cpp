#include "app/kit/TreePage.h"

#include "app/ChildFm.h"
#include "app/kit/TreeModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

TTreePage::TTreePage(TDAODatabase* database, QWidget* parent)
    : QWidget(parent), tvList(new QTreeView(this)), lbFooter(new QLabel(this)),
      btnAdd(new QPushButton(QStringLiteral("新增 F5"), this)),
      btnEdit(new QPushButton(QStringLiteral("修改 F6"), this)),
      btnDelete(new QPushButton(QStringLiteral("删除 F7"), this)), database_(database),
      model_(new TTreeModel(this)) {
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {btnAdd, btnEdit, btnDelete}) {
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    tvList->setModel(model_);
    tvList->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvList->setSelectionMode(QAbstractItemView::SingleSelection);
    tvList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvList->setAlternatingRowColors(true);
    tvList->header()->setStretchLastSection(true);
    lbFooter->setObjectName(QStringLiteral("lbFooter"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(tvList);
    layout->addWidget(lbFooter);

    connect(btnAdd, &QPushButton::clicked, this, &TTreePage::Add);
    connect(btnEdit, &QPushButton::clicked, this, &TTreePage::Edit);
    connect(btnDelete, &QPushButton::clicked, this, &TTreePage::Delete);
    connect(tvList, &QAbstractItemView::doubleClicked, this, [this] {
        if (btnEdit->isEnabled()) {
            Edit();
        }
    });
    connect(tvList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TTreePage::UpdateButtons);
    UpdateButtons();
}

void TTreePage::SetUp(const QString& name, const QList<TGridColumn>& columns, const QString& select,
                      const QString& where, const QString& footer) {
    tvList->setObjectName(name);
    columns_ = columns;
    select_ = select;
    where_ = where;
    footer_ = footer;
    Reload();
    // Room for the names of two levels; the last column takes the rest.
    tvList->header()->resizeSection(0, 240);
}

bool TTreePage::ActOnKey(const QEvent* event) {
    return TChildFm::ClickReleased(
        event, {{Qt::Key_F5, btnAdd}, {Qt::Key_F6, btnEdit}, {Qt::Key_F7, btnDelete}});
}

void TTreePage::Add() {
    RunEditor(-1);
}

void TTreePage::Edit() {
    const int id = int(SelectedId());
    if (!editGate_ || editGate_(id)) {
        RunEditor(id);
    }
}

void TTreePage::RunEditor(int id) {
    if (editor_ && editor_(id, window())) {
        Reload(id);
    }
}

void TTreePage::Delete() {
    if (deleter_ && deleter_(int(SelectedId()))) {
        Reload();
    }
}

void TTreePage::Reload(qint64 id) {
    const qint64 keep = id > 0 ? id : SelectedId();
    model_->Load(database_, select_, where_, columns_);
    tvList->expandAll();
    if (!SelectId(keep) && model_->rowCount() > 0) {
        tvList->setCurrentIndex(model_->index(0, 0));
    }
    lbFooter->setText(footer_.arg(model_->Rows().Count()));
    UpdateButtons();
}

qint64 TTreePage::SelectedId() const {
    const QModelIndex current = tvList->currentIndex();
    return current.isValid() ? model_->IdOf(current.sibling(current.row(), 0)) : -1;
}

bool TTreePage::SelectId(qint64 id) {
    const QModelIndex index = model_->IndexOfId(id);
    if (!index.isValid()) {
        return false;
    }
    tvList->setCurrentIndex(index);
    tvList->scrollTo(index);
    return true;
}

void TTreePage::UpdateButtons() {
    const bool onRow = SelectedId() > 0;
    btnEdit->setEnabled(onRow);
    btnDelete->setEnabled(onRow);
}

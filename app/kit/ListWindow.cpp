#include "app/kit/ListWindow.h"

#include "app/ChildFm.h"
#include "app/Session.h"
#include "app/kit/GridFooter.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TListPage::TListPage(TDAODatabase* database, QWidget* parent)
    : QWidget(parent), dgList(new TDataGrid(database, this)),
      btnAdd(new QPushButton(QStringLiteral("新增 F5"), this)),
      btnEdit(new QPushButton(QStringLiteral("修改 F6"), this)),
      btnDelete(new QPushButton(QStringLiteral("删除 F7"), this)),
      btnFourth(new QPushButton(this)) {
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {btnAdd, btnEdit, btnDelete, btnFourth}) {
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    btnFourth->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(dgList);

    connect(btnAdd, &QPushButton::clicked, this, &TListPage::Add);
    connect(btnEdit, &QPushButton::clicked, this, &TListPage::Edit);
    connect(btnDelete, &QPushButton::clicked, this, &TListPage::Delete);
    connect(dgList, &QAbstractItemView::doubleClicked, this, [this] {
        if (btnEdit->isEnabled()) {
            Edit();
        }
    });
    connect(dgList, &TDataGrid::Reloaded, this, &TListPage::UpdateButtons);
    connect(&dgList->Model(), &TGridModel::RowsCounted, this, &TListPage::UpdateButtons);
    connect(dgList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TListPage::UpdateButtons);
    UpdateButtons();
}

void TListPage::SetPermission(int flag) {
    permission_ = flag;
    UpdateButtons();
}

void TListPage::SetUp(const QString& name, const QList<TGridColumn>& columns, const QString& select,
                      const QString& footer) {
    footer_ = footer;
    if (!footer_.isEmpty() && !ftList) {
        ftList = new TGridFooter(dgList, this);
        layout()->addWidget(ftList);
    }
    dgList->SetUp(name, columns, select, QString());
    KeepARowSelected();
}

QPushButton* TListPage::AddFourth(const QString& caption, bool needsRow) {
    btnFourth->setText(caption);
    btnFourth->show();
    fourthNeedsRow_ = needsRow;
    UpdateButtons();
    return btnFourth;
}

bool TListPage::ActOnKey(const QEvent* event) {
    QPushButton* button = nullptr;
    switch (TChildFm::ReleasedFunctionKey(event)) {
    case Qt::Key_F5:
        button = btnAdd;
        break;
    case Qt::Key_F6:
        button = btnEdit;
        break;
    case Qt::Key_F7:
        button = btnDelete;
        break;
    case Qt::Key_F8:
        button = btnFourth->isVisible() ? btnFourth : nullptr;
        break;
    default:
        break;
    }
    if (!button) {
        return false;
    }
    if (button->isEnabled()) {
        button->click();
    }
    return true;
}

void TListPage::Add() {
    RunEditor(-1);
}

void TListPage::Edit() {
    RunEditor(int(dgList->SelectedId()));
}

void TListPage::RunEditor(int id) {
    if (editor_ && editor_(id, window())) {
        Reload(id);
        emit Saved(id);
    }
}

void TListPage::Delete() {
    if (deleter_ && deleter_(int(dgList->SelectedId()))) {
        Reload();
    }
}

void TListPage::Reload(qint64 id) {
    dgList->Reload();
    if (id > 0) {
        dgList->SelectId(id);
    }
    KeepARowSelected();
}

void TListPage::KeepARowSelected() {
    dgList->KeepARowCurrent();
    UpdateButtons();
}

void TListPage::UpdateButtons() {
    const bool allowed = permission_ == 0 || TSession::Current().Operator.Has(permission_);
    const bool onRow = allowed && dgList->SelectedId() > 0;
    btnAdd->setEnabled(allowed);
    btnEdit->setEnabled(onRow);
    btnDelete->setEnabled(onRow);
    btnFourth->setEnabled(fourthNeedsRow_ ? onRow : allowed);
    if (ftList) { // the count follows the first screen of a long list
        ftList->SetCell(0, dgList->Model().Counted() ? footer_.arg(dgList->model()->rowCount())
                                                     : QString());
    }
}

TListWindow::TListWindow(TListPage* page, QWidget* parent) : TChildFm(parent), page_(page) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page_);
}

bool TListWindow::MessageHook(QObject*, QEvent* event) {
    return page_->ActOnKey(event);
}

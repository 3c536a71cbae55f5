#include "app/kit/DeskGrid.h"

#include "app/kit/DeskLineModel.h"
#include "app/kit/GridFooter.h"
#include "storage/Prompter.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>

TDeskGrid::TDeskGrid(TDeskLineModel* model, const QString& name, QWidget* parent)
    : QTableView(parent), model_(model) {
    setObjectName(name);
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    QHeaderView* header = horizontalHeader();
    header->setHighlightSections(false);
    const QList<TGridColumn>& columns = model->Columns();
    for (int i = 0; i < columns.size(); ++i) {
        const TCellKind kind = columns[i].kind;
        header->resizeSection(i, kind == TCellKind::Tick ? 28 : kind == TCellKind::Date ? 100 : 90);
        if (columns[i].field == QLatin1String("Name")) {
            header->setSectionResizeMode(i, QHeaderView::Stretch);
        }
    }
}

QWidget* TDeskGrid::InPage(TGridFooter* footer, QWidget* parent) {
    auto* page = new QWidget(parent);
    setParent(page);
    footer->setParent(page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(this, 1);
    layout->addWidget(footer);
    return page;
}

QList<int> TDeskGrid::HighlightedLines() const {
    QList<int> lines;
    for (const QModelIndex& row : selectionModel()->selectedRows()) {
        lines.append(row.row());
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

void TDeskGrid::Redraw() {
    const QList<int> highlighted = HighlightedLines();
    const int current = currentIndex().row();
    model_->Reload();
    const int count = model_->rowCount();
    QItemSelection selection;
    for (const int line : highlighted) {
        if (line < count) {
            selection.select(model_->index(line, 0),
                             model_->index(line, model_->columnCount() - 1));
        }
    }
    if (current >= 0 && current < count) {
        selectionModel()->setCurrentIndex(model_->index(current, 0), QItemSelectionModel::NoUpdate);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TDeskGrid::AddTickMenu(std::function<void(bool on)> all,
                            std::function<void(const QList<int>& lines, bool on)> some) {
    pmTick = new QMenu(this);
    maSelect = pmTick->addAction(QStringLiteral("全部选定"));
    maClear = pmTick->addAction(QStringLiteral("清除全部"));
    pmTick->addSeparator();
    mpSelect = pmTick->addAction(QStringLiteral("部分选定"));
    mpClear = pmTick->addAction(QStringLiteral("部分清除"));
    maSelect->setObjectName(QStringLiteral("maSelect"));
    maClear->setObjectName(QStringLiteral("maClear"));
    mpSelect->setObjectName(QStringLiteral("mpSelect"));
    mpClear->setObjectName(QStringLiteral("mpClear"));

    connect(maSelect, &QAction::triggered, this, [all] { all(true); });
    connect(maClear, &QAction::triggered, this, [all] { all(false); });
    const auto partly = [this, some](bool on) {
        const QList<int> lines = HighlightedLines();
        if (lines.isEmpty()) {
            ShowWarning(QStringLiteral("请先在列表中选择要操作的记录后在使用此功能。"));
            return;
        }
        some(lines, on);
    };
    connect(mpSelect, &QAction::triggered, this, [partly] { partly(true); });
    connect(mpClear, &QAction::triggered, this, [partly] { partly(false); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmTick->popup(viewport()->mapToGlobal(at)); });
}

void TDeskGrid::keyPressEvent(QKeyEvent* event) {
    const int line = currentIndex().row();
    const int tick = model_->TickColumn();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && line >= 0 &&
        tick >= 0) {
        const bool ticked =
            model_->index(line, tick).data(Qt::CheckStateRole).value<Qt::CheckState>() ==
            Qt::Checked;
        model_->TickLines({line}, !ticked);
        return;
    }
    QTableView::keyPressEvent(event);
}

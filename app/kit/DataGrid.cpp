#include "app/kit/DataGrid.h"

#include "app/FileChooser.h"
#include "storage/Settings.h"
#include "storage/dao/DAODatabase.h"
#include "storage/dao/Format.h"
#include "storage/export/GridExport.h"

#include <QDataStream>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>

namespace {

constexpr int LayoutVersion = 1;
constexpr int LayoutSaveDelayMs = 500;

} // namespace

TDataGrid::TDataGrid(TDAODatabase* database, QWidget* parent)
    : QTableView(parent), database_(database), model_(new TGridModel(database, this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(true);
    header->setSectionsMovable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::sectionClicked, this, &TDataGrid::HeaderClicked);
    connect(header, &QHeaderView::customContextMenuRequested, this, &TDataGrid::HeaderMenu);
    layoutSaver_.setSingleShot(true);
    layoutSaver_.setInterval(LayoutSaveDelayMs);
    connect(&layoutSaver_, &QTimer::timeout, this, &TDataGrid::SaveLayout);
    // The rows past the first page are counted once the first screen is up.
    counter_.setSingleShot(true);
    counter_.setInterval(0);
    connect(&counter_, &QTimer::timeout, this, [this] { model_->fetchMore({}); });
    auto saveSoon = [this] { layoutSaver_.start(); };
    connect(header, &QHeaderView::sectionResized, this, saveSoon);
    connect(header, &QHeaderView::sectionMoved, this, saveSoon);
}

TDataGrid::~TDataGrid() {
    if (layoutSaver_.isActive()) {
        SaveLayout();
    }
}

void TDataGrid::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (model_->canFetchMore({})) {
        counter_.start();
    }
}

// End, Page Down, or Down on the last row shown counts the rest first, so
// the move reaches the real rows.
QModelIndex TDataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const bool onLastRow = currentIndex().row() == model_->rowCount() - 1;
    if (action == MoveEnd || action == MovePageDown ||
        ((action == MoveDown || action == MoveNext) && onLastRow)) {
        model_->fetchMore({});
    }
    return QTableView::moveCursor(action, modifiers);
}

void TDataGrid::SetUp(const QString& name, const QList<TGridColumn>& columns, const QString& select,
                      const QString& where, const QString& key) {
    setObjectName(name);
    Data().SetSql(select, where, key);
    model_->SetColumns(columns);
    RestoreLayout();
    layoutSaver_.stop();
    Reload();
}

void TDataGrid::Reload() {
    const qint64 selected = SelectedId();
    model_->Reload();
    ShowSortMark();
    if (selected >= 0) {
        SelectId(selected);
    }
    emit Reloaded();
}

bool TDataGrid::SelectId(qint64 id) {
    const int row = model_->RowOfId(id);
    if (row < 0) {
        return false;
    }
    const QModelIndex index = model_->index(row, 0);
    setCurrentIndex(index);
    scrollTo(index);
    return true;
}

qint64 TDataGrid::SelectedId() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? model_->Data().KeyOf(current.row()) : -1;
}

void TDataGrid::KeepARowCurrent() {
    if (SelectedId() < 0 && model_->rowCount() > 0) {
        setCurrentIndex(model_->index(0, 0));
    }
}

void TDataGrid::HeaderClicked(int column) {
    if (column < 0 || column >= Data().ColumnCount() || !Data().Columns()[column].sortable) {
        ShowSortMark(); // the header moved its mark to the clicked column
        return;         // a memo neither sorts nor reads the rows again
    }
    const qint64 selected = SelectedId();
    model_->ToggleSort(column);
    ShowSortMark();
    if (selected >= 0) {
        SelectId(selected);
    }
    SaveLayout();
    emit Reloaded();
}

void TDataGrid::ShowSortMark() {
    const TGridSort& sort = Data().Sort();
    const int column = sort.SortedColumn();
    horizontalHeader()->setSortIndicator(column, sort.Mark(column) == TGridSort::TMark::Descending
                                                     ? Qt::DescendingOrder
                                                     : Qt::AscendingOrder);
}

bool TDataGrid::FilterColumn(int column, const QString& value) {
    if (!model_->SetFilter(column, value)) {
        return false;
    }
    ShowSortMark();
    emit Reloaded();
    return true;
}

void TDataGrid::HeaderMenu(const QPoint& position) {
    const int column = horizontalHeader()->logicalIndexAt(position);
    if (column < 0) {
        return;
    }
    QMenu menu(this);
    const QAction* filter = menu.addAction(QStringLiteral("筛选…"));
    const QAction* lift = menu.addAction(QStringLiteral("取消全部筛选"));
    const QAction* chosen = menu.exec(horizontalHeader()->mapToGlobal(position));
    if (chosen == lift) {
        Data().ClearFilters();
        Reload();
    } else if (chosen == filter) {
        const TGridColumn& shown = Data().Columns()[column];
        bool ok = false;
        const QString value = QInputDialog::getText(
            this, QStringLiteral("筛选"), Format(QStringLiteral("“%s”："), {shown.caption}),
            QLineEdit::Normal, Data().FilterOf(column), &ok);
        if (ok) {
            FilterColumn(column, value);
        }
    }
}

bool TDataGrid::Export(const QString& defaultName) {
    const QString proposed = GridExport::ProposedFileName(database_->DatabaseName(), defaultName);
    const QString path = TFileChooser::Current().SaveFile(
        this, GridExport::DialogTitle(), GridExport::Filters(), QFileInfo(proposed).path(),
        QFileInfo(proposed).fileName());
    return !path.isEmpty() && Data().Export(path);
}

// The layout: the column count it is for, the sort mark, and the header's
// widths and order.
void TDataGrid::SaveLayout() {
    layoutSaver_.stop();
    if (objectName().isEmpty()) {
        return;
    }
    const TGridSort& sort = Data().Sort();
    const int sorted = sort.SortedColumn();
    QByteArray layout;
    QDataStream out(&layout, QIODevice::WriteOnly);
    out << LayoutVersion << Data().ColumnCount() << sorted << int(sort.Mark(sorted))
        << horizontalHeader()->saveState();
    TSettings().SetGridLayout(objectName(), layout);
}

void TDataGrid::RestoreLayout() {
    QByteArray layout = TSettings().GridLayout(objectName());
    QDataStream in(&layout, QIODevice::ReadOnly);
    int version = 0;
    int columns = 0;
    int sorted = 0;
    int mark = 0;
    QByteArray header;
    in >> version >> columns >> sorted >> mark >> header;
    if (in.status() != QDataStream::Ok || version != LayoutVersion ||
        columns != Data().ColumnCount()) {
        return; // none kept, or kept for other columns
    }
    horizontalHeader()->restoreState(header);
    if (mark == int(TGridSort::TMark::Ascending) || mark == int(TGridSort::TMark::Descending)) {
        Data().Sort().SetMark(sorted, TGridSort::TMark(mark));
    }
}

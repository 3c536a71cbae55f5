#pragma once

#include "app/EditDialogFm.h"
#include "storage/grid/GridColumn.h"
#include "storage/records/DeleteMessages.h"

#include <QWidget>

#include <functional>

class QEvent;
class QLabel;
class QPushButton;
class QTreeView;
class TDAODatabase;
class TTreeModel;

// A category tree with "新增 F5", "修改 F6" and "删除 F7": every row under its
// parent, fully expanded after each load, counted in the footer. Adds and
// edits run the record's TEditDialogFm and select the saved row; deletes ask,
// run the record's guarded Delete and show its refusal. Edit and delete act
// only on a selected row.
class TTreePage : public QWidget {
    Q_OBJECT
public:
    explicit TTreePage(TDAODatabase* database, QWidget* parent = nullptr);

    // The dialog that adds and edits a row.
    template <class TDialog> void SetEditor() {
        editor_ = [](int& id, QWidget* parent) {
            return TEditDialogFm::Execute<TDialog>(id, 0, parent);
        };
    }
    // The record class that deletes a row (its Name is shown in the question).
    template <class TRecord> void SetDeleter() {
        deleter_ = &DeleteMessages::AskAndDelete<TRecord>;
    }
    // Asked before a row is edited: false opens no dialog (the gate has said why).
    void SetEditGate(std::function<bool(int)> gate) { editGate_ = std::move(gate); }
    // Names the tree, gives it its columns and list ("SELECT … FROM …" and its
    // WHERE condition) and reads the rows; the footer ("分类总数：%1 种")
    // counts them.
    void SetUp(const QString& name, const QList<TGridColumn>& columns, const QString& select,
               const QString& where, const QString& footer);

    // For the working window's message hook: a released F5…F7 clicks its
    // button when that is enabled; true when the key was one of them.
    bool ActOnKey(const QEvent* event);

    void Add();
    void Edit();
    void Delete();
    // Reads the rows again and selects the row of `id` (or keeps the current).
    void Reload(qint64 id = -1);
    // The key of the current row; -1 when there is none.
    qint64 SelectedId() const;
    bool SelectId(qint64 id);

    QTreeView* tvList;
    QLabel* lbFooter;
    QPushButton* btnAdd;
    QPushButton* btnEdit;
    QPushButton* btnDelete;

private:
    void RunEditor(int id);
    void UpdateButtons();

    TDAODatabase* database_;
    TTreeModel* model_;
    QList<TGridColumn> columns_;
    QString select_;
    QString where_;
    QString footer_;
    std::function<bool(int&, QWidget*)> editor_;
    std::function<bool(int)> deleter_;
    std::function<bool(int)> editGate_;
};

#pragma once

#include "app/ChildFm.h"
#include "app/EditDialogFm.h"
#include "app/kit/DataGrid.h"
#include "storage/Prompter.h"
#include "storage/records/DeleteMessages.h"

#include <QWidget>

#include <functional>

class QEvent;
class QPushButton;
class TGridFooter;

// A list of one table's rows with "新增 F5", "修改 F6", "删除 F7" and an
// optional fourth button on F8, the body of the list windows and of the
// settings pages. Adds and edits run the record's TEditDialogFm and select the
// saved row; deletes ask, run the record's guarded Delete and show its refusal.
// The buttons (and their keys) act only while the current operator holds the
// list's permission flag, and edit and delete only on a selected row.
class TListPage : public QWidget {
    Q_OBJECT
public:
    explicit TListPage(TDAODatabase* database, QWidget* parent = nullptr);

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
    // The Op flag (1…23) the buttons need; 0 for none.
    void SetPermission(int flag);
    // Names the grid, gives it its columns and list and reads the rows; a
    // non-empty footer ("金融机构总数：%1个") counts the rows under column 0.
    void SetUp(const QString& name, const QList<TGridColumn>& columns, const QString& select,
               const QString& footer = QString());
    // Shows the fourth button on F8; `needsRow`: enabled only on a selected row.
    QPushButton* AddFourth(const QString& caption, bool needsRow);

    // For the working window's message hook: a released F5…F8 clicks its
    // button when that is enabled; true when the key was one of them.
    bool ActOnKey(const QEvent* event);

    void Add();
    void Edit();
    void Delete();
    // Reads the rows again and selects the row of `id` (or keeps the current).
    void Reload(qint64 id = -1);

    TDataGrid* dgList;
    TGridFooter* ftList = nullptr;
    QPushButton* btnAdd;
    QPushButton* btnEdit;
    QPushButton* btnDelete;
    QPushButton* btnFourth;

signals:
    // The add/edit dialog saved something; `id` is the row it returned (-1
    // after "保存并新添").
    void Saved(int id);

private:
    void RunEditor(int id);
    // A list with rows always has a current one, as the edit and delete
    // buttons act on it.
    void KeepARowSelected();
    void UpdateButtons();

    std::function<bool(int&, QWidget*)> editor_;
    std::function<bool(int)> deleter_;
    QString footer_;
    int permission_ = 0;
    bool fourthNeedsRow_ = false;
};

// A working window whose body is one list page; its function keys act on the
// page's buttons.
class TListWindow : public TChildFm {
    Q_OBJECT
public:
    // Takes the page over.
    explicit TListWindow(TListPage* page, QWidget* parent = nullptr);

    TListPage* Page() const { return page_; }
    bool MessageHook(QObject* receiver, QEvent* event) override;

private:
    TListPage* page_;
};

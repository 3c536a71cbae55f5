#pragma once

#include "app/EditDialogFm.h"
#include "sales/LibraryLists.h"
#include "storage/grid/GridColumn.h"
#include "storage/records/DeleteMessages.h"

#include <QList>
#include <QWidget>

#include <functional>

class QAction;
class QEvent;
class QHBoxLayout;
class QPushButton;
class QVBoxLayout;
class TDM;
class TDataGrid;
class TExPickEdit;
class TGridFooter;

// One page of the disc library: a pick edit that finds a title, the stock-in,
// edit and delete buttons on F5…F7 (more may be added), the "导入/导出" menu,
// the list of titles and the totals of the whole table under it. Each button
// acts only while the operator holds its flag and, for those on a title,
// while the list has a current row; a list with rows always has one.
class TLibraryPage : public QWidget {
    Q_OBJECT
public:
    struct TSetup {
        QString gridName; // "dgRentCd": its layout is kept under it
        QString select;   // the list's "… FROM …"
        QList<TGridColumn> columns;
        QString pickSql;    // the pick edit's titles
        bool pickStatus;    // the pick edit shows the rental status
        QString exportName; // "出租光盘库", beside the open ledger
        std::function<QList<LibraryLists::TTotal>(TDM&)> totals;
    };

    TLibraryPage(const TSetup& setup, const QString& addCaption, QWidget* parent = nullptr);

    // The stock-in dialog F5 opens for a new batch and the dialog F6 opens on
    // the current title.
    template <class TAdd, class TEdit> void SetDialogs() {
        adder_ = [](int& id, QWidget* parent) {
            return TEditDialogFm::Execute<TAdd>(id, 0, parent);
        };
        editor_ = [](int& id, QWidget* parent) {
            return TEditDialogFm::Execute<TEdit>(id, 0, parent);
        };
    }
    // The record class whose guarded Delete F7 runs.
    template <class TRecord> void SetDeleter() {
        deleter_ = &DeleteMessages::AskAndDelete<TRecord>;
    }
    // The Op flags of the add, edit and delete buttons.
    void SetPermissions(int add, int edit, int del);
    // Puts a further button in the tool bar, on `key`, needing `flag` and a
    // current title.
    void AddTitleButton(QPushButton* button, int key, int flag);
    // Adds a panel under the list, taking `stretch` shares of the height.
    void AddBelow(QWidget* panel, int stretch);

    // Reads the list and the totals again, on first showing once the grid is
    // set up; the current title stays current, or the title of `id` becomes
    // current.
    void Reload(qint64 id = -1);
    // The current title's Id; -1 without one.
    qint64 CurrentId() const;
    // Makes the title of `id` current, lifting the column filters when they
    // hide it; false when no title has it.
    bool Locate(qint64 id);

    void Add();
    void Edit();
    void Delete();
    void Export();

    // For the working window's message hook: a released function key clicks
    // its button when that is enabled; true when the key is bound here.
    bool ActOnKey(const QEvent* event);

    TExPickEdit* edCode;
    QPushButton* btnAdd;
    QPushButton* btnEdit;
    QPushButton* btnDel;
    QPushButton* btnData;
    QAction* aExport;
    TDataGrid* dgList;
    TGridFooter* ftList;

signals:
    // The current title changed, or the list was read again (-1: no title).
    void TitleShown(qint64 id);

private:
    struct TButton {
        QPushButton* button;
        int key;
        int flag;
        bool needsTitle;
    };
    void RunDialog(const std::function<bool(int&, QWidget*)>& dialog, int id, bool select);
    void KeepATitleCurrent();
    void ShowTotals();
    void UpdateButtons();

    TSetup setup_;
    QList<TButton> buttons_;
    QHBoxLayout* tools_;
    QVBoxLayout* body_;
    bool setUp_ = false;
    std::function<bool(int&, QWidget*)> adder_;
    std::function<bool(int&, QWidget*)> editor_;
    std::function<bool(int)> deleter_;
};

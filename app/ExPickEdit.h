#pragma once

#include "storage/PickSearch.h"

#include <QLineEdit>

class QListWidget;

// The look-up box for titles and members: the operator types a code, pinyin
// initials or the start of a name and presses Enter. One hit is taken at once;
// several open a drop-down list to pick from; the list never opens while
// typing. A second Enter moves on to the next control, and a key typed after a
// confirmed Enter starts a new entry. KeyChanged tells the window of the row
// confirmed, once per confirmed row.
class TExPickEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TExPickEdit(QWidget* parent = nullptr);

    // The search: connection, SQL and columns (see TPickSearch).
    TPickSearch& Lookup() { return search_; }
    const TPickSearch& Lookup() const { return search_; }
    // The key of the chosen row; TPickSearch::NoKey while none is chosen.
    int SelectedKey() const { return search_.SelectedKey(); }

    // A box that takes typed codes whole (the desks' title boxes): Enter on a
    // text that reads as a code, or on one no search answers, hands the text
    // to the window (CodeTyped) instead of searching, so a scanner's code and
    // Enter is taken as it came and never opens the list.
    void SetTakesCodes(bool takes) { takesCodes_ = takes; }

    // Empties the box and its drop-down list and forgets the Enter that
    // confirmed it, as a new box (a desk's restart).
    void ClearEntry();

    void SetDropDownRows(int rows) { dropDownRows_ = rows; }
    int DropDownRows() const { return dropDownRows_; }
    bool ListVisible() const;

signals:
    void KeyChanged(int key);
    void CodeTyped(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ReadsAsCode() const;
    void RunSearch();
    void OpenList();
    void CloseList(bool choose);
    void ShowChoice();

    TPickSearch search_;
    QListWidget* list_;
    int dropDownRows_ = 8;
    bool marked_ = false;
    bool takesCodes_ = false;
};

#pragma once

#include "storage/ActorPick.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabBar;

// The actor picker: a drop-down check list under a text field, one tab per
// initial letter. A ticked name goes into the field, an unticked one comes
// out (TActorPick keeps the rules); the field changes as the ticks do.
// Keys: Up/Down choose a name, Space ticks it, Left/Right or a letter key
// choose the tab, Enter or Esc close the list.
class TPopupDlg : public QWidget {
    Q_OBJECT
public:
    // A picker for the field; it belongs to the field. Alt+Down or F4 in the
    // field, or the arrow at its right end, opens it.
    explicit TPopupDlg(QLineEdit* field);

    // Shows the list under the field on the letter A.
    void Popup();
    // Shows the actors of a letter, ticked as the field's text holds them.
    void ShowLetter(const QString& letter);

    QTabBar* tabs;
    QListWidget* list;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ItemChanged(QListWidgetItem* item);
    void ShowTicks();

    QLineEdit* field_;
    TActorPick pick_;
};

#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

// The settings window's "退出/备份" page: whether the ledger is backed up when
// the program closes, and the folder it goes into; "保存" writes both to the
// settings once the folder is found writable.
class TExitPage : public QWidget {
    Q_OBJECT
public:
    explicit TExitPage(QWidget* parent = nullptr);

    // Asks for the folder; a chosen one is shown ending in "/".
    void Browse();
    // False (after its message) when the folder is refused; nothing is written then.
    bool Save();

    QComboBox* cbExitKind;
    QLabel* lbPath;
    QPushButton* btnBrowse;
    QPushButton* btnExitSave;
};

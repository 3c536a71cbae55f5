#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// The settings window's "店铺信息" page: the shop's name, address, telephone and
// memo, shown from and saved into the program-wide shop information (row 1),
// so the status bar and the receipts use them at once.
class TShopPage : public QWidget {
    Q_OBJECT
public:
    explicit TShopPage(QWidget* parent = nullptr);

    // Writes the four fields into row 1; false after the engine's message.
    bool Save();

    QLineEdit* edName;
    QLineEdit* edAddress;
    QLineEdit* edTelphone;
    QLineEdit* edMemo;
    QPushButton* btnShopSave;
};

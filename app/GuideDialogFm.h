#pragma once

#include "app/EnterFm.h"

#include <QDialog> // Exec answers QDialog::Accepted or QDialog::Rejected

class QLabel;
class QPushButton;
class QStackedWidget;
class QTabBar;

// A guide of several pages shown modally: "上一步" and "下一步" page through,
// "确定" accepts and "取消" cancels. The page titles are shown as tabs and the
// current title in a text strip above the pages; a guide may hide either.
class TGuideDialogFm : public TEnterFm {
    Q_OBJECT
public:
    explicit TGuideDialogFm(QWidget* parent = nullptr);

    // QDialog::Accepted after "确定", QDialog::Rejected otherwise.
    int Exec();

    int AddPage(const QString& title, QWidget* page);
    int PageCount() const;
    int CurrentPage() const;
    void SetCurrentPage(int index);
    void SetTabsVisible(bool visible);
    void SetTextStripVisible(bool visible);

protected:
    QLabel* lbText;
    QTabBar* tbPages;
    QStackedWidget* pnPages;
    QPushButton* btnPrior;
    QPushButton* btnNext;
    QPushButton* btnOk;
    QPushButton* btnCancel;

private:
    void UpdateButtons();
};

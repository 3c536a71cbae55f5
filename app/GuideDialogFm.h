#pragma once

#include "app/DialogFm.h"

class QLabel;
class QPushButton;
class QStackedWidget;
class QTabBar;

// A guide of several pages shown modally: "上一步" and "下一步" page through,
// "确定" accepts, "取消" and Esc cancel. The page titles are shown as tabs and
// the current title in a text strip above the pages; a guide may hide either.
class TGuideDialogFm : public TDialogFm {
    Q_OBJECT
public:
    explicit TGuideDialogFm(QWidget* parent = nullptr);

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

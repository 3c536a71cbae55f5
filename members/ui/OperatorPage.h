#pragma once

#include "app/kit/ListWindow.h"

// The settings window's "操作员管理" page (for the administrator only): every
// operator with a read-only tick per permission; adds and edits run
// TAddOperatorFm. Deleting the administrator or an operator named in fund
// movements is refused. When the logged-in operator's own row was saved, the
// session's operator is read again and the main window's menu follows it at
// once.
class TOperatorPage : public TListPage {
    Q_OBJECT
public:
    explicit TOperatorPage(QWidget* parent = nullptr);

private:
    void ReloadCurrentOperator();
};

#pragma once

#include "app/ChildFm.h"

class QTabWidget;

// "系统设置": the shop's master data and settings on eleven pages. The
// "操作员管理" page is shown to the administrator (Id 1) only; the other pages
// keep their indexes. Each list or tree page reads its rows again when it is
// brought to the front; the function keys act on the buttons of the page in
// front.
class TOptionFm : public TChildFm {
    Q_OBJECT
public:
    enum TPage {
        AtorTypePage,
        CdCategoryPage,
        CategoryPage,
        FeePage,
        OperatorPage,
        ShopPage,
        PlayerPage,
        CompanyPage,
        BankPage,
        PrinterPage,
        ExitPage,
    };

    explicit TOptionFm(QWidget* parent = nullptr);

    bool MessageHook(QObject* receiver, QEvent* event) override;

    QTabWidget* pcOption;

private:
    void PageShown(int index);
};

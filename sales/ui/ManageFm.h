#pragma once

#include "app/ChildFm.h"

class QPushButton;
class QTabWidget;
class TDataGrid;
class TExPickEdit;
class TGridFooter;
class TLibraryPage;
class TRentHistoryPanel;

// "光盘管理": the two title catalogues, rental titles on "出租光盘库" (with the
// rental history of the current title below) and sale titles on "销售光盘库".
// F5 books a stock-in, F6 edits the current title, F7 deletes it and, on the
// rental page, F8 writes it off or restores it; each key acts on the page
// shown and only while its button is enabled. A page reads its list and
// totals again whenever it is shown.
class TManageFm : public TChildFm {
    Q_OBJECT
public:
    explicit TManageFm(QWidget* parent = nullptr);

    bool MessageHook(QObject* receiver, QEvent* event) override;

    // F8 on the rental page: writes the current title off or restores it.
    void WriteOffRent();

    QTabWidget* pcManage;
    TLibraryPage* tsRent;
    TLibraryPage* tsSale;

    TExPickEdit* edRentCode;
    QPushButton* btn_Rent_Add;
    QPushButton* btn_Rent_Edit;
    QPushButton* btn_Rent_Del;
    QPushButton* btn_Rent_Cancel;
    QPushButton* btnRentData;
    TDataGrid* dgRentCd;
    TGridFooter* ftRentCd;
    TRentHistoryPanel* pnDetail;

    TExPickEdit* edSaleCode;
    QPushButton* btn_Sale_Add;
    QPushButton* btn_Sale_Edit;
    QPushButton* btn_Sale_Del;
    QPushButton* btnSaleData;
    TDataGrid* dgSaleCd;
    TGridFooter* ftSaleCd;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TLibraryPage* ShownPage() const;
    void PageShown();
    // The F8 caption of the current rental title and its history.
    void RentTitleShown(qint64 id);
};

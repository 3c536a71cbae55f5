#pragma once

#include "app/DialogFm.h"
#include "rental/SearchCdObject.h"

#include <QStringList>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TDateEdit;
class TDeskGrid;
class TGridFooter;
class TIdComboBox;
class TPopupDlg;

// "影片搜索/挑选" (the desks' "影片购物车"): finds rental or sale titles by
// code, name, alias, director, actor, category, purchase date and memo, lets
// the operator tick titles, collect them in the cart and hand the ticked cart
// codes back to the desk. A thin window over its TSearchCdObject.
class TSearchCdFm : public TDialogFm {
    Q_OBJECT
public:
    explicit TSearchCdFm(QWidget* parent = nullptr);

    // Opens the search window of `owner` (made on first use as its child, so
    // results and cart live as long as the owner) in the mode given
    // (TSearchCdObject::RentMode or SaleMode), modally. The ticked cart codes
    // when the operator confirms; nothing when the window is closed.
    static QStringList Pick(QWidget* owner, int mode);

    // Rental or sale titles; the lists stay as they are.
    void SetMode(int mode);
    // Copies the criteria into the search object, searches and shows the
    // results.
    void Search();

    TSearchCdObject SearchObject;

    QLineEdit* edCode;
    QLineEdit* edName;
    QLineEdit* edAlias;
    QLineEdit* edDirector;
    QLineEdit* edPlayer;
    TPopupDlg* pdDirector;
    TPopupDlg* pdPlayer;
    TIdComboBox* cbCdCategory;
    QCheckBox* cbSub;
    TDateEdit* edFrom;
    TDateEdit* edTo;
    QLineEdit* edMemo;
    QPushButton* btnSearch;
    QTabWidget* pcResult;
    TDeskGrid* tlSearch;
    TGridFooter* ftSearch;
    TDeskGrid* tlBag;
    TGridFooter* ftBag;
    QPushButton* btnGo;
    QPushButton* btnAll;
    QPushButton* btnClear;
    QPushButton* btnPost;
    QPushButton* btnClose;

protected:
    void ModalShown() override;

private:
    QWidget* BuildCriteria();
    QWidget* BuildPages();
    TDeskGrid* NewGrid(TFoundCds& list, const QString& name, QWidget* parent);
    void FillCategories();
    void MoveToCart();
    // Shows the lists' ticks anew after the search object changed them.
    void ShowTicks();
    void ShowFooters();
    void EnableButtons();
};

#pragma once

#include "app/ChildFm.h"
#include "storage/records/Associator.h"

class QPushButton;
class QTabWidget;
class TDataGrid;
class TExPickEdit;
class TGridFooter;
class TMemberPanel;

// "会员管理": every member, the current member's details, and its money
// records and rentals. F5 adds a member, F6 edits and F7 deletes the current
// one, each while its button is enabled (by the operator's permissions and a
// current member); the records are added, edited and deleted on their page.
class TPersonFm : public TChildFm {
    Q_OBJECT
public:
    explicit TPersonFm(QWidget* parent = nullptr);

    bool MessageHook(QObject* receiver, QEvent* event) override;

    // The member whose details and records are shown; -1 without one.
    int MemberId() const { return memberId_; }

    TExPickEdit* edCode;
    QPushButton* btn_Associator_Add;
    QPushButton* btn_Associator_Edit;
    QPushButton* btn_Associator_Del;
    QPushButton* btnAssociatorData;
    QTabWidget* pcAssociator;
    TDataGrid* dgAssociator;
    TGridFooter* ftAssociator;
    TMemberPanel* gbDetail;
    QTabWidget* pcDetail;
    QPushButton* btn_Fee_Add;
    QPushButton* btn_Fee_Edit;
    QPushButton* btn_Fee_Del;
    QPushButton* btnFeeData;
    TDataGrid* dgFee;
    TGridFooter* ftFee;
    QPushButton* btnRentData;
    TDataGrid* dgRent;
    TGridFooter* ftRent;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildToolbar();
    QWidget* BuildMembers();
    QWidget* BuildFeePage();
    QWidget* BuildRentPage();

    void AddMember();
    void EditMember();
    void DeleteMember();
    void AddRecord();
    void EditRecord();
    void DeleteRecord();
    // Runs a member dialog; a saved member is selected in the reloaded list.
    template <class TDialog> void RunMemberDialog(int id);
    // Runs the record dialog; the saved record is selected.
    void RunRecordDialog(int id);
    void PickMember(int id);

    // Reads the members again and makes the row of `id` current (else the
    // one current before, else the first); the details and the open page
    // follow, with the record `recordId` current.
    void ReloadMembers(qint64 id, qint64 recordId = -1);
    // The current row's member becomes the one shown when it is another.
    void FollowCurrentRow();
    // Shows the current row's member in the details panel and its records on
    // the open page.
    void ShowMember(qint64 recordId = -1);
    // The open page's list for the shown member, its record `recordId`
    // current (else the one current before, else the first).
    void ShowPage(qint64 recordId = -1);
    void UpdateButtons();

    int memberId_ = -1;
    bool reloading_ = false;
    TAssociator member_;
};

#pragma once

#include "app/DialogFm.h"
#include "storage/Refusal.h"

class QPushButton;
class TCBObject;

// The add/edit dialog of one record. A dialog owns its record object and
// fills the body with its fields; the frame runs the protocol: a new record
// (Id -1) or a loaded one, "保存并新添" to save and start the next,
// "保存并关闭" to save and close, "关闭" to close.
class TEditDialogFm : public TDialogFm {
    Q_OBJECT
public:
    // `record` is the dialog's own record object; it is only stored here, so a
    // dialog may pass a member that is constructed after this base.
    TEditDialogFm(TCBObject& record, QWidget* parent = nullptr);

    // Creates a dialog of the class, runs it for the record `id` (-1 for a new
    // one) and returns whether anything was saved; `id` then holds the
    // record's Id (the last saved row, or -1 after "保存并新添").
    template <class TDialog>
    static bool Execute(int& id, int parameter = 0, QWidget* parent = nullptr) {
        TDialog dialog(parent);
        return dialog.Run(id, parameter);
    }

    bool Run(int& id, int parameter = 0);

protected:
    TCBObject& Record() const { return record_; }
    int Parameter() const { return parameter_; }

    // The steps a dialog fills in, in the order of the protocol.
    virtual bool SaveRecord();
    virtual void SetUp(int id, int parameter);
    virtual void PrepareNew();
    virtual void FocusFirst() {}
    virtual bool Validate() { return false; }
    virtual void ShowRecord() {}
    virtual void StoreRecord() {}

    void ModalShown() override;

    // For SaveRecord, which returns !Refused(the core's result): when the core
    // refused (it has shown the message), puts the focus on the field it names
    // and selects its text, keeping everything typed; returns whether it
    // refused, so the dialog stays open.
    bool Refused(const TChecked& checked);
    template <class TValue> bool Refused(const TStored<TValue>& stored) {
        return !stored.Ok() && Refused(TChecked(stored.Refusal()));
    }

    // Where the dialog puts its fields (it sets the layout).
    QWidget* pnBody;
    QPushButton* btnSaveNew;
    QPushButton* btnSaveClose;
    QPushButton* btnClose;

private:
    bool Save();
    void SaveAndNew();
    void SaveAndClose();

    TCBObject& record_;
    int parameter_ = 0;
    bool saved_ = false;
};

#include "app/EditDialogFm.h"

#include "app/kit/ButtonMnemonic.h"
#include "storage/Prompter.h"
#include "storage/dao/Errors.h"
#include "storage/records/CBObject.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TEditDialogFm::TEditDialogFm(TCBObject& record, QWidget* parent)
    : TDialogFm(parent), pnBody(new QWidget(this)),
      btnSaveNew(new QPushButton(QStringLiteral("保存并新添 &N"), this)),
      btnSaveClose(new QPushButton(QStringLiteral("保存并关闭 &S"), this)),
      btnClose(new QPushButton(QStringLiteral("关闭 &C"), this)), record_(record) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSaveNew);
    buttons->addWidget(btnSaveClose);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pnBody, 1);
    layout->addLayout(buttons);

    // Alt+N/S/C act at once, so a dialog closed right after cannot lose them.
    for (QPushButton* button : {btnSaveNew, btnSaveClose, btnClose}) {
        ClickOnMnemonic(button);
    }
    connect(btnSaveNew, &QPushButton::clicked, this, &TEditDialogFm::SaveAndNew);
    connect(btnSaveClose, &QPushButton::clicked, this, &TEditDialogFm::SaveAndClose);
    connect(btnClose, &QPushButton::clicked, this, &TEditDialogFm::Reject);
}

bool TEditDialogFm::Run(int& id, int parameter) {
    saved_ = false;
    parameter_ = parameter;
    record_.Id = id;
    if (id == -1) {
        PrepareNew();
    } else {
        record_.Load();
    }
    SetUp(id, parameter);
    Exec();
    id = record_.Id;
    return saved_;
}

bool TEditDialogFm::SaveRecord() {
    return record_.Save();
}

void TEditDialogFm::SetUp(int, int) {}

void TEditDialogFm::PrepareNew() {
    record_.Id = -1;
}

bool TEditDialogFm::Refused(const TChecked& checked) {
    if (!checked) {
        return false;
    }
    if (checked->field.isEmpty()) {
        return true;
    }
    auto* field = findChild<QWidget*>(checked->field);
    if (field == nullptr) {
        return true;
    }
    field->setFocus();
    // An editable list selects the text of its line; an edit or spin box its own.
    auto* combo = qobject_cast<QComboBox*>(field);
    QObject* text = combo != nullptr ? combo->lineEdit() : field;
    if (text != nullptr && text->metaObject()->indexOfSlot("selectAll()") >= 0) {
        QMetaObject::invokeMethod(text, "selectAll");
    }
    return true;
}

void TEditDialogFm::ModalShown() {
    if (record_.Id > 0) {
        ShowRecord();
    }
    FocusFirst();
}

bool TEditDialogFm::Save() {
    if (!Validate()) {
        return false;
    }
    StoreRecord();
    try {
        if (!SaveRecord()) {
            return false;
        }
    } catch (const EVintorError& error) {
        // The row was not written: say why and keep what was typed.
        ShowError(error.Message());
        return false;
    }
    saved_ = true;
    return true;
}

void TEditDialogFm::SaveAndNew() {
    if (!Save()) {
        return;
    }
    PrepareNew();
    SetUp(-1, parameter_);
    FocusFirst();
}

void TEditDialogFm::SaveAndClose() {
    if (Save()) {
        Accept();
    }
}

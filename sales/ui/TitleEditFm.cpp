#include "sales/ui/TitleEditFm.h"

#include <QLineEdit>
#include <QVBoxLayout>

TTitleEditFm::TTitleEditFm(TCBObject& title, TTitleFields::TKind kind, QWidget* parent)
    : TEditDialogFm(title, parent), pnCd(new TTitleFields(kind, pnBody)) {
    auto* layout = new QVBoxLayout(pnBody);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pnCd);
    resize(620, 0);
}

void TTitleEditFm::FocusFirst() {
    pnCd->edCode->setFocus();
}

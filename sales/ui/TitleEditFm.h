#pragma once

#include "app/EditDialogFm.h"
#include "sales/ui/TitleFields.h"

// What the rental and the sale title dialogs share: the title's fields, the
// focus on "编号" first; the core checks and writes the title when saving.
class TTitleEditFm : public TEditDialogFm {
    Q_OBJECT
public:
    TTitleFields* pnCd;

protected:
    TTitleEditFm(TCBObject& title, TTitleFields::TKind kind, QWidget* parent);

    void FocusFirst() override;
    // The core checks while saving (a refusal keeps everything typed).
    bool Validate() override { return true; }
};

#include "app/kit/DigitCellDelegate.h"

#include "app/EnterFm.h"
#include "app/kit/DigitEdit.h"

QWidget* TDigitCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex&) const {
    auto* editor = new TDigitEdit(parent);
    editor->setObjectName(QStringLiteral("edCell"));
    editor->SetSignAllowed(true);
    editor->setFrame(false);
    TEnterFm::KeepEnter(editor);
    return editor;
}

#include "app/kit/LineEdit.h"

#include <QLineEdit>

QLineEdit* NewLineEdit(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    return edit;
}

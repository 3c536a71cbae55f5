#include "app/kit/DeskLabels.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace DeskLabels {

void ShowFigure(QLabel* label, const QString& text, bool alarm) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, alarm ? Qt::red : QColor(0, 128, 0));
    label->setPalette(palette);
    label->setText(text);
}

void AddRows(QFormLayout* layout, std::initializer_list<TLabelRow> rows) {
    for (const TLabelRow& row : rows) {
        row.label->setObjectName(QLatin1String(row.name));
        row.label->setWordWrap(true);
        layout->addRow(QString::fromUtf8(row.caption), row.label);
    }
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption,
                       const QString& hint) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumWidth(110);
    return button;
}

} // namespace DeskLabels

#include "rental/ui/DeskLabels.h"

#include <QLabel>

namespace DeskLabels {

void ShowFigure(QLabel* label, const QString& text, bool alarm) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, alarm ? Qt::red : QColor(0, 128, 0));
    label->setPalette(palette);
    label->setText(text);
}

} // namespace DeskLabels

#pragma once

#include <QString>

class QLabel;

// The figures of the desk's panels: green while all is well, red when the
// operator should look twice (a disc out, a quota or balance used up).
namespace DeskLabels {

void ShowFigure(QLabel* label, const QString& text, bool alarm);

} // namespace DeskLabels

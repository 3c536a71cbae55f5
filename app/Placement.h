#pragma once

#include <QRect>

class QWidget;

// Where the program's own windows appear: centred on the window they belong
// to, or on the screen.
namespace Placement {

// The area to centre on: the owner's frame while it is shown in its normal
// state; its screen (or the window's, without an owner) when it is hidden,
// minimised or maximised, since its frame then does not tell where it is yet.
QRect Area(const QWidget* window, const QWidget* owner);
// Moves the top-level `window` to the centre of that area.
void Centre(QWidget* window, const QWidget* owner);

} // namespace Placement

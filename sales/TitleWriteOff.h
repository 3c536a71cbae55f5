#pragma once

#include <QString>

// Writing a rental title off (注销) and restoring it. A written-off title takes
// part in no rental or return; a title that is rented out may be written off
// and its open rental line stays as it is. Restoring always puts the title
// back in stock.
namespace TitleWriteOff {

// The stored status of the rental title; 0 when no title has the Id.
int StatusOf(int titleId);
// The caption of the button that acts on a title of this status: "恢复 F8"
// for a written-off title, else "注销 F8".
QString Caption(int status);
// Asks, then writes the title off or restores it; true when it was changed.
// A No, or a title that is gone, changes nothing.
bool Toggle(int titleId);

} // namespace TitleWriteOff

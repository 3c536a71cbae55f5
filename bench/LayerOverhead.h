#pragma once

#include <QStringList>

class TDM;

// Times the same statements through the data layer and straight through the
// SQLite C API (already translated, prepared each time), and prints both
// medians and their ratio: what the layer costs on top of the engine.
namespace LayerOverhead {

void Compare(TDM& dm, const QStringList& titleCodes, const QStringList& initials);

} // namespace LayerOverhead

#pragma once

#include <QString>

// Where the program keeps its ledgers: the program directory holds data/ with
// the ledgers (*.mdb) and the blank template "Blank".
namespace ProgramPaths {

// $VINTOR_HOME when set; else the executable's directory when it holds a
// writable data/; else ~/.local/share/Tolmar-Software/Vintor.
QString ProgramDirectory();
// ProgramDirectory() + "/data/", created when missing.
QString DataDirectory();
// DataDirectory() + "Blank".
QString BlankTemplatePath();

} // namespace ProgramPaths

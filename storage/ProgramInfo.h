#pragma once

#include <QString>

// What the two programs tell about themselves on --version and --help: the
// version and build, and where their files live.
namespace ProgramInfo {

// "2.06": the number of the ledger build this program writes.
QString VersionNumber();
// The line --version prints: "vintorctl (Tolmar-didorivizo) 2.06 Build2.06".
QString VersionLine(const QString& program);
// The help section on where ledgers and settings live and the environment
// variables that move them.
QString PlacesHelp();

} // namespace ProgramInfo

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The desktop program's own command-line options, answered before any window
// exists: --version and --help (-h). Everything else goes on to Qt.
namespace CommandLine {

// The text to print for these arguments (without the program name), or
// nothing when the program should start.
std::optional<QString> Reply(const QStringList& args);
// Prints Reply's text to standard output and gives the exit code when the
// program should end at once.
std::optional<int> Answer(int argc, char* argv[]);

} // namespace CommandLine

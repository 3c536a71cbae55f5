#pragma once

#include <QString>

// Where the program keeps its files: the program directory holds data/ with
// the ledgers (*.mdb) and the blank template "Blank"; the settings live in one
// file. An installed program keeps both where a Linux desktop keeps a user's
// data and configuration, and never writes beside its executable.
namespace ProgramPaths {

// The program directory for the given places: `home` ($VINTOR_HOME) when
// given; else `executableDirectory` when it holds a writable data/ (a copy
// run from its own folder); else `dataHome` + "/Tolmar-Software/Vintor".
QString ChooseProgramDirectory(const QString& home, const QString& executableDirectory,
                               const QString& dataHome);
// The settings file for the given places: `config` ($VINTOR_CONFIG) when
// given; else "Vintor.conf" in the program directory when that is one of its
// own (not the per-user one under `dataHome`); else `configHome` +
// "/Tolmar-Software/Vintor.conf", the file the desktop's settings store uses.
QString ChooseSettingsFile(const QString& config, const QString& programDirectory,
                           const QString& dataHome, const QString& configHome);

// The places of this run: the environment, the executable's folder and the
// XDG data and configuration folders ($XDG_DATA_HOME, $XDG_CONFIG_HOME or
// their defaults under the home folder).
QString ProgramDirectory();
QString SettingsFile();
// ProgramDirectory() + "/data/", created when missing.
QString DataDirectory();
// DataDirectory() + "Blank".
QString BlankTemplatePath();
// A folder only this user can enter, for the running program's lock and local
// socket and the files it hands to other programs: $XDG_RUNTIME_DIR, else the
// private folder Qt makes for the user under the temporary folder (the
// temporary folder itself only where Qt refuses that one).
QString RuntimeDirectory();

} // namespace ProgramPaths

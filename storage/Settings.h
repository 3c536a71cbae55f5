#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QSettings;
class QVariant;

// The per-machine preferences. Every operation opens the settings store, acts
// and closes it again; nothing is cached, so two windows never disagree.
// The store is one file, ProgramPaths::SettingsFile(): the user's
// Tolmar-Software/Vintor.conf, the one of a program directory of its own
// ($VINTOR_HOME), or the file named by $VINTOR_CONFIG.
class TSettings {
public:
    enum TExitKind { ExitBackUp = 0, ExitQuietly = 1, ExitAsk = 2 };
    enum TShowOption { ShowThisMonth = 1, ShowThisWeek = 2, ShowToday = 3, ShowAll = 4 };

    // The ledger last used; empty when none.
    QString DefaultDb() const;
    void SetDefaultDb(const QString& path);
    // 1 once the beginner's guide was dismissed.
    int Beginer() const;
    void SetBeginer(int value);
    int ExitKind() const;
    void SetExitKind(int value);
    // The folder of the exit backup, ending in a separator; empty when unset.
    // A folder kept without its separator reads with it.
    QString BackupPath() const;
    void SetBackupPath(const QString& path);
    // A folder path as the backup folder is kept: ending in "/" (empty stays
    // empty).
    static QString AsFolder(const QString& path);
    // The period of the fund window.
    int ShowOption() const;
    void SetShowOption(int value);

    // Dates go into SQL and onto the screen as yyyy-MM-dd whatever the machine's
    // locale says: the program formats them itself, so this always succeeds.
    bool FixDateFormat() const { return true; }

    // The device file behind a port name ("COM1"…"COM4", "LPT1", "LPT2"), from
    // the group Ports, else the usual device; empty for an unknown name.
    QString PortDevice(const QString& port) const;
    // Maps the port name to a device file of this machine (/dev/ttyUSB0).
    void SetPortDevice(const QString& port, const QString& device);

    // A list window's column layout, kept under the grid's name.
    QByteArray GridLayout(const QString& gridName) const;
    void SetGridLayout(const QString& gridName, const QByteArray& layout);

private:
    int ReadInteger(const QString& name, int defaultValue) const;
    void Write(const QString& name, const QVariant& value) const;
    std::unique_ptr<QSettings> Open() const;
};

#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A program directory and a settings file of the test's own: VINTOR_HOME and
// VINTOR_CONFIG point into a temporary directory while the object lives.
class TProgramHome {
public:
    TProgramHome();
    ~TProgramHome();
    TProgramHome(const TProgramHome&) = delete;
    TProgramHome& operator=(const TProgramHome&) = delete;

    bool Valid() const { return dir_.isValid(); }
    // A file or directory directly in the program directory.
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // The data directory, with a trailing separator.
    QString DataDirectory() const;
    QString ConfigFile() const { return dir_.filePath(QStringLiteral("vintor.ini")); }

private:
    QTemporaryDir dir_;
    QByteArray oldHome_;
    QByteArray oldConfig_;
};

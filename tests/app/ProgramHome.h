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

    // The data directory, with a trailing separator.
    QString DataDirectory() const;
    QString ConfigFile() const { return dir_.filePath(QStringLiteral("vintor.ini")); }

private:
    QTemporaryDir dir_;
    QByteArray oldHome_;
    QByteArray oldConfig_;
};

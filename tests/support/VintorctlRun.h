#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// What a run of the built vintorctl gave: its exit code and its two outputs.
struct TRun {
    int rc;
    QString out;
    QString err;
};

// Runs vintorctl with `args`, hands it `input` on standard input (then closes
// it), and points VINTOR_HOME at `home` when one is given.
inline TRun RunVintorctl(const QStringList& args, const QByteArray& input = QByteArray(),
                         const QString& home = QString()) {
    QProcess process;
    if (!home.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VINTOR_HOME"), home);
        process.setProcessEnvironment(environment);
    }
    process.start(QStringLiteral(VINTORCTL_PATH), args);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

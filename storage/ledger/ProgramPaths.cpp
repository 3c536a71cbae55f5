#include "storage/ledger/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramPaths {

namespace {

const QString OwnFolder = QStringLiteral("/Tolmar-Software/Vintor");

QString PerUserDirectory(const QString& dataHome) {
    return QDir::cleanPath(dataHome + OwnFolder);
}

QString DataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

} // namespace

QString ChooseProgramDirectory(const QString& home, const QString& executableDirectory,
                               const QString& dataHome) {
    if (!home.isEmpty()) {
        return QDir(home).absolutePath();
    }
    if (!executableDirectory.isEmpty()) {
        const QFileInfo data(executableDirectory + QStringLiteral("/data"));
        if (data.isDir() && data.isWritable()) {
            return QDir::cleanPath(executableDirectory);
        }
    }
    return PerUserDirectory(dataHome);
}

QString ChooseSettingsFile(const QString& config, const QString& programDirectory,
                           const QString& dataHome, const QString& configHome) {
    if (!config.isEmpty()) {
        return config;
    }
    if (QDir::cleanPath(programDirectory) != PerUserDirectory(dataHome)) {
        return QDir(programDirectory).filePath(QStringLiteral("Vintor.conf"));
    }
    return QDir::cleanPath(configHome + OwnFolder + QStringLiteral(".conf"));
}

QString ProgramDirectory() {
    return ChooseProgramDirectory(
        qEnvironmentVariable("VINTOR_HOME"),
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString(),
        DataHome());
}

QString SettingsFile() {
    return ChooseSettingsFile(
        qEnvironmentVariable("VINTOR_CONFIG"), ProgramDirectory(), DataHome(),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString DataDirectory() {
    const QString dir = ProgramDirectory() + QStringLiteral("/data/");
    QDir().mkpath(dir);
    return dir;
}

QString RuntimeDirectory() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // Qt refuses a runtime folder that another user owns.
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString BlankTemplatePath() {
    return DataDirectory() + QStringLiteral("Blank");
}

} // namespace ProgramPaths

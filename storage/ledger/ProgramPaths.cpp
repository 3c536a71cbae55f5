#include "storage/ledger/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramPaths {

QString ProgramDirectory() {
    const QString home = qEnvironmentVariable("VINTOR_HOME");
    if (!home.isEmpty()) {
        return QDir(home).absolutePath();
    }
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        const QFileInfo data(exeDir + QStringLiteral("/data"));
        if (data.isDir() && data.isWritable()) {
            return exeDir;
        }
    }
    return QDir::homePath() + QStringLiteral("/.local/share/Tolmar-Software/Vintor");
}

QString DataDirectory() {
    const QString dir = ProgramDirectory() + QStringLiteral("/data/");
    QDir().mkpath(dir);
    return dir;
}

QString BlankTemplatePath() {
    return DataDirectory() + QStringLiteral("Blank");
}

} // namespace ProgramPaths

#include "storage/Settings.h"

#include "storage/dao/Errors.h"
#include "storage/ledger/ProgramPaths.h"

#include <QSettings>
#include <QVariant>

namespace {

const QString GridGroup = QStringLiteral("Grids/");

} // namespace

std::unique_ptr<QSettings> TSettings::Open() const {
    return std::make_unique<QSettings>(ProgramPaths::SettingsFile(), QSettings::IniFormat);
}

int TSettings::ReadInteger(const QString& name, int defaultValue) const {
    {
        const auto settings = Open();
        bool ok = false;
        const int value = settings->value(name).toString().toInt(&ok);
        if (ok) {
            return value;
        }
    }
    // Missing, or not an integer: the default is written and read back.
    Write(name, defaultValue);
    return defaultValue;
}

void TSettings::Write(const QString& name, const QVariant& value) const {
    const auto settings = Open();
    settings->setValue(name, value);
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        throw EInOutError(QStringLiteral("无法保存设置到“%1”，请检查磁盘空间和文件权限。")
                              .arg(settings->fileName()));
    }
}

QString TSettings::DefaultDb() const {
    return Open()->value(QStringLiteral("DefaultDb")).toString();
}

void TSettings::SetDefaultDb(const QString& path) {
    Write(QStringLiteral("DefaultDb"), path);
}

int TSettings::Beginer() const {
    return ReadInteger(QStringLiteral("Beginer"), 0);
}

void TSettings::SetBeginer(int value) {
    Write(QStringLiteral("Beginer"), value);
}

int TSettings::ExitKind() const {
    return ReadInteger(QStringLiteral("ExitKind"), ExitQuietly);
}

void TSettings::SetExitKind(int value) {
    Write(QStringLiteral("ExitKind"), value);
}

QString TSettings::BackupPath() const {
    return AsFolder(Open()->value(QStringLiteral("BackupPath")).toString());
}

void TSettings::SetBackupPath(const QString& path) {
    Write(QStringLiteral("BackupPath"), AsFolder(path));
}

QString TSettings::AsFolder(const QString& path) {
    return path.isEmpty() || path.endsWith(u'/') ? path : path + u'/';
}

int TSettings::ShowOption() const {
    return ReadInteger(QStringLiteral("ShowOption"), ShowAll);
}

void TSettings::SetShowOption(int value) {
    Write(QStringLiteral("ShowOption"), value);
}

QString TSettings::PortDevice(const QString& port) const {
    const QString name = port.trimmed().toUpper();
    const QString configured = Open()->value(QStringLiteral("Ports/") + name).toString();
    if (!configured.isEmpty()) {
        return configured;
    }
    bool ok = false;
    if (name.startsWith(QLatin1String("COM"))) {
        const int n = name.mid(3).toInt(&ok);
        if (ok && n >= 1 && n <= 4) {
            return QStringLiteral("/dev/ttyS%1").arg(n - 1);
        }
    } else if (name.startsWith(QLatin1String("LPT"))) {
        const int n = name.mid(3).toInt(&ok);
        if (ok && n >= 1 && n <= 2) {
            return QStringLiteral("/dev/lp%1").arg(n - 1);
        }
    }
    return {};
}

void TSettings::SetPortDevice(const QString& port, const QString& device) {
    Write(QStringLiteral("Ports/") + port.trimmed().toUpper(), device.trimmed());
}

QByteArray TSettings::GridLayout(const QString& gridName) const {
    return Open()->value(GridGroup + gridName).toByteArray();
}

void TSettings::SetGridLayout(const QString& gridName, const QByteArray& layout) {
    Write(GridGroup + gridName, layout);
}

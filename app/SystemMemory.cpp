#include "app/SystemMemory.h"

#include <QFile>
#include <QList>

namespace SystemMemory {

qint64 TotalKilobytes(const QByteArray& meminfo) {
    const QList<QByteArray> lines = meminfo.split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith("MemTotal:")) {
            // "MemTotal:       16318412 kB"
            const QList<QByteArray> parts = line.mid(9).simplified().split(' ');
            return parts.value(0).toLongLong();
        }
    }
    return 0;
}

qint64 InstalledKilobytes() {
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    return TotalKilobytes(file.readAll());
}

QString GroupedKilobytes(qint64 kilobytes) {
    QString digits = QString::number(kilobytes);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) {
        digits.insert(at, u',');
    }
    return digits;
}

} // namespace SystemMemory

#pragma once

#include <QByteArray>
#include <QString>

// The machine's installed physical memory, as the about window shows it.
namespace SystemMemory {

// The "MemTotal" line of a /proc/meminfo text, in kilobytes; 0 without one.
qint64 TotalKilobytes(const QByteArray& meminfo);
// The installed memory of this machine in kilobytes; 0 when unknown.
qint64 InstalledKilobytes();
// "1,234,567": kilobytes with thousands separators.
QString GroupedKilobytes(qint64 kilobytes);

} // namespace SystemMemory

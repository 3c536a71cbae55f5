#include "storage/ledger/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace FileOps {

namespace {

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

QString SystemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Writes a synced copy of `source` beside `target`; returns its path or empty.
QString WriteTemporary(const QString& source, const QString& target, QString* error) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = in.errorString();
        }
        return {};
    }
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);
    QFile out(temporary);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error) {
            *error = out.errorString();
        }
        return {};
    }
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n == 0) {
            break;
        }
        if (n < 0 || out.write(buffer, n) != n) {
            if (error) {
                *error = n < 0 ? in.errorString() : out.errorString();
            }
            out.close();
            QFile::remove(temporary);
            return {};
        }
    }
    const bool flushed = out.flush() && ::fsync(out.handle()) == 0;
    if (!flushed) {
        if (error) {
            *error = out.errorString().isEmpty() ? SystemError() : out.errorString();
        }
        out.close();
        QFile::remove(temporary);
        return {};
    }
    out.close();
    return temporary;
}

} // namespace

bool Sync(const QString& path) {
    const int fd = ::open(Native(path).constData(), O_RDONLY);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void RemoveWithLogs(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        QFile::remove(path + QLatin1String(suffix));
    }
}

bool CopyNoReplace(const QString& source, const QString& target, QString* error) {
    if (QFileInfo::exists(target)) {
        if (error) {
            *error = QStringLiteral("目标文件已经存在");
        }
        return false;
    }
    const QString temporary = WriteTemporary(source, target, error);
    return !temporary.isEmpty() && MoveNoReplace(temporary, target, error);
}

bool MoveNoReplace(const QString& file, const QString& target, QString* error) {
    // link() fails when the target appeared meanwhile: nothing is overwritten.
    const bool linked = ::link(Native(file).constData(), Native(target).constData()) == 0;
    if (!linked && error) {
        *error = SystemError();
    }
    QFile::remove(file);
    Sync(QFileInfo(target).absolutePath());
    return linked;
}

bool CopyReplace(const QString& source, const QString& target, QString* error,
                 const std::function<void()>& beforeRename) {
    const QString temporary = WriteTemporary(source, target, error);
    if (temporary.isEmpty()) {
        return false;
    }
    if (beforeRename) {
        beforeRename();
    }
    if (std::rename(Native(temporary).constData(), Native(target).constData()) != 0) {
        if (error) {
            *error = SystemError();
        }
        QFile::remove(temporary);
        return false;
    }
    Sync(QFileInfo(target).absolutePath());
    return true;
}

QString ReplaceableTarget(const QString& path, QString* error) {
    const QFileInfo link(path);
    QString target = link.absoluteFilePath();
    if (link.exists()) {
        target = link.canonicalFilePath();
    } else if (link.isSymLink()) {
        target = link.symLinkTarget(); // a link to a file still to be made
    }
    const QFileInfo file(target);
    if (file.exists() && !file.isFile()) {
        if (error) {
            *error = QStringLiteral("“%1”不是普通文件（而是设备、管道或者文件夹），不能写入。"
                                    "请选择一个普通文件。")
                         .arg(QDir::toNativeSeparators(path));
        }
        return {};
    }
    return target;
}

} // namespace FileOps

#include "storage/dao/LedgerLock.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QPair>

#include <mutex>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using TKey = QPair<quint64, quint64>;

struct TEntry {
    int fd = -1;
    int users = 0;
};

std::mutex registryMutex;
QHash<TKey, TEntry>& Registry() {
    static QHash<TKey, TEntry> registry;
    return registry;
}

bool KeyOf(const QString& path, TKey& key) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return false;
    }
    key = {quint64(info.st_dev), quint64(info.st_ino)};
    return true;
}

enum class TTry { Locked, Busy, Gone };

// Opens `path` and locks it without waiting. The file may have been replaced
// between the look-up and the lock: then the lock is on an old file and the
// caller looks again.
TTry TryLock(const QString& path, const TKey& key, int operation, int& fd) {
    fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return TTry::Gone;
    }
    struct stat info {};
    if (::flock(fd, operation | LOCK_NB) != 0) {
        ::close(fd);
        return TTry::Busy;
    }
    if (::fstat(fd, &info) != 0 || TKey{quint64(info.st_dev), quint64(info.st_ino)} != key) {
        ::close(fd);
        return TTry::Gone;
    }
    return TTry::Locked;
}

constexpr int WaitSteps = 60; // 60 x 50 ms: a restore or compaction in progress

} // namespace

QString TLedgerLock::InUseMessage(const QString& path) {
    return QStringLiteral("账本文件“%1”正在被使用（本程序的其他窗口或者其他程序打开了它），"
                          "现在不能替换它。请先关闭使用它的程序，再试一次。")
        .arg(QDir::toNativeSeparators(path));
}

void TLedgerLock::Register(quint64 device, quint64 inode, int fd) {
    std::lock_guard guard(registryMutex);
    Registry().insert({device, inode}, {fd, 1});
    Hold(device, inode);
}

QString TLedgerLock::AcquireShared(const QString& path) {
    Release();
    for (int step = 0; step < WaitSteps; ++step) {
        TKey key;
        if (!KeyOf(path, key)) {
            return {};
        }
        {
            std::lock_guard guard(registryMutex);
            auto it = Registry().find(key);
            if (it != Registry().end()) {
                ++it->users;
                Hold(key.first, key.second);
                return {};
            }
        }
        int fd = -1;
        switch (TryLock(path, key, LOCK_SH, fd)) {
        case TTry::Locked:
            Register(key.first, key.second, fd);
            return {};
        case TTry::Gone:
            continue;
        case TTry::Busy:
            ::usleep(50000);
            continue;
        }
    }
    return QStringLiteral(
               "账本文件“%1”正被其他程序独占使用（恢复、整理或者备份），暂时不能打开。请稍后再试。")
        .arg(QDir::toNativeSeparators(path));
}

QString TLedgerLock::AcquireExclusive(const QString& path) {
    Release();
    for (;;) {
        TKey key;
        if (!KeyOf(path, key)) {
            return {};
        }
        {
            std::lock_guard guard(registryMutex);
            if (Registry().contains(key)) {
                return InUseMessage(path);
            }
        }
        int fd = -1;
        switch (TryLock(path, key, LOCK_EX, fd)) {
        case TTry::Locked:
            Register(key.first, key.second, fd);
            return {};
        case TTry::Gone:
            continue;
        case TTry::Busy:
            return InUseMessage(path);
        }
    }
}

void TLedgerLock::Hold(quint64 device, quint64 inode) {
    held_ = true;
    device_ = device;
    inode_ = inode;
}

void TLedgerLock::Release() {
    if (!held_) {
        return;
    }
    held_ = false;
    std::lock_guard guard(registryMutex);
    auto it = Registry().find({device_, inode_});
    if (it != Registry().end() && --it->users == 0) {
        ::close(it->fd);
        Registry().erase(it);
    }
}

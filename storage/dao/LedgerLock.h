#pragma once

#include <QString>

// Marks a ledger file as in use, so that replacing it (restore, compaction, a
// backup written over it) can be refused while any connection has it open.
//
// The mark is a flock(2) lock on the ledger file: every connection holds it
// shared, a replacement needs it exclusive. The kernel drops it when its
// holder ends in any way, so a crashed program leaves no stale lock, and it
// is independent of SQLite's own byte-range locks. All connections of this
// program share one descriptor per file (a count says how many use it):
// closing a second descriptor of the file would drop SQLite's locks on it.
class TLedgerLock {
public:
    TLedgerLock() = default;
    ~TLedgerLock() { Release(); }
    TLedgerLock(const TLedgerLock&) = delete;
    TLedgerLock& operator=(const TLedgerLock&) = delete;

    // Marks `path` as used by one more connection. A file taken exclusively
    // by another program is waited for a moment; after that the message says
    // the ledger is in use. Empty on success (a missing file needs no mark).
    QString AcquireShared(const QString& path);
    // Takes `path` for replacing it: refused with a message while a connection
    // of this or another program has it open. Connections this program opens
    // while it is held join it. Empty on success (also for a missing file).
    QString AcquireExclusive(const QString& path);
    void Release();
    bool Held() const { return held_; }

    // The message for a ledger that cannot be replaced while it is open.
    static QString InUseMessage(const QString& path);

private:
    // Keeps the descriptor just locked as the program's one for that file.
    void Register(quint64 device, quint64 inode, int fd);
    void Hold(quint64 device, quint64 inode);

    bool held_ = false;
    quint64 device_ = 0;
    quint64 inode_ = 0;
};

#include "storage/LedgerFiles.h"

#include "storage/DAODatabase.h"
#include "storage/Errors.h"
#include "storage/FileOps.h"
#include "storage/JetDate.h"
#include "storage/LedgerFormat.h"
#include "storage/LedgerTemplate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>

namespace LedgerFiles {

namespace {

const QString LedgerSuffix = QStringLiteral(".mdb");

// The write-ahead log and index of a ledger file: stale ones beside a file
// that is replaced would be replayed into it at the next open.
void RemoveLogsOf(const QString& ledger) {
    QFile::remove(ledger + QStringLiteral("-wal"));
    QFile::remove(ledger + QStringLiteral("-shm"));
}

bool Rename(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString WriteFailure(const QString& target, const QString& why) {
    return QStringLiteral("无法写入文件“%1”：%2").arg(QDir::toNativeSeparators(target), why);
}

// Copies the connection's ledger into a new file at `temporary`.
QString BackupInto(sqlite3* source, const QString& temporary) {
    sqlite3* target = nullptr;
    const QByteArray file = temporary.toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
        if (backup == nullptr) {
            rc = sqlite3_errcode(target);
        } else {
            do {
                rc = sqlite3_backup_step(backup, -1);
                if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                    sqlite3_sleep(50);
                }
            } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
            sqlite3_backup_finish(backup);
            rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
        }
    }
    const QString message = rc == SQLITE_OK ? QString() : QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_close(target);
    return message;
}

// Why `path` cannot be opened as a ledger; empty when it can. The file is
// only read.
QString NotALedger(const QString& path) {
    TDAODatabase probe;
    probe.SetDatabaseName(path);
    probe.SetPassword(LedgerFormat::LedgerPassword);
    probe.SetReadOnly(true);
    try {
        probe.Open();
    } catch (const EVintorError& error) {
        return error.Message();
    }
    probe.Close();
    return {};
}

} // namespace

QStringList List(const QString& dataDirectory) {
    QStringList names;
    const QFileInfoList files =
        QDir(dataDirectory)
            .entryInfoList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        if (file.fileName().endsWith(LedgerSuffix, Qt::CaseInsensitive)) {
            names.append(file.fileName().chopped(LedgerSuffix.size()));
        }
    }
    return names;
}

TResult Create(const QString& dataDirectory, const QString& name) {
    TResult result;
    bool blank = name.isEmpty();
    for (const QChar c : name) {
        blank = blank || c.isSpace();
    }
    if (blank) {
        result.error = QStringLiteral("请输入账本名称,并且名称中不能包含空格字符。");
        return result;
    }
    if (name.contains(u'/') || name.contains(u'\\') || name == QLatin1String("..") ||
        name.contains(QChar(0))) {
        result.error = QStringLiteral("账本名称中不能包含“/”或“\\”字符，请重新命名。");
        return result;
    }
    result.path = QDir(dataDirectory).filePath(name + LedgerSuffix);
    if (QFileInfo::exists(result.path)) {
        result.error = QStringLiteral("已有同名的账本文件,请重新命名。");
        return result;
    }
    try {
        LedgerTemplate::CreateLedgerFromTemplate(result.path);
    } catch (const EVintorError& error) {
        result.error = error.Message();
    }
    return result;
}

TResult Backup(TDAODatabase& database, const QString& target) {
    TResult result{target, {}};
    const bool wasOpen = database.Connected();
    if (!wasOpen) {
        database.Open();
    }
    database.CompletePendingReads();
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);
    const QString failure = BackupInto(database.Handle(), temporary);
    if (!wasOpen) {
        database.Close();
    }
    if (!failure.isEmpty() || !FileOps::Sync(temporary)) {
        QFile::remove(temporary);
        result.error =
            WriteFailure(target, failure.isEmpty() ? QStringLiteral("磁盘写入失败") : failure);
        return result;
    }
    RemoveLogsOf(target);
    if (!Rename(temporary, target)) {
        QFile::remove(temporary);
        result.error = WriteFailure(target, QStringLiteral("无法替换原有文件"));
        return result;
    }
    FileOps::Sync(QFileInfo(target).absolutePath());
    return result;
}

TResult Restore(const QString& source, const QString& directory, const QString& openLedger) {
    TResult result{QDir(directory).filePath(QFileInfo(source).fileName()), {}};
    const QString check = NotALedger(source);
    if (!check.isEmpty()) {
        result.error = check;
        return result;
    }
    if (!openLedger.isEmpty() &&
        QFileInfo(result.path).absoluteFilePath() == QFileInfo(openLedger).absoluteFilePath()) {
        result.error = QStringLiteral("不能恢复到正在使用的账本“%1”，请先打开其他账本再恢复。")
                           .arg(QFileInfo(openLedger).completeBaseName());
        return result;
    }
    if (QFileInfo(source).absoluteFilePath() == QFileInfo(result.path).absoluteFilePath()) {
        return result; // already in place
    }
    QString error;
    if (!FileOps::CopyReplace(source, result.path, &error)) {
        result.error = WriteFailure(result.path, error);
        return result;
    }
    RemoveLogsOf(result.path);
    return result;
}

QString CompactMessage(Currency ratio) {
    if (ratio.IsZero()) {
        return QStringLiteral("账本整理失败！");
    }
    return QStringLiteral("账本整理完成！目前账本大小为整理前的 %1％")
        .arg((ratio * 100).ToFixed(2));
}

QString CarryOverBackupName(const QString& ledgerPath, const QDateTime& now) {
    const QString fileName = QFileInfo(ledgerPath).fileName();
    return fileName.section(u'.', 0, 0) + JetDate::ShortText(now.date()) + u'.' +
           now.time().toString(QStringLiteral("HH.mm.ss")) + LedgerSuffix;
}

} // namespace LedgerFiles

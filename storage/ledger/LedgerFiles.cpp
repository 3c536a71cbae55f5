#include "storage/ledger/LedgerFiles.h"

#include "storage/JetDate.h"
#include "storage/Prompter.h"
#include "storage/dao/DAODatabase.h"
#include "storage/dao/Errors.h"
#include "storage/dao/LedgerLock.h"
#include "storage/ledger/FileOps.h"
#include "storage/ledger/LedgerFormat.h"
#include "storage/ledger/LedgerTemplate.h"
#include "storage/ledger/LedgerUpgrade.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>
#include <unistd.h>

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

// Shows the message and hands it back with the field to correct.
TRefusal Refused(const QString& message, const QString& field = QString()) {
    ShowError(message);
    return TRefusal{field, message};
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

// The first column of the statement's rows, as text; an engine error ends
// the list with "error".
QStringList Column(sqlite3* db, const char* sql) {
    QStringList rows;
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
        rows.append(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
        rc = SQLITE_OK;
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) {
        rows.append(QStringLiteral("error"));
    }
    return rows;
}

// Why `path` may not replace a ledger; empty when it may: it opens as a
// ledger, passes the engine's integrity check and names a known build. The
// file is only read.
QString NotRestorable(const QString& path) {
    TDAODatabase probe;
    probe.SetDatabaseName(path);
    probe.SetPassword(LedgerFormat::LedgerPassword);
    probe.SetReadOnly(true);
    try {
        probe.Open();
    } catch (const EVintorError& error) {
        return error.Message();
    }
    const QString name = QDir::toNativeSeparators(path);
    if (Column(probe.Handle(), "PRAGMA integrity_check") != QStringList{QStringLiteral("ok")}) {
        return QStringLiteral("文件“%1”已经损坏，不能用来恢复账本；数据目录中的账本没有改动。"
                              "请换一个完好的备份文件。")
            .arg(name);
    }
    const QStringList build = Column(probe.Handle(), "SELECT Version FROM TbVersion");
    if (build.size() != 1 || !LedgerUpgrade::Builds().contains(build.front())) {
        return QStringLiteral("文件“%1”不是本程序能识别的账本（版本“%2”），不能用来恢复；"
                              "数据目录中的账本没有改动。")
            .arg(name, build.join(u','));
    }
    return {};
}

// The regular file a copy may replace at `path`, locked against every
// connection: empty with `error` set when it may not be replaced now.
QString TargetToReplace(const QString& path, TLedgerLock& lock, QString& error) {
    const QString file = FileOps::ReplaceableTarget(path, &error);
    if (!file.isEmpty()) {
        error = lock.AcquireExclusive(file);
    }
    return error.isEmpty() ? file : QString();
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

TStored<QString> Create(const QString& dataDirectory, const QString& name) {
    bool blank = name.isEmpty();
    for (const QChar c : name) {
        blank = blank || c.isSpace();
    }
    if (blank) {
        return Refused(QStringLiteral("请输入账本名称,并且名称中不能包含空格字符。"), NameField);
    }
    if (name.contains(u'/') || name.contains(u'\\') || name == QLatin1String("..") ||
        name.contains(QChar(0))) {
        return Refused(QStringLiteral("账本名称中不能包含“/”或“\\”字符，请重新命名。"), NameField);
    }
    const QString path = QDir(dataDirectory).filePath(name + LedgerSuffix);
    if (::access(QFile::encodeName(dataDirectory).constData(), W_OK) != 0) {
        return Refused(
            QStringLiteral("账本文件夹“%1”是只读的，不能在其中新建账本。"
                           "请修改该文件夹的权限，或者把程序放到可以写入的文件夹中。")
                .arg(QDir::toNativeSeparators(QFileInfo(dataDirectory).absoluteFilePath())));
    }
    if (QFileInfo::exists(path)) {
        return Refused(QStringLiteral("已有同名的账本文件,请重新命名。"), NameField);
    }
    try {
        LedgerTemplate::CreateLedgerFromTemplate(path);
    } catch (const EVintorError& error) {
        return Refused(error.Message());
    }
    return path;
}

TStored<QString> Backup(TDAODatabase& database, const QString& target) {
    TLedgerLock lock;
    QString refusal;
    const QString file = TargetToReplace(target, lock, refusal);
    if (file.isEmpty()) {
        return Refused(refusal);
    }
    const bool wasOpen = database.Connected();
    const bool wasReadOnly = database.ReadOnly();
    if (!wasOpen) {
        database.SetReadOnly(true); // reading needs no disk space and leaves no files
        try {
            database.Open();
        } catch (...) {
            database.SetReadOnly(wasReadOnly);
            throw;
        }
    }
    database.CompletePendingReads();
    const QString temporary = file + QStringLiteral(".part");
    QFile::remove(temporary);
    const QString failure = BackupInto(database.Handle(), temporary);
    if (!wasOpen) {
        database.Close();
        database.SetReadOnly(wasReadOnly);
    }
    if (!failure.isEmpty() || !FileOps::Sync(temporary)) {
        QFile::remove(temporary);
        return Refused(
            WriteFailure(target, failure.isEmpty() ? QStringLiteral("磁盘写入失败") : failure));
    }
    RemoveLogsOf(file);
    if (!Rename(temporary, file)) {
        QFile::remove(temporary);
        return Refused(WriteFailure(target, QStringLiteral("无法替换原有文件")));
    }
    FileOps::Sync(QFileInfo(file).absolutePath());
    return target;
}

TStored<QString> Restore(const QString& source, const QString& directory,
                         const QString& openLedger) {
    const QString path = QDir(directory).filePath(QFileInfo(source).fileName());
    const QString check = NotRestorable(source);
    if (!check.isEmpty()) {
        return Refused(check);
    }
    if (!openLedger.isEmpty() &&
        QFileInfo(path).absoluteFilePath() == QFileInfo(openLedger).absoluteFilePath()) {
        return Refused(QStringLiteral("不能恢复到正在使用的账本“%1”，请先打开其他账本再恢复。")
                           .arg(QFileInfo(openLedger).completeBaseName()));
    }
    if (QFileInfo(source).absoluteFilePath() == QFileInfo(path).absoluteFilePath()) {
        return path; // already in place
    }
    TLedgerLock lock;
    QString refusal;
    const QString file = TargetToReplace(path, lock, refusal);
    if (file.isEmpty()) {
        return Refused(refusal);
    }
    // A log of the replaced file must not be replayed into the new one.
    QString error;
    if (!FileOps::CopyReplace(source, file, &error, [&] { RemoveLogsOf(file); })) {
        return Refused(WriteFailure(path, error));
    }
    return path;
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

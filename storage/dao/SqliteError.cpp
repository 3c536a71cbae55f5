#include "storage/dao/SqliteError.h"

#include "storage/dao/Errors.h"

#include <sqlite3.h>

void RaiseEngineError(sqlite3* db, int resultCode) {
    const QString engine =
        db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(resultCode));
    QString message;
    switch (resultCode & 0xff) {
    case SQLITE_FULL:
        message =
            QStringLiteral("磁盘空间不足，账本无法写入。请清理磁盘后再试，本次操作没有保存。");
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        message = QStringLiteral("账本正被其他程序使用，请稍后再试。");
        break;
    case SQLITE_READONLY:
        message = db && sqlite3_uri_boolean(sqlite3_db_filename(db, "main"), LowDiskParameter, 0)
                      ? QStringLiteral("磁盘空间不足，账本只能读取、不能写入。请清理磁盘后重新"
                                       "打开账本，本次操作没有保存。")
                      : QStringLiteral("账本文件是只读的，不能写入。请检查文件的权限。");
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        message = QStringLiteral("账本文件已损坏或者不是账本文件。");
        break;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        message = QStringLiteral("账本文件读写出错，请检查磁盘和文件。");
        break;
    default:
        throw EOleException(engine, resultCode);
    }
    throw EOleException(message + QStringLiteral("（") + engine + QStringLiteral("）"), resultCode);
}

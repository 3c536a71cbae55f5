#include "storage/ledger/LedgerFormat.h"

#include "storage/dao/Errors.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace LedgerFormat {

qint32 PasswordStamp(const QString& password) {
    const QByteArray digest =
        QCryptographicHash::hash(QByteArrayLiteral("Tolmar-didorivizo ledger:") + password.toUtf8(),
                                 QCryptographicHash::Sha256);
    quint32 stamp = 0;
    for (int i = 0; i < 4; ++i) {
        stamp = (stamp << 8) | quint8(digest[i]);
    }
    return qint32(stamp & 0x7fffffff) | 1; // never 0, the value of a file without a stamp
}

void CreateEmptyLedgerFile(const QString& path, const QString& password) {
    if (QFileInfo::exists(path)) {
        throw EOleException(QStringLiteral("文件“%1”已经存在，不能覆盖。").arg(path));
    }
    sqlite3* db = nullptr;
    const QByteArray file = path.toUtf8();
    int rc =
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        const QByteArray sql = QStringLiteral("PRAGMA application_id=%1; PRAGMA user_version=%2;")
                                   .arg(LedgerApplicationId)
                                   .arg(PasswordStamp(password))
                                   .toUtf8();
        rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    }
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        throw EOleException(QStringLiteral("无法创建账本文件“%1”：%2").arg(path, message), rc);
    }
}

} // namespace LedgerFormat

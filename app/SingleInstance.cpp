#include "app/SingleInstance.h"

#include "storage/ledger/ProgramPaths.h"

#include <QDir>
#include <QLocalSocket>

namespace {

constexpr int ConnectTimeoutMs = 1000;

} // namespace

// The lock and the socket lie in the user's private runtime folder: another
// user's copy on the same machine neither blocks this one nor is raised by it.
TSingleInstance::TSingleInstance(const QString& name, QObject* parent)
    : QObject(parent), name_(QDir(ProgramPaths::RuntimeDirectory()).filePath(name)),
      lock_(name_ + QStringLiteral(".lock")) {
    // The lock never goes stale by age, only when the copy holding it is gone.
    lock_.setStaleLockTime(0);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            socket->deleteLater();
            emit RaiseRequested();
        }
    });
}

bool TSingleInstance::Acquire() {
    if (!lock_.tryLock()) {
        NotifyRunning();
        return false;
    }
    // A socket file left by a crashed copy would block listening.
    QLocalServer::removeServer(name_);
    server_.listen(name_);
    return true;
}

void TSingleInstance::NotifyRunning() const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (socket.waitForConnected(ConnectTimeoutMs)) {
        socket.disconnectFromServer();
    }
}

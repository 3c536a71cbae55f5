#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A web server on the loopback that answers every request with `body` and
// `status`, or keeps the caller waiting when told to stay silent.
class TVersionServer {
public:
    explicit TVersionServer(QByteArray body, QByteArray status = "200 OK", bool silent = false) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_,
                         [this, body, status, silent] {
                             QTcpSocket* socket = server_.nextPendingConnection();
                             if (!silent) {
                                 QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                                  [socket, body, status] {
                                                      socket->readAll();
                                                      socket->write(Response(status, body));
                                                      socket->disconnectFromHost();
                                                  });
                             }
                         });
    }
    QUrl Url() const {
        return QUrl(
            QStringLiteral("http://127.0.0.1:%1/vintor/version.txt").arg(server_.serverPort()));
    }
    // An address on a port nobody listens on.
    static QUrl UnreachableUrl() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const quint16 port = probe.serverPort();
        probe.close();
        return QUrl(QStringLiteral("http://127.0.0.1:%1/version.txt").arg(port));
    }

private:
    static QByteArray Response(const QByteArray& status, const QByteArray& body) {
        return "HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }

    QTcpServer server_;
};

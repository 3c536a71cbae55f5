#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// Lets one copy of the program run per user. The first copy holds a lock file
// and listens on a local socket; a later copy finds the lock taken, asks the
// running copy to raise its window and ends.
class TSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit TSingleInstance(const QString& name = QStringLiteral("Vintor"),
                             QObject* parent = nullptr);

    // True when this process is the only copy. Otherwise the running copy has
    // been told to come to the front.
    bool Acquire();

signals:
    // A later copy asked this one to show itself.
    void RaiseRequested();

private:
    void NotifyRunning() const;

    QString name_; // the socket's path; the lock is beside it
    QLockFile lock_;
    QLocalServer server_;
};

#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

// Base of the program's own exceptions: a message for the operator.
class EVintorError : public std::exception {
public:
    explicit EVintorError(QString message)
        : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// An error the database engine reported, with the engine's own message.
class EOleException : public EVintorError {
public:
    EOleException(QString message, int engineCode = 0)
        : EVintorError(std::move(message)), engineCode_(engineCode) {}
    // The SQLite result code (0 when the error did not come from SQLite).
    int EngineCode() const { return engineCode_; }

private:
    int engineCode_;
};

// A misuse of the connection component, such as changing it while open.
class EDAODatabaseError : public EVintorError {
public:
    using EVintorError::EVintorError;
};

// A file could not be read or written.
class EInOutError : public EVintorError {
public:
    using EVintorError::EVintorError;
};

#pragma once

#include "app/FileChooser.h"

#include <QList>
#include <QStringList>

// A file chooser for tests: it records every request and answers from a
// queue; an empty queue answers as a cancelled dialog.
class TScriptedFileChooser : public TFileChooser {
public:
    enum class Kind { Save, Open, Directory };
    struct Request {
        Kind kind;
        QString title;
        QString filter;
        QString directory;
        QString proposedName;
    };

    QString SaveFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& directory, const QString& proposedName) override;
    QString OpenFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& directory) override;
    QString ChooseDirectory(QWidget* parent, const QString& title,
                            const QString& directory) override;

    // The answer to the next request; empty text cancels it.
    void QueueAnswer(const QString& path) { answers_.append(path); }
    const QList<Request>& Requests() const { return requests_; }

private:
    QString Answer(const Request& request);

    QStringList answers_;
    QList<Request> requests_;
};

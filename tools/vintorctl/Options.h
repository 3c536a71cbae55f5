#pragma once

#include "storage/ScriptedPrompter.h"

#include <QStringList>
#include <QTextStream>

// The arguments of a vintorctl command: positional words and "--name value"
// options.
class TOptions {
public:
    explicit TOptions(const QStringList& args);

    const QStringList& Positional() const { return positional_; }
    QString Value(const QString& name) const;
    bool Has(const QString& name) const;
    // Sets the clock from --today when given; false (with a message) when the
    // date is malformed.
    bool ApplyToday(QTextStream& err) const;

private:
    QStringList positional_;
    QStringList names_;
    QStringList values_;
};

// Prints the messages shown while it lives on `stream`: errors as "ERROR: "
// lines, every other kind as "WARN: " lines.
class TMessagePrinter {
public:
    explicit TMessagePrinter(QTextStream& stream);

private:
    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
};

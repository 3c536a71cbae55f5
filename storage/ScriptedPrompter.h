#pragma once

#include "storage/Prompter.h"

#include <QList>
#include <QString>

#include <functional>

// A prompter for tests and vintorctl: it records every message and answers
// questions from a queue (Yes when the queue is empty, unless told otherwise).
class TScriptedPrompter : public TPrompter {
public:
    enum class Kind { Warning, Error, Information, Question, Penalty };
    struct Message {
        Kind kind;
        QString text;
        bool answer = false; // for questions
    };

    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    void Information(const QString& text) override;
    bool Question(const QString& text) override;
    // Confirms the queued entry, or the proposed value when none is queued;
    // the message text is "<code> | <days> | <caption><proposed>".
    std::optional<QString> Penalty(const TPenaltyRequest& request) override;

    void QueueAnswer(bool yes) { answers_.append(yes); }
    void SetDefaultAnswer(bool yes) { defaultAnswer_ = yes; }
    // The entry for the next penalty dialog; nothing means cancel.
    void QueuePenalty(std::optional<QString> entry) { penalties_.append(entry); }
    // Called with every message as it happens (vintorctl prints them).
    std::function<void(const Message&)> OnMessage;

    const QList<Message>& Messages() const { return messages_; }
    // The texts of all messages of one kind, in order.
    QStringList Texts(Kind kind) const;
    QStringList AllTexts() const;
    void Clear() { messages_.clear(); }

private:
    void Record(const Message& message);

    QList<Message> messages_;
    QList<bool> answers_;
    QList<std::optional<QString>> penalties_;
    bool defaultAnswer_ = true;
};

#include "storage/ScriptedPrompter.h"

#include <QStringList>

void TScriptedPrompter::Record(const Message& message) {
    messages_.append(message);
    if (OnMessage) {
        OnMessage(message);
    }
}

void TScriptedPrompter::Warning(const QString& text) {
    Record({Kind::Warning, text});
}

void TScriptedPrompter::Error(const QString& text) {
    Record({Kind::Error, text});
}

void TScriptedPrompter::Information(const QString& text) {
    Record({Kind::Information, text});
}

bool TScriptedPrompter::Question(const QString& text) {
    const bool answer = answers_.isEmpty() ? defaultAnswer_ : answers_.takeFirst();
    Record({Kind::Question, text, answer});
    return answer;
}

std::optional<QString> TScriptedPrompter::Penalty(const TPenaltyRequest& request) {
    Record({Kind::Penalty, request.code + QStringLiteral(" | ") + request.days +
                               QStringLiteral(" | ") + request.caption + request.proposed});
    return penalties_.isEmpty() ? std::optional<QString>(request.proposed) : penalties_.takeFirst();
}

QStringList TScriptedPrompter::Texts(Kind kind) const {
    QStringList texts;
    for (const Message& m : messages_) {
        if (m.kind == kind) {
            texts.append(m.text);
        }
    }
    return texts;
}

QStringList TScriptedPrompter::AllTexts() const {
    QStringList texts;
    for (const Message& m : messages_) {
        texts.append(m.text);
    }
    return texts;
}

#pragma once

#include "storage/Prompter.h"

#include <QString>

// Installs itself as the prompter for its lifetime, passes every message on
// to the prompter it replaced and keeps the last error or warning shown, so a
// check's own text can be handed back with the field it refused.
class TMessageTap : public TPrompter {
public:
    TMessageTap();

    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    void Information(const QString& text) override;
    bool Question(const QString& text) override;
    std::optional<QString> Penalty(const TPenaltyRequest& request) override;

    // Empty while no error or warning was shown.
    QString LastMessage;

private:
    TPrompter& next_;
    TPrompterScope scope_;
};

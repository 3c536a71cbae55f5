#include "storage/MessageTap.h"

TMessageTap::TMessageTap() : next_(Current()), scope_(*this) {}

void TMessageTap::Warning(const QString& text) {
    LastMessage = text;
    next_.Warning(text);
}

void TMessageTap::Error(const QString& text) {
    LastMessage = text;
    next_.Error(text);
}

void TMessageTap::Information(const QString& text) {
    next_.Information(text);
}

bool TMessageTap::Question(const QString& text) {
    return next_.Question(text);
}

std::optional<QString> TMessageTap::Penalty(const TPenaltyRequest& request) {
    return next_.Penalty(request);
}

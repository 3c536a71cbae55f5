#include "members/CheckRun.h"

#include "storage/Prompter.h"

namespace {

// Passes every message on to the prompter it replaced and keeps the last
// error, so the check's own text can be handed back with the field.
class TErrorTap : public TPrompter {
public:
    TErrorTap() : next_(Current()), scope_(*this) {}

    void Warning(const QString& text) override { next_.Warning(text); }
    void Error(const QString& text) override {
        LastError = text;
        next_.Error(text);
    }
    void Information(const QString& text) override { next_.Information(text); }
    bool Question(const QString& text) override { return next_.Question(text); }
    std::optional<QString> Penalty(const TPenaltyRequest& request) override {
        return next_.Penalty(request);
    }

    QString LastError;

private:
    TPrompter& next_;
    TPrompterScope scope_;
};

} // namespace

TCheckRun& TCheckRun::Check(const QString& field, const std::function<bool()>& check) {
    if (!Passed()) {
        return *this;
    }
    TErrorTap tap;
    if (!check()) {
        refusal_ = TStoreResult::Refused(field, tap.LastError);
    }
    return *this;
}

TCheckRun& TCheckRun::Refuse(const QString& field, const QString& message) {
    if (Passed()) {
        ShowError(message);
        refusal_ = TStoreResult::Refused(field, message);
    }
    return *this;
}

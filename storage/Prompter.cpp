#include "storage/Prompter.h"

#include "storage/dao/Format.h"

namespace {

class TSilentPrompter : public TPrompter {
public:
    void Warning(const QString&) override {}
    void Error(const QString&) override {}
    void Information(const QString&) override {}
    bool Question(const QString&) override { return false; }
};

TPrompter*& Installed() {
    static TPrompter* prompter = nullptr;
    return prompter;
}

} // namespace

TPrompter& TPrompter::Current() {
    TPrompter* p = Installed();
    return p ? *p : Silent();
}

TPrompter& TPrompter::Silent() {
    static TSilentPrompter silent;
    return silent;
}

void TPrompter::Install(TPrompter* prompter) {
    Installed() = prompter;
}

TPrompterScope::TPrompterScope(TPrompter& prompter) : previous_(Installed()) {
    TPrompter::Install(&prompter);
}

TPrompterScope::~TPrompterScope() {
    TPrompter::Install(previous_);
}

void ShowWarning(const QString& text) {
    TPrompter::Current().Warning(text);
}

void ShowError(const QString& text) {
    TPrompter::Current().Error(text);
}

void ShowInformation(const QString& text) {
    TPrompter::Current().Information(text);
}

bool AskYesNo(const QString& text) {
    return TPrompter::Current().Question(text);
}

bool ConfirmDelete(const QString& name, const QString& prefix) {
    return AskYesNo(Format(QStringLiteral("%s确实要删除 [\"%s\"]吗？"), {prefix, name}));
}

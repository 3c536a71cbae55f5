#pragma once

#include <QString>

#include <optional>

// What the late-penalty dialog shows: the member, the days overdue, the
// caption of the entry and the value proposed in it.
struct TPenaltyRequest {
    QString code;     // "[code]name"
    QString days;     // "%d 天"
    QString caption;  // "扣减部数：" or "扣减金额："
    QString proposed; // the entry's starting text
};

// How the core speaks to the person at the machine: the three standard boxes
// and an information note. The desktop program installs message boxes; tests
// and vintorctl install a scripted prompter.
class TPrompter {
public:
    virtual ~TPrompter() = default;
    virtual void Warning(const QString& text) = 0;
    virtual void Error(const QString& text) = 0;
    virtual void Information(const QString& text) = 0;
    // A Yes/No question; true when Yes is chosen.
    virtual bool Question(const QString& text) = 0;
    // The late-penalty dialog: the confirmed entry, or nothing when cancelled.
    // Without a dialog no penalty is applied.
    virtual std::optional<QString> Penalty(const TPenaltyRequest&) { return std::nullopt; }

    // The prompter in use. Without one installed, messages go nowhere and
    // every question is answered No, so nothing happens unasked.
    static TPrompter& Current();
    // The prompter that says nothing and answers every question No.
    static TPrompter& Silent();
    // Installs a prompter (not owned); nullptr restores the silent default.
    static void Install(TPrompter* prompter);
};

// Installs a prompter for the lifetime of this object and restores the one
// before it afterwards.
class TPrompterScope {
public:
    explicit TPrompterScope(TPrompter& prompter);
    ~TPrompterScope();
    TPrompterScope(const TPrompterScope&) = delete;
    TPrompterScope& operator=(const TPrompterScope&) = delete;

private:
    TPrompter* previous_;
};

void ShowWarning(const QString& text);
void ShowError(const QString& text);
void ShowInformation(const QString& text);
bool AskYesNo(const QString& text);
// "%s确实要删除 ["%s"]吗？" filled with prefix and name.
bool ConfirmDelete(const QString& name, const QString& prefix = QString());

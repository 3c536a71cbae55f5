#pragma once

// What the person sees while the ledger is upgraded: the window "账本升级"
// with its moving bar. It only shows that work is going on. This base shows
// nothing (the command line, tests); the desktop program puts up the window.
class TUpgradeProgress {
public:
    TUpgradeProgress() = default;
    virtual ~TUpgradeProgress() = default;
    TUpgradeProgress(const TUpgradeProgress&) = delete;
    TUpgradeProgress& operator=(const TUpgradeProgress&) = delete;

    // At the start of each step: shows the window, making it when needed.
    virtual void Show() {}
    // Lets the window system process pending messages.
    virtual void ProcessMessages() {}
    // After the last step, or when a step failed.
    virtual void Close() {}
};

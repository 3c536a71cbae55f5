#pragma once

#include "storage/Prompter.h"

#include <QMessageBox>

#include <functional>

// The prompter of the desktop program: modal message boxes above the active
// window, warning and error with "确定", questions with "是" and "否" (Esc
// answers No). The late-penalty request shows the dialog start-up hands it;
// without one no penalty is applied.
class TQtPrompter : public TPrompter {
public:
    // Shows the late-penalty dialog: the confirmed entry, or nothing.
    using TPenaltyDialog = std::function<std::optional<QString>(const TPenaltyRequest&)>;

    explicit TQtPrompter(TPenaltyDialog penaltyDialog = nullptr);

    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    void Information(const QString& text) override;
    bool Question(const QString& text) override;
    std::optional<QString> Penalty(const TPenaltyRequest& request) override;

private:
    static void Tell(QMessageBox::Icon icon, const QString& text);

    TPenaltyDialog penaltyDialog_;
};

#pragma once

#include "storage/Prompter.h"

#include <QMessageBox>

// The prompter of the desktop program: modal message boxes above the active
// window, warning and error with "确定", questions with "是" and "否" (Esc
// answers No). The late-penalty entry keeps the prompter's default of no
// dialog until the rental desk brings its own.
class TQtPrompter : public TPrompter {
public:
    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    void Information(const QString& text) override;
    bool Question(const QString& text) override;

private:
    static void Tell(QMessageBox::Icon icon, const QString& text);
};

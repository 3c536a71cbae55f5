#pragma once

#include "app/MainFm.h"
#include "app/ScriptedFileChooser.h"
#include "app/Session.h"
#include "storage/ScriptedPrompter.h"
#include "tests/app/ModalDriver.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The main window over a program directory of its own (VINTOR_HOME) with the
// example ledger in data/, its own settings file (VINTOR_CONFIG), scripted
// messages and file choosers.
class MainFmTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Answers the next login window: picks `name`, types `password`, logs in.
    void AnswerLogin(const QString& name, const QString& password);
    void CancelLogin();
    // Starts with the example ledger as the last one used, logged in as `name`.
    void StartAs(const QString& name, const QString& password);

    QTemporaryDir home_;
    QString example_;
    TScriptedPrompter prompter_;
    TScriptedFileChooser chooser_;
    TModalDriver driver_;
    std::unique_ptr<TPrompterScope> prompterScope_;
    std::unique_ptr<TSession> session_;
    std::unique_ptr<TMainFm> window_;
};

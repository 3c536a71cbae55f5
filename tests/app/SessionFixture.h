#pragma once

#include "app/MainFm.h"
#include "app/ScriptedFileChooser.h"
#include "app/Session.h"
#include "storage/ScriptedPrompter.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/ProgramHome.h"

#include <gtest/gtest.h>

#include <memory>

class TChildFm;

// A window test of the whole program: a program directory of its own
// (VINTOR_HOME, VINTOR_CONFIG) with the blank template and the example ledger
// in data/, the clock at 2024-06-15, scripted messages and file choosers, the
// modal driver, and the session with its main window, not started. Working
// window tests log in and host their window:
//
//     LogIn(Admin);
//     auto* desk = new TRentalFm;
//     Host(desk);
class SessionTest : public ::testing::Test {
protected:
    // The example ledger's operators: the administrator (no password, every
    // permission) and a clerk with password "1234".
    static const QString Admin;
    static const QString Clerk;
    static const QString ClerkPassword;

    void SetUp() override;
    void TearDown() override;

    // Answers the next login window: picks `name`, types `password`, logs in.
    void AnswerLogin(const QString& name, const QString& password);
    void CancelLogin();
    // Opens the example ledger through the main window and logs `name` in, as
    // the program does: operator, shop information, printer and permissions.
    void LogIn(const QString& name, const QString& password = QString());
    // Makes `window` the working window (the main window owns it) and shows
    // the main window active, so function keys reach the working window.
    void Host(TChildFm* window);

    TProgramHome home_;
    QString example_;
    TScriptedPrompter prompter_;
    TScriptedFileChooser chooser_;
    TModalDriver driver_;
    std::unique_ptr<TPrompterScope> prompterScope_;
    std::unique_ptr<TSession> session_;
    std::unique_ptr<TMainFm> window_;
};

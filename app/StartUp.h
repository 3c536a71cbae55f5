#pragma once

#include "app/QtPrompter.h"

#include <functional>

class TMainFm;

// The desktop program from start to end: one copy per user, the session,
// the main window and the message loop.
namespace StartUp {

// `compose` hands the main window the windows of the subsystems (the login,
// the working windows) before it first shows; the prompter shows
// `penaltyDialog` for a late return.
int Run(int argc, char* argv[], const std::function<void(TMainFm&)>& compose,
        const TQtPrompter::TPenaltyDialog& penaltyDialog);

} // namespace StartUp

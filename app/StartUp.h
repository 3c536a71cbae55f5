#pragma once

// The desktop program from start to end: one copy per user, the session,
// the main window and the message loop.
namespace StartUp {

int Run(int argc, char* argv[]);

} // namespace StartUp

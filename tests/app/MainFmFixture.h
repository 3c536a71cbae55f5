#pragma once

#include "tests/app/SessionFixture.h"

// The main window's own tests: the session of SessionTest, started the way
// the program starts.
class MainFmTest : public SessionTest {
protected:
    // Starts with the example ledger as the last one used, logged in as `name`
    // through the login window.
    void StartAs(const QString& name, const QString& password);
};

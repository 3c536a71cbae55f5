#pragma once

#include <QByteArray>

// Where the bytes for the ticket printer go: the printer's device, or a
// transcript or capture in the command-line desk and the tests.
class TPrinterPort {
public:
    virtual ~TPrinterPort() = default;
    // Hands the bytes to the printer; false when they could not be delivered.
    virtual bool Write(const QByteArray& bytes) = 0;
};

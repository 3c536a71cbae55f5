#pragma once

#include "rental/PrinterPort.h"

#include <QString>

class TPrinter;

// The ticket printer's device file: the parallel port (Lpt) when Port is not
// 0, else the serial port (Com), mapped to a device by the settings. Every
// write opens the device, writes and closes it again, so a printer switched on
// or plugged in later is found. A serial line is set to raw 8N1 at Speed.
// A plain file named as the device collects everything sent to it.
class TDevicePort : public TPrinterPort {
public:
    // The configuration is read at every write (not owned; it outlives the port).
    explicit TDevicePort(const TPrinter& printer) : printer_(printer) {}

    bool Write(const QByteArray& bytes) override;

    // The device file the configuration names now; empty for an unknown port.
    static QString DeviceOf(const TPrinter& printer);
    // Why the last write failed, for the administrator's tools.
    const QString& LastError() const { return lastError_; }

private:
    bool Fail(const QString& device, const QString& reason);

    const TPrinter& printer_;
    QString lastError_;
};

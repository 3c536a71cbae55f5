#pragma once

#include "rental/PrinterPort.h"

#include <QByteArray>

// What a test printer received. From write number FailFrom on (counted from
// 1; 0 = never) the printer refuses the bytes.
struct TCapture {
    QByteArray bytes;
    int writes = 0;
    int failFrom = 0;
};

// A printer port that records into a TCapture the test keeps.
class TCapturePort : public TPrinterPort {
public:
    explicit TCapturePort(TCapture& capture) : capture_(capture) {}
    bool Write(const QByteArray& bytes) override {
        ++capture_.writes;
        if (capture_.failFrom > 0 && capture_.writes >= capture_.failFrom) {
            return false;
        }
        capture_.bytes += bytes;
        return true;
    }

private:
    TCapture& capture_;
};

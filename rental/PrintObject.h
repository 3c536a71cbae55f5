#pragma once

#include "rental/PrinterPort.h"

#include <QString>

#include <memory>

class TPrinter;

// The ticket printer driver: text in GBK and the printer's control codes, all
// sent through Send. While receipts are switched off (OnOff ≠ 1) nothing is
// sent anywhere and every operation succeeds.
class TPrintObject {
public:
    // Sends to the device the configuration names (not owned; it outlives
    // this object and is read at every send).
    explicit TPrintObject(const TPrinter& printer);
    ~TPrintObject();
    TPrintObject(const TPrintObject&) = delete;
    TPrintObject& operator=(const TPrintObject&) = delete;

    // Sends to another port from now on (the command-line desk, tests).
    void SetPort(std::unique_ptr<TPrinterPort> port);

    // Each returns false after showing "打印出错！请检查打印机是否连接正确。"
    // when the printer does not take the bytes.
    // The text as it is, no line end added.
    bool Send(const QString& text);
    // ESC @: back to the printer's initial mode.
    bool ResetPrinter();
    // ESC ! 16: double-height characters.
    bool DoubleHeight();
    // The text and a line feed; emphasised in double height, then reset.
    bool PrintLine(const QString& text, bool emphasised = false);
    // ESC p 0 50 200: a drawer pulse on pin 2, 100 ms on, 400 ms off.
    bool OpenDrawer();

private:
    bool SendBytes(const QByteArray& bytes);

    const TPrinter& printer_;
    std::unique_ptr<TPrinterPort> port_;
};

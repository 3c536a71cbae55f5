#include "rental/PrintObject.h"

#include "rental/DevicePort.h"
#include "rental/ReceiptText.h"
#include "storage/Prompter.h"
#include "storage/records/Printer.h"

TPrintObject::TPrintObject(const TPrinter& printer)
    : printer_(printer), port_(std::make_unique<TDevicePort>(printer)) {}

TPrintObject::~TPrintObject() = default;

void TPrintObject::SetPort(std::unique_ptr<TPrinterPort> port) {
    port_ = std::move(port);
}

bool TPrintObject::SendBytes(const QByteArray& bytes) {
    if (printer_.OnOff != 1) {
        return true;
    }
    if (port_->Write(bytes)) {
        return true;
    }
    ShowError(QStringLiteral("打印出错！请检查打印机是否连接正确。"));
    return false;
}

bool TPrintObject::Send(const QString& text) {
    return SendBytes(ReceiptText::Gbk(text));
}

bool TPrintObject::ResetPrinter() {
    return SendBytes(QByteArray("\x1b@"));
}

bool TPrintObject::DoubleHeight() {
    return SendBytes(QByteArray("\x1b!\x10"));
}

bool TPrintObject::PrintLine(const QString& text, bool emphasised) {
    if (!emphasised) {
        return Send(text + u'\n');
    }
    return DoubleHeight() && Send(text + u'\n') && ResetPrinter();
}

bool TPrintObject::OpenDrawer() {
    return SendBytes(QByteArray("\x1bp\x00\x32\xc8", 5));
}

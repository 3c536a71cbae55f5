#pragma once

#include "rental/PrinterPort.h"

#include <QByteArray>
#include <QTextStream>

// A printer that writes what it is sent as text, one "PRINTER: " line per
// line feed: GBK text decoded, control bytes and bytes that are no GBK
// character shown in hex as <1B>. Bytes after the last line feed wait for
// the next one, or for Flush.
class TTranscriptPort : public TPrinterPort {
public:
    explicit TTranscriptPort(QTextStream& out) : out_(out) {}
    ~TTranscriptPort() override;
    TTranscriptPort(const TTranscriptPort&) = delete;
    TTranscriptPort& operator=(const TTranscriptPort&) = delete;

    bool Write(const QByteArray& bytes) override;
    // Writes the bytes still waiting for a line feed as a line of their own.
    void Flush();

    // The bytes as a transcript shows them (without prefix or line feed).
    static QString Readable(const QByteArray& bytes);

private:
    void WriteLine(const QByteArray& bytes);

    QTextStream& out_;
    QByteArray pending_;
};

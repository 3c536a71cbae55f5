#include "rental/TranscriptPort.h"

#include <QStringDecoder>

namespace {

bool IsLeadByte(uchar b) {
    return b >= 0x81 && b <= 0xfe;
}

bool IsTrailByte(uchar b) {
    return b >= 0x40 && b <= 0xfe && b != 0x7f;
}

QString Hex(uchar b) {
    return QStringLiteral("<%1>").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

TTranscriptPort::~TTranscriptPort() {
    Flush();
}

QString TTranscriptPort::Readable(const QByteArray& bytes) {
    QString text;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uchar(bytes[i]);
        if (b < 0x20) {
            text += Hex(b);
        } else if (b < 0x80) {
            text += QChar(b);
        } else if (IsLeadByte(b) && i + 1 < bytes.size() && IsTrailByte(uchar(bytes[i + 1]))) {
            QStringDecoder decoder("GBK");
            text += decoder.decode(bytes.mid(i, 2));
            ++i;
        } else {
            text += Hex(b);
        }
    }
    return text;
}

bool TTranscriptPort::Write(const QByteArray& bytes) {
    pending_ += bytes;
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        WriteLine(pending_.left(end));
        pending_.remove(0, end + 1);
    }
    return true;
}

void TTranscriptPort::Flush() {
    if (!pending_.isEmpty()) {
        WriteLine(pending_);
        pending_.clear();
    }
}

void TTranscriptPort::WriteLine(const QByteArray& bytes) {
    out_ << "PRINTER: " << Readable(bytes) << "\n";
    out_.flush();
}

#include "rental/ReceiptText.h"

#include "storage/TextFormats.h"

#include <QStringEncoder>

#include <cstdlib>

namespace ReceiptText {

QByteArray Gbk(const QString& text) {
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

int Width(const QString& text) {
    return int(Gbk(text).size());
}

QString Pad(int n) {
    return TextFormats::Blanks(std::abs(n));
}

QString PadTo(const QString& text, int width) {
    return text + Pad(width - Width(text));
}

} // namespace ReceiptText

#include "rental/ReceiptText.h"

#include "storage/TextFormats.h"

#include <QStringEncoder>

#include <cstdlib>

namespace ReceiptText {

QByteArray Gbk(const QString& text) {
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString Printable(const QString& text) {
    QString printable = text;
    printable.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
    return printable;
}

int Width(const QString& text) {
    return int(Gbk(Printable(text)).size());
}

QString Pad(int n) {
    return TextFormats::Blanks(std::abs(n));
}

QString PadTo(const QString& text, int width) {
    return text + Pad(width - Width(text));
}

} // namespace ReceiptText

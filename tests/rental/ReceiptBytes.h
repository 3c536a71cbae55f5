#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

#include <initializer_list>

// Expected printer streams, written out in the tests.
namespace ReceiptBytes {

inline const QByteArray Reset("\x1b@");
inline const QByteArray DoubleHeight("\x1b!\x10");
inline const QByteArray Drawer("\x1bp\x00\x32\xc8", 5);

inline QByteArray Gbk(const QString& text) {
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

// n blanks.
inline QString Sp(int n) {
    return QString(n, u' ');
}

// Plain lines, each ended by a line feed.
inline QByteArray Lines(std::initializer_list<QString> lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += Gbk(line) + '\n';
    }
    return bytes;
}

// The emphasised shop name line.
inline QByteArray Emphasised(const QString& line) {
    return DoubleHeight + Gbk(line) + '\n' + Reset;
}

} // namespace ReceiptBytes

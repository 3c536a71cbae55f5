#pragma once

#include <QByteArray>
#include <QString>

// Receipt text as the ticket printer takes it: GBK bytes, with widths counted
// in bytes (a Chinese character takes two of the 32 columns).
namespace ReceiptText {

// The text in GBK; a character GBK lacks becomes "?".
QByteArray Gbk(const QString& text);
// The text without control characters (U+0000..U+001F and DEL): what a
// receipt line may carry, so that no name or note can switch the printer's
// mode or kick the drawer.
QString Printable(const QString& text);
// The number of GBK bytes the text takes on the paper (control characters
// take none: they are never printed).
int Width(const QString& text);
// The blanks that pad a column: n of them, one when n is 0, and |n| when n is
// negative, so a label too long for its column is still followed by a blank.
QString Pad(int n);
// The text followed by the blanks that fill it to `width` bytes (Pad rule).
QString PadTo(const QString& text, int width);

} // namespace ReceiptText

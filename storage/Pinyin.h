#pragma once

#include <QString>

// Pinyin initials of names, and the normalised form in which names and typed
// search text are compared. Both follow the GBK form of the text, in which the
// program has always measured and compared names.
namespace Pinyin {

// Where the readings of Chinese characters come from: ICU's Han-Latin
// transliteration, or the GB2312 initials table when ICU is not available.
enum class TReadings { Icu, Table };

// ICU when its transliterator could be made, else the table.
TReadings AvailableReadings();

// Drops blanks (ASCII and the ideographic space), turns full-width letters,
// digits and signs (GBK A3A1…A3FD) into their ASCII forms, and lower-cases
// ASCII letters; every other character, including one GBK cannot hold, is kept.
QString Normalize(const QString& text);

// The initials of a name: ASCII characters of the normalised name are copied,
// each other character gives the first letter of its reading; the result is
// upper case. With ICU a character without a reading gives nothing; with the
// table every character outside level-1 hanzi gives "Z".
QString Initials(const QString& name, TReadings readings = AvailableReadings());

// The letter the GB2312 initials table gives for a double-byte GBK code
// (first byte × 256 + second byte): A…Y for level-1 hanzi, otherwise Z.
QChar TableInitial(int gbkCode);

// Upper-cases the ASCII letters only, as names and typed codes are compared.
QString UpperAscii(const QString& text);

} // namespace Pinyin

// The Spell value of a name.
inline QString PinyinInitials(const QString& name) {
    return Pinyin::Initials(name);
}

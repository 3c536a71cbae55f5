#include "storage/Pinyin.h"

#include <QHash>
#include <QStringEncoder>

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace Pinyin {

namespace {

constexpr int IdeographicSpace = 0xA1A1;

// The GBK code (first byte × 256 + second byte) of a character outside ASCII,
// or 0 when GBK holds it in fewer or more than two bytes or not at all.
int GbkCode(char32_t character) {
    static QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(QString::fromUcs4(&character, 1));
    if (bytes.size() != 2) {
        return 0; // the encoder writes a single "?" for a character it cannot hold
    }
    return static_cast<unsigned char>(bytes[0]) * 256 + static_cast<unsigned char>(bytes[1]);
}

char32_t LowerAsciiChar(char32_t c) {
    return c >= 'A' && c <= 'Z' ? c + 32 : c;
}

char32_t UpperAsciiChar(char32_t c) {
    return c >= 'a' && c <= 'z' ? c - 32 : c;
}

struct TRange {
    int last;
    char letter;
};

// Level-1 hanzi of GB2312 are ordered by reading; each range ends at `last`.
constexpr int FirstLevel1 = 45217;
constexpr TRange InitialRanges[] = {
    {45252, 'A'}, {45760, 'B'}, {46317, 'C'}, {46825, 'D'}, {47009, 'E'}, {47296, 'F'},
    {47613, 'G'}, {48118, 'H'}, {49061, 'J'}, {49323, 'K'}, {49895, 'L'}, {50370, 'M'},
    {50613, 'N'}, {50621, 'O'}, {50905, 'P'}, {51386, 'Q'}, {51445, 'R'}, {52217, 'S'},
    {52697, 'T'}, {52979, 'W'}, {53640, 'X'},
};
constexpr int FirstY = 53689;
constexpr int LastY = 54480;

icu::Transliterator* Transliterator() {
    static std::unique_ptr<icu::Transliterator> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(
            icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(t) : nullptr;
    }();
    return instance.get();
}

// The first letter of ICU's reading of one character, or a null QChar when
// ICU gives it no reading in letters.
QChar IcuInitial(char32_t character) {
    static QHash<char32_t, QChar> letters; // each character is transliterated once
    if (const auto found = letters.constFind(character); found != letters.constEnd()) {
        return *found;
    }
    icu::Transliterator* transliterator = Transliterator();
    if (!transliterator) {
        return {};
    }
    icu::UnicodeString text(static_cast<UChar32>(character));
    const icu::UnicodeString original = text;
    transliterator->transliterate(text);
    QChar letter;
    if (text != original) {
        const icu::UnicodeString reading = text.trim();
        const UChar first = reading.isEmpty() ? u' ' : reading.charAt(0);
        if ((first >= u'a' && first <= u'z') || (first >= u'A' && first <= u'Z')) {
            letter = QChar(UpperAsciiChar(first));
        }
    }
    letters.insert(character, letter);
    return letter;
}

} // namespace

QString Normalize(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (c < 128) {
            if (c != ' ') {
                out += QChar(LowerAsciiChar(c));
            }
            continue;
        }
        const int code = GbkCode(c);
        const int second = code & 0xFF;
        if (code >> 8 == 0xA3 && second >= 0xA1 && second <= 0xFD) {
            out += QChar(LowerAsciiChar(char32_t(second - 0x80)));
        } else if (code != IdeographicSpace) {
            out += QString::fromUcs4(&c, 1);
        }
    }
    return out;
}

QChar TableInitial(int gbkCode) {
    if (gbkCode < FirstLevel1) {
        return u'Z';
    }
    for (const TRange& range : InitialRanges) {
        if (gbkCode <= range.last) {
            return QChar(range.letter);
        }
    }
    return gbkCode >= FirstY && gbkCode <= LastY ? u'Y' : u'Z';
}

TReadings AvailableReadings() {
    return Transliterator() ? TReadings::Icu : TReadings::Table;
}

QString Initials(const QString& name, TReadings readings) {
    const QString normalized = Normalize(name);
    QString initials;
    initials.reserve(normalized.size());
    for (const char32_t c : normalized.toUcs4()) {
        if (c < 128) {
            initials += QChar(UpperAsciiChar(c));
        } else if (readings == TReadings::Table) {
            initials += TableInitial(GbkCode(c));
        } else if (const QChar letter = IcuInitial(c); !letter.isNull()) {
            initials += letter;
        }
    }
    return initials;
}

QString UpperAscii(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        c = QChar(UpperAsciiChar(c.unicode()));
    }
    return out;
}

} // namespace Pinyin

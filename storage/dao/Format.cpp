#include "storage/dao/Format.h"

#include <vector>

namespace {

QString FixedText(const TFormatArg& arg, int precision) {
    const auto& v = arg.Value();
    if (const auto* money = std::get_if<Currency>(&v)) {
        if (precision <= 4) {
            return money->ToFixed(precision);
        }
        return QString::number(static_cast<double>(money->ToLongDouble()), 'f', precision);
    }
    if (const auto* whole = std::get_if<qint64>(&v)) {
        return QString::number(static_cast<double>(*whole), 'f', precision);
    }
    if (const auto* real = std::get_if<long double>(&v)) {
        return QString::number(static_cast<double>(*real), 'f', precision);
    }
    return std::get<QString>(v);
}

QString WholeText(const TFormatArg& arg, bool hex) {
    const auto& v = arg.Value();
    qint64 number = 0;
    if (const auto* whole = std::get_if<qint64>(&v)) {
        number = *whole;
    } else if (const auto* money = std::get_if<Currency>(&v)) {
        number = money->RoundedWhole();
    } else if (const auto* real = std::get_if<long double>(&v)) {
        number = RoundHalfEven(*real);
    } else {
        return std::get<QString>(v);
    }
    return hex ? QString::number(number, 16).toUpper() : QString::number(number);
}

QString PlainText(const TFormatArg& arg) {
    const auto& v = arg.Value();
    if (const auto* text = std::get_if<QString>(&v)) {
        return *text;
    }
    if (const auto* money = std::get_if<Currency>(&v)) {
        return money->ToPlainText();
    }
    if (const auto* whole = std::get_if<qint64>(&v)) {
        return QString::number(*whole);
    }
    return QString::number(static_cast<double>(std::get<long double>(v)));
}

QString Apply(const QString& pattern, std::initializer_list<TFormatArg> args, bool escapeQuotes) {
    const std::vector<TFormatArg> list(args);
    std::size_t next = 0;
    QString out;
    out.reserve(pattern.size() + 32);
    QChar openQuote; // the quote of the stretch we are in, or null
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c != u'%') {
            if (c == u'"' || c == u'\'') {
                if (openQuote.isNull()) {
                    openQuote = c;
                } else if (openQuote == c) {
                    openQuote = QChar();
                }
            }
            out += c;
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        bool leftAlign = false;
        bool zeroPad = false;
        while (j < pattern.size() && (pattern[j] == u'-' || pattern[j] == u'0')) {
            leftAlign = leftAlign || pattern[j] == u'-';
            zeroPad = zeroPad || pattern[j] == u'0';
            ++j;
        }
        int width = 0;
        while (j < pattern.size() && pattern[j].isDigit()) {
            width = width * 10 + pattern[j].digitValue();
            ++j;
        }
        int precision = -1;
        if (j < pattern.size() && pattern[j] == u'.') {
            precision = 0;
            ++j;
            while (j < pattern.size() && pattern[j].isDigit()) {
                precision = precision * 10 + pattern[j].digitValue();
                ++j;
            }
        }
        if (j >= pattern.size()) {
            out += pattern.mid(i);
            break;
        }
        const QChar conv = pattern[j].toLower();
        if (conv != u'd' && conv != u's' && conv != u'f' && conv != u'x' && conv != u'u') {
            out += pattern.mid(i, j - i + 1);
            i = j;
            continue;
        }
        QString text;
        if (next < list.size()) {
            const TFormatArg& arg = list[next++];
            if (conv == u'f') {
                text = FixedText(arg, precision < 0 ? 2 : precision);
            } else if (conv == u's') {
                text = PlainText(arg);
                if (precision >= 0) {
                    text.truncate(precision);
                }
                if (escapeQuotes && !openQuote.isNull()) {
                    text.replace(openQuote, QString(2, openQuote));
                }
            } else {
                text = WholeText(arg, conv == u'x');
            }
        }
        if (text.size() < width) {
            if (leftAlign) {
                text = text.leftJustified(width, u' ');
            } else if (zeroPad && conv != u's') {
                const bool negative = text.startsWith(u'-');
                QString digits = negative ? text.mid(1) : text;
                digits = digits.rightJustified(width - (negative ? 1 : 0), u'0');
                text = negative ? u'-' + digits : digits;
            } else {
                text = text.rightJustified(width, u' ');
            }
        }
        out += text;
        i = j;
    }
    return out;
}

} // namespace

QString Format(const QString& pattern, std::initializer_list<TFormatArg> args) {
    return Apply(pattern, args, false);
}

QString SqlFormat(const QString& pattern, std::initializer_list<TFormatArg> args) {
    return Apply(pattern, args, true);
}

QString LikeLiteral(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[') {
            out += u'[' + QString(c) + u']';
        } else {
            out += c;
        }
    }
    return out;
}

QString QuoteName(const QString& name) {
    return u'"' + QString(name).replace(u'"', QLatin1String("\"\"")) + u'"';
}

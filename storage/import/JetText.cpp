#include "storage/import/JetText.h"

#include <QtEndian>

#include <unicode/ucnv.h>

namespace {

constexpr int GbkCodePage = 936;

// A converter from the encoding to UTF-16 that fails on any byte sequence
// without a character, instead of putting a substitute in its place.
UConverter* OpenConverter(const QString& encoding) {
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(encoding.toLatin1().constData(), &error);
    if (U_FAILURE(error)) {
        return nullptr;
    }
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    return converter;
}

} // namespace

void TJetText::TClose::operator()(UConverter* converter) const {
    ucnv_close(converter);
}

TJetText::TJetText(bool jet4, int codePage)
    : jet4_(jet4), converter_(jet4 ? nullptr : OpenConverter(CodePageEncoding(codePage))) {}

QString TJetText::CodePageEncoding(int codePage) {
    if (codePage == 0 || codePage == GbkCodePage) {
        return QStringLiteral("GBK");
    }
    for (const QString& name : {QStringLiteral("windows-%1"), QStringLiteral("cp%1")}) {
        const QString encoding = name.arg(codePage);
        if (const std::unique_ptr<UConverter, TClose> converter{OpenConverter(encoding)}) {
            return encoding;
        }
    }
    return {};
}

std::optional<QString> TJetText::Decode(const char* bytes, qsizetype size) {
    return jet4_ ? DecodeUcs2(bytes, size) : DecodeCodePage(bytes, size);
}

std::optional<QString> TJetText::DecodeUcs2(const char* bytes, qsizetype size) const {
    const auto* in = reinterpret_cast<const uchar*>(bytes);
    QString text;
    if (size >= 2 && in[0] == 0xFF && in[1] == 0xFE) {
        text.reserve(size - 2);
        bool compressed = true;
        for (qsizetype i = 2; i < size;) {
            if (in[i] == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                text.append(QChar(in[i]));
                ++i;
            } else if (i + 1 < size) {
                text.append(QChar(qFromLittleEndian<quint16>(in + i)));
                i += 2;
            } else {
                return std::nullopt; // half a character at the end
            }
        }
        return text;
    }
    if (size % 2 != 0) {
        return std::nullopt;
    }
    text.resize(size / 2);
    for (qsizetype i = 0; i < size / 2; ++i) {
        text[i] = QChar(qFromLittleEndian<quint16>(in + 2 * i));
    }
    return text;
}

std::optional<QString> TJetText::DecodeCodePage(const char* bytes, qsizetype size) const {
    if (!converter_) {
        return std::nullopt;
    }
    // A byte gives at most one UTF-16 unit (four bytes at most two).
    QString text(size, Qt::Uninitialized);
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter_.get(), reinterpret_cast<UChar*>(text.data()),
                                         int32_t(size), bytes, int32_t(size), &error);
    if (U_FAILURE(error) && error != U_STRING_NOT_TERMINATED_WARNING) {
        return std::nullopt;
    }
    text.resize(length);
    return text;
}

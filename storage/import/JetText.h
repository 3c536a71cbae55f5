#pragma once

#include <QString>

#include <memory>
#include <optional>

struct UConverter;

// Text as a Jet file keeps it. Jet 4 keeps UCS-2 (little-endian), often in its
// compressed form: the bytes FF FE, then runs of one-byte characters (the low
// byte of characters below U+0100) and of two-byte characters, each 00 byte
// switching between the two, starting with one-byte characters. Jet 3 keeps
// the bytes of the database's code page.
class TJetText {
public:
    // `jet4` chooses UCS-2; otherwise `codePage` (a Windows code page number;
    // 0 or 936 is GBK) decodes the bytes.
    TJetText(bool jet4, int codePage);

    // The text of `size` bytes, or nothing when they are not valid text of
    // the file's encoding.
    std::optional<QString> Decode(const char* bytes, qsizetype size);

    // The name of the code page's encoding ("GBK", "windows-1252", ...), or
    // empty when there is no converter for it.
    static QString CodePageEncoding(int codePage);

private:
    std::optional<QString> DecodeUcs2(const char* bytes, qsizetype size) const;
    std::optional<QString> DecodeCodePage(const char* bytes, qsizetype size) const;

    struct TClose {
        void operator()(UConverter* converter) const;
    };

    bool jet4_;
    // Stops at the first byte sequence that is no character of the code page.
    std::unique_ptr<UConverter, TClose> converter_;
};

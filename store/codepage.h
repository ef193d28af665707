#pragma once
// Windows code page 1254 (Turkish) to and from Unicode, through our own table.
//
// Every one of the 256 bytes maps to exactly one Unicode character and back:
// the seven bytes the code page leaves undefined map to the C1 control of the
// same value, so any file read and written again keeps its bytes.

#include <QByteArray>
#include <QChar>
#include <QString>

#include <array>
#include <cstdint>

namespace codepage {

// The tables behind the functions below, for loops over many characters:
// the character of each byte; the byte of each character up to the highest
// the page reaches (U+2122), -1 where it has none; and each byte in UTF-8.
struct Tables {
    std::array<char16_t, 256> toUnicode{};
    std::array<int16_t, 0x2123> fromUnicode{};
    char utf8[256][3] = {};
    std::array<uint8_t, 256> utf8Size{};

    // The byte of a code point of any plane, -1 when the page has none.
    int byteOf(char32_t code) const { return code < fromUnicode.size() ? fromUnicode[code] : -1; }
};
const Tables& tables();

// The Unicode character of a byte.
QChar toUnicode(unsigned char byte);

// The byte of a character, or -1 when the code page has none for it.
int fromUnicode(QChar c);

QString decode(const QByteArray& bytes);

// Characters without a byte become '?'. The entry fields refuse such
// characters (see canHold), so this happens only to text that no user typed.
QByteArray encode(const QString& text);

// True when every character of the text has a byte in the code page.
bool canEncode(const QString& text);

// True when the text may stand in one line of a data file: every character
// has a byte, and none is a control character below the blank (a line break
// or a NUL would split or cut the line on disk).
bool canHold(const QString& text);

// The language-neutral upper case of a byte: a..z, the small accented letters
// and the Turkish ç ğ ı ö ş ü to their capitals (ı and i both to I); every
// other byte unchanged.
unsigned char toUpper(unsigned char byte);

}  // namespace codepage

#pragma once
// What the readers of contacts files share (see store/interchange.h): the
// texts the user sees (the export's refusal too), the bytes of UTF-8, a
// value's text as a line of code page 1254, and a contact read cleaned as the
// main window's save wants it, its number normalised.
//
// A value is read as bytes in one of two encodings that keep every ASCII
// sign a single byte (UTF-8 or code page 1254), split and unescaped there,
// and each text then becomes a line of code page 1254 directly.

#include "store/interchange.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace interchange {

constexpr qsizetype MaxFileSize = qsizetype(256) * 1024 * 1024;
constexpr qsizetype MaxLineLength = 1024 * 1024;

// The texts the user sees, in one place.
namespace text {
QString emptyFile();
QString unreadable();
QString tooLarge();
QString longLine();
QString notContacts();
QString nulByte();
QString noEnd();
QString openQuote();
QString noContacts();
QString folder();
QString pipe();
QString socket();
QString device();
QString intoDataFolder(const QString& path);

QString noNumber();
QString badNumber();
QString numberInGroup();
QString numberEarlier();
QString noNames();
QString removedLetters();
QString lineBreaks();
QString surnameAsName();
QString nameCut();
QString surnameCut();
QString pauseDropped();
}  // namespace text

ReadResult refused(const QString& why);

bool isAscii(QByteArrayView b);
bool isUtf8(QByteArrayView b);
// The code point of the UTF-8 sequence at p (of `more` continuation bytes),
// or -1 when it is no valid sequence.
int codePoint(const uchar* p, const uchar* end, int& more);

// A line break, a blank or a tab.
inline bool isWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
// Without the line breaks, blanks and tabs at either end.
QByteArrayView trimmedView(QByteArrayView b);

// A blank of code page 1254 (also the no-break space).
inline bool isBlankByte(char c) { return c == ' ' || uchar(c) == 0xA0; }
bool isBlank(QByteArrayView line);
QByteArray trimmedLine(const QByteArray& line);

// Bytes in UTF-8 (utf8) or code page 1254.
struct Text {
    QByteArray bytes;
    bool utf8 = true;
};

// Bytes in a named charset as a Text.
Text inCharset(QByteArray b, const QByteArray& charset);

// What became of the texts of a contact as lines.
struct Cleaning {
    bool brokeLines = false;  // control characters became blanks
    bool removed = false;     // characters without a byte went
};

// A text as a line of code page 1254: composed, control characters as
// blanks, characters without a byte removed with the blanks then at either end.
QByteArray lineOf(QByteArrayView text, bool utf8, Cleaning& cleaning, bool composed = false);

// A contact as read, before it is cleaned.
struct Raw {
    QByteArray name, surname;  // code page 1254
    Cleaning cleaning;
    Text number;                // the bytes the number is read from
    QByteArrayView numberText;  // the number within them
    bool hasNumber = false;
};

// The name and surname of a full name: split at its last blank; one word is the name.
void splitFullName(const QByteArray& full, Raw& raw);
// The name of given and additional names: additional after a blank.
QByteArray joinedName(QByteArray given, QByteArray additional);

// The contact as the save wants it, with its fate and reasons.
ReadContact clean(Raw raw);

}  // namespace interchange

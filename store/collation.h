#pragma once
// The Turkish comparison of texts in code page 1254, used for every lookup
// and every sorted list of the program.
//
// Case is ignored by the Turkish rules: I and ı are one letter, İ and i
// another, every other letter equals its capital. Letters follow the Turkish
// alphabet A B C Ç D E F G Ğ H I İ J K L M N O Ö P (Q) R S Ş T U Ü V (W X) Y Z;
// a text that is the beginning of another sorts first.
//
// Each of the 256 bytes has one weight, so the order is one fixed collation:
// control characters first, then the blank, the signs and symbols, the digits,
// and the letters. Accented letters of other languages follow their base
// letter (â after a, î after i, ø after ö).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

namespace collation {

// The weight of a byte: bytes of equal weight are the same letter.
uint8_t weight(unsigned char byte);

// Negative, zero or positive as a sorts before, with or after b.
int compare(QByteArrayView a, QByteArrayView b);

inline bool less(QByteArrayView a, QByteArrayView b) { return compare(a, b) < 0; }

// Equal under the comparison: the same length and the same letters.
bool equal(QByteArrayView a, QByteArrayView b);

// The same for texts in Unicode, through code page 1254.
int compareText(const QString& a, const QString& b);
bool equalText(const QString& a, const QString& b);

}  // namespace collation

#pragma once
// The writers of store/interchange.h: a group's lines as vCard (3.0 or 2.1)
// or as CSV, and the guard a CSV cell gets against a spreadsheet's formulas.

#include "store/interchange.h"

#include <QByteArray>
#include <QChar>
#include <QList>

namespace interchange {

// A group's lines (contact k is lines 3k, 3k+1, 3k+2, a missing line empty)
// as vCard of that version: Format::VCard21, else 3.0.
QByteArray writeVCard(const QList<QByteArray>& lines, Format version);
QByteArray writeCsv(const QList<QByteArray>& lines);

inline char16_t unitOf(char c) { return uchar(c); }
inline char16_t unitOf(QChar c) { return c.unicode(); }

// A cell that a spreadsheet would take for a formula: its first character
// after any apostrophes is = + - or @. The writer puts one more apostrophe
// before such a cell, which a spreadsheet shows as text, and the reader takes
// one away again. For bytes and for characters alike.
template <typename Char>
bool startsLikeFormula(const Char* p, const Char* end) {
    while (p < end && unitOf(*p) == u'\'') ++p;
    if (p == end) return false;
    const char16_t c = unitOf(*p);
    return c == u'=' || c == u'+' || c == u'-' || c == u'@';
}

}  // namespace interchange

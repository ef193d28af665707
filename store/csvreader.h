#pragma once
// The CSV reader of store/interchange.h: a table of contacts under a header
// that names its columns, each row cleaned as the save wants it
// (store/cleaning.h).

#include "store/interchange.h"

#include <QByteArrayView>

namespace interchange {

// Every row of the file as a contact, or the file's refusal. utf8: the text
// is UTF-8 (a byte order mark said so); otherwise it is UTF-8 when it is
// valid UTF-8, code page 1254 when not.
ReadResult readCsv(QByteArrayView bytes, bool utf8);

// True when the first row of a CSV text (its start will do), read in UTF-8
// or, unless utf8 says it is that, in code page 1254, names a known column.
bool hasKnownHeader(QByteArrayView start, bool utf8);

}  // namespace interchange

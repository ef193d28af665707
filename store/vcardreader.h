#pragma once
// The vCard reader of store/interchange.h: vCard 2.1, 3.0 and 4.0 files
// read into contacts, each cleaned as the save wants it (store/cleaning.h).

#include "store/interchange.h"

#include <QByteArrayView>

namespace interchange {

// True when the first text of the bytes, after blanks and line breaks, is BEGIN:VCARD.
bool looksLikeVCard(QByteArrayView bytes);

// True when a line of the bytes is BEGIN:VCARD (blanks around it aside): a
// vCard file with text before its first card.
bool hasCardLine(QByteArrayView bytes);

// Every card of the file as a contact, or the file's refusal. Lines before
// the first card are passed over.
ReadResult readVCard(QByteArrayView bytes);

}  // namespace interchange

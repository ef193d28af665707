#pragma once
// The vCard reader of store/interchange.h: vCard 2.1, 3.0 and 4.0 files
// read into contacts, each cleaned as the save wants it (store/cleaning.h).

#include "store/interchange.h"

#include <QByteArray>
#include <QByteArrayView>

namespace interchange {

// True when the first text of the bytes, after blanks and line breaks, is BEGIN:VCARD.
bool looksLikeVCard(QByteArrayView bytes);

// Every card of the file as a contact, or the file's refusal.
ReadResult readVCard(const QByteArray& bytes);

}  // namespace interchange

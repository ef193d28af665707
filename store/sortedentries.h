#pragma once
// The names, or the numbers, of a group's contacts as a sorted list whose
// every entry knows its own contact. The name list and the sensitive search
// show these lists; choosing an entry shows the contact it came from, also
// when the group's file is not in name order (a file taken in from another
// folder, or written by hand).

#include "store/stringlist.h"

#include <QList>
#include <QStringList>

namespace contacts {

// Which line of each contact is listed: the name (line 3k) or the number
// (line 3k+2).
enum class Listed { Names = 0, Numbers = 2 };

struct SortedEntries {
    QStringList texts;    // sorted by the Turkish comparison
    QList<int> contacts;  // contacts[i]: the contact k of texts[i]

    int count() const { return int(texts.size()); }
};

// Every contact's name or number, sorted by the Turkish comparison. Equal
// texts keep the order of their contacts in the group, so for a group in
// name order entry k of the names is contact k. A contact without the listed
// line (a last contact cut short) gives no entry.
SortedEntries sortedEntries(const StringList& recordLines, Listed listed);

// The first contact whose name line equals the text (Turkish comparison), or
// -1; the empty text names no contact.
int lookupName(const StringList& recordLines, const QString& name);

}  // namespace contacts

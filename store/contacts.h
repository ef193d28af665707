#pragma once
// The rules on a group's lines that every window shares. A group holds three
// lines per contact, name, surname and number, so contact k is lines 3k,
// 3k+1 and 3k+2, and the group is kept in the order of its names.

#include "store/stringlist.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace contacts {

// The most characters the name and the surname fields take: a line that
// every window showing a contact, and the print-out, can hold.
constexpr int FieldLength = 64;

// The name as it is stored: its first letter a capital, except that any form
// of I (I, İ, ı) becomes the small dotted i. An empty name stays empty.
QString normalisedName(const QString& typed);
// The same for a name already in code page 1254.
QByteArray normalisedNameLine(QByteArray name);

// The text of line i, or "" for an index outside the list.
QString lineOrEmpty(const StringList& lines, int i);

// The number line of the contact whose number equals t (without regard to
// case): the first equal line that stands in a number's place (3k+2), so a
// name or surname that reads like the number never matches. -1 if none, and
// for the empty text.
int lookupNumberLine(const StringList& recordLines, const QString& t);

// Removes the contact whose number stands at line i: lines i-2, i-1 and i.
void removeContact(StringList& recordLines, int numberLine);

// Inserts a contact's three lines at line `at`, name first.
void insertContact(StringList& recordLines, int at, const QByteArray& name, const QByteArray& surname,
                   const QByteArray& number);

// Where a contact was placed by placeContact.
struct Placement {
    int at;        // the line of its name
    bool between;  // it landed after the first and before the last name
};

// Places a contact at its name's place: the name is added to the sorted
// NameIndex, and its position p there puts the contact ahead of every
// contact of an equal name, as contact p. After the last name it goes to the
// end, and so it does after the lone line of a one-line group. NameIndex must
// hold the names of recordLines before the call; it holds them after it.
Placement placeContact(StringList& recordLines, StringList& nameIndex, const QByteArray& name,
                       const QByteArray& surname, const QByteArray& number);

// A contact's three lines, as placeContacts takes them.
struct NewContact {
    QByteArray name, surname, number;
};

// Places the contacts one after the other in their order, each as
// placeContact puts it (an empty name, which the NameIndex never finds, goes
// ahead of every other as contact 0), and leaves NameIndex holding the
// names. When recordLines holds whole contacts and NameIndex their names,
// the places come from counting trees, so n contacts cost about n log n;
// otherwise (a one-line group, a cut-off last contact) they are placed one
// by one.
void placeContacts(StringList& recordLines, StringList& nameIndex, const std::vector<NewContact>& newContacts);

}  // namespace contacts

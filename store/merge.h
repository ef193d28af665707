#pragma once
// The merge of one group into another, with no widget in it.
//
// The second group's contacts go into the first group's lines, each at its
// name's place as the main window's save puts a contact: ahead of every
// contact of an equal name, as contact p where p counts the names that sort
// before it. A contact whose number the result holds already (compared with
// the number lines, 3k+2, without regard to case) is not merged; the report
// lists it beside the contact that holds the number. The second group's
// numbers are read masked: the first 11 characters, padded with blanks.

#include "store/stringlist.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace merge {

// The number as the merger reads it: the line's first 11 characters, padded
// on the right with blanks to exactly 11.
QByteArray maskedNumber(const QByteArray& line);

// The distinguishing text appended to every surname line (3k+1).
void extendSurnames(StringList& secondLines, const QByteArray& text);

// The 11 report lines of a contact that was not merged: the contact that
// holds the number, then the second group's contact.
QStringList duplicateEntry(const QByteArray& holderName, const QByteArray& holderSurname,
                           const QByteArray& holderNumber, const QByteArray& name, const QByteArray& surname,
                           const QByteArray& number);

// A contact of the second group that was not merged, beside the contact
// that holds its number.
struct Duplicate {
    QByteArray holderName, holderSurname, holderNumber;
    QByteArray name, surname, number;
};

struct Outcome {
    int contacts = 0;              // the second group's contacts read (a cut-off last one counts)
    QList<Duplicate> duplicates;   // in the second group's order
    int skipped() const { return int(duplicates.size()); }
};

// Called with 3k before the second group's contact k is merged.
using Progress = std::function<void(int line)>;

// mergeLines holds the first group and mergeNameIndex its names (as
// rebuildNameIndex leaves them); afterwards they hold the result. Numbers
// are found through a hash of their collation weights and the places
// through counting trees, so two groups of n contacts cost about n log n;
// lines that do not hold whole contacts are merged one by one, as
// mergeContactsOneByOne does.
Outcome mergeContacts(StringList& mergeLines, StringList& mergeNameIndex, const StringList& secondLines,
                      const Progress& progress = {});

// The same merge, contact by contact: each number looked up among the number
// lines, each contact placed by contacts::placeContact. Its cost grows with
// the square of the group's size.
Outcome mergeContactsOneByOne(StringList& mergeLines, StringList& mergeNameIndex,
                              const StringList& secondLines, const Progress& progress = {});

// The report of a merge: none when every contact was merged; one line when
// none was; otherwise each duplicate's entry followed by seven summary lines.
QStringList report(const Outcome& outcome);

// The same report as one text for the report's window: each duplicate's
// entry one paragraph, its eleven lines parted by line separators (U+2028),
// every other line a paragraph of its own; paragraphs are parted by "\n".
// A window takes it in one step, and one paragraph per entry keeps a report
// of many thousand duplicates light to lay out and to hold.
QString reportText(const Outcome& outcome);

// Writes the result over its group's file, then the group list (unless the
// file holds the list already), each whole or not at all. When the group
// list cannot be written the group's file gets its old bytes back, or is
// removed when the merge made it (and the folder synced), so a failure
// leaves both files as they were; the error is thrown on.
void writeResult(const QString& resultPath, const StringList& mergeLines, const QString& groupListPath,
                 const StringList& groupNames);

}  // namespace merge

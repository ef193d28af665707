#pragma once
// The alphabetic index of a group: its contacts split into thirty letter
// pages without sorting anything.
//
// A group is kept in name order, so the contacts of one initial letter stand
// together. One pass over the name lines finds, for each of the 31 letter
// slots, the last contact whose name begins with that slot's letter or an
// earlier one (its boundary); each page then gets the contiguous run of
// contacts between the previous slot's boundary and its own. A name that
// begins with no slot's letter lands in the run of the next recognised name.

#include "store/stringlist.h"

#include <QString>

#include <array>

namespace alphabet {

constexpr int SlotCount = 31;
constexpr int PageCount = 30;
constexpr int None = -1;

// The initial byte (code page 1254, exact, case-sensitive) of each slot, in
// the order a name-sorted group holds them: A B C Ç D E F G Ğ H I i J K L M N
// O Ö P R S Ş T U Ü V W X Y Z. Slot 10 (capital dotless I) feeds no page:
// names are stored with a small i.
extern const std::array<unsigned char, SlotCount> LetterSlots;

// The pages in the order of their tabs, A B C Ç D E F G Ğ H I J K L M N O Ö
// P R S Ş T U Ü V Y Z W X: each page's caption and the slot that feeds it.
QString pageCaption(int page);
int pageSlot(int page);

// LetterBoundaries: per slot, the position of the last contact whose name
// begins with that slot's letter or an earlier slot's, None when there is no
// such contact. They never decrease from slot to slot.
using Boundaries = std::array<int, SlotCount>;

// The contacts of one page: positions first .. first + count - 1.
struct Run {
    int first = 0;
    int count = 0;
};
using PageRuns = std::array<Run, PageCount>;

// The boundaries of a group's lines. Contact n is the one whose name is line
// 3n; a trailing incomplete contact counts by its name line. An empty name
// or one whose first byte is no slot's changes no boundary.
Boundaries letterBoundaries(const StringList& recordLines);

// The run of every page, by tab order, from the boundaries.
PageRuns pageRuns(const Boundaries& boundaries);

// The contact shown by row r of a page: boundary of the slot before the
// page's own + 1 + r.
int contactOfRow(const Boundaries& boundaries, int page, int row);

// The number of contacts the total shows: whole three-line blocks.
inline int totalContacts(const StringList& recordLines) { return recordLines.count() / 3; }

}  // namespace alphabet

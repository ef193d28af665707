#pragma once
// A generator of valid groups: plausible Turkish names and surnames, distinct
// 11-digit mobile numbers, the contacts in name order as the program keeps
// them. The same seed gives the same group.

#include "store/datafolder.h"
#include "store/stringlist.h"

namespace datagen {

// The lines of a group of that many contacts (three lines each).
StringList group(int contacts = datafolder::MAX_CONTACTS, unsigned seed = 2003);

}  // namespace datagen

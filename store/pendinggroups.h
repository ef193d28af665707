#pragma once
// The groups whose file was made or removed before the group list could say
// so.
//
// Making a group, taking a group file in, merging into a new group and
// removing a group each change two files: the group's file and the group
// list, one after the other (the group window writes the list only when it
// closes). Such an operation names the group here first, whole and on the
// disk, then changes the group's file, then writes the list, and last
// forgets the names that list settles. A copy killed in between leaves the
// names, and the next start settles them: each named group is listed exactly
// when its file is there. A group file that the list does not name because
// of a kill is so listed again, and a group whose file the program removed
// leaves the list; a group file the list never named (one put into the
// DataFolder by hand) or a listed group whose file went otherwise is left
// as it is, for the windows' own messages about it.
//
// The names lie in a file of their own beside the DataFolder, as its lock
// does (datafolder::companionFile), in code page 1254 with CR LF after every
// name.

#include "store/stringlist.h"

#include <QString>
#include <QStringList>

namespace pendinggroups {

// The file of the names.
QString path();

// The groups named now; none when there is no file or it cannot be read.
QStringList names();

// Names the group, unless named already; the file is whole and on the disk
// when it returns. Throws "Cannot create file %s" naming it on a failure.
void note(const QString& group);
// The same, returning false on a failure instead.
bool tryNote(const QString& group);

// Each named group listed exactly when its file exists: a group whose file
// is there is appended to the list unless it lists it, in any letter case;
// a group whose file is gone leaves it, and line 0 naming such a group names
// the default group instead. The default group never leaves; a list
// without a line changes not. Returns whether the list changed.
bool settle(StringList& groupList);

// After the group list `written` reached the disk: the names that it settles
// are forgotten, and the file goes when none is left. A failure to rewrite
// or remove the file is no error: the next start settles what stays.
void forgetSettled(const StringList& written);

// At the start, with the group list file read into groupList: the names
// settled into it; the list file is written when that changed it, and the
// names forgotten once it is. A list that cannot be written stays as the
// file has it and the names stay for the next start; groupList holds the
// settled list in either case.
void settleAtStart(StringList& groupList, const QString& groupListPath);
// The same for a start that reads the list later (the command line): the
// list file read, settled and written when there are names; a list that
// cannot be read is left as it is, for the start's own message about it.
void settleAtStart(const QString& groupListPath);

}  // namespace pendinggroups

#pragma once
// The DataFolder and the paths and file operations of its files.
//
// The folder is fixed: "C:/Telefika/" on Windows and $HOME/Telefika/
// elsewhere. Group names and file contents are code page 1254 in memory; a
// path is an ordinary Unicode string that the platform encodes its own way.

#include "store/stringlist.h"

#include <QString>

namespace datafolder {

// The default group, created on the first start and never removed, and the
// ending of a group's file. Inline: ready before any constant of a file
// that includes this one is made from them.
inline const QString DefaultGroup = QStringLiteral("@Kayıtlar@");
inline const QString GroupExtension = QStringLiteral(".vexo");

// The group list's content before there is a file: the default group, active
// and the only one listed.
StringList defaultGroupList();

// The folder, ending with a separator.
QString path();

// The group list file "Ayarlar.cnt".
QString groupListPath();

// A folder as the file system knows it, whatever path led to it (a home
// given through a symbolic link, "..", a doubled separator). A folder that
// does not exist yet has its nearest existing ancestor resolved and the rest
// appended: the path it will have once made.
QString realFolder(const QString& folder);

// The program's own files about the DataFolder that hold no contact: its
// lock ("lock") and the groups whose entry in the group list is pending
// ("pending"), each named after the folder: ".Telefika.lock". On Linux they
// lie beside the DataFolder, in the home, found through the folder's real
// path, and the DataFolder holds only the groups and their list. On Windows
// the DataFolder "C:/Telefika" lies in a drive's root, where an ordinary user
// may make no file, so they lie inside it; no window takes them for a group,
// for a group's file ends in ".vexo".
enum class CompanionPlace { BesideFolder, InsideFolder };
#ifdef Q_OS_WIN
constexpr CompanionPlace SystemCompanionPlace = CompanionPlace::InsideFolder;
#else
constexpr CompanionPlace SystemCompanionPlace = CompanionPlace::BesideFolder;
#endif
// The companion file of that kind of the folder at that real path.
QString companionFile(const QString& realFolderPath, const QString& kind, CompanionPlace place);
// The DataFolder's, in the system's place.
QString companionFile(const QString& kind);

// True when the name can stand for a file inside the folder: it holds no
// path separator, so no group can lead outside the DataFolder.
bool namesGroupFile(const QString& group);

// True when a typed name can become a group file on every system the file
// may travel to: not empty, and none of \ / : * ? " < > | nor a control
// character.
bool isPortableGroupName(const QString& group);

// The file of a group: folder + name + ".vexo". Two names that differ only in
// case name one file, also where the file system tells them apart: an
// existing file whose name equals the wanted one under the Turkish comparison
// is the group's file. Empty when the name holds a path separator.
QString groupFilePath(const QString& group);

bool exists(const QString& path);
// True when the path is the DataFolder or lies inside it, however it is
// written: through a symbolic link (to the folder or to one of its files),
// "..", a doubled separator. A file written there would be taken for the
// program's own, or replace one of them.
bool holds(const QString& path);
// Creates the folder; a failure is ignored.
void createFolder(const QString& path);
// Copies a file over the target, which is replaced whole or not at all, and
// on the disk when it returns true (textfile::writeBytes). Returns false
// when the source cannot be read or the target not written.
bool copyFile(const QString& from, const QString& to);
// A rename to a name no file has, and a removal; each syncs the folder, so
// a true is on the disk. A rename whose folder cannot be synced is undone
// and returns false; a removal returns false then, the file gone.
bool renameFile(const QString& from, const QString& to);
bool deleteFile(const QString& path);

// The capacity figures of a group of n lines.
constexpr int MAX_CONTACTS = 10911;
constexpr int CAPACITY_LINES = 32735;
constexpr int contactsHeld(int lineCount) { return lineCount / 3; }
constexpr int remainingCapacity(int lineCount) { return (CAPACITY_LINES - lineCount) / 3; }

// A write replaces a file through a temporary file that is renamed over it
// (textfile::TemporaryPrefix). A copy killed between the two steps leaves
// that temporary file, its target whole and old. Removes such files from
// the folder, and those of the list of pending groups (see
// store/pendinggroups.h) where that lies; only the copy that holds the
// folder's lock may call it. Returns how many it removed. Nothing else goes:
// "Ev.vexo.backup" or "Ayarlar.cnt.eski01" are the user's, and so may be a
// name like the temporary files of older copies ("Ev.vexo.Ab12Cd"), which
// stay.
int removeUnfinishedWrites();

// True when both files can be read and hold the same bytes.
bool sameBytes(const QString& a, const QString& b);

}  // namespace datafolder

#pragma once
// Reading and writing whole text files of lines.
//
// A line ends at CR LF, at a lone CR and at a lone LF; text after the last
// break is a last line; a NUL byte ends the text. Writing puts CR LF after
// every line, so no lines give an empty file and one empty line gives CR LF.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace textfile {

QList<QByteArray> splitLines(const QByteArray& bytes);
QByteArray joinLines(const QList<QByteArray>& lines);

// The lines of a file; throws "Cannot open file %s" when it cannot be read.
QList<QByteArray> readLines(const QString& path);

// Writes bytes over a file through a temporary file in the same folder that
// is then renamed over it, so a failed write leaves the old file whole and no
// temporary file behind. Throws "Cannot create file %s" on failure.
//
// A write that returns has reached the disk (unless it told the handler of
// unsynced writes, below): the temporary file's data is synced before the
// rename, and the folder after it, so a power cut afterwards keeps the new
// file. A failed sync of the file is a failed
// write. Should only the folder's sync fail, the rename is done and the new
// bytes are the file's: the write returns, so that what the program holds
// follows the file, and tells the handler of unsynced writes (below). A
// file given through a symbolic link is written where the link leads, and a
// file that exists keeps its permissions. A kill in the middle leaves the
// old file and at most a whole temporary file (see
// datafolder::removeUnfinishedWrites).
void writeBytes(const QString& path, const QByteArray& bytes);

// The temporary file of a write lies in its target's folder, hidden, under
// a name of the program's own that no user picks: this prefix, the target's
// name (left out when it is too long for the file system), a dot and six
// letters or digits: ".~telefika-Ev.vexo.Ab12Cd".
extern const QString TemporaryPrefix;  // ".~telefika-"
// True when a file's name is such a temporary name; with a target's name,
// only when it is the temporary name of a write of that file.
bool isTemporaryName(const QString& fileName, const QString& targetName = QString());

// A write whose folder could not be synced after the rename: a later read
// gives the new bytes, but the disk did not confirm the rename, so a power
// cut may yet bring the old file back. The write tells this handler the
// path it was given; the window program and the command line each install
// one that tells the user once the running operation has ended. Until one
// is installed, or after an empty one, such a write is reported as a
// warning of Qt's.
using UnsyncedWriteHandler = std::function<void(const QString& path)>;
void setUnsyncedWriteHandler(const UnsyncedWriteHandler& handler);
// What the user reads about such writes: the warning, then the files, one
// a line.
QString unsyncedWarning(const QStringList& paths);

// The file-system calls of a write, one set for the whole program. A write
// makes them in this order, each once:
//   create      a new file for the bytes, in the target's folder, with the
//               target's permissions when it exists: on Linux one without a
//               name yet, so that a kill leaves nothing behind; elsewhere
//               under the temporary name, which must not exist yet
//   write       every byte into it
//   syncFile    its data to the disk
//   name        the temporary name (see TemporaryPrefix) given to a file
//               that had none
//   close       it
//   rename      the temporary file over the target
//   syncFolder  the folder, so that the rename is on the disk as well
// and on a failure before the rename has been done, close (when the file is
// open) and remove of the temporary name. Each call returns false on failure
// (create an invalid handle). Tests put in their own calls to make one fail
// or to record the order; the system's are the default.
struct FileCalls {
    using Handle = qintptr;  // a file descriptor, or a Windows HANDLE
    static constexpr Handle NoHandle = -1;
    std::function<Handle(const QString& temporary, const QString& target)> create;
    std::function<bool(Handle file, const QByteArray& bytes)> write;
    std::function<bool(Handle file)> syncFile;
    std::function<bool(Handle file, const QString& temporary)> name;
    std::function<bool(Handle file)> close;
    std::function<bool(const QString& from, const QString& to)> rename;
    std::function<bool(const QString& folder)> syncFolder;
    std::function<bool(const QString& path)> remove;
};
FileCalls systemFileCalls();
// The calls every write makes from now on: the current ones stay in use
// until this is called again (tests give back systemFileCalls()).
void setFileCalls(const FileCalls& calls);
const FileCalls& fileCalls();

// What a path leads to, through symbolic links.
enum class Kind { Missing, File, Folder, Pipe, Socket, Device };
Kind kindOf(const QString& path);

// Opens a file to read it whole, never waiting on what is not a file: a
// named pipe, a socket or a device is not opened, not even when one takes
// the file's place meanwhile. Returns what the path leads to; the file is
// open only when that is a file that can be read.
Kind openToRead(const QString& path, QFile& file);

// Writes bytes into a named pipe, a socket or a device as it is, never
// making or replacing a file in its place. A pipe waits a few seconds at
// most for its reader. Throws "Cannot create file %s" when it cannot be
// opened or a write fails (a full device, a pipe whose reader went away).
void writeInto(const QString& path, const QByteArray& bytes);

inline void writeLines(const QString& path, const QList<QByteArray>& lines) {
    writeBytes(path, joinLines(lines));
}

}  // namespace textfile

#pragma once
// One running copy per DataFolder: two copies would rewrite the same files.
// The lock is the file ".Telefika.lock" beside the DataFolder, named from the
// folder's real path, so every copy of the program that uses the folder finds
// the same lock, and the DataFolder itself holds only the program's files; on
// Windows, whose DataFolder lies in a drive's root where an ordinary user may
// make no file, it lies inside the DataFolder (datafolder::companionFile).
//
// The lock is the operating system's own: an advisory lock on that file
// (flock on Linux, LockFileEx on Windows), held from acquire() until the
// object ends. The system lets it go at any end of the process, a kill or a
// crash included, so what the file holds never matters: an empty file, one
// with garbage, one naming a process that has ended or whose number another
// program has since, are all taken over. It needs no window, so a copy
// without one can hold it too.

#include "store/datafolder.h"

#include <QObject>
#include <QString>

class DataFolderLock {
    Q_GADGET
public:
    enum Outcome {
        // This copy holds the lock; it removed what writes of a killed copy
        // left unfinished.
        Acquired,
        // Another running copy holds it: this one must not start.
        HeldByAnotherCopy,
        // Neither the lock file nor the DataFolder can be written (a
        // read-only home): no write can collide, so the copy starts unguarded.
        Unguarded,
        // The lock file cannot be made, opened or locked although the
        // DataFolder can be written: the copy must not start, rather than run
        // unguarded. message() names the file.
        CannotCreate,
    };
    Q_ENUM(Outcome)

    // The lock in the system's place; tests put it in the other.
    explicit DataFolderLock(datafolder::CompanionPlace place = datafolder::SystemCompanionPlace);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    // Takes the lock when it can; asked again, it gives its first answer.
    Outcome acquire();
    // Whether the program may start after that outcome.
    static bool mayStart(Outcome outcome) { return outcome == Acquired || outcome == Unguarded; }
    // What the program says before it ends: empty when it may start.
    QString message() const;
    QString lockPath() const;

private:
    QString path_;
    bool inside_;
    Outcome outcome_ = CannotCreate;
    bool asked_ = false;
    qintptr handle_ = -1;  // the open lock file: a descriptor, or a Windows HANDLE
};

// What a second copy says before it ends.
extern const QString SecondCopyMessage;
// What a copy says whose lock file cannot be made or locked.
QString lockFileMessage(const QString& lockPath);

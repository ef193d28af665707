#pragma once
// One running copy per DataFolder: two copies would rewrite the same files.
// The lock is the file ".Telefika.lock" beside the DataFolder, named from the
// folder's real path, so every copy of the program that uses the folder finds
// the same lock; the DataFolder itself holds only the program's files. A lock
// left by a copy that was killed is taken over.

#include <QString>

#include <memory>

class QLockFile;

class DataFolderLock {
public:
    DataFolderLock();
    ~DataFolderLock();
    // True when no other running copy holds the DataFolder. Once it holds
    // the lock, it removes the temporary files of writes that a killed copy
    // left unfinished.
    bool acquire();
    QString lockPath() const;

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

// What a second copy says before it ends.
extern const QString SecondCopyMessage;

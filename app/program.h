#pragma once
// The program entry's work: the title, one running copy per DataFolder, the
// seventeen windows, the event loop.

#include <QString>

#include <memory>

class QApplication;
class QLockFile;

// One running copy per DataFolder: two copies would rewrite the same files.
// The lock lies outside the DataFolder, which holds only the program's files.
class DataFolderLock {
public:
    DataFolderLock();
    ~DataFolderLock();
    // True when no other running copy holds the DataFolder.
    bool acquire();
    QString lockPath() const;

private:
    std::unique_ptr<QLockFile> lock_;
};

extern const QString SecondCopyMessage;

int runProgram(QApplication& app);

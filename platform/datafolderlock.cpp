#include "platform/datafolderlock.h"

#include "store/datafolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

const QString SecondCopyMessage =
    QStringLiteral("Telefika 2003 zaten çalışıyor! Aynı veri havuzunu aynı anda yalnızca bir Telefika 2003 kullanabilir.");

namespace {
// The DataFolder as the file system knows it, whatever path led to it (a home
// given through a symbolic link, "..", a doubled separator). Before the first
// start the folder does not exist yet: its nearest existing ancestor is
// resolved and the rest appended, which is the path the folder will have.
QString canonicalFolder(const QString& folder) {
    QString existing = QDir::cleanPath(QDir(folder).absolutePath());
    QStringList rest;
    while (!QFileInfo::exists(existing)) {
        const QFileInfo info(existing);
        if (info.path() == existing) break;  // the root
        rest.prepend(info.fileName());
        existing = info.path();
    }
    QString canonical = QFileInfo(existing).canonicalFilePath();
    if (canonical.isEmpty()) canonical = existing;
    for (const QString& part : rest) canonical = QDir(canonical).filePath(part);
    return canonical;
}

// The lock lies beside the DataFolder, outside it: every copy that uses the
// folder finds it there, whatever its HOME, temporary or runtime folder.
QString lockFileFor(const QString& folder) {
    const QFileInfo canonical(canonicalFolder(folder));
    return QDir(canonical.path()).filePath(QStringLiteral(".") + canonical.fileName() + QStringLiteral(".lock"));
}
}  // namespace

DataFolderLock::DataFolderLock() : path_(lockFileFor(datafolder::path())), lock_(std::make_unique<QLockFile>(path_)) {
    lock_->setStaleLockTime(0);  // a lock is stale only when its process is gone
}

DataFolderLock::~DataFolderLock() = default;

bool DataFolderLock::acquire() {
    if (lock_->tryLock(0)) {
        // No other copy writes here now: what a killed one left half-done goes.
        datafolder::removeUnfinishedWrites();
        return true;
    }
    // Only another running copy keeps the program from starting; a lock that
    // cannot be written at all (a read-only home) does not.
    return lock_->error() != QLockFile::LockFailedError;
}

QString DataFolderLock::lockPath() const { return path_; }

#include "platform/datafolderlock.h"

#include "store/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <string>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

const QString SecondCopyMessage =
    QStringLiteral("Telefika 2003 zaten çalışıyor! Aynı veri havuzunu aynı anda yalnızca bir Telefika 2003 kullanabilir.");

QString lockFileMessage(const QString& lockPath) {
    return QStringLiteral("Kilit dosyası oluşturulamadı ya da açılamadı:\n%1\n\nTelefika 2003 bu dosyayla aynı veri "
                          "havuzunun aynı anda iki kez açılmasını önler; dosya olmadan başlamaz. Bu adda bir klasör "
                          "ya da kısayol varsa kaldırın, bulunduğu klasöre yazılabildiğinden emin olun ve Telefika "
                          "2003'ü yeniden başlatın.")
        .arg(QDir::toNativeSeparators(lockPath));
}

namespace {
// Whether the DataFolder can be written: the folder itself, or before the
// first start the nearest folder above it that exists, where it will be made.
bool dataFolderWritable() {
    QString existing = QDir::cleanPath(QDir(datafolder::path()).absolutePath());
    while (!QFileInfo::exists(existing)) {
        const QFileInfo info(existing);
        if (info.path() == existing) return false;
        existing = info.path();
    }
#ifdef Q_OS_WIN
    return QFileInfo(existing).isWritable();
#else
    return ::access(QFile::encodeName(existing).constData(), W_OK) == 0;
#endif
}

// A lock file that cannot serve: the copy starts only when it could not
// write anything anyway.
DataFolderLock::Outcome unusable() {
    return dataFolderWritable() ? DataFolderLock::CannotCreate : DataFolderLock::Unguarded;
}

#ifdef Q_OS_WIN
std::wstring native(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

DataFolderLock::Outcome take(const QString& path, qintptr& handle) {
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(native(path).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_HIDDEN, nullptr);
    // A lock file that cannot be written locks all the same.
    if (file == INVALID_HANDLE_VALUE)
        file = CreateFileW(native(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (file == INVALID_HANDLE_VALUE) return unusable();
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return unusable();
    }
    OVERLAPPED first{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &first)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        return error == ERROR_LOCK_VIOLATION ? DataFolderLock::HeldByAnotherCopy : unusable();
    }
    handle = reinterpret_cast<qintptr>(file);
    return DataFolderLock::Acquired;
}

void release(qintptr handle) { CloseHandle(reinterpret_cast<HANDLE>(handle)); }
#else
int openLockFile(const QByteArray& path, int flags) {
    int fd;
    do fd = ::open(path.constData(), flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    while (fd < 0 && errno == EINTR);
    return fd;
}

DataFolderLock::Outcome take(const QString& path, qintptr& handle) {
    const QByteArray file = QFile::encodeName(path);
    bool writable = true;
    int fd = openLockFile(file, O_RDWR | O_CREAT);
    if (fd < 0) {
        // A lock file that cannot be written (a read-only home) locks all the same.
        writable = false;
        fd = openLockFile(file, O_RDONLY);
    }
    if (fd < 0) return unusable();
    // Only an ordinary file is a lock: not a folder, a device or a pipe (nor a
    // symbolic link, which the opening refused).
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return unusable();
    }
    int locked;
    do locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? DataFolderLock::HeldByAnotherCopy : unusable();
    }
    handle = fd;
    // For a person who looks: the holder's process id. The lock does not
    // depend on it, so a failure here changes nothing. It is written over
    // what the file held, which is cut only when it was longer: cutting a
    // file to nothing costs the file system far more than the few bytes (the
    // process ids of one system mostly have the same number of digits).
    if (writable && info.st_nlink == 1) {
        const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
        if (::pwrite(fd, pid.constData(), size_t(pid.size()), 0) == pid.size() && info.st_size > pid.size()) {
            if (::ftruncate(fd, pid.size()) != 0) {
                // nothing to do: see above
            }
        }
    }
    return DataFolderLock::Acquired;
}

void release(qintptr handle) { ::close(int(handle)); }  // the system lets the lock go with it
#endif
}  // namespace

DataFolderLock::DataFolderLock(datafolder::CompanionPlace place)
    : path_(datafolder::companionFile(datafolder::realFolder(datafolder::path()), QStringLiteral("lock"), place)),
      inside_(place == datafolder::CompanionPlace::InsideFolder) {}

DataFolderLock::~DataFolderLock() {
    if (handle_ != -1) release(handle_);
}

DataFolderLock::Outcome DataFolderLock::acquire() {
    if (asked_) return outcome_;
    asked_ = true;
    // A lock inside the DataFolder needs the folder, before the first start too.
    if (inside_) datafolder::createFolder(datafolder::path());
    outcome_ = take(path_, handle_);
    // No other copy writes here now: what a killed one left half-done goes.
    if (outcome_ == Acquired) datafolder::removeUnfinishedWrites();
    return outcome_;
}

QString DataFolderLock::message() const {
    if (asked_ && outcome_ == HeldByAnotherCopy) return SecondCopyMessage;
    if (asked_ && outcome_ == CannotCreate) return lockFileMessage(path_);
    return QString();
}

QString DataFolderLock::lockPath() const { return path_; }

#include "store/textfile.h"

#include "store/storeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cstring>

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <algorithm>
#include <string>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

StoreError StoreError::cannotOpen(const QString& path) {
    return StoreError(QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path)));
}

StoreError StoreError::cannotCreate(const QString& path) {
    return StoreError(QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path)));
}

namespace textfile {

QList<QByteArray> splitLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    const char* p = bytes.constData();
    const char* nul = static_cast<const char*>(std::memchr(p, '\0', size_t(bytes.size())));
    const char* end = nul ? nul : p + bytes.size();
    lines.reserve((end - p) / 8);
    while (p < end) {
        const char* q = p;
        while (q < end && *q != '\r' && *q != '\n') ++q;
        lines.append(QByteArray(p, q - p));
        if (q == end) break;
        // CR LF is one break; a lone CR or a lone LF is one break each.
        q += (*q == '\r' && q + 1 < end && q[1] == '\n') ? 2 : 1;
        p = q;
    }
    return lines;
}

QByteArray joinLines(const QList<QByteArray>& lines) {
    qsizetype total = 0;
    for (const auto& l : lines) total += l.size() + 2;
    QByteArray out;
    out.reserve(total);
    for (const auto& l : lines) {
        out.append(l);
        out.append("\r\n", 2);
    }
    return out;
}

QList<QByteArray> readLines(const QString& path) {
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) throw StoreError::cannotOpen(path);
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) throw StoreError::cannotOpen(path);
    return splitLines(bytes);
}

namespace {

using Handle = FileCalls::Handle;

#ifdef Q_OS_WIN
std::wstring native(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }
HANDLE handleOf(Handle file) { return reinterpret_cast<HANDLE>(file); }

// Under its temporary name from the start: Windows has no file without one.
// Its permissions are those the folder gives.
Handle createNew(const QString& temporary, const QString&) {
    const HANDLE h = CreateFileW(native(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? FileCalls::NoHandle : reinterpret_cast<Handle>(h);
}

bool nameFile(Handle, const QString&) { return true; }

bool writeAll(Handle file, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const DWORD chunk = DWORD(std::min<qsizetype>(left, 1 << 30));
        DWORD written = 0;
        if (!WriteFile(handleOf(file), p, chunk, &written, nullptr) || written == 0) return false;
        p += written;
        left -= written;
    }
    return true;
}

bool syncFile(Handle file) { return FlushFileBuffers(handleOf(file)); }
bool closeFile(Handle file) { return CloseHandle(handleOf(file)); }
// Written through: the move is on the disk when it returns.
bool renameOver(const QString& from, const QString& to) {
    return MoveFileExW(native(from).c_str(), native(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}
// Windows gives a program no sync of a folder; the written-through move
// stands for it.
bool syncFolder(const QString&) { return true; }
bool removeFile(const QString& path) { return DeleteFileW(native(path).c_str()); }
#else
QByteArray native(const QString& path) { return QFile::encodeName(path); }

int openFile(const QByteArray& path, int flags) {
    int fd;
    do fd = ::open(path.constData(), flags | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    return fd;
}

#ifdef O_TMPFILE
// A file without a name can be named only through /proc.
bool namesThroughProc() {
    static const bool there = ::access("/proc/self/fd", X_OK) == 0;
    return there;
}
#endif

Handle createNew(const QString& temporary, const QString& target) {
    int fd = -1;
#ifdef O_TMPFILE
    // Where the file system knows no such file, the usual kind is made.
    if (namesThroughProc()) fd = openFile(native(QFileInfo(temporary).absolutePath()), O_TMPFILE | O_WRONLY);
#endif
    if (fd < 0) fd = openFile(native(temporary), O_WRONLY | O_CREAT | O_EXCL);
    if (fd < 0) return FileCalls::NoHandle;
    struct stat old {};
    if (::stat(native(target).constData(), &old) == 0) ::fchmod(fd, old.st_mode & 0777);
    return fd;
}

bool nameFile(Handle file, const QString& temporary) {
    struct stat info {};
    if (::fstat(int(file), &info) != 0) return false;
    if (info.st_nlink > 0) return true;  // named when it was made
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(file);
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, native(temporary).constData(), AT_SYMLINK_FOLLOW) == 0;
}

bool writeAll(Handle file, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(int(file), p, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= n;
    }
    return true;
}

bool syncFile(Handle file) {
    int r;
    do r = ::fsync(int(file));
    while (r != 0 && errno == EINTR);
    return r == 0;
}

// The descriptor is gone whatever close says; an error is a write the
// system could not finish.
bool closeFile(Handle file) { return ::close(int(file)) == 0; }

bool renameOver(const QString& from, const QString& to) {
    return ::rename(native(from).constData(), native(to).constData()) == 0;
}

// A file system that cannot sync a folder at all (EINVAL) has nothing more
// to put on the disk; any other failure is the disk's.
bool syncFolder(const QString& folder) {
    int fd;
    do fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return false;
    const bool synced = syncFile(fd) || errno == EINVAL;
    ::close(fd);
    return synced;
}

bool removeFile(const QString& path) { return ::unlink(native(path).constData()) == 0; }

Kind kindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return Kind::File;
    if (S_ISDIR(mode)) return Kind::Folder;
    if (S_ISFIFO(mode)) return Kind::Pipe;
    if (S_ISSOCK(mode)) return Kind::Socket;
    return Kind::Device;
}
#endif

FileCalls& currentCalls() {
    static FileCalls calls = systemFileCalls();
    return calls;
}

// The file a write replaces: where a chain of symbolic links leads.
QString writtenFile(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymbolicLink(); ++depth) info.setFile(info.symLinkTarget());
    return info.isSymbolicLink() ? path : info.absoluteFilePath();
}

QString temporaryName(const QString& target) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QFileInfo info(target);
    QString name = TemporaryPrefix;
    // within the 255 bytes a name may have on every file system
    if (QFile::encodeName(info.fileName()).size() <= 200) name += info.fileName();
    name += QLatin1Char('.');
    for (int i = 0; i < 6; ++i) name += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
    return QDir(info.absolutePath()).filePath(name);
}

void warnOfUnsyncedWrite(const QString& path) { qWarning("%s", qPrintable(unsyncedWarning({path}))); }

UnsyncedWriteHandler& unsyncedWriteHandler() {
    static UnsyncedWriteHandler handler = warnOfUnsyncedWrite;
    return handler;
}

bool taken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymbolicLink();
}

}  // namespace

const QString TemporaryPrefix = QStringLiteral(".~telefika-");

bool isTemporaryName(const QString& fileName, const QString& targetName) {
    static const QRegularExpression temporary(QStringLiteral("^") + QRegularExpression::escape(TemporaryPrefix) +
                                              QStringLiteral("(.*)\\.[A-Za-z0-9]{6}$"),
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = temporary.match(fileName);
    return m.hasMatch() && (targetName.isEmpty() || m.capturedView(1) == targetName);
}

void setUnsyncedWriteHandler(const UnsyncedWriteHandler& handler) {
    unsyncedWriteHandler() = handler ? handler : warnOfUnsyncedWrite;
}

QString unsyncedWarning(const QStringList& paths) {
    QStringList files;
    for (const QString& path : paths) files << QDir::toNativeSeparators(path);
    return QStringLiteral("Değişiklik dosyaya yazıldı, ancak disk onu kalıcı olarak kaydettiğini doğrulamadı; "
                          "bilgisayarın elektriği şimdi kesilirse değişiklik kaybolabilir:\n") +
           files.join(QLatin1Char('\n'));
}

FileCalls systemFileCalls() {
    return {createNew, writeAll, syncFile, nameFile, closeFile, renameOver, syncFolder, removeFile};
}

void setFileCalls(const FileCalls& calls) { currentCalls() = calls; }

const FileCalls& fileCalls() { return currentCalls(); }

void writeBytes(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) throw StoreError::cannotCreate(path);
    const FileCalls calls = fileCalls();
    const QString target = writtenFile(path);

    QString temporary;
    Handle file = FileCalls::NoHandle;
    for (int attempt = 0; attempt < 64 && file == FileCalls::NoHandle; ++attempt) {
        temporary = temporaryName(target);
        if (taken(temporary)) continue;
        file = calls.create(temporary, target);
        if (file == FileCalls::NoHandle && !taken(temporary)) break;  // not a clash of names: the folder refuses
    }
    if (file == FileCalls::NoHandle) throw StoreError::cannotCreate(path);

    bool written = calls.write(file, bytes) && calls.syncFile(file) && calls.name(file, temporary);
    written = calls.close(file) && written;
    if (!written || !calls.rename(temporary, target)) {
        calls.remove(temporary);
        throw StoreError::cannotCreate(path);
    }
    // The new bytes are the file's now, whatever the folder's sync says.
    if (!calls.syncFolder(QFileInfo(target).absolutePath())) unsyncedWriteHandler()(path);
}

#ifdef Q_OS_WIN
Kind kindOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return Kind::Missing;
    if (info.isDir()) return Kind::Folder;
    return info.isFile() ? Kind::File : Kind::Device;
}

Kind openToRead(const QString& path, QFile& file) {
    const Kind kind = kindOf(path);
    if (kind == Kind::File) {
        file.setFileName(path);
        file.open(QIODevice::ReadOnly);
    }
    return kind;
}

void writeInto(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush()) throw StoreError::cannotCreate(path);
}
#else
Kind kindOf(const QString& path) {
    struct stat info {};
    if (path.isEmpty() || ::stat(native(path).constData(), &info) != 0) return Kind::Missing;
    return kindOfMode(info.st_mode);
}

Kind openToRead(const QString& path, QFile& file) {
    const Kind kind = kindOf(path);
    if (kind != Kind::File) return kind;
    // without waiting, should a pipe have taken the file's place since
    const int fd = openFile(native(path), O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return kind;
    struct stat info {};
    const Kind opened = ::fstat(fd, &info) == 0 ? kindOfMode(info.st_mode) : Kind::Missing;
    if (opened != Kind::File) {
        ::close(fd);
        return opened;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) ::close(fd);
    return kind;
}

void writeInto(const QString& path, const QByteArray& bytes) {
    const QByteArray name = native(path);
    const bool pipe = kindOf(path) == Kind::Pipe;
    // A pipe without its reader yet refuses a writer that will not wait:
    // tried again for five seconds, so that the program never hangs on it.
    int fd = -1;
    for (int attempt = 0; attempt < 250; ++attempt) {
        fd = openFile(name, O_WRONLY | O_NONBLOCK | O_NOCTTY);
        if (fd >= 0 || !pipe || errno != ENXIO) break;
        ::usleep(20000);
    }
    if (fd < 0) throw StoreError::cannotCreate(path);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // a reader that went away is a failed write, not the end of the program
    struct sigaction ignore {}, old {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &old);
    bool written = writeAll(fd, bytes);
    ::sigaction(SIGPIPE, &old, nullptr);
    // a device's own cache: on it, or a failure (one that cannot sync has none)
    if (written && !pipe && !syncFile(fd) && errno != EINVAL && errno != EROFS) written = false;
    written = closeFile(fd) && written;
    if (!written) throw StoreError::cannotCreate(path);
}
#endif

}  // namespace textfile

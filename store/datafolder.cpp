#include "store/datafolder.h"

#include "store/codepage.h"
#include "store/collation.h"
#include "store/storeerror.h"
#include "store/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <functional>

namespace datafolder {

StringList defaultGroupList() {
    StringList list;
    list.add(DefaultGroup);
    list.add(DefaultGroup);
    return list;
}

QString path() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:/Telefika/");
#else
    return QDir::homePath() + QStringLiteral("/Telefika/");
#endif
}

QString groupListPath() { return path() + QStringLiteral("Ayarlar.cnt"); }

QString realFolder(const QString& folder) {
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

bool holds(const QString& path) {
    if (path.isEmpty()) return false;
    // a link to a file not made yet leads where the file will be (a loop of
    // links ends at the system's own limit)
    QString target = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo link(target);
        if (!link.isSymLink() || link.exists()) break;
        target = link.symLinkTarget();
    }
    target = realFolder(target);
    const QString folder = realFolder(datafolder::path());
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    return target.compare(folder, cs) == 0 || target.startsWith(folder + QLatin1Char('/'), cs);
}

QString companionFile(const QString& realFolderPath, const QString& kind, CompanionPlace place) {
    const QFileInfo folder(QDir::cleanPath(realFolderPath));
    const QString name = QStringLiteral(".") + folder.fileName() + QStringLiteral(".") + kind;
    const QString in = place == CompanionPlace::BesideFolder ? folder.path() : folder.filePath();
    return QDir(in).filePath(name);
}

QString companionFile(const QString& kind) { return companionFile(realFolder(path()), kind, SystemCompanionPlace); }

bool namesGroupFile(const QString& group) {
    return !group.contains(QLatin1Char('/')) && !group.contains(QLatin1Char('\\'));
}

bool isPortableGroupName(const QString& group) {
    if (group.isEmpty()) return false;
    for (QChar c : group)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0) || QStringLiteral("\\/:*?\"<>|").contains(c)) return false;
    return true;
}

QString groupFilePath(const QString& group) {
    if (!namesGroupFile(group)) return QString();
    const QString folder = path();
    const QString name = group + GroupExtension;
    const QString exact = folder + name;
    if (QFileInfo::exists(exact)) return exact;
#ifndef Q_OS_WIN
    // A file system that tells case apart: find the file by the Turkish comparison.
    if (codepage::canEncode(name)) {
        const QByteArray wanted = codepage::encode(name);
        const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& entry : entries)
            if (codepage::canEncode(entry) && collation::equal(codepage::encode(entry), wanted))
                return folder + entry;
    }
#endif
    return exact;
}

bool exists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

void createFolder(const QString& path) { QDir().mkpath(path); }

bool copyFile(const QString& from, const QString& to) {
    QFile in(from);
    if (from.isEmpty() || !in.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) return false;
    try {
        textfile::writeBytes(to, bytes);
    } catch (const StoreError&) {
        return false;
    }
    return true;
}

namespace {
QString folderOf(const QString& path) { return QFileInfo(path).absolutePath(); }
}  // namespace

bool renameFile(const QString& from, const QString& to) {
    if (from.isEmpty() || to.isEmpty() || !QFile::rename(from, to)) return false;
    const textfile::FileCalls& calls = textfile::fileCalls();
    const bool synced = calls.syncFolder(folderOf(to)) && (folderOf(from) == folderOf(to) || calls.syncFolder(folderOf(from)));
    if (!synced) QFile::rename(to, from);  // not on the disk for sure: undone, and a failure
    return synced;
}

bool deleteFile(const QString& path) {
    return !path.isEmpty() && QFile::remove(path) && textfile::fileCalls().syncFolder(folderOf(path));
}

int removeUnfinishedWrites() {
    int removed = 0;
    const auto removeFrom = [&removed](const QString& path, const std::function<bool(const QString&)>& unfinished) {
        QDir folder(path);
        for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
            if (unfinished(entry) && folder.remove(entry)) ++removed;
    };
    removeFrom(path(), [](const QString& entry) { return textfile::isTemporaryName(entry); });
    // The list of pending groups is written the same way, wherever it lies;
    // an older copy named its temporary files after it with a dot and six
    // letters or digits, a name that is the program's own there too.
    const QFileInfo pending(companionFile(QStringLiteral("pending")));
    const QRegularExpression olderPending(QStringLiteral("^") + QRegularExpression::escape(pending.fileName()) +
                                          QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    removeFrom(pending.path(), [&](const QString& entry) {
        return textfile::isTemporaryName(entry, pending.fileName()) || olderPending.match(entry).hasMatch();
    });
    return removed;
}

bool sameBytes(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (a.isEmpty() || b.isEmpty() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) return false;
    if (fa.size() != fb.size()) return false;
    const QByteArray bytesA = fa.readAll(), bytesB = fb.readAll();
    return fa.error() == QFileDevice::NoError && fb.error() == QFileDevice::NoError && bytesA == bytesB;
}

}  // namespace datafolder

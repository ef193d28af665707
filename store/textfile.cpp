#include "store/textfile.h"

#include "store/storeerror.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstring>

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

void writeBytes(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) throw StoreError::cannotCreate(path);
    QSaveFile f(path);
    // Unbuffered, and flushed before the commit: a write that the disk cuts
    // short must fail here, or commit() would put a shortened file in the old
    // one's place.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) throw StoreError::cannotCreate(path);
    if (f.write(bytes) != bytes.size() || !f.flush() || !f.commit()) {
        f.cancelWriting();
        throw StoreError::cannotCreate(path);
    }
}

}  // namespace textfile

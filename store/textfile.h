#pragma once
// Reading and writing whole text files of lines.
//
// A line ends at CR LF, at a lone CR and at a lone LF; text after the last
// break is a last line; a NUL byte ends the text. Writing puts CR LF after
// every line, so no lines give an empty file and one empty line gives CR LF.

#include <QByteArray>
#include <QList>
#include <QString>

namespace textfile {

QList<QByteArray> splitLines(const QByteArray& bytes);
QByteArray joinLines(const QList<QByteArray>& lines);

// The lines of a file; throws "Cannot open file %s" when it cannot be read.
QList<QByteArray> readLines(const QString& path);

// Writes bytes over a file through a temporary file in the same folder that
// is then renamed over it, so a failed write leaves the old file whole and no
// temporary file behind. Throws "Cannot create file %s" on failure.
void writeBytes(const QString& path, const QByteArray& bytes);

inline void writeLines(const QString& path, const QList<QByteArray>& lines) {
    writeBytes(path, joinLines(lines));
}

}  // namespace textfile

#pragma once
// What every test of files shares, windows or none: a home folder of the
// test's own, so the DataFolder is private to it, and lines as bytes.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Makes HOME a new temporary folder, and gives the old one back at its end.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString path() const { return dir_.path(); }
    // A file of the DataFolder.
    QString dataPath(const QString& fileName) const;
    void write(const QString& fileName, const QByteArray& bytes) const;
    QByteArray read(const QString& fileName) const;
    bool has(const QString& fileName) const;
    // The names of the DataFolder's files, sorted.
    QStringList dataFiles() const;

private:
    QTemporaryDir dir_;
    QByteArray oldHome_;
};

class StringList;
// The lines of a list as Unicode texts, and an unsorted list of such lines.
QStringList texts(const StringList& list);
StringList listOf(const QStringList& lines);

// Bytes of a file from UTF-8 text: each line followed by CR LF, in code page 1254.
QByteArray fileBytes(const QStringList& lines);

// A file's bytes; "<missing>" when it cannot be read.
QByteArray bytesOf(const QString& path);
// A sample contacts file of tests/data: its path, and its bytes.
QString samplePath(const QString& name);
QByteArray sampleBytes(const QString& name);

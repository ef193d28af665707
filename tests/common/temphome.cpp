#include "tests/common/temphome.h"

#include "store/codepage.h"
#include "store/datafolder.h"
#include "store/stringlist.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

TempHome::TempHome() : oldHome_(qgetenv("HOME")) {
    if (!dir_.isValid()) qFatal("no temporary folder for a fresh home");
    qputenv("HOME", QFile::encodeName(dir_.path()));
}

TempHome::~TempHome() { qputenv("HOME", oldHome_); }

QString TempHome::dataPath(const QString& fileName) const { return datafolder::path() + fileName; }

void TempHome::write(const QString& fileName, const QByteArray& bytes) const {
    QDir().mkpath(datafolder::path());
    QFile f(dataPath(fileName));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write a test file");
}

QByteArray TempHome::read(const QString& fileName) const {
    QFile f(dataPath(fileName));
    if (!f.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return f.readAll();
}

bool TempHome::has(const QString& fileName) const { return QFile::exists(dataPath(fileName)); }

QStringList TempHome::dataFiles() const {
    return QDir(datafolder::path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QByteArray fileBytes(const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines) out += codepage::encode(l) + "\r\n";
    return out;
}

StringList listOf(const QStringList& lines) {
    StringList l;
    for (const QString& s : lines) l.add(s);
    return l;
}

QStringList texts(const StringList& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i) out << list.text(i);
    return out;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArrayLiteral("<missing>");
}

QString samplePath(const QString& name) { return QStringLiteral(TELEFIKA_TEST_DATA "/") + name; }

QByteArray sampleBytes(const QString& name) {
    QFile f(samplePath(name));
    if (!f.open(QIODevice::ReadOnly)) qFatal("missing sample file %s", qPrintable(name));
    return f.readAll();
}

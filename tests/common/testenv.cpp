#include "testenv.h"

#include "codepage.h"
#include "datafolder.h"
#include "dialogs.h"
#include "stringlist.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QtTest>

FreshHome::FreshHome() : oldHome_(qgetenv("HOME")) {
    if (!dir_.isValid()) qFatal("no temporary folder for a fresh home");
    failOnUnusedAnswers();  // a home made inside a test must not swallow its answers
    qputenv("HOME", QFile::encodeName(dir_.path()));
    testhooks::enable();
}

FreshHome::~FreshHome() {
    failOnUnusedAnswers();
    testhooks::enable();
    qputenv("HOME", oldHome_);
}

void failOnUnusedAnswers() {
    if (!testhooks::enabled()) return;
    const QStringList left = testhooks::unused();
    if (left.isEmpty()) return;
    // After a failed check, answers left over are its consequence, not news.
    if (QTest::currentTestFunction() && !QTest::currentTestFailed()) {
        const QString text = QStringLiteral("Queued test answers were never used: ") + left.join(QStringLiteral("; "));
        QTest::qFail(qPrintable(text), __FILE__, __LINE__);
    }
    testhooks::enable();
}

bool testPassing() { return !QTest::currentTestFailed(); }

QString FreshHome::dataPath(const QString& fileName) const { return datafolder::path() + fileName; }

void FreshHome::write(const QString& fileName, const QByteArray& bytes) const {
    QDir().mkpath(datafolder::path());
    QFile f(dataPath(fileName));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write a test file");
}

QByteArray FreshHome::read(const QString& fileName) const {
    QFile f(dataPath(fileName));
    if (!f.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return f.readAll();
}

bool FreshHome::has(const QString& fileName) const { return QFile::exists(dataPath(fileName)); }

QStringList FreshHome::dataFiles() const {
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

void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        const ushort u = c.unicode();
        Qt::Key key = Qt::Key_unknown;
        if (u >= 'a' && u <= 'z') key = Qt::Key(u - 32);
        else if (u >= 0x20 && u < 0x7F) key = Qt::Key(u);
        else key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }
}

QStringList rows(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

bool clickRow(QListWidget* list, const QString& text, bool twice) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) {
        const QString why = QStringLiteral("No row \"%1\" in %2: %3").arg(text, list->objectName(), rows(list).join(", "));
        QTest::qFail(qPrintable(why), __FILE__, __LINE__);
        return false;
    }
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return testPassing();
}

#pragma once
// What every test shares: a fresh home folder per test function, so the
// DataFolder is the test's own, and message boxes that record their text.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class FreshHome {
public:
    FreshHome();
    ~FreshHome();

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
// The lines of a list as Unicode texts.
QStringList texts(const StringList& list);

// Bytes of a file from UTF-8 text: each line followed by CR LF, in code page 1254.
QByteArray fileBytes(const QStringList& lines);

// The main of a test of windows: the program's own application object, so
// errors reach the error box as they do for a user.
#include "application.h"
#include <QtTest>
#define TELEFIKA_TEST_MAIN(TestObject)                      \
    int main(int argc, char** argv) {                       \
        TelefikaApplication app(argc, argv);                \
        applyLook(app);                                     \
        TestObject tc;                                      \
        QTEST_SET_MAIN_SOURCE_PATH                          \
        return QTest::qExec(&tc, argc, argv);               \
    }

class QWidget;
// Types a text key by key as a user does, Turkish letters included (which
// QTest::keyClicks cannot type: it takes Latin-1 only).
void typeText(QWidget* widget, const QString& text);

class QListWidget;
// The texts of a list's rows.
QStringList rows(const QListWidget* list);
// Clicks the row of that text, or double-clicks it.
void clickRow(QListWidget* list, const QString& text, bool twice = false);

#pragma once
// What every test shares: a fresh home folder per test function, so the
// DataFolder is the test's own, and message boxes that record their text.

#include "tests/common/temphome.h"

#include <QString>

// A fresh home whose test hooks are on: message boxes record their text. Its
// end (in the test's cleanup) fails the running test function when an answer
// it queued through testhooks was never used.
class FreshHome : public TempHome {
public:
    FreshHome();
    ~FreshHome();
};

// Fails the running test function, naming each queued test answer that was
// never used (see testhooks::unused), unless it has failed already; then
// forgets them.
void failOnUnusedAnswers();

// A check that fails inside a helper or a modal window's handler leaves only
// that helper, and the test would go on. Helpers return testPassing() (or
// false after their own failure) and their callers write
//   STOP_IF_FAILED(clickRow(list, "Ev"));
// which leaves the calling function too.
bool testPassing();
#define STOP_IF_FAILED(...)         \
    do {                            \
        if (!(__VA_ARGS__)) return; \
    } while (false)

// The main of a test of windows: the program's own application object, so
// errors reach the error box as they do for a user.
#include "app/application.h"
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
// Clicks the row of that text, or double-clicks it; fails the test and returns
// false when the list has no such row.
[[nodiscard]] bool clickRow(QListWidget* list, const QString& text, bool twice = false);

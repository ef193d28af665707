#pragma once
// The base of every test of the program's windows: each test function gets a
// fresh home, and the windows it made are gone afterwards. A test answer it
// queued and never used fails it.

#include "app/forms.h"
#include "book/phonebook.h"
#include "tests/common/mainwindowaccess.h"
#include "tests/common/testenv.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QStringList>

#include <memory>

class ContactFields;
class QComboBox;
// The main window's contact fields and FoundNumber; a window's contact fields.
QStringList mainFields();
QStringList shownIn(const ContactFields* fields);
// Picks the group in a window's group chooser; an empty name picks none.
// Fails the test when the chooser has no such group.
[[nodiscard]] bool choose(QComboBox* chooser, const QString& group);

// Waits for the main window's next 100 ms tick, which enables "Kaydet",
// "Düzelt" and "Sil" by the number field. Returns whether it came.
bool nextTick();

class ProgramTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<FreshHome> home;

    // How far the main window is brought after the start.
    enum class Window {
        Hidden,   // created, as at the start, but not shown
        Exposed,  // shown and on the screen
        Active,   // shown and holding the keyboard focus
    };

    // Starts the program on a DataFolder written first: the group list's
    // lines (line 0 the active group, then every group) and each group's
    // file, by group name; the default group's file is there, empty, unless
    // given. What the start said in message boxes is forgotten. Returns
    // whether the test still passes: STOP_IF_FAILED(startWith(...)).
    [[nodiscard]] bool startWith(const QStringList& groupList, const QMap<QString, QByteArray>& groupFiles,
                                 Window window = Window::Hidden);
    // The default group alone, active, its file holding these lines.
    [[nodiscard]] bool startWithContacts(const QStringList& defaultGroupLines, Window window = Window::Hidden);
    // The first start of all: no DataFolder yet.
    [[nodiscard]] bool startFresh(Window window = Window::Hidden);

private slots:
    void init() { home = std::make_unique<FreshHome>(); }
    void cleanup() {
        failOnUnusedAnswers();
        destroyForms();
        home.reset();
    }

private:
    bool show(Window window);
};

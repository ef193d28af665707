#include "tests/common/programtest.h"

#include "app/Unit1.h"
#include "store/datafolder.h"
#include "ui/contactfields.h"
#include "ui/dialogs.h"

#include <QComboBox>
#include <QLineEdit>

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

bool ProgramTest::startWith(const QStringList& groupList, const QMap<QString, QByteArray>& groupFiles,
                            Window window) {
    home->write(QStringLiteral("Ayarlar.cnt"), fileBytes(groupList));
    if (!groupFiles.contains(datafolder::DefaultGroup))
        home->write(datafolder::DefaultGroup + datafolder::GroupExtension, QByteArray());
    for (auto f = groupFiles.begin(); f != groupFiles.end(); ++f)
        home->write(f.key() + datafolder::GroupExtension, f.value());
    return startFresh(window);
}

bool ProgramTest::startWithContacts(const QStringList& defaultGroupLines, Window window) {
    const QString group = datafolder::DefaultGroup;
    return startWith({group, group}, {{group, fileBytes(defaultGroupLines)}}, window);
}

bool ProgramTest::startFresh(Window window) {
    createForms();
    const bool shown = show(window);
    testhooks::messages().clear();
    return shown;
}

bool ProgramTest::show(Window window) {
    if (window == Window::Hidden) return testPassing();
    Form1->show();
    const bool there = window == Window::Exposed ? QTest::qWaitForWindowExposed(Form1) : QTest::qWaitForWindowActive(Form1);
    if (!there) QTest::qFail("the main window was never shown and active as asked", __FILE__, __LINE__);
    return testPassing();
}

bool nextTick() {
    QSignalSpy tick(mainWindow().refreshTimer, &QTimer::timeout);
    if (!tick.wait(2000)) QTest::qFail("the main window's timer never ticked", __FILE__, __LINE__);
    return testPassing();
}

QStringList mainFields() {
    const MainWindowWidgets& w = mainWindow();
    return {w.nameField->text(), w.surnameField->text(), w.numberField->text(), w.foundNumber->text()};
}

QStringList shownIn(const ContactFields* fields) {
    return {fields->nameEdit->text(), fields->surnameEdit->text(), fields->numberEdit->text()};
}

bool choose(QComboBox* chooser, const QString& group) {
    if (group.isEmpty()) return true;
    const int i = chooser->findText(group);
    if (i < 0) QTest::qFail(qPrintable(QStringLiteral("no group ") + group + QStringLiteral(" to choose")), __FILE__, __LINE__);
    else chooser->setCurrentIndex(i);
    return testPassing();
}

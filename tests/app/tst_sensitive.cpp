// "Hassas Arama": the sorted names or numbers of the group in a drop-down
// over the search field; picking or typing one shows its contact, and the
// list is taken anew after an edit, a delete and a group switch.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/datafolder.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/onay.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QString GroupFile = datafolder::DefaultGroup + datafolder::GroupExtension;
const QStringList Three = {u"Ali"_s, u"Kaya"_s, u"0533"_s, u"ayşe"_s, u"Er"_s, u"0532"_s, u"Zeki"_s, u"Su"_s, u"0534"_s};

QStringList items() {
    QStringList out;
    for (int i = 0; i < mainWindow().sensitiveChoice->count(); ++i) out << mainWindow().sensitiveChoice->itemText(i);
    return out;
}
QStringList fields() {
    return {mainWindow().nameField->text(), mainWindow().surnameField->text(), mainWindow().numberField->text(),
            mainWindow().foundNumber->text()};
}
// A user switching the sensitive search on or off.
void toggleSensitive() { QTest::mouseClick(mainWindow().sensitiveCheck, Qt::LeftButton, {}, QPoint(6, 8)); }
// Picks the entry of that row with the arrow keys, from no entry chosen.
void pick(int row) {
    QComboBox* box = mainWindow().sensitiveChoice;
    box->setFocus();
    while (box->currentIndex() < row) QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > row) QTest::keyClick(box, Qt::Key_Up);
}
// Picks the row from the opened list with the mouse.
void pickFromList(int row) {
    QComboBox* box = mainWindow().sensitiveChoice;
    box->showPopup();
    QAbstractItemView* view = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}
void typeChoice(const QString& text) {
    QLineEdit* edit = mainWindow().sensitiveChoice->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    typeText(edit, text);
}
}  // namespace

class TestSensitiveSearch : public ProgramTest {
    Q_OBJECT

    QByteArray file() const { return home->read(GroupFile); }

private slots:
    void switchingOnListsTheNamesSorted_data() {
        QTest::addColumn<bool>("fromNumberMode");
        QTest::newRow("from name mode") << false;
        QTest::newRow("from number mode") << true;
    }
    void switchingOnListsTheNamesSorted() {
        QFETCH(bool, fromNumberMode);
        STOP_IF_FAILED(startWithContacts({u"Zeki"_s, u"Su"_s, u"0534"_s, u"Ali"_s, u"Kaya"_s, u"0533"_s, u"ayşe"_s, u"Er"_s, u"0532"_s}, Window::Active));
        if (fromNumberMode) mainWindow().numberMode->setChecked(true);
        toggleSensitive();
        QVERIFY(mainWindow().sensitiveChoice->isVisible());
        QVERIFY(!mainWindow().searchField->isVisible());
        QVERIFY(!mainWindow().numberSearchField->isVisible());
        QVERIFY(!mainWindow().searchButton->isEnabled() && !mainWindow().nextButton->isEnabled());
        QVERIFY(mainWindow().nameMode->isChecked());
        QCOMPARE(QApplication::focusWidget(), mainWindow().sensitiveChoice);
        QCOMPARE(items(), (QStringList{u"Ali"_s, u"ayşe"_s, u"Zeki"_s}));
        QCOMPARE(mainWindow().sensitiveChoice->currentText(), QString());
        QCOMPARE(fields(), (QStringList{u""_s, u""_s, u""_s, u""_s}));
        pick(1);
        QCOMPARE(fields(), (QStringList{u"ayşe"_s, u"Er"_s, u"0532"_s, u"0532"_s}));
        pickFromList(2);
        QCOMPARE(fields(), (QStringList{u"Zeki"_s, u"Su"_s, u"0534"_s, u"0534"_s}));
        QCOMPARE(testhooks::messages(), QStringList());
    }

    // The entries of equal names, and of a file out of name order, each
    // show their own contact.
    void everyEntryShowsItsOwnContact_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("equal names") << QStringList{u"Ali"_s, u"A"_s, u"01"_s, u"Ali"_s, u"B"_s, u"02"_s, u"ali"_s, u"C"_s, u"03"_s, u"Veli"_s, u"D"_s, u"04"_s};
        QTest::newRow("out of name order") << QStringList{u"Veli"_s, u"D"_s, u"04"_s, u"Ali"_s, u"A"_s, u"01"_s, u"Can"_s, u"C"_s, u"03"_s, u"Ali"_s, u"B"_s, u"02"_s};
    }
    void everyEntryShowsItsOwnContact() {
        QFETCH(QStringList, lines);
        STOP_IF_FAILED(startWithContacts(lines, Window::Active));
        toggleSensitive();
        QCOMPARE(items().size(), 4);
        QStringList seen;
        for (int row = 0; row < 4; ++row) {
            pickFromList(row);
            QCOMPARE(mainWindow().nameField->text(), items()[row]);
            const int at = lines.indexOf(mainWindow().numberField->text()) - 2;
            QCOMPARE(fields().mid(0, 3), lines.mid(at, 3));
            seen << mainWindow().numberField->text();
        }
        seen.sort();
        QCOMPARE(seen, (QStringList{u"01"_s, u"02"_s, u"03"_s, u"04"_s}));
    }

    void numbersAreListedAndShowTheFirstContactWithThem() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0533"_s, u"Can"_s, u"0532"_s, u"0534"_s, u"Veli"_s, u"Er"_s, u"0532"_s, u"Zeki"_s, u"Su"_s, u"0532"_s}, Window::Active));
        toggleSensitive();
        QTest::mouseClick(mainWindow().numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(items(), (QStringList{u"0532"_s, u"0532"_s, u"0533"_s, u"0534"_s}));
        QCOMPARE(QApplication::focusWidget(), mainWindow().sensitiveChoice);
        pick(1);  // the second 0532: the contact that first has it
        QCOMPARE(fields(), (QStringList{u"Veli"_s, u"Er"_s, u"0532"_s, u"0532"_s}));
        typeChoice(u"0534"_s);
        QCOMPARE(fields(), (QStringList{u"Can"_s, u"0532"_s, u"0534"_s, u"0534"_s}));
        // a click on the mode already checked takes nothing anew
        typeChoice(u"05"_s);
        QTest::mouseClick(mainWindow().numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(mainWindow().sensitiveChoice->currentText(), u"05"_s);
    }

    // Typed text matches only its own kind of line, and a name typed with
    // no entry chosen shows the first contact of that name.
    void typedTextMatchesOnlyItsKindOfLine_data() {
        QTest::addColumn<bool>("byNumber");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        const QStringList none{u"Bora"_s, u"Ak"_s, u"0500"_s, u"0500"_s};  // what was shown before
        QTest::newRow("a name") << false << "ali" << QStringList{u"Ali"_s, u"0532"_s, u"0533"_s, u"0533"_s};
        QTest::newRow("a name on the last contact") << false << "zeki" << QStringList{u"Zeki"_s, u"Su"_s, u"0534"_s, u"0534"_s};
        QTest::newRow("a surname") << false << "Kaya" << none;
        QTest::newRow("a number") << false << "0534" << none;
        QTest::newRow("part of a name") << false << "Al" << none;
        QTest::newRow("a number by number") << true << "0533" << QStringList{u"Ali"_s, u"0532"_s, u"0533"_s, u"0533"_s};
        QTest::newRow("a name that reads like a number") << true << "0535" << none;
        QTest::newRow("a surname that reads like a number") << true << "0532" << none;
    }
    void typedTextMatchesOnlyItsKindOfLine() {
        QFETCH(bool, byNumber);
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        // line 0 a name that reads like a number; Ali's surname reads like one too
        STOP_IF_FAILED(startWithContacts({u"0535"_s, u"Kaya"_s, u"0531"_s, u"Ali"_s, u"0532"_s, u"0533"_s, u"Ali"_s, u"İkinci"_s, u"0536"_s, u"Zeki"_s, u"Su"_s, u"0534"_s}, Window::Active));
        toggleSensitive();
        if (byNumber) mainWindow().numberMode->setChecked(true);
        Book->handOver(u"Bora"_s, u"Ak"_s, u"0500"_s);
        typeChoice(typed);
        QCOMPARE(testhooks::messages(), QStringList());
        QCOMPARE(fields(), shown);
    }

    void emptyingTheTextClearsTheFields() {
        STOP_IF_FAILED(startWithContacts(Three, Window::Active));
        mainWindow().searchField->setText(u"s"_s);
        toggleSensitive();
        pick(0);
        QCOMPARE(fields(), (QStringList{u"Ali"_s, u"Kaya"_s, u"0533"_s, u"0533"_s}));
        typeChoice(u""_s);
        QCOMPARE(fields(), (QStringList{u""_s, u""_s, u""_s, u""_s}));
        QCOMPARE(mainWindow().searchField->text(), QString());
    }

    void anEmptyGroupListsNothing_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("no line") << QStringList{};
        QTest::newRow("one line") << QStringList{u"Ali"_s};
    }
    void anEmptyGroupListsNothing() {
        QFETCH(QStringList, lines);
        STOP_IF_FAILED(startWithContacts(lines, Window::Active));
        toggleSensitive();
        QCOMPARE(items(), QStringList());
        QTest::mouseClick(mainWindow().numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(items(), QStringList());
    }

    void switchingOffKeepsModeAndContact() {
        STOP_IF_FAILED(startWithContacts(Three, Window::Active));
        toggleSensitive();
        pick(2);
        toggleSensitive();
        QVERIFY(!mainWindow().sensitiveChoice->isVisible());
        QVERIFY(mainWindow().searchField->isVisible());
        QVERIFY(!mainWindow().numberSearchField->isVisible());
        QVERIFY(mainWindow().nameMode->isChecked());
        QVERIFY(mainWindow().searchButton->isEnabled() && mainWindow().nextButton->isEnabled());
        QCOMPARE(fields(), (QStringList{u"Zeki"_s, u"Su"_s, u"0534"_s, u"0534"_s}));
        toggleSensitive();
        QTest::mouseClick(mainWindow().numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        toggleSensitive();
        QVERIFY(mainWindow().numberSearchField->isVisible());
        QVERIFY(mainWindow().numberMode->isChecked());
    }

    void editAndDeleteActOnTheChosenContactAndTakeTheListAnew() {
        STOP_IF_FAILED(startWithContacts({u"Zeki"_s, u"Su"_s, u"0534"_s, u"Ali"_s, u"Kaya"_s, u"0533"_s, u"ayşe"_s, u"Er"_s, u"0532"_s}, Window::Active));
        toggleSensitive();
        pick(2);  // Zeki, the file's first contact
        mainWindow().nameField->setText(u"Bora"_s);
        STOP_IF_FAILED(nextTick());
        QTest::mouseClick(mainWindow().editButton, Qt::LeftButton);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0533"_s, u"ayşe"_s, u"Er"_s, u"0532"_s, u"Bora"_s, u"Su"_s, u"0534"_s}));
        QCOMPARE(items(), (QStringList{u"Ali"_s, u"ayşe"_s, u"Bora"_s}));
        QVERIFY(mainWindow().sensitiveChoice->isVisible() && mainWindow().nameMode->isChecked());
        pickFromList(1);
        testhooks::onNextModal([](QDialog*) { QTest::mouseClick(Form11->yesButton, Qt::LeftButton); });
        QTest::mouseClick(mainWindow().deleteButton, Qt::LeftButton);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0533"_s, u"Bora"_s, u"Su"_s, u"0534"_s}));
        QCOMPARE(items(), (QStringList{u"Ali"_s, u"Bora"_s}));
    }

    void aSaveLeavesTheListButEveryEntryStillShowsItsContact() {
        STOP_IF_FAILED(startWithContacts(Three, Window::Active));
        toggleSensitive();
        Book->handOver(u"Ahmet"_s, u"Yeni"_s, u"0500"_s);
        STOP_IF_FAILED(nextTick());
        QTest::mouseClick(mainWindow().saveButton, Qt::LeftButton);  // lands first: every contact moves on
        QCOMPARE(items(), (QStringList{u"Ali"_s, u"ayşe"_s, u"Zeki"_s}));
        pickFromList(1);
        QCOMPARE(fields(), (QStringList{u"ayşe"_s, u"Er"_s, u"0532"_s, u"0532"_s}));
        pickFromList(2);
        QCOMPARE(fields(), (QStringList{u"Zeki"_s, u"Su"_s, u"0534"_s, u"0534"_s}));
    }

    void aGroupSwitchTakesTheListAnew() {
        STOP_IF_FAILED(startWith({Default, Default, u"İş"_s},
                                 {{Default, fileBytes(Three)}, {u"İş"_s, fileBytes({u"Ömer"_s, u"Öz"_s, u"0600"_s, u"Can"_s, u"Ak"_s, u"0601"_s})}}, Window::Active));
        toggleSensitive();
        QTest::mouseClick(mainWindow().numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QLineEdit* typed = mainWindow().groupSelector->lineEdit();
        typed->clear();
        typeText(typed, u"İş"_s);
        QVERIFY(mainWindow().sensitiveCheck->isChecked());
        QVERIFY(mainWindow().nameMode->isChecked());
        QCOMPARE(items(), (QStringList{u"Can"_s, u"Ömer"_s}));
        pick(1);
        QCOMPARE(fields(), (QStringList{u"Ömer"_s, u"Öz"_s, u"0600"_s, u"0600"_s}));
    }
};

TELEFIKA_TEST_MAIN(TestSensitiveSearch)
#include "tst_sensitive.moc"


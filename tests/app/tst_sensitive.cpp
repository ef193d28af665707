// "Hassas Arama": the sorted names or numbers of the group in a drop-down
// over the search field; picking or typing one shows its contact, and the
// list is taken anew after an edit, a delete and a group switch.

#include "app/forms.h"
#include "app/Unit1.h"
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
const QString Default = QStringLiteral("@Kayıtlar@");
const QString GroupFile = QStringLiteral("@Kayıtlar@.vexo");
const QStringList Three = {u"Ali"_s, u"Kaya"_s, u"0533"_s, u"ayşe"_s, u"Er"_s, u"0532"_s, u"Zeki"_s, u"Su"_s, u"0534"_s};

QStringList items() {
    QStringList out;
    for (int i = 0; i < Form1->sensitiveChoice->count(); ++i) out << Form1->sensitiveChoice->itemText(i);
    return out;
}
QStringList fields() {
    return {Form1->nameField->text(), Form1->surnameField->text(), Form1->numberField->text(),
            Form1->foundNumber->text()};
}
// A user switching the sensitive search on or off.
void toggleSensitive() { QTest::mouseClick(Form1->sensitiveCheck, Qt::LeftButton, {}, QPoint(6, 8)); }
// Picks the entry of that row with the arrow keys, from no entry chosen.
void pick(int row) {
    QComboBox* box = Form1->sensitiveChoice;
    box->setFocus();
    while (box->currentIndex() < row) QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > row) QTest::keyClick(box, Qt::Key_Up);
}
// Picks the row from the opened list with the mouse.
void pickFromList(int row) {
    QComboBox* box = Form1->sensitiveChoice;
    box->showPopup();
    QAbstractItemView* view = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}
void typeChoice(const QString& text) {
    QLineEdit* edit = Form1->sensitiveChoice->lineEdit();
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
        if (fromNumberMode) Form1->numberMode->setChecked(true);
        toggleSensitive();
        QVERIFY(Form1->sensitiveChoice->isVisible());
        QVERIFY(!Form1->searchField->isVisible());
        QVERIFY(!Form1->numberSearchField->isVisible());
        QVERIFY(!Form1->searchButton->isEnabled() && !Form1->nextButton->isEnabled());
        QVERIFY(Form1->nameMode->isChecked());
        QCOMPARE(QApplication::focusWidget(), Form1->sensitiveChoice);
        QCOMPARE(items(), (QStringList{u"Ali"_s, u"ayşe"_s, u"Zeki"_s}));
        QCOMPARE(Form1->sensitiveChoice->currentText(), QString());
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
            QCOMPARE(Form1->nameField->text(), items()[row]);
            const int at = lines.indexOf(Form1->numberField->text()) - 2;
            QCOMPARE(fields().mid(0, 3), lines.mid(at, 3));
            seen << Form1->numberField->text();
        }
        seen.sort();
        QCOMPARE(seen, (QStringList{u"01"_s, u"02"_s, u"03"_s, u"04"_s}));
    }

    void numbersAreListedAndShowTheFirstContactWithThem() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0533"_s, u"Can"_s, u"0532"_s, u"0534"_s, u"Veli"_s, u"Er"_s, u"0532"_s, u"Zeki"_s, u"Su"_s, u"0532"_s}, Window::Active));
        toggleSensitive();
        QTest::mouseClick(Form1->numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(items(), (QStringList{u"0532"_s, u"0532"_s, u"0533"_s, u"0534"_s}));
        QCOMPARE(QApplication::focusWidget(), Form1->sensitiveChoice);
        pick(1);  // the second 0532: the contact that first has it
        QCOMPARE(fields(), (QStringList{u"Veli"_s, u"Er"_s, u"0532"_s, u"0532"_s}));
        typeChoice(u"0534"_s);
        QCOMPARE(fields(), (QStringList{u"Can"_s, u"0532"_s, u"0534"_s, u"0534"_s}));
        // a click on the mode already checked takes nothing anew
        typeChoice(u"05"_s);
        QTest::mouseClick(Form1->numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(Form1->sensitiveChoice->currentText(), u"05"_s);
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
        if (byNumber) Form1->numberMode->setChecked(true);
        Form1->takeContact(u"Bora"_s, u"Ak"_s, u"0500"_s);
        typeChoice(typed);
        QCOMPARE(testhooks::messages(), QStringList());
        QCOMPARE(fields(), shown);
    }

    void emptyingTheTextClearsTheFields() {
        STOP_IF_FAILED(startWithContacts(Three, Window::Active));
        Form1->searchField->setText(u"s"_s);
        toggleSensitive();
        pick(0);
        QCOMPARE(fields(), (QStringList{u"Ali"_s, u"Kaya"_s, u"0533"_s, u"0533"_s}));
        typeChoice(u""_s);
        QCOMPARE(fields(), (QStringList{u""_s, u""_s, u""_s, u""_s}));
        QCOMPARE(Form1->searchField->text(), QString());
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
        QTest::mouseClick(Form1->numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(items(), QStringList());
    }

    void switchingOffKeepsModeAndContact() {
        STOP_IF_FAILED(startWithContacts(Three, Window::Active));
        toggleSensitive();
        pick(2);
        toggleSensitive();
        QVERIFY(!Form1->sensitiveChoice->isVisible());
        QVERIFY(Form1->searchField->isVisible());
        QVERIFY(!Form1->numberSearchField->isVisible());
        QVERIFY(Form1->nameMode->isChecked());
        QVERIFY(Form1->searchButton->isEnabled() && Form1->nextButton->isEnabled());
        QCOMPARE(fields(), (QStringList{u"Zeki"_s, u"Su"_s, u"0534"_s, u"0534"_s}));
        toggleSensitive();
        QTest::mouseClick(Form1->numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        toggleSensitive();
        QVERIFY(Form1->numberSearchField->isVisible());
        QVERIFY(Form1->numberMode->isChecked());
    }

    void editAndDeleteActOnTheChosenContactAndTakeTheListAnew() {
        STOP_IF_FAILED(startWithContacts({u"Zeki"_s, u"Su"_s, u"0534"_s, u"Ali"_s, u"Kaya"_s, u"0533"_s, u"ayşe"_s, u"Er"_s, u"0532"_s}, Window::Active));
        toggleSensitive();
        pick(2);  // Zeki, the file's first contact
        Form1->nameField->setText(u"Bora"_s);
        Form1->Timer1Timer();
        QTest::mouseClick(Form1->editButton, Qt::LeftButton);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0533"_s, u"ayşe"_s, u"Er"_s, u"0532"_s, u"Bora"_s, u"Su"_s, u"0534"_s}));
        QCOMPARE(items(), (QStringList{u"Ali"_s, u"ayşe"_s, u"Bora"_s}));
        QVERIFY(Form1->sensitiveChoice->isVisible() && Form1->nameMode->isChecked());
        pickFromList(1);
        testhooks::onNextModal([](QDialog*) { QTest::mouseClick(Form11->yesButton, Qt::LeftButton); });
        QTest::mouseClick(Form1->deleteButton, Qt::LeftButton);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0533"_s, u"Bora"_s, u"Su"_s, u"0534"_s}));
        QCOMPARE(items(), (QStringList{u"Ali"_s, u"Bora"_s}));
    }

    void aSaveLeavesTheListButEveryEntryStillShowsItsContact() {
        STOP_IF_FAILED(startWithContacts(Three, Window::Active));
        toggleSensitive();
        Form1->takeContact(u"Ahmet"_s, u"Yeni"_s, u"0500"_s);
        Form1->Timer1Timer();
        QTest::mouseClick(Form1->saveButton, Qt::LeftButton);  // lands first: every contact moves on
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
        QTest::mouseClick(Form1->numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QLineEdit* typed = Form1->groupSelector->lineEdit();
        typed->clear();
        typeText(typed, u"İş"_s);
        QVERIFY(Form1->sensitiveCheck->isChecked());
        QVERIFY(Form1->nameMode->isChecked());
        QCOMPARE(items(), (QStringList{u"Can"_s, u"Ömer"_s}));
        pick(1);
        QCOMPARE(fields(), (QStringList{u"Ömer"_s, u"Öz"_s, u"0600"_s, u"0600"_s}));
    }
};

TELEFIKA_TEST_MAIN(TestSensitiveSearch)
#include "tst_sensitive.moc"


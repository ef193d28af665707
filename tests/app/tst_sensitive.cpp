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

namespace {
const QString GroupFile = QStringLiteral("@Kayıtlar@.vexo");
const QStringList Three = {"Ali", "Kaya", "0533", "ayşe", "Er", "0532", "Zeki", "Su", "0534"};

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

    void start(const QStringList& lines, const QMap<QString, QStringList>& otherGroups = {}) {
        QStringList groupList{"@Kayıtlar@", "@Kayıtlar@"};
        for (auto g = otherGroups.begin(); g != otherGroups.end(); ++g) {
            home->write(g.key() + ".vexo", fileBytes(g.value()));
            groupList << g.key();
        }
        home->write("Ayarlar.cnt", fileBytes(groupList));
        home->write(GroupFile, fileBytes(lines));
        createForms();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        testhooks::messages().clear();
    }
    QByteArray file() const { return home->read(GroupFile); }

private slots:
    void switchingOnListsTheNamesSorted_data() {
        QTest::addColumn<bool>("fromNumberMode");
        QTest::newRow("from name mode") << false;
        QTest::newRow("from number mode") << true;
    }
    void switchingOnListsTheNamesSorted() {
        QFETCH(bool, fromNumberMode);
        start({"Zeki", "Su", "0534", "Ali", "Kaya", "0533", "ayşe", "Er", "0532"});
        if (fromNumberMode) Form1->numberMode->setChecked(true);
        toggleSensitive();
        QVERIFY(Form1->sensitiveChoice->isVisible());
        QVERIFY(!Form1->searchField->isVisible());
        QVERIFY(!Form1->numberSearchField->isVisible());
        QVERIFY(!Form1->searchButton->isEnabled() && !Form1->nextButton->isEnabled());
        QVERIFY(Form1->nameMode->isChecked());
        QCOMPARE(QApplication::focusWidget(), Form1->sensitiveChoice);
        QCOMPARE(items(), (QStringList{"Ali", "ayşe", "Zeki"}));
        QCOMPARE(Form1->sensitiveChoice->currentText(), QString());
        QCOMPARE(fields(), (QStringList{"", "", "", ""}));
        pick(1);
        QCOMPARE(fields(), (QStringList{"ayşe", "Er", "0532", "0532"}));
        pickFromList(2);
        QCOMPARE(fields(), (QStringList{"Zeki", "Su", "0534", "0534"}));
        QCOMPARE(testhooks::messages(), QStringList());
    }

    // The entries of equal names, and of a file out of name order, each
    // show their own contact.
    void everyEntryShowsItsOwnContact_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("equal names") << QStringList{"Ali", "A", "01", "Ali", "B", "02", "ali", "C", "03", "Veli", "D", "04"};
        QTest::newRow("out of name order") << QStringList{"Veli", "D", "04", "Ali", "A", "01", "Can", "C", "03", "Ali", "B", "02"};
    }
    void everyEntryShowsItsOwnContact() {
        QFETCH(QStringList, lines);
        start(lines);
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
        QCOMPARE(seen, (QStringList{"01", "02", "03", "04"}));
    }

    void numbersAreListedAndShowTheFirstContactWithThem() {
        start({"Ali", "Kaya", "0533", "Can", "0532", "0534", "Veli", "Er", "0532", "Zeki", "Su", "0532"});
        toggleSensitive();
        QTest::mouseClick(Form1->numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(items(), (QStringList{"0532", "0532", "0533", "0534"}));
        QCOMPARE(QApplication::focusWidget(), Form1->sensitiveChoice);
        pick(1);  // the second 0532: the contact that first has it
        QCOMPARE(fields(), (QStringList{"Veli", "Er", "0532", "0532"}));
        typeChoice("0534");
        QCOMPARE(fields(), (QStringList{"Can", "0532", "0534", "0534"}));
        // a click on the mode already checked takes nothing anew
        typeChoice("05");
        QTest::mouseClick(Form1->numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(Form1->sensitiveChoice->currentText(), "05");
    }

    // Typed text matches only its own kind of line, and a name typed with
    // no entry chosen shows the first contact of that name.
    void typedTextMatchesOnlyItsKindOfLine_data() {
        QTest::addColumn<bool>("byNumber");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        const QStringList none{"Bora", "Ak", "0500", "0500"};  // what was shown before
        QTest::newRow("a name") << false << "ali" << QStringList{"Ali", "0532", "0533", "0533"};
        QTest::newRow("a name on the last contact") << false << "zeki" << QStringList{"Zeki", "Su", "0534", "0534"};
        QTest::newRow("a surname") << false << "Kaya" << none;
        QTest::newRow("a number") << false << "0534" << none;
        QTest::newRow("part of a name") << false << "Al" << none;
        QTest::newRow("a number by number") << true << "0533" << QStringList{"Ali", "0532", "0533", "0533"};
        QTest::newRow("a name that reads like a number") << true << "0535" << none;
        QTest::newRow("a surname that reads like a number") << true << "0532" << none;
    }
    void typedTextMatchesOnlyItsKindOfLine() {
        QFETCH(bool, byNumber);
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        // line 0 a name that reads like a number; Ali's surname reads like one too
        start({"0535", "Kaya", "0531", "Ali", "0532", "0533", "Ali", "İkinci", "0536", "Zeki", "Su", "0534"});
        toggleSensitive();
        if (byNumber) Form1->numberMode->setChecked(true);
        Form1->takeContact("Bora", "Ak", "0500");
        typeChoice(typed);
        QCOMPARE(testhooks::messages(), QStringList());
        QCOMPARE(fields(), shown);
    }

    void emptyingTheTextClearsTheFields() {
        start(Three);
        Form1->searchField->setText("s");
        toggleSensitive();
        pick(0);
        QCOMPARE(fields(), (QStringList{"Ali", "Kaya", "0533", "0533"}));
        typeChoice("");
        QCOMPARE(fields(), (QStringList{"", "", "", ""}));
        QCOMPARE(Form1->searchField->text(), QString());
    }

    void anEmptyGroupListsNothing_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("no line") << QStringList{};
        QTest::newRow("one line") << QStringList{"Ali"};
    }
    void anEmptyGroupListsNothing() {
        QFETCH(QStringList, lines);
        start(lines);
        toggleSensitive();
        QCOMPARE(items(), QStringList());
        QTest::mouseClick(Form1->numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(items(), QStringList());
    }

    void switchingOffKeepsModeAndContact() {
        start(Three);
        toggleSensitive();
        pick(2);
        toggleSensitive();
        QVERIFY(!Form1->sensitiveChoice->isVisible());
        QVERIFY(Form1->searchField->isVisible());
        QVERIFY(!Form1->numberSearchField->isVisible());
        QVERIFY(Form1->nameMode->isChecked());
        QVERIFY(Form1->searchButton->isEnabled() && Form1->nextButton->isEnabled());
        QCOMPARE(fields(), (QStringList{"Zeki", "Su", "0534", "0534"}));
        toggleSensitive();
        QTest::mouseClick(Form1->numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        toggleSensitive();
        QVERIFY(Form1->numberSearchField->isVisible());
        QVERIFY(Form1->numberMode->isChecked());
    }

    void editAndDeleteActOnTheChosenContactAndTakeTheListAnew() {
        start({"Zeki", "Su", "0534", "Ali", "Kaya", "0533", "ayşe", "Er", "0532"});
        toggleSensitive();
        pick(2);  // Zeki, the file's first contact
        Form1->nameField->setText("Bora");
        Form1->Timer1Timer();
        QTest::mouseClick(Form1->editButton, Qt::LeftButton);
        QCOMPARE(file(), fileBytes({"Ali", "Kaya", "0533", "ayşe", "Er", "0532", "Bora", "Su", "0534"}));
        QCOMPARE(items(), (QStringList{"Ali", "ayşe", "Bora"}));
        QVERIFY(Form1->sensitiveChoice->isVisible() && Form1->nameMode->isChecked());
        pickFromList(1);
        testhooks::onNextModal([](QDialog*) { QTest::mouseClick(Form11->BitBtn1, Qt::LeftButton); });
        QTest::mouseClick(Form1->deleteButton, Qt::LeftButton);
        QCOMPARE(file(), fileBytes({"Ali", "Kaya", "0533", "Bora", "Su", "0534"}));
        QCOMPARE(items(), (QStringList{"Ali", "Bora"}));
    }

    void aSaveLeavesTheListButEveryEntryStillShowsItsContact() {
        start(Three);
        toggleSensitive();
        Form1->takeContact("Ahmet", "Yeni", "0500");
        Form1->Timer1Timer();
        QTest::mouseClick(Form1->saveButton, Qt::LeftButton);  // lands first: every contact moves on
        QCOMPARE(items(), (QStringList{"Ali", "ayşe", "Zeki"}));
        pickFromList(1);
        QCOMPARE(fields(), (QStringList{"ayşe", "Er", "0532", "0532"}));
        pickFromList(2);
        QCOMPARE(fields(), (QStringList{"Zeki", "Su", "0534", "0534"}));
    }

    void aGroupSwitchTakesTheListAnew() {
        start(Three, {{"İş", {"Ömer", "Öz", "0600", "Can", "Ak", "0601"}}});
        toggleSensitive();
        QTest::mouseClick(Form1->numberMode, Qt::LeftButton, {}, QPoint(6, 8));
        QLineEdit* typed = Form1->groupSelector->lineEdit();
        typed->clear();
        typeText(typed, "İş");
        QVERIFY(Form1->sensitiveCheck->isChecked());
        QVERIFY(Form1->nameMode->isChecked());
        QCOMPARE(items(), (QStringList{"Can", "Ömer"}));
        pick(1);
        QCOMPARE(fields(), (QStringList{"Ömer", "Öz", "0600", "0600"}));
    }
};

TELEFIKA_TEST_MAIN(TestSensitiveSearch)
#include "tst_sensitive.moc"

// The name list: the sorted names, each showing its own contact, the
// hand-over to the main window by the button or a double click, and a group
// without contacts.

#include "app/forms.h"
#include "app/Unit1.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/contactfields.h"
#include "ui/dialogs.h"
#include "windows/isimlistesi.h"
#include "windows/onay.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>

namespace {
const QString GroupFile = QStringLiteral("@Kayıtlar@.vexo");
const QString Empty = QStringLiteral("Veri tabanında İsim Sıralanacak  kayıt bulunmamaktadır!");
const QStringList Three = {"Ali", "Kaya", "0532", "ayşe", "Er", "0533", "Zeki", "Su", "0534"};

QStringList listed() { return Form16->names->stringList(); }
QStringList shown() {
    return {Form16->contactFields->nameEdit->text(), Form16->contactFields->surnameEdit->text(),
            Form16->contactFields->numberEdit->text()};
}
QStringList mainFields() {
    return {Form1->nameField->text(), Form1->surnameField->text(), Form1->numberField->text(),
            Form1->foundNumber->text()};
}
QPoint rowCentre(int row) { return Form16->ListBox1->visualRect(Form16->names->index(row)).center(); }
void clickRow(int row) { QTest::mouseClick(Form16->ListBox1->viewport(), Qt::LeftButton, {}, rowCentre(row)); }
void doubleClickRow(int row) {
    clickRow(row);
    QTest::mouseDClick(Form16->ListBox1->viewport(), Qt::LeftButton, {}, rowCentre(row));
}
QString messages() { return testhooks::messages().join(" | "); }
}  // namespace

class TestNameList : public ProgramTest {
    Q_OBJECT

    void start(const QStringList& lines) {
        home->write("Ayarlar.cnt", fileBytes({"@Kayıtlar@", "@Kayıtlar@"}));
        home->write(GroupFile, fileBytes(lines));
        createForms();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        testhooks::messages().clear();
    }
    // Opens the name list from the menu and acts in it; a window still open
    // afterwards is closed as by its close box.
    static void inNameList(const std::function<void()>& actions) {
        testhooks::onNextModal([=](QDialog*) { actions(); });
        Form1->smListesi1->trigger();
    }

private slots:
    void namesAreListedSortedAndShowTheirContacts() {
        start(Three);
        inNameList([] {
            QCOMPARE(listed(), (QStringList{"Ali", "ayşe", "Zeki"}));
            QCOMPARE(Form16->GroupBox1->title(), "@Kayıtlar@");
            QCOMPARE(Form16->totalLabel->text(), "Toplam Kayıt:3");
            QCOMPARE(Form16->positionLabel->text(), "Aktif    :");
            QVERIFY(!Form16->BitBtn1->isEnabled());
            clickRow(1);
            QCOMPARE(Form16->positionLabel->text(), "Aktif    :2");
            QCOMPARE(shown(), (QStringList{"ayşe", "Er", "0533"}));
            QVERIFY(Form16->BitBtn1->isEnabled());
            // the keyboard chooses as well
            QTest::keyClick(Form16->ListBox1, Qt::Key_Down);
            QCOMPARE(Form16->positionLabel->text(), "Aktif    :3");
            QCOMPARE(shown(), (QStringList{"Zeki", "Su", "0534"}));
        });
        QCOMPARE(testhooks::modalWindows(), QStringList{"İsim Listesi"});
        QCOMPARE(Form16->size(), QSize(358, 290));
        QCOMPARE(mainFields(), (QStringList{"", "", "", ""}));  // closing hands over nothing
        QCOMPARE(shown(), (QStringList{"", "", ""}));
    }

    void theFirstArrowKeyChoosesTheFirstName() {
        start(Three);
        inNameList([] {
            QTest::keyClick(Form16->ListBox1, Qt::Key_Down);
            QCOMPARE(Form16->positionLabel->text(), "Aktif    :1");
            QCOMPARE(shown(), (QStringList{"Ali", "Kaya", "0532"}));
        });
    }

    // A group file out of name order (taken in from elsewhere, or written
    // by hand): every name still shows its own contact.
    void everyNameShowsItsOwnContact_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("name order") << Three << QStringList{"Ali", "ayşe", "Zeki"};
        QTest::newRow("out of order") << QStringList{"Zeki", "Su", "0534", "Ali", "Kaya", "0532", "ayşe", "Er", "0533"}
                                      << QStringList{"Ali", "ayşe", "Zeki"};
        QTest::newRow("equal names")
            << QStringList{"Ali", "Kaya", "0532", "Veli", "Ak", "0540", "ali", "Er", "0533", "ALİ", "Su", "0534"}
            << QStringList{"Ali", "ali", "ALİ", "Veli"};
    }
    void everyNameShowsItsOwnContact() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, names);
        start(lines);
        inNameList([&] {
            QCOMPARE(listed(), names);
            for (int row = 0; row < names.size(); ++row) {
                clickRow(row);
                const int at = lines.indexOf(shown()[2]) - 2;  // its contact in the file
                QVERIFY(at >= 0);
                QCOMPARE(shown(), lines.mid(at, 3));
                QCOMPARE(shown()[0], names[row]);
            }
        });
    }

    void theButtonHandsOverAndCloses() {
        start({"Zeki", "Su", "0534", "Ali", "Kaya", "0532"});
        Form1->searchField->setText("kept");
        inNameList([] {
            clickRow(1);  // Zeki, the file's first contact
            QTest::mouseClick(Form16->BitBtn1, Qt::LeftButton);
            QVERIFY(!Form16->isVisible());
        });
        QCOMPARE(mainFields(), (QStringList{"Zeki", "Su", "0534", "0534"}));
        QCOMPARE(Form1->searchField->text(), "kept");
        // "Düzelt" then changes that contact, and "Sil" deletes it
        Form1->surnameField->setText("Sürer");
        Form1->Timer1Timer();
        QTest::mouseClick(Form1->editButton, Qt::LeftButton);
        QCOMPARE(home->read(GroupFile), fileBytes({"Ali", "Kaya", "0532", "Zeki", "Sürer", "0534"}));
        inNameList([] { doubleClickRow(1); });
        QCOMPARE(mainFields(), (QStringList{"Zeki", "Sürer", "0534", "0534"}));
        testhooks::onNextModal([](QDialog*) { QTest::mouseClick(Form11->BitBtn1, Qt::LeftButton); });
        QTest::mouseClick(Form1->deleteButton, Qt::LeftButton);
        QCOMPARE(home->read(GroupFile), fileBytes({"Ali", "Kaya", "0532"}));
    }

    void reopeningStartsWithNothingChosen() {
        start(Three);
        inNameList([] { doubleClickRow(2); });
        QCOMPARE(mainFields(), (QStringList{"Zeki", "Su", "0534", "0534"}));
        inNameList([] {
            QCOMPARE(Form16->positionLabel->text(), "Aktif    :");
            QVERIFY(!Form16->BitBtn1->isEnabled());
            QVERIFY(!Form16->ListBox1->selectionModel()->hasSelection());
            QCOMPARE(shown(), (QStringList{"", "", ""}));
        });
    }

    void aDoubleClickBelowTheNamesBeforeAnyChoiceEmptiesTheFields() {
        start(Three);
        Form1->takeContact("Can", "Ak", "0555");
        inNameList([] {
            const QPoint below(20, Form16->ListBox1->viewport()->height() - 5);
            QTest::mouseDClick(Form16->ListBox1->viewport(), Qt::LeftButton, {}, below);
            QVERIFY(!Form16->isVisible());
        });
        QCOMPARE(mainFields(), (QStringList{"", "", "", ""}));
    }

    void aGroupWithoutContacts_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("no line") << QStringList{};
        QTest::newRow("one line") << QStringList{"Ali"};
    }
    void aGroupWithoutContacts() {
        QFETCH(QStringList, lines);
        start(Three);
        inNameList([] {});  // a full list first: the empty group must empty it
        home->write(GroupFile, fileBytes(lines));
        Form1->activateGroup("@Kayıtlar@");
        Form1->smListesi1->trigger();
        QCOMPARE(messages(), Empty);
        QCOMPARE(testhooks::modalWindows(), QStringList{"İsim Listesi"});  // only the first opening
        QCOMPARE(listed(), QStringList());
        QCOMPARE(Form16->totalLabel->text(), "Toplam Kayıt:0");
        QCOMPARE(Form16->positionLabel->text(), "Aktif    :");
    }
};

TELEFIKA_TEST_MAIN(TestNameList)
#include "tst_isimlistesi.moc"

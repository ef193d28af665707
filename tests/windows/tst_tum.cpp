// The record browser: walks through a group, the hand-over to the main
// window, closing and reopening, and a group that shrinks while it is open.

#include "app/forms.h"
#include "app/Unit1.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/contactfields.h"
#include "ui/dialogs.h"
#include "windows/onay.h"
#include "windows/tum.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString GroupFile = QStringLiteral("@Kayıtlar@.vexo");
const QString Nothing = QStringLiteral("Veri tabanında taranabilecek bir kayıt bulunmamaktadır!");
const QString AtStart = QStringLiteral("Kayıtların Başındasınız!");
const QString AtEnd = QStringLiteral("Kayıtların Sonundasınız!");
const QStringList Four = {"Ali", "Kaya", "0532", "Can", "Er", "0533", "Deniz", "Su", "0534", "Veli", "Ak", "0535"};

QString counter(int k) { return QStringLiteral("Şu anda %1.kişidesiniz").arg(k); }
QStringList shown() {
    return {Form3->contactFields->nameEdit->text(), Form3->contactFields->surnameEdit->text(),
            Form3->contactFields->numberEdit->text()};
}
QStringList mainFields() {
    return {Form1->nameField->text(), Form1->surnameField->text(), Form1->numberField->text(),
            Form1->foundNumber->text()};
}
void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
QString messages() { return testhooks::messages().join(" | "); }
}  // namespace

class TestRecordBrowser : public ProgramTest {
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
    // Ctrl+T in the main window, as a user opens it.
    static void open() {
        Form1->activateWindow();
        QTest::keyClick(Form1, Qt::Key_T, Qt::ControlModifier);
    }

private slots:
    void opensOnTheFirstContact() {
        start(Four);
        open();
        QVERIFY(Form3->isVisible());
        QVERIFY(!Form3->isModal());
        QCOMPARE(shown(), (QStringList{"Ali", "Kaya", "0532"}));
        QCOMPARE(Form3->totalLabel->text(), "Toplam 4 kişi kayıtlı");
        QCOMPARE(Form3->counterLabel->text(), counter(1));
        QCOMPARE(Form3->browserPosition(), 0);
        QTRY_COMPARE(QApplication::focusWidget(), Form3->SpeedButton2);
        QCOMPARE(Form3->size(), QSize(253, 249));
        QCOMPARE(messages(), QString());
    }

    void oneContact() {
        start({"Ali", "Kaya", "0532"});
        open();
        click(Form3->SpeedButton1);
        click(Form3->SpeedButton2);
        QCOMPARE(testhooks::messages(), (QStringList{AtStart, AtEnd}));
        Form3->contactFields->clear();
        click(Form3->SpeedButton3);
        QCOMPARE(shown(), (QStringList{"Ali", "Kaya", "0532"}));
        Form3->contactFields->clear();
        click(Form3->SpeedButton4);  // nothing, and no message
        QCOMPARE(shown(), (QStringList{"", "", ""}));
        QCOMPARE(testhooks::messages().size(), 2);
        QCOMPARE(Form3->counterLabel->text(), counter(1));
    }

    void fourContacts() {
        start(Four);
        open();
        click(Form3->SpeedButton4);
        QCOMPARE(shown(), (QStringList{"Veli", "Ak", "0535"}));
        QCOMPARE(Form3->counterLabel->text(), counter(4));
        click(Form3->SpeedButton1);
        QCOMPARE(shown(), (QStringList{"Deniz", "Su", "0534"}));
        QCOMPARE(Form3->counterLabel->text(), counter(3));
        click(Form3->SpeedButton2);
        QCOMPARE(Form3->counterLabel->text(), counter(4));
        click(Form3->SpeedButton2);
        QCOMPARE(messages(), AtEnd);
        QCOMPARE(shown(), (QStringList{"Veli", "Ak", "0535"}));
        click(Form3->SpeedButton3);
        QCOMPARE(shown(), (QStringList{"Ali", "Kaya", "0532"}));
        QCOMPARE(Form3->browserPosition(), 0);
        QCOMPARE(mainFields(), (QStringList{"", "", "", ""}));  // no transfer without the box
    }

    void theTransferFollowsEveryStep() {
        start(Four);
        Form1->searchField->setText("kept");
        open();
        click(Form3->SpeedButton2);
        QCOMPARE(mainFields(), (QStringList{"", "", "", ""}));
        click(Form3->CheckBox1);  // checking it hands over the contact shown at once
        QCOMPARE(mainFields(), (QStringList{"Can", "Er", "0533", "0533"}));
        click(Form3->SpeedButton4);
        QCOMPARE(mainFields(), (QStringList{"Veli", "Ak", "0535", "0535"}));
        click(Form3->SpeedButton1);
        QCOMPARE(mainFields(), (QStringList{"Deniz", "Su", "0534", "0534"}));
        QCOMPARE(Form1->searchField->text(), "kept");
        click(Form3->CheckBox1);  // unchecking hands over nothing
        click(Form3->SpeedButton3);
        QCOMPARE(mainFields(), (QStringList{"Deniz", "Su", "0534", "0534"}));
    }

    void editAndDeleteActOnTheTransferredContact() {
        start(Four);
        open();
        click(Form3->CheckBox1);
        click(Form3->SpeedButton2);
        Form1->surnameField->setText("Erdem");
        Form1->Timer1Timer();
        click(Form1->editButton);
        QCOMPARE(home->read(GroupFile),
                 fileBytes({"Ali", "Kaya", "0532", "Can", "Erdem", "0533", "Deniz", "Su", "0534", "Veli", "Ak", "0535"}));
        click(Form3->SpeedButton2);  // Deniz
        testhooks::onNextModal([](QDialog*) { click(Form11->BitBtn1); });
        click(Form1->deleteButton);
        QCOMPARE(home->read(GroupFile),
                 fileBytes({"Ali", "Kaya", "0532", "Can", "Erdem", "0533", "Veli", "Ak", "0535"}));
    }

    void closingStartsOverAtTheFirstContact_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Çıkış") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("Esc") << 2;
    }
    void closingStartsOverAtTheFirstContact() {
        QFETCH(int, how);
        start(Four);
        open();
        click(Form3->CheckBox1);
        click(Form3->SpeedButton4);
        if (how == 0) click(Form3->BitBtn1);
        else if (how == 1) Form3->close();
        else QTest::keyClick(Form3, Qt::Key_Escape);
        QVERIFY(!Form3->isVisible());
        QCOMPARE(shown(), (QStringList{"", "", ""}));
        QCOMPARE(Form3->counterLabel->text(), counter(1));
        QCOMPARE(Form3->totalLabel->text(), "Toplam 4 kişi kayıtlı");
        QVERIFY(!Form3->CheckBox1->isChecked());
        QCOMPARE(mainFields(), (QStringList{"Veli", "Ak", "0535", "0535"}));  // the close hands over nothing
        open();
        QCOMPARE(shown(), (QStringList{"Ali", "Kaya", "0532"}));
        QCOMPARE(Form3->browserPosition(), 0);
        click(Form3->SpeedButton2);
        QCOMPARE(shown(), (QStringList{"Can", "Er", "0533"}));
    }

    void openingAgainRefreshesWithoutMoving() {
        start(Four);
        open();
        click(Form3->SpeedButton2);
        click(Form3->SpeedButton2);
        Form1->nameField->setText("Ayşe");
        Form1->numberField->setText("0500");
        Form1->Timer1Timer();
        click(Form1->saveButton);  // lands first: the third contact is now Can
        open();
        QCOMPARE(Form3->totalLabel->text(), "Toplam 5 kişi kayıtlı");
        QCOMPARE(shown(), (QStringList{"Can", "Er", "0533"}));
        QCOMPARE(Form3->counterLabel->text(), counter(3));
        QCOMPARE(Form3->browserPosition(), 6);
    }

    void anEmptyGroupIsNotBrowsed() {
        start({});
        open();
        QCOMPARE(messages(), Nothing);
        QVERIFY(!Form3->isVisible());
        QCOMPARE(Form3->totalLabel->text(), "Toplam");
    }

    // The group shrinks under the open browser: a step or an opening goes on
    // from the last contact instead of reading past the end.
    void aShrunkGroupKeepsThePositionWithin_data() {
        QTest::addColumn<int>("button");  // 0 opening again, 1 "<", 2 ">", 3 "<<", 4 ">>"
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("message");
        QTest::newRow("opening again") << 0 << QStringList{"Can", "Er", "0533"} << 2 << "";
        QTest::newRow("<") << 1 << QStringList{"Ali", "Kaya", "0532"} << 1 << "";
        QTest::newRow(">") << 2 << QStringList{"Can", "Er", "0533"} << 2 << AtEnd;
        QTest::newRow("<<") << 3 << QStringList{"Ali", "Kaya", "0532"} << 1 << "";
        QTest::newRow(">>") << 4 << QStringList{"Can", "Er", "0533"} << 2 << "";
    }
    void aShrunkGroupKeepsThePositionWithin() {
        QFETCH(int, button);
        QFETCH(QStringList, after);
        QFETCH(int, count);
        QFETCH(QString, message);
        start(Four);
        open();
        click(Form3->CheckBox1);
        click(Form3->SpeedButton4);  // Veli, the fourth
        // Veli and Deniz deleted in the main window
        for (const char* number : {"0535", "0534"}) {
            Form1->numberField->setText(number);
            testhooks::onNextModal([](QDialog*) { click(Form11->BitBtn1); });
            Form1->Timer1Timer();
            click(Form1->deleteButton);
        }
        testhooks::messages().clear();
        QList<QAbstractButton*> buttons = {nullptr, Form3->SpeedButton1, Form3->SpeedButton2, Form3->SpeedButton3,
                                           Form3->SpeedButton4};
        if (button == 0) open();
        else click(buttons[button]);
        QCOMPARE(messages(), message);
        QCOMPARE(shown(), after);
        QCOMPARE(Form3->counterLabel->text(), counter(count));
        QCOMPARE(Form3->browserPosition(), 3 * (count - 1));
        QCOMPARE(mainFields(), after + QStringList{after[2]});
        QVERIFY(Form3->isVisible());
    }

    void aGroupSwitchedUnderTheBrowser() {
        start(Four, {{"İş", {"Zeki", "Öz", "0600"}}});
        open();
        click(Form3->SpeedButton4);
        QLineEdit* typed = Form1->groupSelector->lineEdit();
        typed->clear();
        typeText(typed, "İş");
        click(Form3->SpeedButton1);
        QCOMPARE(messages(), AtStart);  // the last, and only, contact: nothing before it
        QCOMPARE(shown(), (QStringList{"Zeki", "Öz", "0600"}));
        QCOMPARE(Form3->counterLabel->text(), counter(1));
    }

    void aGroupEmptiedUnderTheBrowserClosesIt_data() {
        QTest::addColumn<int>("button");
        for (int b = 0; b <= 4; ++b) QTest::newRow(qPrintable(QString::number(b))) << b;
    }
    void aGroupEmptiedUnderTheBrowserClosesIt() {
        QFETCH(int, button);
        start({"Ali", "Kaya", "0532"});
        open();
        Form1->numberField->setText("0532");
        testhooks::onNextModal([](QDialog*) { click(Form11->BitBtn1); });
        Form1->Timer1Timer();
        click(Form1->deleteButton);
        testhooks::messages().clear();
        QList<QAbstractButton*> buttons = {nullptr, Form3->SpeedButton1, Form3->SpeedButton2, Form3->SpeedButton3,
                                           Form3->SpeedButton4};
        if (button == 0) open();
        else click(buttons[button]);
        QCOMPARE(messages(), Nothing);
        QVERIFY(!Form3->isVisible());
        QCOMPARE(Form3->browserPosition(), 0);
    }

    void aShortLastContactShowsWhatItHas() {
        start({"Ali", "Kaya", "0532", "Veli"});
        open();
        QCOMPARE(Form3->totalLabel->text(), "Toplam 1 kişi kayıtlı");
        click(Form3->SpeedButton4);
        QCOMPARE(shown(), (QStringList{"Veli", "", ""}));
        QCOMPARE(Form3->counterLabel->text(), counter(2));
        click(Form3->SpeedButton2);
        QCOMPARE(messages(), AtEnd);
    }
};

TELEFIKA_TEST_MAIN(TestRecordBrowser)
#include "tst_tum.moc"

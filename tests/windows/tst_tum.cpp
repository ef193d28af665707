// The record browser: walks through a group, the hand-over to the main
// window, closing and reopening, and a group that shrinks while it is open.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/datafolder.h"
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

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QString GroupFile = datafolder::DefaultGroup + datafolder::GroupExtension;
const QString Nothing = QStringLiteral("Veri tabanında taranabilecek bir kayıt bulunmamaktadır!");
const QString AtStart = QStringLiteral("Kayıtların Başındasınız!");
const QString AtEnd = QStringLiteral("Kayıtların Sonundasınız!");
const QStringList Four = {u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Er"_s, u"0533"_s, u"Deniz"_s, u"Su"_s, u"0534"_s, u"Veli"_s, u"Ak"_s, u"0535"_s};

QString counter(int k) { return QStringLiteral("Şu anda %1.kişidesiniz").arg(k); }
void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
QString messages() { return testhooks::messages().join(u" | "_s); }
}  // namespace

class TestRecordBrowser : public ProgramTest {
    Q_OBJECT

    // "Araçlar" > "Tarayıcı" (Ctrl+T), also while the browser is open and active.
    static void open() { mainWindow().browserAction->trigger(); }

private slots:
    void opensOnTheFirstContact() {
        STOP_IF_FAILED(startWithContacts(Four, Window::Active));
        open();
        QVERIFY(Form3->isVisible());
        QVERIFY(!Form3->isModal());
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s}));
        QCOMPARE(Form3->totalLabel->text(), u"Toplam 4 kişi kayıtlı"_s);
        QCOMPARE(Form3->counterLabel->text(), counter(1));
        QCOMPARE(Form3->browserPosition(), 0);
        QTRY_COMPARE(QApplication::focusWidget(), Form3->forwardButton);
        QCOMPARE(Form3->size(), QSize(253, 249));
        QCOMPARE(messages(), QString());
    }

    void oneContact() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s}, Window::Active));
        open();
        click(Form3->backButton);
        click(Form3->forwardButton);
        QCOMPARE(testhooks::messages(), (QStringList{AtStart, AtEnd}));
        Form3->contactFields->clear();
        click(Form3->firstButton);
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s}));
        Form3->contactFields->clear();
        click(Form3->lastButton);  // nothing, and no message
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u""_s, u""_s, u""_s}));
        QCOMPARE(testhooks::messages().size(), 2);
        QCOMPARE(Form3->counterLabel->text(), counter(1));
    }

    void fourContacts() {
        STOP_IF_FAILED(startWithContacts(Four, Window::Active));
        open();
        click(Form3->lastButton);
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u"Veli"_s, u"Ak"_s, u"0535"_s}));
        QCOMPARE(Form3->counterLabel->text(), counter(4));
        click(Form3->backButton);
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u"Deniz"_s, u"Su"_s, u"0534"_s}));
        QCOMPARE(Form3->counterLabel->text(), counter(3));
        click(Form3->forwardButton);
        QCOMPARE(Form3->counterLabel->text(), counter(4));
        click(Form3->forwardButton);
        QCOMPARE(messages(), AtEnd);
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u"Veli"_s, u"Ak"_s, u"0535"_s}));
        click(Form3->firstButton);
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s}));
        QCOMPARE(Form3->browserPosition(), 0);
        QCOMPARE(mainFields(), (QStringList{u""_s, u""_s, u""_s, u""_s}));  // no transfer without the box
    }

    void theTransferFollowsEveryStep() {
        STOP_IF_FAILED(startWithContacts(Four, Window::Active));
        mainWindow().searchField->setText(u"kept"_s);
        open();
        click(Form3->forwardButton);
        QCOMPARE(mainFields(), (QStringList{u""_s, u""_s, u""_s, u""_s}));
        click(Form3->transferCheck);  // checking it hands over the contact shown at once
        QCOMPARE(mainFields(), (QStringList{u"Can"_s, u"Er"_s, u"0533"_s, u"0533"_s}));
        click(Form3->lastButton);
        QCOMPARE(mainFields(), (QStringList{u"Veli"_s, u"Ak"_s, u"0535"_s, u"0535"_s}));
        click(Form3->backButton);
        QCOMPARE(mainFields(), (QStringList{u"Deniz"_s, u"Su"_s, u"0534"_s, u"0534"_s}));
        QCOMPARE(mainWindow().searchField->text(), u"kept"_s);
        click(Form3->transferCheck);  // unchecking hands over nothing
        click(Form3->firstButton);
        QCOMPARE(mainFields(), (QStringList{u"Deniz"_s, u"Su"_s, u"0534"_s, u"0534"_s}));
    }

    void editAndDeleteActOnTheTransferredContact() {
        STOP_IF_FAILED(startWithContacts(Four, Window::Active));
        open();
        click(Form3->transferCheck);
        click(Form3->forwardButton);
        mainWindow().surnameField->setText(u"Erdem"_s);
        STOP_IF_FAILED(nextTick());
        click(mainWindow().editButton);
        QCOMPARE(home->read(GroupFile),
                 fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Erdem"_s, u"0533"_s, u"Deniz"_s, u"Su"_s, u"0534"_s, u"Veli"_s, u"Ak"_s, u"0535"_s}));
        click(Form3->forwardButton);  // Deniz
        testhooks::onNextModal([](QDialog*) { click(Form11->yesButton); });
        click(mainWindow().deleteButton);
        QCOMPARE(home->read(GroupFile),
                 fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Erdem"_s, u"0533"_s, u"Veli"_s, u"Ak"_s, u"0535"_s}));
    }

    void closingStartsOverAtTheFirstContact_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Çıkış") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("Esc") << 2;
    }
    void closingStartsOverAtTheFirstContact() {
        QFETCH(int, how);
        STOP_IF_FAILED(startWithContacts(Four, Window::Active));
        open();
        click(Form3->transferCheck);
        click(Form3->lastButton);
        if (how == 0) click(Form3->exitButton);
        else if (how == 1) Form3->close();
        else QTest::keyClick(Form3, Qt::Key_Escape);
        QVERIFY(!Form3->isVisible());
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u""_s, u""_s, u""_s}));
        QCOMPARE(Form3->counterLabel->text(), counter(1));
        QCOMPARE(Form3->totalLabel->text(), u"Toplam 4 kişi kayıtlı"_s);
        QVERIFY(!Form3->transferCheck->isChecked());
        QCOMPARE(mainFields(), (QStringList{u"Veli"_s, u"Ak"_s, u"0535"_s, u"0535"_s}));  // the close hands over nothing
        open();
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s}));
        QCOMPARE(Form3->browserPosition(), 0);
        click(Form3->forwardButton);
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u"Can"_s, u"Er"_s, u"0533"_s}));
    }

    void openingAgainRefreshesWithoutMoving() {
        STOP_IF_FAILED(startWithContacts(Four, Window::Active));
        open();
        click(Form3->forwardButton);
        click(Form3->forwardButton);
        mainWindow().nameField->setText(u"Ayşe"_s);
        mainWindow().numberField->setText(u"0500"_s);
        STOP_IF_FAILED(nextTick());
        click(mainWindow().saveButton);  // lands first: the third contact is now Can
        open();
        QCOMPARE(Form3->totalLabel->text(), u"Toplam 5 kişi kayıtlı"_s);
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u"Can"_s, u"Er"_s, u"0533"_s}));
        QCOMPARE(Form3->counterLabel->text(), counter(3));
        QCOMPARE(Form3->browserPosition(), 6);
    }

    void anEmptyGroupIsNotBrowsed() {
        STOP_IF_FAILED(startWithContacts({}, Window::Active));
        open();
        QCOMPARE(messages(), Nothing);
        QVERIFY(!Form3->isVisible());
        QCOMPARE(Form3->totalLabel->text(), u"Toplam"_s);
    }

    // The group shrinks under the open browser: a step or an opening goes on
    // from the last contact instead of reading past the end.
    void aShrunkGroupKeepsThePositionWithin_data() {
        QTest::addColumn<int>("button");  // 0 opening again, 1 "<", 2 ">", 3 "<<", 4 ">>"
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("message");
        QTest::newRow("opening again") << 0 << QStringList{u"Can"_s, u"Er"_s, u"0533"_s} << 2 << "";
        QTest::newRow("<") << 1 << QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s} << 1 << "";
        QTest::newRow(">") << 2 << QStringList{u"Can"_s, u"Er"_s, u"0533"_s} << 2 << AtEnd;
        QTest::newRow("<<") << 3 << QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s} << 1 << "";
        QTest::newRow(">>") << 4 << QStringList{u"Can"_s, u"Er"_s, u"0533"_s} << 2 << "";
    }
    void aShrunkGroupKeepsThePositionWithin() {
        QFETCH(int, button);
        QFETCH(QStringList, after);
        QFETCH(int, count);
        QFETCH(QString, message);
        STOP_IF_FAILED(startWithContacts(Four, Window::Active));
        open();
        click(Form3->transferCheck);
        click(Form3->lastButton);  // Veli, the fourth
        // Veli and Deniz deleted in the main window
        for (const QString& number : {u"0535"_s, u"0534"_s}) {
            mainWindow().numberField->setText(number);
            testhooks::onNextModal([](QDialog*) { click(Form11->yesButton); });
            STOP_IF_FAILED(nextTick());
            click(mainWindow().deleteButton);
        }
        testhooks::messages().clear();
        QList<QAbstractButton*> buttons = {nullptr, Form3->backButton, Form3->forwardButton, Form3->firstButton,
                                           Form3->lastButton};
        if (button == 0) open();
        else click(buttons[button]);
        QCOMPARE(messages(), message);
        QCOMPARE(shownIn(Form3->contactFields), after);
        QCOMPARE(Form3->counterLabel->text(), counter(count));
        QCOMPARE(Form3->browserPosition(), 3 * (count - 1));
        QCOMPARE(mainFields(), after + QStringList{after[2]});
        QVERIFY(Form3->isVisible());
    }

    void aGroupSwitchedUnderTheBrowser() {
        STOP_IF_FAILED(startWith({Default, Default, u"İş"_s},
                                 {{Default, fileBytes(Four)}, {u"İş"_s, fileBytes({u"Zeki"_s, u"Öz"_s, u"0600"_s})}}, Window::Active));
        open();
        click(Form3->lastButton);
        QLineEdit* typed = mainWindow().groupSelector->lineEdit();
        typed->clear();
        typeText(typed, u"İş"_s);
        click(Form3->backButton);
        QCOMPARE(messages(), AtStart);  // the last, and only, contact: nothing before it
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u"Zeki"_s, u"Öz"_s, u"0600"_s}));
        QCOMPARE(Form3->counterLabel->text(), counter(1));
    }

    void aGroupEmptiedUnderTheBrowserClosesIt_data() {
        QTest::addColumn<int>("button");
        for (int b = 0; b <= 4; ++b) QTest::newRow(qPrintable(QString::number(b))) << b;
    }
    void aGroupEmptiedUnderTheBrowserClosesIt() {
        QFETCH(int, button);
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s}, Window::Active));
        open();
        mainWindow().numberField->setText(u"0532"_s);
        testhooks::onNextModal([](QDialog*) { click(Form11->yesButton); });
        STOP_IF_FAILED(nextTick());
        click(mainWindow().deleteButton);
        testhooks::messages().clear();
        QList<QAbstractButton*> buttons = {nullptr, Form3->backButton, Form3->forwardButton, Form3->firstButton,
                                           Form3->lastButton};
        if (button == 0) open();
        else click(buttons[button]);
        QCOMPARE(messages(), Nothing);
        QVERIFY(!Form3->isVisible());
        QCOMPARE(Form3->browserPosition(), 0);
    }

    void aShortLastContactShowsWhatItHas() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Veli"_s}, Window::Active));
        open();
        QCOMPARE(Form3->totalLabel->text(), u"Toplam 1 kişi kayıtlı"_s);
        click(Form3->lastButton);
        QCOMPARE(shownIn(Form3->contactFields), (QStringList{u"Veli"_s, u""_s, u""_s}));
        QCOMPARE(Form3->counterLabel->text(), counter(2));
        click(Form3->forwardButton);
        QCOMPARE(messages(), AtEnd);
    }
};

TELEFIKA_TEST_MAIN(TestRecordBrowser)
#include "tst_tum.moc"


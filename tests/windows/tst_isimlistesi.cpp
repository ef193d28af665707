// The name list: the sorted names, each showing its own contact, the
// hand-over to the main window by the button or a double click, and a group
// without contacts.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/datafolder.h"
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

using namespace Qt::StringLiterals;

namespace {
const QString GroupFile = datafolder::DefaultGroup + datafolder::GroupExtension;
const QString Empty = QStringLiteral("Veri tabanında İsim Sıralanacak  kayıt bulunmamaktadır!");
const QStringList Three = {u"Ali"_s, u"Kaya"_s, u"0532"_s, u"ayşe"_s, u"Er"_s, u"0533"_s, u"Zeki"_s, u"Su"_s, u"0534"_s};

QStringList listed() { return Form16->names->stringList(); }
QPoint rowCentre(int row) { return Form16->nameList->visualRect(Form16->names->index(row)).center(); }
void clickRow(int row) { QTest::mouseClick(Form16->nameList->viewport(), Qt::LeftButton, {}, rowCentre(row)); }
void doubleClickRow(int row) {
    clickRow(row);
    QTest::mouseDClick(Form16->nameList->viewport(), Qt::LeftButton, {}, rowCentre(row));
}
QString messages() { return testhooks::messages().join(u" | "_s); }
}  // namespace

class TestNameList : public ProgramTest {
    Q_OBJECT

    // Opens the name list from the menu and acts in it; a window still open
    // afterwards is closed as by its close box.
    static void inNameList(const std::function<void()>& actions) {
        testhooks::onNextModal([=](QDialog*) { actions(); });
        mainWindow().nameListAction->trigger();
    }

private slots:
    void namesAreListedSortedAndShowTheirContacts() {
        STOP_IF_FAILED(startWithContacts(Three, Window::Exposed));
        inNameList([] {
            QCOMPARE(listed(), (QStringList{u"Ali"_s, u"ayşe"_s, u"Zeki"_s}));
            QCOMPARE(Form16->contactBox->title(), u"@Kayıtlar@"_s);
            QCOMPARE(Form16->totalLabel->text(), u"Toplam Kayıt:3"_s);
            QCOMPARE(Form16->positionLabel->text(), u"Aktif    :"_s);
            QVERIFY(!Form16->transferButton->isEnabled());
            clickRow(1);
            QCOMPARE(Form16->positionLabel->text(), u"Aktif    :2"_s);
            QCOMPARE(shownIn(Form16->contactFields), (QStringList{u"ayşe"_s, u"Er"_s, u"0533"_s}));
            QVERIFY(Form16->transferButton->isEnabled());
            // the keyboard chooses as well
            QTest::keyClick(Form16->nameList, Qt::Key_Down);
            QCOMPARE(Form16->positionLabel->text(), u"Aktif    :3"_s);
            QCOMPARE(shownIn(Form16->contactFields), (QStringList{u"Zeki"_s, u"Su"_s, u"0534"_s}));
        });
        QCOMPARE(testhooks::modalWindows(), QStringList{u"İsim Listesi"_s});
        QCOMPARE(Form16->size(), QSize(358, 290));
        QCOMPARE(mainFields(), (QStringList{u""_s, u""_s, u""_s, u""_s}));  // closing hands over nothing
        QCOMPARE(shownIn(Form16->contactFields), (QStringList{u""_s, u""_s, u""_s}));
    }

    void theFirstArrowKeyChoosesTheFirstName() {
        STOP_IF_FAILED(startWithContacts(Three, Window::Exposed));
        inNameList([] {
            QTest::keyClick(Form16->nameList, Qt::Key_Down);
            QCOMPARE(Form16->positionLabel->text(), u"Aktif    :1"_s);
            QCOMPARE(shownIn(Form16->contactFields), (QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s}));
        });
    }

    // A group file out of name order (taken in from elsewhere, or written
    // by hand): every name still shows its own contact.
    void everyNameShowsItsOwnContact_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("name order") << Three << QStringList{u"Ali"_s, u"ayşe"_s, u"Zeki"_s};
        QTest::newRow("out of order") << QStringList{u"Zeki"_s, u"Su"_s, u"0534"_s, u"Ali"_s, u"Kaya"_s, u"0532"_s, u"ayşe"_s, u"Er"_s, u"0533"_s}
                                      << QStringList{u"Ali"_s, u"ayşe"_s, u"Zeki"_s};
        QTest::newRow("equal names")
            << QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Veli"_s, u"Ak"_s, u"0540"_s, u"ali"_s, u"Er"_s, u"0533"_s, u"ALİ"_s, u"Su"_s, u"0534"_s}
            << QStringList{u"Ali"_s, u"ali"_s, u"ALİ"_s, u"Veli"_s};
    }
    void everyNameShowsItsOwnContact() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, names);
        STOP_IF_FAILED(startWithContacts(lines, Window::Exposed));
        inNameList([&] {
            QCOMPARE(listed(), names);
            for (int row = 0; row < names.size(); ++row) {
                clickRow(row);
                const int at = lines.indexOf(shownIn(Form16->contactFields)[2]) - 2;  // its contact in the file
                QVERIFY(at >= 0);
                QCOMPARE(shownIn(Form16->contactFields), lines.mid(at, 3));
                QCOMPARE(shownIn(Form16->contactFields)[0], names[row]);
            }
        });
    }

    void theButtonHandsOverAndCloses() {
        STOP_IF_FAILED(startWithContacts({u"Zeki"_s, u"Su"_s, u"0534"_s, u"Ali"_s, u"Kaya"_s, u"0532"_s}, Window::Exposed));
        mainWindow().searchField->setText(u"kept"_s);
        inNameList([] {
            clickRow(1);  // Zeki, the file's first contact
            QTest::mouseClick(Form16->transferButton, Qt::LeftButton);
            QVERIFY(!Form16->isVisible());
        });
        QCOMPARE(mainFields(), (QStringList{u"Zeki"_s, u"Su"_s, u"0534"_s, u"0534"_s}));
        QCOMPARE(mainWindow().searchField->text(), u"kept"_s);
        // "Düzelt" then changes that contact, and "Sil" deletes it
        mainWindow().surnameField->setText(u"Sürer"_s);
        STOP_IF_FAILED(nextTick());
        QTest::mouseClick(mainWindow().editButton, Qt::LeftButton);
        QCOMPARE(home->read(GroupFile), fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Zeki"_s, u"Sürer"_s, u"0534"_s}));
        inNameList([] { doubleClickRow(1); });
        QCOMPARE(mainFields(), (QStringList{u"Zeki"_s, u"Sürer"_s, u"0534"_s, u"0534"_s}));
        testhooks::onNextModal([](QDialog*) { QTest::mouseClick(Form11->yesButton, Qt::LeftButton); });
        QTest::mouseClick(mainWindow().deleteButton, Qt::LeftButton);
        QCOMPARE(home->read(GroupFile), fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s}));
    }

    void reopeningStartsWithNothingChosen() {
        STOP_IF_FAILED(startWithContacts(Three, Window::Exposed));
        inNameList([] { doubleClickRow(2); });
        QCOMPARE(mainFields(), (QStringList{u"Zeki"_s, u"Su"_s, u"0534"_s, u"0534"_s}));
        inNameList([] {
            QCOMPARE(Form16->positionLabel->text(), u"Aktif    :"_s);
            QVERIFY(!Form16->transferButton->isEnabled());
            QVERIFY(!Form16->nameList->selectionModel()->hasSelection());
            QCOMPARE(shownIn(Form16->contactFields), (QStringList{u""_s, u""_s, u""_s}));
        });
    }

    void aDoubleClickBelowTheNamesBeforeAnyChoiceEmptiesTheFields() {
        STOP_IF_FAILED(startWithContacts(Three, Window::Exposed));
        Book->handOver(u"Can"_s, u"Ak"_s, u"0555"_s);
        inNameList([] {
            const QPoint below(20, Form16->nameList->viewport()->height() - 5);
            QTest::mouseDClick(Form16->nameList->viewport(), Qt::LeftButton, {}, below);
            QVERIFY(!Form16->isVisible());
        });
        QCOMPARE(mainFields(), (QStringList{u""_s, u""_s, u""_s, u""_s}));
    }

    void aGroupWithoutContacts_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("no line") << QStringList{};
        QTest::newRow("one line") << QStringList{u"Ali"_s};
    }
    void aGroupWithoutContacts() {
        QFETCH(QStringList, lines);
        STOP_IF_FAILED(startWithContacts(Three, Window::Exposed));
        inNameList([] {});  // a full list first: the empty group must empty it
        home->write(GroupFile, fileBytes(lines));
        Book->activateGroup(datafolder::DefaultGroup);
        mainWindow().nameListAction->trigger();
        QCOMPARE(messages(), Empty);
        QCOMPARE(testhooks::modalWindows(), QStringList{u"İsim Listesi"_s});  // only the first opening
        QCOMPARE(listed(), QStringList());
        QCOMPARE(Form16->totalLabel->text(), u"Toplam Kayıt:0"_s);
        QCOMPARE(Form16->positionLabel->text(), u"Aktif    :"_s);
    }
};

TELEFIKA_TEST_MAIN(TestNameList)
#include "tst_isimlistesi.moc"

namespace {
const QString& Default = datafolder::DefaultGroup;
}


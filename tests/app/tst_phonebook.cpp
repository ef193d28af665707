// The phone book of one group, driven as a user drives it: saving in name
// order, searching with "Sonraki", editing, deleting and clearing, with the
// group file checked byte for byte after each step.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/codepage.h"
#include "store/collation.h"
#include "store/datafolder.h"
#include "store/textfile.h"
#include "tests/common/failingdisk.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/onay.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace {
const QString GroupFile = datafolder::DefaultGroup + datafolder::GroupExtension;
const QString Done = QStringLiteral("Kayıt işlemi tamamlandı!!");
const QString Deleted = QStringLiteral("      Kayıt Silindi      ");
const QString NotFound = QStringLiteral("Böyle bir kayıt bulunamadı!");
const QString End = QStringLiteral("        Kayıtların sonu!       ");
const QString EditFirst = QStringLiteral("Düzelmek İçin Önce Kayıt Girin!");
const QString NoSuchNumber = QStringLiteral("Bu numaraya sahip kayıt bulunmamakta!");

QString duplicateMessage(const QString& name, const QString& surname, const QString& number) {
    return QStringLiteral("                       Aynı numaraya sahip başka bir kişi bulundu."
                          "                                                             İsim:") +
           name + u"    Soyad: "_s + surname + u"     Numara: "_s + number;
}
}  // namespace

class TestPhoneBook : public ProgramTest {
    Q_OBJECT

    static void type(QLineEdit* field, const QString& text) {
        field->clear();
        typeText(field, text);
    }
    static void fill(const QString& name, const QString& surname, const QString& number) {
        type(mainWindow().nameField, name);
        type(mainWindow().surnameField, surname);
        type(mainWindow().numberField, number);
    }
    static void save(const QString& name, const QString& surname, const QString& number) {
        fill(name, surname, number);
        QTest::mouseClick(mainWindow().saveButton, Qt::LeftButton);
    }
    static void search(const QString& key) {
        QLineEdit* field = mainWindow().numberMode->isChecked() ? mainWindow().numberSearchField : mainWindow().searchField;
        type(field, key);
        QTest::mouseClick(mainWindow().searchButton, Qt::LeftButton);
    }
    static void click(QPushButton* b) {
        STOP_IF_FAILED(nextTick());
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // "Sil", answered in the confirmation window with the given key.
    static void deleteAnswering(Qt::Key key) {
        testhooks::onNextModal([key](QDialog* d) { QTest::keyClick(d, key); });
        click(mainWindow().deleteButton);
    }
    QByteArray file() const { return home->read(GroupFile); }
    static QStringList fields() {
        return {mainWindow().nameField->text(), mainWindow().surnameField->text(), mainWindow().numberField->text()};
    }
    static QString messages() { return testhooks::messages().join(u" | "_s); }

private slots:
    // ---- saving

    void aFirstContactIsSavedWithItsNameCapitalised() {
        STOP_IF_FAILED(startWithContacts({}, Window::Exposed));
        save(u"ali"_s, u"kaya"_s, u"05321234567"_s);
        QCOMPARE(file(), QByteArray("Ali\r\nkaya\r\n05321234567\r\n"));
        QCOMPARE(messages(), Done);
        QCOMPARE(fields(), (QStringList{u""_s, u""_s, u""_s}));
        QTRY_COMPARE(mainWindow().countLine->text(), u"Toplam Kayıtlı Kişi :1 kişi.."_s);
    }

    void contactsLandInNameOrder() {
        STOP_IF_FAILED(startWithContacts({}, Window::Exposed));
        save(u"Zeynep"_s, u"Z"_s, u"1"_s);
        save(u"Ahmet"_s, u"A"_s, u"2"_s);   // sorts first
        save(u"Mehmet"_s, u"M"_s, u"3"_s);  // lands between
        QCOMPARE(file(), fileBytes({u"Ahmet"_s, u"A"_s, u"2"_s, u"Mehmet"_s, u"M"_s, u"3"_s, u"Zeynep"_s, u"Z"_s, u"1"_s}));
        save(u"AHMET"_s, u"B"_s, u"4"_s);   // an equal name goes ahead of the one already there
        save(u"Çınar"_s, u"Ç"_s, u"5"_s);
        save(u"Ceyda"_s, u"C"_s, u"6"_s);
        QCOMPARE(file(), fileBytes({u"AHMET"_s, u"B"_s, u"4"_s, u"Ahmet"_s, u"A"_s, u"2"_s, u"Ceyda"_s, u"C"_s, u"6"_s, u"Çınar"_s, u"Ç"_s, u"5"_s,
                                    u"Mehmet"_s, u"M"_s, u"3"_s, u"Zeynep"_s, u"Z"_s, u"1"_s}));
        QCOMPARE(texts(Book->nameIndex()).size(), 6);
        QCOMPARE(testhooks::messages().count(Done), 6);
    }

    void theFirstLetterIsNormalised_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("ismail") << "ismail" << "ismail";
        QTest::newRow("Ismail") << "Ismail" << "ismail";
        QTest::newRow("İsmail") << "İsmail" << "ismail";
        QTest::newRow("ısmail") << "ısmail" << "ismail";
        QTest::newRow("şule") << "şule" << "Şule";
        QTest::newRow("çiğdem") << "çiğdem" << "Çiğdem";
        QTest::newRow("ömer") << "ömer" << "Ömer";
        QTest::newRow("âdem") << "âdem" << "Âdem";
        QTest::newRow("digit first") << "1nci" << "1nci";
        QTest::newRow("rest as typed") << "ayŞE" << "AyŞE";
    }
    void theFirstLetterIsNormalised() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        STOP_IF_FAILED(startWithContacts({}, Window::Exposed));
        save(typed, u""_s, u""_s);
        QCOMPARE(file(), fileBytes({stored, u""_s, u""_s}));
    }

    void aSurnameEqualToALaterNameKeepsEveryContactWhole() {
        STOP_IF_FAILED(startWithContacts({}, Window::Exposed));
        save(u"Ahmet"_s, u"Can"_s, u"1"_s);
        save(u"Can"_s, u"Kaya"_s, u"2"_s);
        save(u"Bora"_s, u"Er"_s, u"3"_s);
        QCOMPARE(file(), fileBytes({u"Ahmet"_s, u"Can"_s, u"1"_s, u"Bora"_s, u"Er"_s, u"3"_s, u"Can"_s, u"Kaya"_s, u"2"_s}));
    }

    void aNumberAlreadyHeldIsRefused() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"05321234567"_s, u"Veli"_s, u"Can"_s, u"05339876543"_s}, Window::Exposed));
        const QByteArray before = file();
        save(u"ayşe"_s, u"Er"_s, u"05339876543"_s);
        QCOMPARE(messages(), duplicateMessage(u"Veli"_s, u"Can"_s, u"05339876543"_s));
        QCOMPARE(file(), before);
        QCOMPARE(fields(), (QStringList{u"Ayşe"_s, u"Er"_s, u"05339876543"_s}));  // kept, the name normalised
        QCOMPARE(Book->nameIndex().count(), 2);
    }

    void aNumberEqualToTheFirstNameOrSurnameIsRefusedSafely_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the first name") << "112" << duplicateMessage(u""_s, u""_s, u"112"_s);
        QTest::newRow("the first surname") << "155" << duplicateMessage(u""_s, u"112"_s, u"155"_s);
    }
    void aNumberEqualToTheFirstNameOrSurnameIsRefusedSafely() {
        QFETCH(QString, number);
        QFETCH(QString, shown);
        STOP_IF_FAILED(startWithContacts({u"112"_s, u"155"_s, u"0532"_s, u"Can"_s, u""_s, u"0533"_s}, Window::Exposed));
        const QByteArray before = file();
        save(u"Ali"_s, u""_s, number);
        QCOMPARE(messages(), shown);
        QCOMPARE(file(), before);
        QCOMPARE(Book->recordLines().count(), 6);
    }

    void emptyNumbersCanBeSavedAgainAndAgain() {
        STOP_IF_FAILED(startWithContacts({}, Window::Exposed));
        save(u"Ali"_s, u""_s, u""_s);
        save(u"Ali"_s, u""_s, u""_s);
        save(u"Bora"_s, u"x"_s, u""_s);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u""_s, u""_s, u"Ali"_s, u""_s, u""_s, u"Bora"_s, u"x"_s, u""_s}));
        QCOMPARE(testhooks::messages().count(Done), 3);
    }

    void aOneLineGroupTakesTheContactAfterItsLine() {
        STOP_IF_FAILED(startWithContacts({u"Tek"_s}, Window::Exposed));
        save(u"Ali"_s, u"Kaya"_s, u"5"_s);
        QCOMPARE(file(), fileBytes({u"Tek"_s, u"Ali"_s, u"Kaya"_s, u"5"_s}));
        QCOMPARE(texts(Book->nameIndex()), (QStringList{u"Ali"_s, u"Tek"_s}));
    }

    void anEmptyNameStoresNothing() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u""_s, u"1"_s}, Window::Exposed));
        QFile::remove(home->dataPath(GroupFile));  // any write would bring it back
        save(u""_s, u"Kaya"_s, u"05321234567"_s);
        QVERIFY(!home->has(GroupFile));
        QCOMPARE(Book->recordLines().count(), 3);
        QCOMPARE(Book->nameIndex().count(), 1);
        QCOMPARE(testhooks::messages().size(), 1);
        QVERIFY(!messages().contains(Done));
    }

    void enterInTheNumberFieldSaves() {
        STOP_IF_FAILED(startWithContacts({}, Window::Exposed));
        fill(u"Ali"_s, u""_s, u"0532"_s);
        QTest::keyClick(mainWindow().numberField, Qt::Key_Return);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u""_s, u"0532"_s}));
        QCOMPARE(mainWindow().numberField->text(), QString());
    }

    void aNumberOfElevenBlanksDisablesTheButtons() {
        STOP_IF_FAILED(startWithContacts({}, Window::Exposed));
        mainWindow().numberField->setText(QString(11, QLatin1Char(' ')));  // a merged contact's empty number, shown
        STOP_IF_FAILED(nextTick());
        QVERIFY(!mainWindow().saveButton->isEnabled() && !mainWindow().editButton->isEnabled() && !mainWindow().deleteButton->isEnabled());
        mainWindow().numberField->setText(u"1"_s);
        STOP_IF_FAILED(nextTick());
        QVERIFY(mainWindow().saveButton->isEnabled() && mainWindow().editButton->isEnabled() && mainWindow().deleteButton->isEnabled());
    }

    // ---- searching

    void aNameIsFoundByItsWholeLine() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Veli"_s, u"Er"_s, u"0533"_s}, Window::Exposed));
        search(u"ali"_s);
        QCOMPARE(fields(), (QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s}));
        QCOMPARE(mainWindow().foundNumber->text(), u"0532"_s);
        QCOMPARE(QApplication::focusWidget(), mainWindow().searchField);
        search(u"Al"_s);
        QCOMPARE(messages(), NotFound);
        QCOMPARE(fields(), (QStringList{u""_s, u""_s, u""_s}));
        QCOMPARE(mainWindow().searchField->text(), QString());
        QCOMPARE(mainWindow().foundNumber->text(), u"0532"_s);  // a failed lookup keeps it
    }

    void sonrakiStepsThroughEqualNamesWithoutWrapping() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"A"_s, u"1"_s, u"Ali"_s, u"B"_s, u"2"_s, u"Ali"_s, u"C"_s, u"3"_s, u"Veli"_s, u"D"_s, u"4"_s}, Window::Exposed));
        search(u"Ali"_s);
        QCOMPARE(fields(), (QStringList{u"Ali"_s, u"A"_s, u"1"_s}));
        search(u"Ali"_s);  // NameField shows Ali now: "Sonraki" goes on from the first Ali
        click(mainWindow().nextButton);
        QCOMPARE(fields(), (QStringList{u"Ali"_s, u"B"_s, u"2"_s}));
        QCOMPARE(mainWindow().foundNumber->text(), u"2"_s);
        click(mainWindow().nextButton);
        QCOMPARE(fields(), (QStringList{u"Ali"_s, u"C"_s, u"3"_s}));
        click(mainWindow().nextButton);
        click(mainWindow().nextButton);
        QCOMPARE(testhooks::messages(), (QStringList{End, End}));
        QCOMPARE(fields(), (QStringList{u"Ali"_s, u"C"_s, u"3"_s}));
    }

    void searchingFromAnEmptyNameShowsTheFirstMatchTwice() {
        STOP_IF_FAILED(startWithContacts({u"Ahmet"_s, u"A"_s, u"1"_s, u"Ali"_s, u"B"_s, u"2"_s, u"Ali"_s, u"C"_s, u"3"_s}, Window::Exposed));
        search(u"ali"_s);
        QCOMPARE(fields(), (QStringList{u"Ali"_s, u"B"_s, u"2"_s}));
        click(mainWindow().nextButton);
        QCOMPARE(fields(), (QStringList{u"Ali"_s, u"B"_s, u"2"_s}));
        click(mainWindow().nextButton);
        QCOMPARE(fields(), (QStringList{u"Ali"_s, u"C"_s, u"3"_s}));
    }

    void aNumberSearchTakesTheLineForANumberWhereverItStands() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"5055"_s, u"Er"_s, u"0533"_s, u"Can"_s, u"Ak"_s, u"5055"_s}, Window::Exposed));
        mainWindow().numberMode->setChecked(true);
        QVERIFY(mainWindow().numberSearchField->isVisible());
        search(u"5055"_s);  // the first equal line is a name
        QCOMPARE(fields(), (QStringList{u"Kaya"_s, u"0532"_s, u"5055"_s}));
        search(u"0533"_s);
        QCOMPARE(fields(), (QStringList{u"5055"_s, u"Er"_s, u"0533"_s}));
        QCOMPARE(QApplication::focusWidget(), mainWindow().numberSearchField);
    }

    void lookupsThatNeedLinesOutsideTheGroupStopWithAnIndexError() {
        STOP_IF_FAILED(startWithContacts({u"0532"_s, u"Kaya"_s, u"0533"_s, u"Veli"_s, u"Er"_s}, Window::Exposed));
        search(u"Veli"_s);  // a name on one of the last two lines
        QCOMPARE(messages(), u"List index out of bounds (5)"_s);
        QCOMPARE(mainWindow().nameField->text(), u"Veli"_s);
        QCOMPARE(mainWindow().surnameField->text(), u"Er"_s);
        testhooks::messages().clear();
        mainWindow().numberMode->setChecked(true);
        search(u"0532"_s);  // a number on line 0
        QCOMPARE(messages(), u"List index out of bounds (-2)"_s);
        QCOMPARE(file(), fileBytes({u"0532"_s, u"Kaya"_s, u"0533"_s, u"Veli"_s, u"Er"_s}));
    }

    void sonrakiStopsAtTheEndOfTheLinesLeft() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"A"_s, u"1"_s, u"Ali"_s, u"B"_s}, Window::Exposed));
        search(u"Ali"_s);  // from an empty NameField: the lines from line 2 on
        click(mainWindow().nextButton);
        QCOMPARE(messages(), u"List index out of bounds (3)"_s);
        QCOMPARE(mainWindow().surnameField->text(), u"B"_s);
        QCOMPARE(MainWindowTestAccess::nextMatchLines().count(), 3);  // nothing was deleted
    }

    void eachEntryLooksUpItsOwnTextAndClearsItsOwnFields() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s}, Window::Exposed));
        mainWindow().numberMode->setChecked(true);
        // Enter in SearchField looks up SearchField's text even in number mode
        type(mainWindow().searchField, u"0532"_s);
        QTest::keyClick(mainWindow().searchField, Qt::Key_Return);
        QCOMPARE(fields(), (QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s}));
        // the Enter item of NumberSearchField looks up its own text
        type(mainWindow().numberSearchField, u"99"_s);
        QTest::keyClick(mainWindow().numberSearchField, Qt::Key_Return);
        QCOMPARE(messages(), NotFound);
        QCOMPARE(fields(), (QStringList{u""_s, u""_s, u""_s}));
        QCOMPARE(mainWindow().numberSearchField->text(), QString());
        // a failed Enter in SearchField leaves NumberSearchField alone
        type(mainWindow().numberSearchField, u"12"_s);
        type(mainWindow().searchField, u"x"_s);
        QTest::keyClick(mainWindow().searchField, Qt::Key_Return);
        QCOMPARE(mainWindow().numberSearchField->text(), u"12"_s);
    }

    void switchingModeClearsTheFieldsButNotFoundNumber() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s}, Window::Exposed));
        search(u"Ali"_s);
        type(mainWindow().searchField, u"abc"_s);
        mainWindow().numberMode->setChecked(true);
        QCOMPARE(fields(), (QStringList{u""_s, u""_s, u""_s}));
        QCOMPARE(mainWindow().searchField->text(), QString());
        QCOMPARE(mainWindow().searchField->maxLength(), 11);
        QCOMPARE(mainWindow().foundNumber->text(), u"0532"_s);
        QCOMPARE(QApplication::focusWidget(), mainWindow().numberSearchField);
        typeText(mainWindow().numberSearchField, u"12a"_s);
        QCOMPARE(mainWindow().numberSearchField->text(), u"12"_s);
        QCOMPARE(testhooks::beeps(), 1);
        mainWindow().nameMode->setChecked(true);
        QVERIFY(!mainWindow().numberSearchField->isVisible());
        QCOMPARE(mainWindow().numberSearchField->text(), QString());
        QVERIFY(mainWindow().searchField->maxLength() > 1000);
    }

    void anEmptyGroupFindsNothing() {
        STOP_IF_FAILED(startWithContacts({}, Window::Exposed));
        search(u"Ali"_s);
        click(mainWindow().nextButton);
        QCOMPARE(testhooks::messages(), (QStringList{NotFound, End}));
        QCOMPARE(MainWindowTestAccess::nextMatchLines().count(), 0);
    }

    // ---- editing

    void anEditReplacesTheContactInPlace() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Er"_s, u"0533"_s, u"Veli"_s, u"Ak"_s, u"0534"_s}, Window::Exposed));
        search(u"Can"_s);
        type(mainWindow().surnameField, u"Erdem"_s);
        click(mainWindow().editButton);
        QCOMPARE(messages(), Done);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Erdem"_s, u"0533"_s, u"Veli"_s, u"Ak"_s, u"0534"_s}));
        QCOMPARE(fields(), (QStringList{u""_s, u""_s, u""_s}));
        QCOMPARE(texts(Book->nameIndex()), (QStringList{u"Ali"_s, u"Can"_s, u"Veli"_s}));
    }

    void anEditThatRenamesMovesTheContact() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Er"_s, u"0533"_s, u"Veli"_s, u"Ak"_s, u"0534"_s}, Window::Exposed));
        search(u"Ali"_s);
        type(mainWindow().nameField, u"zafer"_s);
        click(mainWindow().editButton);
        QCOMPARE(file(), fileBytes({u"Can"_s, u"Er"_s, u"0533"_s, u"Veli"_s, u"Ak"_s, u"0534"_s, u"Zafer"_s, u"Kaya"_s, u"0532"_s}));
        save(u"Deniz"_s, u""_s, u"0535"_s);
        QCOMPARE(file(), fileBytes({u"Can"_s, u"Er"_s, u"0533"_s, u"Deniz"_s, u""_s, u"0535"_s, u"Veli"_s, u"Ak"_s, u"0534"_s, u"Zafer"_s, u"Kaya"_s, u"0532"_s}));
        // FoundNumber still names the contact: a second edit acts on it again
        type(mainWindow().nameField, u"Ali"_s);
        type(mainWindow().numberField, u"0532"_s);
        click(mainWindow().editButton);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u""_s, u"0532"_s, u"Can"_s, u"Er"_s, u"0533"_s, u"Deniz"_s, u""_s, u"0535"_s, u"Veli"_s, u"Ak"_s, u"0534"_s}));
    }

    void anEditBeforeAnyLookupAsksForOne() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s}, Window::Exposed));
        fill(u"Ali"_s, u"X"_s, u"0532"_s);
        click(mainWindow().editButton);
        QCOMPARE(messages(), EditFirst);
        QCOMPARE(fields(), (QStringList{u""_s, u""_s, u""_s}));
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s}));
    }

    void clearingThenTypingReplacesTheContactLastLookedUp() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Er"_s, u"0533"_s}, Window::Exposed));
        search(u"Can"_s);
        search(u"Nobody"_s);  // a failed lookup: FoundNumber still names Can
        click(mainWindow().clearButton);
        QCOMPARE(mainWindow().foundNumber->text(), u"0533"_s);
        fill(u"Deniz"_s, u"Su"_s, u"0540"_s);
        click(mainWindow().editButton);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Deniz"_s, u"Su"_s, u"0540"_s}));
    }

    void aRefusedEditPutsTheOldContactBack_data() {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("newNumber");
        QTest::addColumn<QString>("message");
        QTest::newRow("another contact's number") << "Bora" << "0534" << duplicateMessage(u"Veli"_s, u"Ak"_s, u"0534"_s);
        QTest::newRow("empty name") << "" << "0533" << QString();
    }
    void aRefusedEditPutsTheOldContactBack() {
        QFETCH(QString, newName);
        QFETCH(QString, newNumber);
        QFETCH(QString, message);
        const QStringList lines = {u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Er"_s, u"0533"_s, u"Veli"_s, u"Ak"_s, u"0534"_s};
        STOP_IF_FAILED(startWithContacts(lines, Window::Exposed));
        search(u"Can"_s);
        fill(newName, u"Yeni"_s, newNumber);
        click(mainWindow().editButton);
        if (!message.isEmpty()) QCOMPARE(messages(), message);
        QVERIFY(!messages().contains(Done));
        QCOMPARE(file(), fileBytes(lines));
        QCOMPARE(texts(Book->recordLines()), lines);
        QCOMPARE(texts(Book->nameIndex()), (QStringList{u"Ali"_s, u"Can"_s, u"Veli"_s}));
        // a later save writes the old contact as it was
        save(u"Deniz"_s, u""_s, u"0535"_s);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Er"_s, u"0533"_s, u"Deniz"_s, u""_s, u"0535"_s, u"Veli"_s, u"Ak"_s, u"0534"_s}));
    }

    void editAndDeleteActOnlyOnANumberInItsPlace_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("byEdit");
        QTest::newRow("edit, the first name") << "112" << true;
        QTest::newRow("edit, the first surname") << "155" << true;
        QTest::newRow("delete, the first name") << "112" << false;
        QTest::newRow("delete, the first surname") << "155" << false;
    }
    void editAndDeleteActOnlyOnANumberInItsPlace() {
        QFETCH(QString, number);
        QFETCH(bool, byEdit);
        const QStringList lines = {u"112"_s, u"155"_s, u"0532"_s, u"Can"_s, u"Er"_s, u"0533"_s};
        STOP_IF_FAILED(startWithContacts(lines, Window::Exposed));
        if (byEdit) {
            mainWindow().foundNumber->setText(number);
            fill(u"Bora"_s, u""_s, u"0540"_s);
            click(mainWindow().editButton);
            QCOMPARE(messages(), EditFirst);
        } else {
            type(mainWindow().numberField, number);
            click(mainWindow().deleteButton);
            QCOMPARE(messages(), NoSuchNumber);
            QCOMPARE(testhooks::modalWindows(), QStringList());
        }
        QCOMPARE(file(), fileBytes(lines));
        QCOMPARE(texts(Book->recordLines()), lines);
    }

    void aSurnameThatReadsLikeTheNumberIsLeftAlone() {
        // Can's surname reads like Veli's number: the delete takes Veli, whole.
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"0534"_s, u"0533"_s, u"Veli"_s, u"Ak"_s, u"0534"_s}, Window::Exposed));
        type(mainWindow().numberField, u"0534"_s);
        deleteAnswering(Qt::Key_Return);
        QCOMPARE(Form11->nameValue->text(), u"Veli"_s);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"0534"_s, u"0533"_s}));
    }

    // ---- deleting

    void aTypedNumberIsDeletedAfterYes() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Er"_s, u"0533"_s}, Window::Exposed));
        type(mainWindow().numberField, u"0533"_s);
        type(mainWindow().searchField, u"s"_s);
        type(mainWindow().numberSearchField, u"9"_s);
        deleteAnswering(Qt::Key_Return);  // Enter is "&Evet"
        QCOMPARE(testhooks::modalWindows(), QStringList{u"Silme Onay?"_s});
        QCOMPARE(Form11->nameValue->text(), u"Can"_s);
        QCOMPARE(Form11->surnameValue->text(), u"Er"_s);
        QCOMPARE(Form11->numberValue->text(), u"0533"_s);
        QCOMPARE(messages(), Deleted);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s}));
        QCOMPARE(fields(), (QStringList{u""_s, u""_s, u""_s}));
        QCOMPARE(mainWindow().searchField->text(), QString());
        QCOMPARE(mainWindow().numberSearchField->text(), u"9"_s);
        QCOMPARE(texts(Book->nameIndex()), QStringList{u"Ali"_s});
    }

    void theNumberShownIsTheOneDeleted() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Er"_s, u"0533"_s}, Window::Exposed));
        search(u"Ali"_s);
        type(mainWindow().numberField, u"0533"_s);
        deleteAnswering(Qt::Key_Return);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s}));
        QCOMPARE(mainWindow().foundNumber->text(), u"0532"_s);
    }

    void noChangesNothing() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s}, Window::Exposed));
        type(mainWindow().numberField, u"0532"_s);
        deleteAnswering(Qt::Key_Escape);  // Esc is "&Hayır"
        QCOMPARE(messages(), QString());
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s}));
        QCOMPARE(mainWindow().numberField->text(), u"0532"_s);
        testhooks::onNextModal([](QDialog*) { QTest::mouseClick(Form11->noButton, Qt::LeftButton); });
        click(mainWindow().deleteButton);
        QCOMPARE(Book->recordLines().count(), 3);
    }

    void deletingTheOnlyContactLeavesAnEmptyFile() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s}, Window::Exposed));
        type(mainWindow().numberField, u"0532"_s);
        testhooks::onNextModal([](QDialog*) { QTest::mouseClick(Form11->yesButton, Qt::LeftButton); });
        click(mainWindow().deleteButton);
        QCOMPARE(file(), QByteArray());
        STOP_IF_FAILED(nextTick());
        QCOMPARE(mainWindow().countLine->text(), u"Toplam Kayıtlı Kişi :0 kişi.."_s);
        QVERIFY(!Form11->isVisible());
    }

    void aDeleteThatCannotBeWrittenKeepsTheNameIndexInStep() {
        // The write fails on a full disk; the next save still finds the
        // place of its name among the names really held.
        FailingDisk disk(FailingDisk::FileSizeLimit);
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u""_s, u"1"_s, u"Can"_s, u""_s, u"2"_s, u"Deniz"_s, u""_s, u"3"_s}, Window::Exposed));
        type(mainWindow().numberField, u"1"_s);
        disk.failing();
        testhooks::onNextModal([](QDialog*) { QTest::mouseClick(Form11->yesButton, Qt::LeftButton); });
        click(mainWindow().deleteButton);
        disk.writable();
        QCOMPARE(testhooks::messages().size(), 1);
        QVERIFY(testhooks::messages().first().startsWith(u"Cannot create file "_s));
        QCOMPARE(texts(Book->nameIndex()), (QStringList{u"Can"_s, u"Deniz"_s}));
        save(u"Bora"_s, u""_s, u"4"_s);
        QCOMPARE(file(), fileBytes({u"Bora"_s, u""_s, u"4"_s, u"Can"_s, u""_s, u"2"_s, u"Deniz"_s, u""_s, u"3"_s}));
    }

    void anUnknownNumberIsReported() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s}, Window::Exposed));
        click(mainWindow().deleteButton);  // empty NumberField
        type(mainWindow().numberField, u"9"_s);
        click(mainWindow().deleteButton);
        QCOMPARE(testhooks::messages(), (QStringList{NoSuchNumber, NoSuchNumber}));
        QCOMPARE(testhooks::modalWindows(), QStringList());
    }

    void clearEmptiesTheFieldsOnly() {
        STOP_IF_FAILED(startWithContacts({u"Ali"_s, u"Kaya"_s, u"0532"_s}, Window::Exposed));
        search(u"Ali"_s);
        type(mainWindow().searchField, u"x"_s);
        click(mainWindow().clearButton);
        QCOMPARE(fields(), (QStringList{u""_s, u""_s, u""_s}));
        QCOMPARE(mainWindow().searchField->text(), QString());
        QCOMPARE(mainWindow().foundNumber->text(), u"0532"_s);
        QCOMPARE(file(), fileBytes({u"Ali"_s, u"Kaya"_s, u"0532"_s}));
    }

    // ---- the invariant over a long random sequence

    void nameIndexFileAndOrderAgreeAfterEveryStep() {
        QStringList lines;
        const QStringList names = {u"Ahmet"_s, u"ahmet"_s, u"Ayşe"_s, u"Can"_s, u"Çınar"_s, u"Irmak"_s, u"ılgın"_s, u"İpek"_s, u"inci"_s,
                                   u"Oya"_s, u"Ömer"_s, u"Şule"_s, u"Zeki"_s, u"Ümit"_s, u"Gül"_s, u"Ğ"_s, u"Kâzım"_s, u"Kazım"_s};
        QRandomGenerator gen(20031);
        int serial = 0;
        auto number = [&] { return QStringLiteral("05%1").arg(++serial, 9, 10, QLatin1Char('0')); };
        QList<QPair<QString, QString>> seed;
        for (int i = 0; i < 300; ++i) seed.append({names[gen.bounded(names.size())], number()});
        std::stable_sort(seed.begin(), seed.end(), [](const auto& a, const auto& b) {
            return collation::compareText(a.first, b.first) < 0;
        });
        for (const auto& c : seed) lines << c.first << u"s"_s << c.second;
        STOP_IF_FAILED(startWithContacts(lines, Window::Exposed));

        auto check = [&](int step) {
            const StringList& r = Book->recordLines();
            QStringList nameLines;
            for (int k = 0; 3 * k < r.count(); ++k) nameLines << r.text(3 * k);
            QVERIFY2(r.count() % 3 == 0, qPrintable(QString::number(step)));
            QCOMPARE(texts(Book->nameIndex()).size(), nameLines.size());
            for (int k = 0; k < nameLines.size(); ++k) {
                QVERIFY2(collation::equalText(Book->nameIndex().text(k), nameLines[k]), qPrintable(QString::number(step)));
                if (k > 0) QVERIFY(collation::compareText(nameLines[k - 1], nameLines[k]) <= 0);
            }
            QCOMPARE(file(), textfile::joinLines(r.lines()));
        };
        for (int step = 0; step < 400; ++step) {
            const int action = gen.bounded(3);
            const int contacts = Book->recordLines().count() / 3;
            if (action == 0 || contacts == 0) {
                save(names[gen.bounded(names.size())], u"y"_s, gen.bounded(10) == 0 ? QString() : number());
            } else {
                const int k = gen.bounded(contacts);
                const QString num = Book->recordLines().text(3 * k + 2);
                if (action == 1) {
                    // look the contact up by number, change its name and maybe its number
                    mainWindow().numberMode->setChecked(true);
                    search(num);
                    type(mainWindow().nameField, names[gen.bounded(names.size())]);
                    if (gen.bounded(2)) type(mainWindow().numberField, gen.bounded(4) ? number() : Book->recordLines().text(2));
                    click(mainWindow().editButton);
                } else {
                    type(mainWindow().numberField, num);
                    const Qt::Key answer = gen.bounded(5) ? Qt::Key_Return : Qt::Key_Escape;
                    if (num.isEmpty()) click(mainWindow().deleteButton);  // no number: no confirmation opens
                    else deleteAnswering(answer);
                }
            }
            check(step);
            if (QTest::currentTestFailed()) return;
            testhooks::messages().clear();
        }
    }
};

TELEFIKA_TEST_MAIN(TestPhoneBook)
#include "tst_phonebook.moc"


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

namespace {
const QString GroupFile = QStringLiteral("@Kayıtlar@.vexo");
const QString Done = QStringLiteral("Kayıt işlemi tamamlandı!!");
const QString Deleted = QStringLiteral("      Kayıt Silindi      ");
const QString NotFound = QStringLiteral("Böyle bir kayıt bulunamadı!");
const QString End = QStringLiteral("        Kayıtların sonu!       ");
const QString EditFirst = QStringLiteral("Düzelmek İçin Önce Kayıt Girin!");
const QString NoSuchNumber = QStringLiteral("Bu numaraya sahip kayıt bulunmamakta!");

QString duplicateMessage(const QString& name, const QString& surname, const QString& number) {
    return QStringLiteral("                       Aynı numaraya sahip başka bir kişi bulundu."
                          "                                                             İsim:") +
           name + "    Soyad: " + surname + "     Numara: " + number;
}
}  // namespace

class TestPhoneBook : public ProgramTest {
    Q_OBJECT

    // The program on a default group holding these lines.
    void start(const QStringList& lines = {}) {
        home->write("Ayarlar.cnt", fileBytes({"@Kayıtlar@", "@Kayıtlar@"}));
        home->write(GroupFile, fileBytes(lines));
        createForms();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        testhooks::messages().clear();
    }
    static void type(QLineEdit* field, const QString& text) {
        field->clear();
        typeText(field, text);
    }
    static void fill(const QString& name, const QString& surname, const QString& number) {
        type(Form1->nameField, name);
        type(Form1->surnameField, surname);
        type(Form1->numberField, number);
    }
    static void save(const QString& name, const QString& surname, const QString& number) {
        fill(name, surname, number);
        QTest::mouseClick(Form1->saveButton, Qt::LeftButton);
    }
    static void search(const QString& key) {
        QLineEdit* field = Form1->numberMode->isChecked() ? Form1->numberSearchField : Form1->searchField;
        type(field, key);
        QTest::mouseClick(Form1->searchButton, Qt::LeftButton);
    }
    static void click(QPushButton* b) {
        Form1->Timer1Timer();  // the timer enables "Düzelt" and "Sil"
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // "Sil", answered in the confirmation window with the given key.
    static void deleteAnswering(Qt::Key key) {
        testhooks::onNextModal([key](QDialog* d) { QTest::keyClick(d, key); });
        click(Form1->deleteButton);
    }
    QByteArray file() const { return home->read(GroupFile); }
    static QStringList fields() {
        return {Form1->nameField->text(), Form1->surnameField->text(), Form1->numberField->text()};
    }
    static QString messages() { return testhooks::messages().join(" | "); }

private slots:
    // ---- saving

    void aFirstContactIsSavedWithItsNameCapitalised() {
        start();
        save("ali", "kaya", "05321234567");
        QCOMPARE(file(), QByteArray("Ali\r\nkaya\r\n05321234567\r\n"));
        QCOMPARE(messages(), Done);
        QCOMPARE(fields(), (QStringList{"", "", ""}));
        QTRY_COMPARE(Form1->countLine->text(), "Toplam Kayıtlı Kişi :1 kişi..");
    }

    void contactsLandInNameOrder() {
        start();
        save("Zeynep", "Z", "1");
        save("Ahmet", "A", "2");   // sorts first
        save("Mehmet", "M", "3");  // lands between
        QCOMPARE(file(), fileBytes({"Ahmet", "A", "2", "Mehmet", "M", "3", "Zeynep", "Z", "1"}));
        save("AHMET", "B", "4");   // an equal name goes ahead of the one already there
        save("Çınar", "Ç", "5");
        save("Ceyda", "C", "6");
        QCOMPARE(file(), fileBytes({"AHMET", "B", "4", "Ahmet", "A", "2", "Ceyda", "C", "6", "Çınar", "Ç", "5",
                                    "Mehmet", "M", "3", "Zeynep", "Z", "1"}));
        QCOMPARE(texts(Form1->nameIndex).size(), 6);
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
        start();
        save(typed, "", "");
        QCOMPARE(file(), fileBytes({stored, "", ""}));
    }

    void aSurnameEqualToALaterNameKeepsEveryContactWhole() {
        start();
        save("Ahmet", "Can", "1");
        save("Can", "Kaya", "2");
        save("Bora", "Er", "3");
        QCOMPARE(file(), fileBytes({"Ahmet", "Can", "1", "Bora", "Er", "3", "Can", "Kaya", "2"}));
    }

    void aNumberAlreadyHeldIsRefused() {
        start({"Ali", "Kaya", "05321234567", "Veli", "Can", "05339876543"});
        const QByteArray before = file();
        save("ayşe", "Er", "05339876543");
        QCOMPARE(messages(), duplicateMessage("Veli", "Can", "05339876543"));
        QCOMPARE(file(), before);
        QCOMPARE(fields(), (QStringList{"Ayşe", "Er", "05339876543"}));  // kept, the name normalised
        QCOMPARE(Form1->nameIndex.count(), 2);
    }

    void aNumberEqualToTheFirstNameOrSurnameIsRefusedSafely_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the first name") << "112" << duplicateMessage("", "", "112");
        QTest::newRow("the first surname") << "155" << duplicateMessage("", "112", "155");
    }
    void aNumberEqualToTheFirstNameOrSurnameIsRefusedSafely() {
        QFETCH(QString, number);
        QFETCH(QString, shown);
        start({"112", "155", "0532", "Can", "", "0533"});
        const QByteArray before = file();
        save("Ali", "", number);
        QCOMPARE(messages(), shown);
        QCOMPARE(file(), before);
        QCOMPARE(Form1->recordLines.count(), 6);
    }

    void emptyNumbersCanBeSavedAgainAndAgain() {
        start();
        save("Ali", "", "");
        save("Ali", "", "");
        save("Bora", "x", "");
        QCOMPARE(file(), fileBytes({"Ali", "", "", "Ali", "", "", "Bora", "x", ""}));
        QCOMPARE(testhooks::messages().count(Done), 3);
    }

    void aOneLineGroupTakesTheContactAfterItsLine() {
        start({"Tek"});
        save("Ali", "Kaya", "5");
        QCOMPARE(file(), fileBytes({"Tek", "Ali", "Kaya", "5"}));
        QCOMPARE(texts(Form1->nameIndex), (QStringList{"Ali", "Tek"}));
    }

    void anEmptyNameStoresNothing() {
        start({"Ali", "", "1"});
        QFile::remove(home->dataPath(GroupFile));  // any write would bring it back
        save("", "Kaya", "05321234567");
        QVERIFY(!home->has(GroupFile));
        QCOMPARE(Form1->recordLines.count(), 3);
        QCOMPARE(Form1->nameIndex.count(), 1);
        QCOMPARE(testhooks::messages().size(), 1);
        QVERIFY(!messages().contains(Done));
    }

    void enterInTheNumberFieldSaves() {
        start();
        fill("Ali", "", "0532");
        QTest::keyClick(Form1->numberField, Qt::Key_Return);
        QCOMPARE(file(), fileBytes({"Ali", "", "0532"}));
        QCOMPARE(Form1->numberField->text(), QString());
    }

    void aNumberOfElevenBlanksDisablesTheButtons() {
        start();
        Form1->numberField->setText(QString(11, ' '));  // a merged contact's empty number, shown
        Form1->Timer1Timer();
        QVERIFY(!Form1->saveButton->isEnabled() && !Form1->editButton->isEnabled() && !Form1->deleteButton->isEnabled());
        Form1->numberField->setText("1");
        Form1->Timer1Timer();
        QVERIFY(Form1->saveButton->isEnabled() && Form1->editButton->isEnabled() && Form1->deleteButton->isEnabled());
    }

    // ---- searching

    void aNameIsFoundByItsWholeLine() {
        start({"Ali", "Kaya", "0532", "Veli", "Er", "0533"});
        search("ali");
        QCOMPARE(fields(), (QStringList{"Ali", "Kaya", "0532"}));
        QCOMPARE(Form1->foundNumber->text(), "0532");
        QCOMPARE(QApplication::focusWidget(), Form1->searchField);
        search("Al");
        QCOMPARE(messages(), NotFound);
        QCOMPARE(fields(), (QStringList{"", "", ""}));
        QCOMPARE(Form1->searchField->text(), QString());
        QCOMPARE(Form1->foundNumber->text(), "0532");  // a failed lookup keeps it
    }

    void sonrakiStepsThroughEqualNamesWithoutWrapping() {
        start({"Ali", "A", "1", "Ali", "B", "2", "Ali", "C", "3", "Veli", "D", "4"});
        search("Ali");
        QCOMPARE(fields(), (QStringList{"Ali", "A", "1"}));
        search("Ali");  // NameField shows Ali now: "Sonraki" goes on from the first Ali
        click(Form1->nextButton);
        QCOMPARE(fields(), (QStringList{"Ali", "B", "2"}));
        QCOMPARE(Form1->foundNumber->text(), "2");
        click(Form1->nextButton);
        QCOMPARE(fields(), (QStringList{"Ali", "C", "3"}));
        click(Form1->nextButton);
        click(Form1->nextButton);
        QCOMPARE(testhooks::messages(), (QStringList{End, End}));
        QCOMPARE(fields(), (QStringList{"Ali", "C", "3"}));
    }

    void searchingFromAnEmptyNameShowsTheFirstMatchTwice() {
        start({"Ahmet", "A", "1", "Ali", "B", "2", "Ali", "C", "3"});
        search("ali");
        QCOMPARE(fields(), (QStringList{"Ali", "B", "2"}));
        click(Form1->nextButton);
        QCOMPARE(fields(), (QStringList{"Ali", "B", "2"}));
        click(Form1->nextButton);
        QCOMPARE(fields(), (QStringList{"Ali", "C", "3"}));
    }

    void aNumberSearchTakesTheLineForANumberWhereverItStands() {
        start({"Ali", "Kaya", "0532", "5055", "Er", "0533", "Can", "Ak", "5055"});
        Form1->numberMode->setChecked(true);
        QVERIFY(Form1->numberSearchField->isVisible());
        search("5055");  // the first equal line is a name
        QCOMPARE(fields(), (QStringList{"Kaya", "0532", "5055"}));
        search("0533");
        QCOMPARE(fields(), (QStringList{"5055", "Er", "0533"}));
        QCOMPARE(QApplication::focusWidget(), Form1->numberSearchField);
    }

    void lookupsThatNeedLinesOutsideTheGroupStopWithAnIndexError() {
        start({"0532", "Kaya", "0533", "Veli", "Er"});
        search("Veli");  // a name on one of the last two lines
        QCOMPARE(messages(), "List index out of bounds (5)");
        QCOMPARE(Form1->nameField->text(), "Veli");
        QCOMPARE(Form1->surnameField->text(), "Er");
        testhooks::messages().clear();
        Form1->numberMode->setChecked(true);
        search("0532");  // a number on line 0
        QCOMPARE(messages(), "List index out of bounds (-2)");
        QCOMPARE(file(), fileBytes({"0532", "Kaya", "0533", "Veli", "Er"}));
    }

    void sonrakiStopsAtTheEndOfTheLinesLeft() {
        start({"Ali", "A", "1", "Ali", "B"});
        search("Ali");  // from an empty NameField: the lines from line 2 on
        click(Form1->nextButton);
        QCOMPARE(messages(), "List index out of bounds (3)");
        QCOMPARE(Form1->surnameField->text(), "B");
        QCOMPARE(Form1->nextMatchLines.count(), 3);  // nothing was deleted
    }

    void eachEntryLooksUpItsOwnTextAndClearsItsOwnFields() {
        start({"Ali", "Kaya", "0532"});
        Form1->numberMode->setChecked(true);
        // Enter in SearchField looks up SearchField's text even in number mode
        type(Form1->searchField, "0532");
        QTest::keyClick(Form1->searchField, Qt::Key_Return);
        QCOMPARE(fields(), (QStringList{"Ali", "Kaya", "0532"}));
        // the Enter item of NumberSearchField looks up its own text
        type(Form1->numberSearchField, "99");
        QTest::keyClick(Form1->numberSearchField, Qt::Key_Return);
        QCOMPARE(messages(), NotFound);
        QCOMPARE(fields(), (QStringList{"", "", ""}));
        QCOMPARE(Form1->numberSearchField->text(), QString());
        // a failed Enter in SearchField leaves NumberSearchField alone
        type(Form1->numberSearchField, "12");
        type(Form1->searchField, "x");
        QTest::keyClick(Form1->searchField, Qt::Key_Return);
        QCOMPARE(Form1->numberSearchField->text(), "12");
    }

    void switchingModeClearsTheFieldsButNotFoundNumber() {
        start({"Ali", "Kaya", "0532"});
        search("Ali");
        type(Form1->searchField, "abc");
        Form1->numberMode->setChecked(true);
        QCOMPARE(fields(), (QStringList{"", "", ""}));
        QCOMPARE(Form1->searchField->text(), QString());
        QCOMPARE(Form1->searchField->maxLength(), 11);
        QCOMPARE(Form1->foundNumber->text(), "0532");
        QCOMPARE(QApplication::focusWidget(), Form1->numberSearchField);
        typeText(Form1->numberSearchField, "12a");
        QCOMPARE(Form1->numberSearchField->text(), "12");
        QCOMPARE(testhooks::beeps(), 1);
        Form1->nameMode->setChecked(true);
        QVERIFY(!Form1->numberSearchField->isVisible());
        QCOMPARE(Form1->numberSearchField->text(), QString());
        QVERIFY(Form1->searchField->maxLength() > 1000);
    }

    void anEmptyGroupFindsNothing() {
        start();
        search("Ali");
        click(Form1->nextButton);
        QCOMPARE(testhooks::messages(), (QStringList{NotFound, End}));
        QCOMPARE(Form1->nextMatchLines.count(), 0);
    }

    // ---- editing

    void anEditReplacesTheContactInPlace() {
        start({"Ali", "Kaya", "0532", "Can", "Er", "0533", "Veli", "Ak", "0534"});
        search("Can");
        type(Form1->surnameField, "Erdem");
        click(Form1->editButton);
        QCOMPARE(messages(), Done);
        QCOMPARE(file(), fileBytes({"Ali", "Kaya", "0532", "Can", "Erdem", "0533", "Veli", "Ak", "0534"}));
        QCOMPARE(fields(), (QStringList{"", "", ""}));
        QCOMPARE(texts(Form1->nameIndex), (QStringList{"Ali", "Can", "Veli"}));
    }

    void anEditThatRenamesMovesTheContact() {
        start({"Ali", "Kaya", "0532", "Can", "Er", "0533", "Veli", "Ak", "0534"});
        search("Ali");
        type(Form1->nameField, "zafer");
        click(Form1->editButton);
        QCOMPARE(file(), fileBytes({"Can", "Er", "0533", "Veli", "Ak", "0534", "Zafer", "Kaya", "0532"}));
        save("Deniz", "", "0535");
        QCOMPARE(file(), fileBytes({"Can", "Er", "0533", "Deniz", "", "0535", "Veli", "Ak", "0534", "Zafer", "Kaya", "0532"}));
        // FoundNumber still names the contact: a second edit acts on it again
        type(Form1->nameField, "Ali");
        type(Form1->numberField, "0532");
        click(Form1->editButton);
        QCOMPARE(file(), fileBytes({"Ali", "", "0532", "Can", "Er", "0533", "Deniz", "", "0535", "Veli", "Ak", "0534"}));
    }

    void anEditBeforeAnyLookupAsksForOne() {
        start({"Ali", "Kaya", "0532"});
        fill("Ali", "X", "0532");
        click(Form1->editButton);
        QCOMPARE(messages(), EditFirst);
        QCOMPARE(fields(), (QStringList{"", "", ""}));
        QCOMPARE(file(), fileBytes({"Ali", "Kaya", "0532"}));
    }

    void clearingThenTypingReplacesTheContactLastLookedUp() {
        start({"Ali", "Kaya", "0532", "Can", "Er", "0533"});
        search("Can");
        search("Nobody");  // a failed lookup: FoundNumber still names Can
        click(Form1->clearButton);
        QCOMPARE(Form1->foundNumber->text(), "0533");
        fill("Deniz", "Su", "0540");
        click(Form1->editButton);
        QCOMPARE(file(), fileBytes({"Ali", "Kaya", "0532", "Deniz", "Su", "0540"}));
    }

    void aRefusedEditPutsTheOldContactBack_data() {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("newNumber");
        QTest::addColumn<QString>("message");
        QTest::newRow("another contact's number") << "Bora" << "0534" << duplicateMessage("Veli", "Ak", "0534");
        QTest::newRow("empty name") << "" << "0533" << QString();
    }
    void aRefusedEditPutsTheOldContactBack() {
        QFETCH(QString, newName);
        QFETCH(QString, newNumber);
        QFETCH(QString, message);
        const QStringList lines = {"Ali", "Kaya", "0532", "Can", "Er", "0533", "Veli", "Ak", "0534"};
        start(lines);
        search("Can");
        fill(newName, "Yeni", newNumber);
        click(Form1->editButton);
        if (!message.isEmpty()) QCOMPARE(messages(), message);
        QVERIFY(!messages().contains(Done));
        QCOMPARE(file(), fileBytes(lines));
        QCOMPARE(texts(Form1->recordLines), lines);
        QCOMPARE(texts(Form1->nameIndex), (QStringList{"Ali", "Can", "Veli"}));
        // a later save writes the old contact as it was
        save("Deniz", "", "0535");
        QCOMPARE(file(), fileBytes({"Ali", "Kaya", "0532", "Can", "Er", "0533", "Deniz", "", "0535", "Veli", "Ak", "0534"}));
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
        const QStringList lines = {"112", "155", "0532", "Can", "Er", "0533"};
        start(lines);
        if (byEdit) {
            Form1->foundNumber->setText(number);
            fill("Bora", "", "0540");
            click(Form1->editButton);
            QCOMPARE(messages(), EditFirst);
        } else {
            type(Form1->numberField, number);
            click(Form1->deleteButton);
            QCOMPARE(messages(), NoSuchNumber);
            QCOMPARE(testhooks::modalWindows(), QStringList());
        }
        QCOMPARE(file(), fileBytes(lines));
        QCOMPARE(texts(Form1->recordLines), lines);
    }

    void aSurnameThatReadsLikeTheNumberIsLeftAlone() {
        // Can's surname reads like Veli's number: the delete takes Veli, whole.
        start({"Ali", "Kaya", "0532", "Can", "0534", "0533", "Veli", "Ak", "0534"});
        type(Form1->numberField, "0534");
        deleteAnswering(Qt::Key_Return);
        QCOMPARE(Form11->nameValue->text(), "Veli");
        QCOMPARE(file(), fileBytes({"Ali", "Kaya", "0532", "Can", "0534", "0533"}));
    }

    // ---- deleting

    void aTypedNumberIsDeletedAfterYes() {
        start({"Ali", "Kaya", "0532", "Can", "Er", "0533"});
        type(Form1->numberField, "0533");
        type(Form1->searchField, "s");
        type(Form1->numberSearchField, "9");
        deleteAnswering(Qt::Key_Return);  // Enter is "&Evet"
        QCOMPARE(testhooks::modalWindows(), QStringList{"Silme Onay?"});
        QCOMPARE(Form11->nameValue->text(), "Can");
        QCOMPARE(Form11->surnameValue->text(), "Er");
        QCOMPARE(Form11->numberValue->text(), "0533");
        QCOMPARE(messages(), Deleted);
        QCOMPARE(file(), fileBytes({"Ali", "Kaya", "0532"}));
        QCOMPARE(fields(), (QStringList{"", "", ""}));
        QCOMPARE(Form1->searchField->text(), QString());
        QCOMPARE(Form1->numberSearchField->text(), "9");
        QCOMPARE(texts(Form1->nameIndex), QStringList{"Ali"});
    }

    void theNumberShownIsTheOneDeleted() {
        start({"Ali", "Kaya", "0532", "Can", "Er", "0533"});
        search("Ali");
        type(Form1->numberField, "0533");
        deleteAnswering(Qt::Key_Return);
        QCOMPARE(file(), fileBytes({"Ali", "Kaya", "0532"}));
        QCOMPARE(Form1->foundNumber->text(), "0532");
    }

    void noChangesNothing() {
        start({"Ali", "Kaya", "0532"});
        type(Form1->numberField, "0532");
        deleteAnswering(Qt::Key_Escape);  // Esc is "&Hayır"
        QCOMPARE(messages(), QString());
        QCOMPARE(file(), fileBytes({"Ali", "Kaya", "0532"}));
        QCOMPARE(Form1->numberField->text(), "0532");
        testhooks::onNextModal([](QDialog*) { QTest::mouseClick(Form11->BitBtn2, Qt::LeftButton); });
        click(Form1->deleteButton);
        QCOMPARE(Form1->recordLines.count(), 3);
    }

    void deletingTheOnlyContactLeavesAnEmptyFile() {
        start({"Ali", "Kaya", "0532"});
        type(Form1->numberField, "0532");
        testhooks::onNextModal([](QDialog*) { QTest::mouseClick(Form11->BitBtn1, Qt::LeftButton); });
        click(Form1->deleteButton);
        QCOMPARE(file(), QByteArray());
        Form1->Timer1Timer();
        QCOMPARE(Form1->countLine->text(), "Toplam Kayıtlı Kişi :0 kişi..");
        QVERIFY(!Form11->isVisible());
    }

    void aDeleteThatCannotBeWrittenKeepsTheNameIndexInStep() {
        // The write fails on a full disk; the next save still finds the
        // place of its name among the names really held.
        FailingDisk disk(FailingDisk::FileSizeLimit);
        start({"Ali", "", "1", "Can", "", "2", "Deniz", "", "3"});
        type(Form1->numberField, "1");
        disk.failing();
        testhooks::onNextModal([](QDialog*) { QTest::mouseClick(Form11->BitBtn1, Qt::LeftButton); });
        click(Form1->deleteButton);
        disk.writable();
        QCOMPARE(testhooks::messages().size(), 1);
        QVERIFY(testhooks::messages().first().startsWith("Cannot create file "));
        QCOMPARE(texts(Form1->nameIndex), (QStringList{"Can", "Deniz"}));
        save("Bora", "", "4");
        QCOMPARE(file(), fileBytes({"Bora", "", "4", "Can", "", "2", "Deniz", "", "3"}));
    }

    void anUnknownNumberIsReported() {
        start({"Ali", "Kaya", "0532"});
        click(Form1->deleteButton);  // empty NumberField
        type(Form1->numberField, "9");
        click(Form1->deleteButton);
        QCOMPARE(testhooks::messages(), (QStringList{NoSuchNumber, NoSuchNumber}));
        QCOMPARE(testhooks::modalWindows(), QStringList());
    }

    void clearEmptiesTheFieldsOnly() {
        start({"Ali", "Kaya", "0532"});
        search("Ali");
        type(Form1->searchField, "x");
        click(Form1->clearButton);
        QCOMPARE(fields(), (QStringList{"", "", ""}));
        QCOMPARE(Form1->searchField->text(), QString());
        QCOMPARE(Form1->foundNumber->text(), "0532");
        QCOMPARE(file(), fileBytes({"Ali", "Kaya", "0532"}));
    }

    // ---- the invariant over a long random sequence

    void nameIndexFileAndOrderAgreeAfterEveryStep() {
        QStringList lines;
        const QStringList names = {"Ahmet", "ahmet", "Ayşe", "Can", "Çınar", "Irmak", "ılgın", "İpek", "inci",
                                   "Oya", "Ömer", "Şule", "Zeki", "Ümit", "Gül", "Ğ", "Kâzım", "Kazım"};
        QRandomGenerator gen(20031);
        int serial = 0;
        auto number = [&] { return QStringLiteral("05%1").arg(++serial, 9, 10, QLatin1Char('0')); };
        QList<QPair<QString, QString>> seed;
        for (int i = 0; i < 300; ++i) seed.append({names[gen.bounded(names.size())], number()});
        std::stable_sort(seed.begin(), seed.end(), [](const auto& a, const auto& b) {
            return collation::compareText(a.first, b.first) < 0;
        });
        for (const auto& c : seed) lines << c.first << "s" << c.second;
        start(lines);

        auto check = [&](int step) {
            const StringList& r = Form1->recordLines;
            QStringList nameLines;
            for (int k = 0; 3 * k < r.count(); ++k) nameLines << r.text(3 * k);
            QVERIFY2(r.count() % 3 == 0, qPrintable(QString::number(step)));
            QCOMPARE(texts(Form1->nameIndex).size(), nameLines.size());
            for (int k = 0; k < nameLines.size(); ++k) {
                QVERIFY2(collation::equalText(Form1->nameIndex.text(k), nameLines[k]), qPrintable(QString::number(step)));
                if (k > 0) QVERIFY(collation::compareText(nameLines[k - 1], nameLines[k]) <= 0);
            }
            QCOMPARE(file(), textfile::joinLines(r.lines()));
        };
        for (int step = 0; step < 400; ++step) {
            const int action = gen.bounded(3);
            const int contacts = Form1->recordLines.count() / 3;
            if (action == 0 || contacts == 0) {
                save(names[gen.bounded(names.size())], "y", gen.bounded(10) == 0 ? QString() : number());
            } else {
                const int k = gen.bounded(contacts);
                const QString num = Form1->recordLines.text(3 * k + 2);
                if (action == 1) {
                    // look the contact up by number, change its name and maybe its number
                    Form1->numberMode->setChecked(true);
                    search(num);
                    type(Form1->nameField, names[gen.bounded(names.size())]);
                    if (gen.bounded(2)) type(Form1->numberField, gen.bounded(4) ? number() : Form1->recordLines.text(2));
                    click(Form1->editButton);
                } else {
                    type(Form1->numberField, num);
                    const Qt::Key answer = gen.bounded(5) ? Qt::Key_Return : Qt::Key_Escape;
                    if (num.isEmpty()) click(Form1->deleteButton);  // no number: no confirmation opens
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

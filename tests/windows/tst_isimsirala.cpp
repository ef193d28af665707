// The group merger: merges driven through its window, the files they leave,
// the report and its saving, the options and their resets, the names a new
// group may not take, and the main window kept up to date.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/datafolder.h"
#include "store/pendinggroups.h"
#include "store/textfile.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/isimsirala.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QString GroupFile = datafolder::DefaultGroup + datafolder::GroupExtension;
const QString Done = QStringLiteral("İşlem Tamam!");
const QStringList AliVeli = {u"Ali"_s, u"Kara"_s, u"05321111111"_s, u"Veli"_s, u"Şen"_s, u"05322222222"_s};
const QStringList CanZeynep = {u"Can"_s, u"Kaya"_s, u"05323333333"_s, u"Zeynep"_s, u"Işık"_s, u"05324444444"_s};
const QStringList Merged = {u"Ali"_s,   u"Kara"_s, u"05321111111"_s, u"Can"_s,    u"Kaya"_s, u"05323333333"_s,
                            u"Veli"_s,  u"Şen"_s,  u"05322222222"_s, u"Zeynep"_s, u"Işık"_s, u"05324444444"_s};

QStringList items(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

void pick(QComboBox* box, const QString& group) {
    const int i = box->findText(group);
    QVERIFY2(i >= 0, qPrintable(group));
    box->setCurrentIndex(i);
    emit box->activated(i);
}

void merge(const QString& first, const QString& second) {
    pick(Form12->firstGroupChooser, first);
    pick(Form12->secondGroupChooser, second);
    QTest::mouseClick(Form12->mergeButton, Qt::LeftButton);
}

QStringList duplicate(const QStringList& holder, const QStringList& contact) {
    return {u"Aynı numaraya sahip başka bir kişi bulundu."_s, u"1.Gruptaki kayıt:"_s, u"İsim:"_s + holder[0],
            u"Soyad: "_s + holder[1], u"Numara: "_s + holder[2], u"##"_s, u"2.Gruptaki kayıt:"_s, u"İsim:"_s + contact[0],
            u"Soyad: "_s + contact[1], u"Numara: "_s + contact[2], u"-----------------------"_s};
}

QStringList summary(int n) {
    return {u""_s, u"&&&&&&"_s, u""_s,
            QStringLiteral("Yukarıda aynı isimde %1 kişi bulundu ve kayıt 2. bir kez eklenmedi!Tüm işlemler "
                           "1.Gruptaki kayıtlara göre gerçekleştirildi!")
                .arg(n),
            u""_s, u"&&&&&&"_s, u"Guplar başarıyla birleştirildi!"_s};
}
}  // namespace

class TestGroupMerger : public ProgramTest {
    Q_OBJECT

    // The program on these groups' lines, and the merger opened from the menu.
    [[nodiscard]] bool openMerger(const QStringList& groupList, const QMap<QString, QStringList>& groups) {
        QMap<QString, QByteArray> files;
        for (auto g = groups.begin(); g != groups.end(); ++g) files.insert(g.key(), fileBytes(g.value()));
        if (!startWith(groupList, files)) return false;
        mainWindow().mergerAction->trigger();
        [] {
            QVERIFY(Form12->isVisible());
            QVERIFY(!Form12->isModal());
        }();
        return testPassing();
    }

private slots:
    void merging_data() {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QString>("text");  // "Soyadlara Ekle", when not empty
        QTest::addColumn<QStringList>("result");
        QTest::addColumn<QStringList>("report");
        QTest::newRow("Ali, Veli with Can, Zeynep") << AliVeli << CanZeynep << "" << Merged << QStringList();
        QTest::newRow("an equal name goes first")
            << AliVeli << QStringList{u"Ali"_s, u"Yeni"_s, u"05329999999"_s} << ""
            << QStringList{u"Ali"_s, u"Yeni"_s, u"05329999999"_s} + AliVeli << QStringList();
        const QStringList skipped = {u"Deniz"_s, u"Ak-2"_s, u"05321111111"_s};
        QTest::newRow("a number that is there, with -2")
            << AliVeli << QStringList{u"Can"_s, u"Kaya"_s, u"05323333333"_s, u"Deniz"_s, u"Ak"_s, u"05321111111"_s} << "-2"
            << QStringList{u"Ali"_s, u"Kara"_s, u"05321111111"_s, u"Can"_s, u"Kaya-2"_s, u"05323333333"_s, u"Veli"_s, u"Şen"_s,
                           u"05322222222"_s}
            << duplicate(AliVeli.mid(0, 3), skipped) + summary(1);
        QTest::newRow("twice in the second group")
            << AliVeli << QStringList{u"Can"_s, u"Kaya"_s, u"05323333333"_s, u"Berk"_s, u"Ak"_s, u"05323333333"_s} << ""
            << QStringList{u"Ali"_s, u"Kara"_s, u"05321111111"_s, u"Can"_s, u"Kaya"_s, u"05323333333"_s, u"Veli"_s, u"Şen"_s,
                           u"05322222222"_s}
            << duplicate({u"Can"_s, u"Kaya"_s, u"05323333333"_s}, {u"Berk"_s, u"Ak"_s, u"05323333333"_s}) + summary(1);
        QTest::newRow("five digits") << QStringList{u"Ali"_s, u"A"_s, u"12345"_s} << QStringList{u"Can"_s, u"C"_s, u"12345"_s} << ""
                                     << QStringList{u"Ali"_s, u"A"_s, u"12345"_s, u"Can"_s, u"C"_s, u"12345      "_s}
                                     << QStringList();
        QTest::newRow("an empty first group")
            << QStringList() << QStringList{u"Zeynep"_s, u"Işık"_s, u"05324444444"_s, u"Can"_s, u"Kaya"_s, u"05323333333"_s} << ""
            << QStringList{u"Can"_s, u"Kaya"_s, u"05323333333"_s, u"Zeynep"_s, u"Işık"_s, u"05324444444"_s} << QStringList();
        QTest::newRow("a surname that reads like the number")
            << QStringList{u"Ali"_s, u"05323333333"_s, u"05321111111"_s} << CanZeynep.mid(0, 3) << ""
            << QStringList{u"Ali"_s, u"05323333333"_s, u"05321111111"_s} + CanZeynep.mid(0, 3) << QStringList();
        QTest::newRow("two lines: one contact without its number")
            << AliVeli << QStringList{u"Can"_s, u"Kaya"_s} << ""
            << QStringList{u"Ali"_s, u"Kara"_s, u"05321111111"_s, u"Can"_s, u"Kaya"_s, u"           "_s} + AliVeli.mid(3)
            << QStringList();
    }
    void merging() {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QString, text);
        QFETCH(QStringList, result);
        QFETCH(QStringList, report);
        STOP_IF_FAILED(openMerger({Default, Default, u"Ev"_s, u"İş"_s}, {{u"Ev"_s, first}, {u"İş"_s, second}}));
        if (!text.isEmpty()) {
            QTest::mouseClick(Form12->surnameCheck, Qt::LeftButton);
            typeText(Form12->surnameTextEdit, text);
        }
        merge(u"Ev"_s, u"İş"_s);
        QCOMPARE(testhooks::messages(), QStringList{Done});
        QCOMPARE(home->read(u"Ev.vexo"_s), fileBytes(result));
        QCOMPARE(home->read(u"İş.vexo"_s), fileBytes(second));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({Default, Default, u"Ev"_s, u"İş"_s}));
        QCOMPARE(Form12->reportLines(), report);
        QCOMPARE(Form12->gauge->value(), 0);
        QVERIFY(Form12->mergeLines.isEmpty() && Form12->mergeNameIndex.isEmpty() && Form12->secondLines.isEmpty());
        // the pickers refilled, nothing picked; the surname option kept
        QCOMPARE(items(Form12->firstGroupChooser), (QStringList{Default, u"Ev"_s, u"İş"_s}));
        QCOMPARE(Form12->secondGroupChooser->currentIndex(), -1);
        QCOMPARE(Form12->surnameCheck->isChecked(), !text.isEmpty());
        QCOMPARE(Form12->surnameTextEdit->text(), text);
        // the report's menu follows within 100 ms
        QTRY_COMPARE(Form12->saveAction->isEnabled(), report.size() > 2);
        QCOMPARE(Form12->clearAction->isEnabled(), report.size() > 2);
    }

    void mergingThePairTwiceSkipsEveryContact() {
        STOP_IF_FAILED(openMerger({Default, Default, u"Ev"_s, u"İş"_s}, {{u"Ev"_s, AliVeli}, {u"İş"_s, CanZeynep}}));
        merge(u"Ev"_s, u"İş"_s);
        merge(u"Ev"_s, u"İş"_s);
        QCOMPARE(testhooks::messages(), (QStringList{Done, Done}));
        QCOMPARE(Form12->reportLines(),
                 QStringList{u"Birleştirilmek istenen 2.Grup dosyası daha önce 1.Grup dosyasına eklenmiş!İşlem "
                             "gerçekleştirilmedi!"_s});
        QCOMPARE(home->read(u"Ev.vexo"_s), fileBytes(Merged));
    }

    void intoANewGroup() {
        STOP_IF_FAILED(openMerger({u"Ev"_s, Default, u"Ev"_s, u"İş"_s}, {{u"Ev"_s, AliVeli}, {u"İş"_s, CanZeynep}}));
        QTest::mouseClick(Form12->newGroupCheck, Qt::LeftButton);
        typeText(Form12->newGroupEdit, u"Aile ve Dostlarımız"_s);  // 16 characters kept
        QCOMPARE(Form12->newGroupEdit->text(), u"Aile ve Dostları"_s);
        merge(u"Ev"_s, u"İş"_s);
        QCOMPARE(testhooks::messages(), QStringList{Done});
        QCOMPARE(home->read(u"Aile ve Dostları.vexo"_s), fileBytes(Merged));
        QCOMPARE(home->read(u"Ev.vexo"_s), fileBytes(AliVeli));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({u"Ev"_s, Default, u"Ev"_s, u"İş"_s, u"Aile ve Dostları"_s}));
        QCOMPARE(texts(Book->groupNames()), (QStringList{u"Ev"_s, Default, u"Ev"_s, u"İş"_s, u"Aile ve Dostları"_s}));
        // the main window lists it at once
        QCOMPARE(items(mainWindow().groupSelector), (QStringList{Default, u"Aile ve Dostları"_s, u"Ev"_s, u"İş"_s}));
        QCOMPARE(mainWindow().groupSelector->currentText(), u"Ev"_s);
        QVERIFY(!Form12->newGroupCheck->isChecked());
        QCOMPARE(Form12->newGroupEdit->text(), QString());
        QVERIFY(!Form12->newGroupEdit->isEnabled());
        QCOMPARE(items(Form12->secondGroupChooser), (QStringList{Default, u"Aile ve Dostları"_s, u"Ev"_s, u"İş"_s}));
    }

    // A new group's name that names a group or a file already, in any
    // letter case, or that cannot be a file's name, is refused: nothing is
    // written and the options stay for correcting.
    void aNewGroupNameThatIsTakenIsRefused_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString taken = u"Bu isimde başka bir grup bulunmaktadır!"_s;
        QTest::newRow("a listed group") << "İş" << taken;
        QTest::newRow("a listed group, other case") << "iŞ" << taken;
        QTest::newRow("the first group itself") << "EV" << taken;
        QTest::newRow("an unlisted file") << "Eski" << taken;
        QTest::newRow("an unlisted file, other case") << "ESKİ" << taken;
        QTest::newRow("a path") << "../Ev" << u"Grup adında \\ / : * ? \" < > | işaretleri ve denetim karakterleri kullanılamaz! Başka bir isim girin."_s;
        QTest::newRow("a colon") << "a:b" << u"Grup adında \\ / : * ? \" < > | işaretleri ve denetim karakterleri kullanılamaz! Başka bir isim girin."_s;
    }
    void aNewGroupNameThatIsTakenIsRefused() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        STOP_IF_FAILED(openMerger({Default, Default, u"Ev"_s, u"İş"_s}, {{u"Ev"_s, AliVeli}, {u"İş"_s, CanZeynep}, {u"Eski"_s, AliVeli}}));
        const QStringList files = home->dataFiles();
        QTest::mouseClick(Form12->newGroupCheck, Qt::LeftButton);
        typeText(Form12->newGroupEdit, typed);
        merge(u"Ev"_s, u"İş"_s);
        QCOMPARE(testhooks::messages(), QStringList{message});
        QCOMPARE(home->dataFiles(), files);
        QCOMPARE(home->read(u"İş.vexo"_s), fileBytes(CanZeynep));
        QCOMPARE(home->read(u"Eski.vexo"_s), fileBytes(AliVeli));
        QCOMPARE(home->read(u"Ev.vexo"_s), fileBytes(AliVeli));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({Default, Default, u"Ev"_s, u"İş"_s}));
        QCOMPARE(Form12->newGroupEdit->text(), typed);
        QCOMPARE(Form12->firstGroupChooser->currentText(), u"Ev"_s);
    }

    void failedPreparations_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("report");
        QTest::newRow("nothing picked") << "" << "" << "Hata:Birleştirilecek 1. Grup Dosyası Bulunamyor!";
        QTest::newRow("first file missing") << "Yok" << "İş" << "Hata:Birleştirilecek 1. Grup Dosyası Bulunamyor!";
        QTest::newRow("second file missing") << "Ev" << "Yok" << "Hata:Birleştirilecek 2. Grup Dosyası Bulunamyor!";
        QTest::newRow("second group of one line") << "Ev" << "Tek" << "Hata:2.Grup Dosyası hiç bir kayıt içermiyor!";
        QTest::newRow("second group empty") << "Ev" << Default << "Hata:2.Grup Dosyası hiç bir kayıt içermiyor!";
    }
    void failedPreparations() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, report);
        STOP_IF_FAILED(openMerger({Default, Default, u"Ev"_s, u"İş"_s, u"Tek"_s, u"Yok"_s}, {{u"Ev"_s, AliVeli}, {u"İş"_s, CanZeynep}, {u"Tek"_s, {u"Mert"_s}}}));
        const QByteArray list = home->read(u"Ayarlar.cnt"_s);
        if (!first.isEmpty()) merge(first, second);
        else QTest::mouseClick(Form12->mergeButton, Qt::LeftButton);
        QCOMPARE(testhooks::messages(), QStringList());
        QCOMPARE(Form12->reportLines(), QStringList{report});
        QCOMPARE(home->read(u"Ev.vexo"_s), fileBytes(AliVeli));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), list);
        QVERIFY(Form12->groupListCopy.isEmpty());
        // The same group in both pickers now empties both: the group list
        // copy stays empty until the window is opened again.
        const int rowsBefore = Form12->firstGroupChooser->count();
        pick(Form12->firstGroupChooser, u"Ev"_s);
        pick(Form12->secondGroupChooser, u"Ev"_s);
        QCOMPARE(testhooks::messages(), QStringList{u"Gruplar aynı olamaz!"_s});
        QVERIFY(rowsBefore > 0);
        QCOMPARE(Form12->firstGroupChooser->count(), 0);
        QCOMPARE(Form12->secondGroupChooser->count(), 0);
    }

    void theSameGroupInBothPickers() {
        STOP_IF_FAILED(openMerger({Default, u"İş"_s, Default, u"Ev"_s}, {{u"Ev"_s, AliVeli}, {u"İş"_s, CanZeynep}}));
        QCOMPARE(items(Form12->firstGroupChooser), (QStringList{Default, u"Ev"_s, u"İş"_s}));
        QCOMPARE(Form12->firstGroupChooser->currentIndex(), -1);
        pick(Form12->secondGroupChooser, u"İş"_s);
        pick(Form12->firstGroupChooser, u"İş"_s);
        QCOMPARE(testhooks::messages(), QStringList{u"Gruplar aynı olamaz!"_s});
        for (QComboBox* box : {Form12->firstGroupChooser, Form12->secondGroupChooser}) {
            QCOMPARE(items(box), (QStringList{Default, u"Ev"_s, u"İş"_s}));
            QCOMPARE(box->currentIndex(), -1);
        }
    }

    void theMergeButtonsEnabling_data() {
        QTest::addColumn<bool>("newName");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("surnames");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("no options") << false << "" << false << "" << true;
        QTest::newRow("new name, empty") << true << "" << false << "" << false;
        QTest::newRow("new name given") << true << "Yeni" << false << "" << true;
        QTest::newRow("surnames, empty") << false << "" << true << "" << false;
        QTest::newRow("surnames given") << false << "" << true << "-2" << true;
        QTest::newRow("both, one empty") << true << "Yeni" << true << "" << false;
        QTest::newRow("both given") << true << "Yeni" << true << "-2" << true;
    }
    void theMergeButtonsEnabling() {
        QFETCH(bool, newName);
        QFETCH(QString, name);
        QFETCH(bool, surnames);
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        STOP_IF_FAILED(openMerger({Default, Default}, {}));
        QVERIFY(Form12->mergeButton->isEnabled());
        QVERIFY(!Form12->newGroupEdit->isEnabled() && !Form12->surnameTextEdit->isEnabled());
        QCOMPARE(Form12->newGroupEdit->palette().color(QPalette::Base), QColor(192, 192, 192));
        if (newName) QTest::mouseClick(Form12->newGroupCheck, Qt::LeftButton);
        if (surnames) QTest::mouseClick(Form12->surnameCheck, Qt::LeftButton);
        QCOMPARE(Form12->newGroupEdit->isEnabled(), newName);
        QCOMPARE(Form12->surnameTextEdit->isEnabled(), surnames);
        QCOMPARE(Form12->surnameTextEdit->palette().color(QPalette::Base) == QColor(192, 192, 192), !surnames);
        typeText(Form12->newGroupEdit, name);
        typeText(Form12->surnameTextEdit, text);
        QCOMPARE(Form12->mergeButton->isEnabled(), enabled);
        // emptied again by the window itself: the rule follows
        Form12->newGroupEdit->clear();
        Form12->surnameTextEdit->clear();
        QCOMPARE(Form12->mergeButton->isEnabled(), !newName && !surnames);
        Form12->newGroupCheck->setChecked(false);
        Form12->surnameCheck->setChecked(false);
        QVERIFY(Form12->mergeButton->isEnabled());
    }

    void theLinkExplainsTheSurnameOption() {
        STOP_IF_FAILED(openMerger({Default, Default}, {}));
        QTest::mouseClick(Form12->aboutLink, Qt::LeftButton);
        QCOMPARE(testhooks::messages(),
                 QStringList{u"Bu seçenek işaretli iken metine girdiğiniz yazı ikinci grup dosyasındaki soyadlara "
                             "eklenecektir ve grupların karışması önlenecektir!"_s});
    }

    // The main window shows the merge at once, so a save there afterwards
    // keeps the merged contacts; closing brings it up to date again.
    void mergingIntoTheActiveGroup() {
        STOP_IF_FAILED(openMerger({u"Ev"_s, Default, u"Ev"_s, u"İş"_s}, {{u"Ev"_s, AliVeli}, {u"İş"_s, CanZeynep}}));
        QCOMPARE(Book->recordLines().count(), 6);
        merge(u"Ev"_s, u"İş"_s);
        QCOMPARE(texts(Book->recordLines()), Merged);
        QCOMPARE(texts(Book->nameIndex()), (QStringList{u"Ali"_s, u"Can"_s, u"Veli"_s, u"Zeynep"_s}));
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:Ev"_s);
        typeText(mainWindow().nameField, u"Oya"_s);
        typeText(mainWindow().numberField, u"05325555555"_s);
        QTest::mouseClick(mainWindow().saveButton, Qt::LeftButton);
        QCOMPARE(testhooks::messages(), (QStringList{Done, u"Kayıt işlemi tamamlandı!!"_s}));
        const QStringList withOya = Merged.mid(0, 6) + QStringList{u"Oya"_s, u""_s, u"05325555555"_s} + Merged.mid(6);
        QCOMPARE(home->read(u"Ev.vexo"_s), fileBytes(withOya));

        QTest::keyClick(Form12, Qt::Key_Escape);
        QVERIFY(!Form12->isVisible());
        QCOMPARE(texts(Book->recordLines()), withOya);
        QCOMPARE(Book->nameIndex().count(), 5);
        QCOMPARE(mainWindow().groupSelector->currentText(), u"Ev"_s);
        QCOMPARE(items(mainWindow().groupSelector), (QStringList{Default, u"Ev"_s, u"İş"_s}));
    }

    // Closing reads the active group again (it may have changed on disk),
    // and resets every option.
    void closingBringsTheMainWindowUpToDate_data() {
        QTest::addColumn<int>("how");  // 0 "Çık", 1 Esc, 2 the close box
        QTest::newRow("Çık") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close box") << 2;
    }
    void closingBringsTheMainWindowUpToDate() {
        QFETCH(int, how);
        STOP_IF_FAILED(openMerger({u"Ev"_s, Default, u"Ev"_s}, {{u"Ev"_s, AliVeli}}));
        home->write(u"Ev.vexo"_s, fileBytes(Merged));
        QTest::mouseClick(Form12->newGroupCheck, Qt::LeftButton);
        typeText(Form12->newGroupEdit, u"Yeni"_s);
        QTest::mouseClick(Form12->surnameCheck, Qt::LeftButton);
        typeText(Form12->surnameTextEdit, u"-2"_s);
        Form12->reportEdit->setPlainText(u"a\nb\nc"_s);
        if (how == 0) QTest::mouseClick(Form12->exitButton, Qt::LeftButton);
        if (how == 1) QTest::keyClick(Form12, Qt::Key_Escape);
        if (how == 2) Form12->close();
        QVERIFY(!Form12->isVisible());
        QCOMPARE(texts(Book->recordLines()), Merged);
        QCOMPARE(Book->nameIndex().count(), 4);
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:Ev"_s);
        QCOMPARE(Form12->reportLines(), QStringList());
        QVERIFY(!Form12->newGroupCheck->isChecked() && !Form12->surnameCheck->isChecked());
        QVERIFY(Form12->newGroupEdit->text().isEmpty() && Form12->surnameTextEdit->text().isEmpty());
        QVERIFY(!Form12->newGroupEdit->isEnabled() && !Form12->surnameTextEdit->isEnabled());
        QVERIFY(Form12->mergeButton->isEnabled());
    }

    void theReportIsSavedAsRichText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("a name") << "rapor" << "rapor.txt";
        QTest::newRow("a name with .txt") << "rapor.txt" << "rapor.txt.txt";
    }
    void theReportIsSavedAsRichText() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        STOP_IF_FAILED(openMerger({u"Ev"_s, Default, u"Ev"_s, u"İş"_s},
                                  {{u"Ev"_s, AliVeli}, {u"İş"_s, QStringList{u"Çağrı"_s, u"Öztürk"_s, u"05321111111"_s} + CanZeynep}}));
        merge(u"Ev"_s, u"İş"_s);
        QTRY_VERIFY(Form12->saveAction->isEnabled());
        testhooks::setNextSaveFileName(home->path() + u"/"_s + typed);
        Form12->saveAction->trigger();
        QFile f(home->path() + u"/"_s + written);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray rtf = f.readAll();
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1254"));
        // bold 8 points, every Turkish letter as its code page 1254 byte
        QVERIFY2(rtf.contains("\\fs16\\b \\'ddsim:\\'c7a\\'f0r\\'fd}"), rtf.constData());
        QVERIFY(rtf.contains("Soyad: \\'d6zt\\'fcrk}"));
        QVERIFY(rtf.contains("Guplar ba\\'fear\\'fdyla birle\\'fetirildi!}"));
        QCOMPARE(rtf.count("\\par\r\n"), Form12->reportLines().size());

        Form12->clearAction->trigger();
        QCOMPARE(Form12->reportLines(), QStringList());
        QTRY_VERIFY(!Form12->saveAction->isEnabled());
        QVERIFY(!Form12->clearAction->isEnabled());
    }

    void aCancelledSaveWritesNothing() {
        STOP_IF_FAILED(openMerger({u"Ev"_s, Default, u"Ev"_s, u"İş"_s}, {{u"Ev"_s, AliVeli}, {u"İş"_s, AliVeli.mid(0, 3) + CanZeynep}}));
        merge(u"Ev"_s, u"İş"_s);
        const QStringList before = QDir(home->path()).entryList(QDir::Files);
        testhooks::setNextSaveFileName(QString());
        QTRY_VERIFY(Form12->saveAction->isEnabled());
        Form12->saveAction->trigger();
        QCOMPARE(QDir(home->path()).entryList(QDir::Files), before);
        QCOMPARE(testhooks::messages(), QStringList{Done});
    }

    // The disk fills while the result is written, or while the group list
    // is written after it: the error is shown, not "İşlem Tamam!", and both
    // files and the main window are as they were.
    void aFailedWriteChangesNoFile_data() {
        QTest::addColumn<bool>("intoNewGroup");
        QTest::addColumn<bool>("bigList");  // else a big result
        QTest::newRow("the result, into the active group") << false << false;
        QTest::newRow("the result, into a new group") << true << false;
        QTest::newRow("the group list, after a new group's file") << true << true;
    }
    void aFailedWriteChangesNoFile() {
        QFETCH(bool, intoNewGroup);
        QFETCH(bool, bigList);
        QStringList groupList = {u"Ev"_s, Default, u"Ev"_s, u"İş"_s};
        QStringList second = CanZeynep;
        for (int i = 0; i < 400; ++i) {
            if (bigList) groupList << QStringLiteral("Boş grup %1").arg(i);
            else second << QStringLiteral("Kişi %1").arg(i) << u""_s << QStringLiteral("0542%1").arg(i, 7, 10, QLatin1Char('0'));
        }
        STOP_IF_FAILED(openMerger(groupList, {{u"Ev"_s, AliVeli}, {u"İş"_s, second}}));
        const QByteArray list = home->read(u"Ayarlar.cnt"_s);
        QVERIFY((bigList ? list : home->read(u"İş.vexo"_s)).size() > 4096);
        if (intoNewGroup) {
            QTest::mouseClick(Form12->newGroupCheck, Qt::LeftButton);
            typeText(Form12->newGroupEdit, u"Yeni"_s);
        }
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit tight = saved;
        tight.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        merge(u"Ev"_s, u"İş"_s);
        setrlimit(RLIMIT_FSIZE, &saved);

        QCOMPARE(testhooks::messages().size(), 1);
        QVERIFY2(testhooks::messages().first().startsWith(u"Cannot create file "_s), qPrintable(testhooks::messages().first()));
        QCOMPARE(home->read(u"Ev.vexo"_s), fileBytes(AliVeli));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), list);
        QCOMPARE(home->dataFiles(), (QStringList{GroupFile, u"Ayarlar.cnt"_s, u"Ev.vexo"_s, u"İş.vexo"_s}));
        QCOMPARE(texts(Book->recordLines()), AliVeli);
        QCOMPARE(Book->groupNames().count(), groupList.size());
        QCOMPARE(mainWindow().groupSelector->count(), groupList.size() - 1);
        QVERIFY(Form12->mergeLines.isEmpty());
        QVERIFY(Form12->newGroupCheck->isChecked() == intoNewGroup);  // the options stay for a new try
    }

    // The order of a merge's writes: into a new group, the group is named as
    // pending, then its file and the list are written, and the name goes;
    // into the first group only its file is written.
    void theOrderOfAMergesWrites_data() {
        QTest::addColumn<bool>("intoNewGroup");
        QTest::addColumn<QStringList>("renamed");
        QTest::newRow("into a new group") << true
                                          << QStringList{u".Telefika.pending"_s, u"Yeni.vexo"_s, u"Ayarlar.cnt"_s};
        QTest::newRow("into the first group") << false << QStringList{u"Ev.vexo"_s};
    }
    void theOrderOfAMergesWrites() {
        QFETCH(bool, intoNewGroup);
        QFETCH(QStringList, renamed);
        STOP_IF_FAILED(openMerger({u"Ev"_s, Default, u"Ev"_s, u"İş"_s}, {{u"Ev"_s, AliVeli}, {u"İş"_s, CanZeynep}}));
        if (intoNewGroup) {
            QTest::mouseClick(Form12->newGroupCheck, Qt::LeftButton);
            typeText(Form12->newGroupEdit, u"Yeni"_s);
        }
        QStringList written;
        textfile::FileCalls recording = textfile::systemFileCalls();
        recording.rename = [&](const QString& from, const QString& to) {
            written << QFileInfo(to).fileName();
            return textfile::systemFileCalls().rename(from, to);
        };
        textfile::setFileCalls(recording);
        merge(u"Ev"_s, u"İş"_s);
        textfile::setFileCalls(textfile::systemFileCalls());
        QCOMPARE(testhooks::messages(), QStringList{Done});
        QCOMPARE(written, renamed);
        QVERIFY(!QFile::exists(pendinggroups::path()));
        QCOMPARE(home->read(intoNewGroup ? u"Yeni.vexo"_s : u"Ev.vexo"_s), fileBytes(Merged));
    }

    // A group list the file holds already is not written again.
    void anUnchangedGroupListIsNotRewritten() {
        STOP_IF_FAILED(openMerger({u"Ev"_s, Default, u"Ev"_s, u"İş"_s}, {{u"Ev"_s, AliVeli}, {u"İş"_s, CanZeynep}}));
        const QDateTime before = QFileInfo(home->dataPath(u"Ayarlar.cnt"_s)).lastModified();
        QTest::qWait(20);
        merge(u"Ev"_s, u"İş"_s);
        QCOMPARE(testhooks::messages(), QStringList{Done});
        QCOMPARE(QFileInfo(home->dataPath(u"Ayarlar.cnt"_s)).lastModified(), before);
    }
};

TELEFIKA_TEST_MAIN(TestGroupMerger)
#include "tst_isimsirala.moc"


// The group merger: merges driven through its window, the files they leave,
// the report and its saving, the options and their resets, the names a new
// group may not take, and the main window kept up to date.

#include "app/forms.h"
#include "app/Unit1.h"
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

namespace {
const QString Default = QStringLiteral("@Kayıtlar@");
const QString Done = QStringLiteral("İşlem Tamam!");
const QStringList AliVeli = {"Ali", "Kara", "05321111111", "Veli", "Şen", "05322222222"};
const QStringList CanZeynep = {"Can", "Kaya", "05323333333", "Zeynep", "Işık", "05324444444"};
const QStringList Merged = {"Ali",   "Kara", "05321111111", "Can",    "Kaya", "05323333333",
                            "Veli",  "Şen",  "05322222222", "Zeynep", "Işık", "05324444444"};

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
    pick(Form12->ComboBox1, first);
    pick(Form12->ComboBox2, second);
    QTest::mouseClick(Form12->BitBtn1, Qt::LeftButton);
}

QStringList duplicate(const QStringList& holder, const QStringList& contact) {
    return {"Aynı numaraya sahip başka bir kişi bulundu.", "1.Gruptaki kayıt:", "İsim:" + holder[0],
            "Soyad: " + holder[1], "Numara: " + holder[2], "##", "2.Gruptaki kayıt:", "İsim:" + contact[0],
            "Soyad: " + contact[1], "Numara: " + contact[2], "-----------------------"};
}

QStringList summary(int n) {
    return {"", "&&&&&&", "",
            QStringLiteral("Yukarıda aynı isimde %1 kişi bulundu ve kayıt 2. bir kez eklenmedi!Tüm işlemler "
                           "1.Gruptaki kayıtlara göre gerçekleştirildi!")
                .arg(n),
            "", "&&&&&&", "Guplar başarıyla birleştirildi!"};
}
}  // namespace

class TestGroupMerger : public ProgramTest {
    Q_OBJECT

    // The group list, the groups' files, the program, and the merger opened from the menu.
    void start(const QStringList& groupList, const QMap<QString, QStringList>& groups) {
        home->write("Ayarlar.cnt", fileBytes(groupList));
        home->write("@Kayıtlar@.vexo", QByteArray());
        for (auto g = groups.begin(); g != groups.end(); ++g) home->write(g.key() + ".vexo", fileBytes(g.value()));
        createForms();
        testhooks::messages().clear();
        Form1->GrupBirletirici1->trigger();
        QVERIFY(Form12->isVisible());
        QVERIFY(!Form12->isModal());
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
            << AliVeli << QStringList{"Ali", "Yeni", "05329999999"} << ""
            << QStringList{"Ali", "Yeni", "05329999999"} + AliVeli << QStringList();
        const QStringList skipped = {"Deniz", "Ak-2", "05321111111"};
        QTest::newRow("a number that is there, with -2")
            << AliVeli << QStringList{"Can", "Kaya", "05323333333", "Deniz", "Ak", "05321111111"} << "-2"
            << QStringList{"Ali", "Kara", "05321111111", "Can", "Kaya-2", "05323333333", "Veli", "Şen",
                           "05322222222"}
            << duplicate(AliVeli.mid(0, 3), skipped) + summary(1);
        QTest::newRow("twice in the second group")
            << AliVeli << QStringList{"Can", "Kaya", "05323333333", "Berk", "Ak", "05323333333"} << ""
            << QStringList{"Ali", "Kara", "05321111111", "Can", "Kaya", "05323333333", "Veli", "Şen",
                           "05322222222"}
            << duplicate({"Can", "Kaya", "05323333333"}, {"Berk", "Ak", "05323333333"}) + summary(1);
        QTest::newRow("five digits") << QStringList{"Ali", "A", "12345"} << QStringList{"Can", "C", "12345"} << ""
                                     << QStringList{"Ali", "A", "12345", "Can", "C", "12345      "}
                                     << QStringList();
        QTest::newRow("an empty first group")
            << QStringList() << QStringList{"Zeynep", "Işık", "05324444444", "Can", "Kaya", "05323333333"} << ""
            << QStringList{"Can", "Kaya", "05323333333", "Zeynep", "Işık", "05324444444"} << QStringList();
        QTest::newRow("a surname that reads like the number")
            << QStringList{"Ali", "05323333333", "05321111111"} << CanZeynep.mid(0, 3) << ""
            << QStringList{"Ali", "05323333333", "05321111111"} + CanZeynep.mid(0, 3) << QStringList();
        QTest::newRow("two lines: one contact without its number")
            << AliVeli << QStringList{"Can", "Kaya"} << ""
            << QStringList{"Ali", "Kara", "05321111111", "Can", "Kaya", "           "} + AliVeli.mid(3)
            << QStringList();
    }
    void merging() {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QString, text);
        QFETCH(QStringList, result);
        QFETCH(QStringList, report);
        start({Default, Default, "Ev", "İş"}, {{"Ev", first}, {"İş", second}});
        if (!text.isEmpty()) {
            QTest::mouseClick(Form12->CheckBox2, Qt::LeftButton);
            typeText(Form12->Edit2, text);
        }
        merge("Ev", "İş");
        QCOMPARE(testhooks::messages(), QStringList{Done});
        QCOMPARE(home->read("Ev.vexo"), fileBytes(result));
        QCOMPARE(home->read("İş.vexo"), fileBytes(second));
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({Default, Default, "Ev", "İş"}));
        QCOMPARE(Form12->reportLines(), report);
        QCOMPARE(Form12->CGauge1->value(), 0);
        QVERIFY(Form12->mergeLines.isEmpty() && Form12->mergeNameIndex.isEmpty() && Form12->secondLines.isEmpty());
        // the pickers refilled, nothing picked; the surname option kept
        QCOMPARE(items(Form12->ComboBox1), (QStringList{Default, "Ev", "İş"}));
        QCOMPARE(Form12->ComboBox2->currentIndex(), -1);
        QCOMPARE(Form12->CheckBox2->isChecked(), !text.isEmpty());
        QCOMPARE(Form12->Edit2->text(), text);
        // the report's menu follows within 100 ms
        QTRY_COMPARE(Form12->Kaydet1->isEnabled(), report.size() > 2);
        QCOMPARE(Form12->Temizle1->isEnabled(), report.size() > 2);
    }

    void mergingThePairTwiceSkipsEveryContact() {
        start({Default, Default, "Ev", "İş"}, {{"Ev", AliVeli}, {"İş", CanZeynep}});
        merge("Ev", "İş");
        merge("Ev", "İş");
        QCOMPARE(testhooks::messages(), (QStringList{Done, Done}));
        QCOMPARE(Form12->reportLines(),
                 QStringList{"Birleştirilmek istenen 2.Grup dosyası daha önce 1.Grup dosyasına eklenmiş!İşlem "
                             "gerçekleştirilmedi!"});
        QCOMPARE(home->read("Ev.vexo"), fileBytes(Merged));
    }

    void intoANewGroup() {
        start({"Ev", Default, "Ev", "İş"}, {{"Ev", AliVeli}, {"İş", CanZeynep}});
        QTest::mouseClick(Form12->CheckBox1, Qt::LeftButton);
        typeText(Form12->Edit1, "Aile ve Dostlarımız");  // 16 characters kept
        QCOMPARE(Form12->Edit1->text(), "Aile ve Dostları");
        merge("Ev", "İş");
        QCOMPARE(testhooks::messages(), QStringList{Done});
        QCOMPARE(home->read("Aile ve Dostları.vexo"), fileBytes(Merged));
        QCOMPARE(home->read("Ev.vexo"), fileBytes(AliVeli));
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({"Ev", Default, "Ev", "İş", "Aile ve Dostları"}));
        QCOMPARE(texts(Form1->groupNames), (QStringList{"Ev", Default, "Ev", "İş", "Aile ve Dostları"}));
        // the main window lists it at once
        QCOMPARE(items(Form1->groupSelector), (QStringList{Default, "Aile ve Dostları", "Ev", "İş"}));
        QCOMPARE(Form1->groupSelector->currentText(), "Ev");
        QVERIFY(!Form12->CheckBox1->isChecked());
        QCOMPARE(Form12->Edit1->text(), QString());
        QVERIFY(!Form12->Edit1->isEnabled());
        QCOMPARE(items(Form12->ComboBox2), (QStringList{Default, "Aile ve Dostları", "Ev", "İş"}));
    }

    // A new group's name that names a group or a file already, in any
    // letter case, or that cannot be a file's name, is refused: nothing is
    // written and the options stay for correcting.
    void aNewGroupNameThatIsTakenIsRefused_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString taken = "Bu isimde başka bir grup bulunmaktadır!";
        QTest::newRow("a listed group") << "İş" << taken;
        QTest::newRow("a listed group, other case") << "iŞ" << taken;
        QTest::newRow("the first group itself") << "EV" << taken;
        QTest::newRow("an unlisted file") << "Eski" << taken;
        QTest::newRow("an unlisted file, other case") << "ESKİ" << taken;
        QTest::newRow("a path") << "../Ev" << UnusableGroupNameMessage;
        QTest::newRow("a colon") << "a:b" << UnusableGroupNameMessage;
    }
    void aNewGroupNameThatIsTakenIsRefused() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        start({Default, Default, "Ev", "İş"}, {{"Ev", AliVeli}, {"İş", CanZeynep}, {"Eski", AliVeli}});
        const QStringList files = home->dataFiles();
        QTest::mouseClick(Form12->CheckBox1, Qt::LeftButton);
        typeText(Form12->Edit1, typed);
        merge("Ev", "İş");
        QCOMPARE(testhooks::messages(), QStringList{message});
        QCOMPARE(home->dataFiles(), files);
        QCOMPARE(home->read("İş.vexo"), fileBytes(CanZeynep));
        QCOMPARE(home->read("Eski.vexo"), fileBytes(AliVeli));
        QCOMPARE(home->read("Ev.vexo"), fileBytes(AliVeli));
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({Default, Default, "Ev", "İş"}));
        QCOMPARE(Form12->Edit1->text(), typed);
        QCOMPARE(Form12->ComboBox1->currentText(), "Ev");
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
        start({Default, Default, "Ev", "İş", "Tek", "Yok"}, {{"Ev", AliVeli}, {"İş", CanZeynep}, {"Tek", {"Mert"}}});
        const QByteArray list = home->read("Ayarlar.cnt");
        if (!first.isEmpty()) merge(first, second);
        else QTest::mouseClick(Form12->BitBtn1, Qt::LeftButton);
        QCOMPARE(testhooks::messages(), QStringList());
        QCOMPARE(Form12->reportLines(), QStringList{report});
        QCOMPARE(home->read("Ev.vexo"), fileBytes(AliVeli));
        QCOMPARE(home->read("Ayarlar.cnt"), list);
        QVERIFY(Form12->groupListCopy.isEmpty());
        // The same group in both pickers now empties both: the group list
        // copy stays empty until the window is opened again.
        const int rowsBefore = Form12->ComboBox1->count();
        pick(Form12->ComboBox1, "Ev");
        pick(Form12->ComboBox2, "Ev");
        QCOMPARE(testhooks::messages(), QStringList{"Gruplar aynı olamaz!"});
        QVERIFY(rowsBefore > 0);
        QCOMPARE(Form12->ComboBox1->count(), 0);
        QCOMPARE(Form12->ComboBox2->count(), 0);
    }

    void theSameGroupInBothPickers() {
        start({Default, "İş", Default, "Ev"}, {{"Ev", AliVeli}, {"İş", CanZeynep}});
        QCOMPARE(items(Form12->ComboBox1), (QStringList{Default, "Ev", "İş"}));
        QCOMPARE(Form12->ComboBox1->currentIndex(), -1);
        pick(Form12->ComboBox2, "İş");
        pick(Form12->ComboBox1, "İş");
        QCOMPARE(testhooks::messages(), QStringList{"Gruplar aynı olamaz!"});
        for (QComboBox* box : {Form12->ComboBox1, Form12->ComboBox2}) {
            QCOMPARE(items(box), (QStringList{Default, "Ev", "İş"}));
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
        start({Default, Default}, {});
        QVERIFY(Form12->BitBtn1->isEnabled());
        QVERIFY(!Form12->Edit1->isEnabled() && !Form12->Edit2->isEnabled());
        QCOMPARE(Form12->Edit1->palette().color(QPalette::Base), QColor(192, 192, 192));
        if (newName) QTest::mouseClick(Form12->CheckBox1, Qt::LeftButton);
        if (surnames) QTest::mouseClick(Form12->CheckBox2, Qt::LeftButton);
        QCOMPARE(Form12->Edit1->isEnabled(), newName);
        QCOMPARE(Form12->Edit2->isEnabled(), surnames);
        QCOMPARE(Form12->Edit2->palette().color(QPalette::Base) == QColor(192, 192, 192), !surnames);
        typeText(Form12->Edit1, name);
        typeText(Form12->Edit2, text);
        QCOMPARE(Form12->BitBtn1->isEnabled(), enabled);
        // emptied again by the window itself: the rule follows
        Form12->Edit1->clear();
        Form12->Edit2->clear();
        QCOMPARE(Form12->BitBtn1->isEnabled(), !newName && !surnames);
        Form12->CheckBox1->setChecked(false);
        Form12->CheckBox2->setChecked(false);
        QVERIFY(Form12->BitBtn1->isEnabled());
    }

    void theLinkExplainsTheSurnameOption() {
        start({Default, Default}, {});
        QTest::mouseClick(Form12->Label6, Qt::LeftButton);
        QCOMPARE(testhooks::messages(),
                 QStringList{"Bu seçenek işaretli iken metine girdiğiniz yazı ikinci grup dosyasındaki soyadlara "
                             "eklenecektir ve grupların karışması önlenecektir!"});
    }

    // The main window shows the merge at once, so a save there afterwards
    // keeps the merged contacts; closing brings it up to date again.
    void mergingIntoTheActiveGroup() {
        start({"Ev", Default, "Ev", "İş"}, {{"Ev", AliVeli}, {"İş", CanZeynep}});
        QCOMPARE(Form1->recordLines.count(), 6);
        merge("Ev", "İş");
        QCOMPARE(texts(Form1->recordLines), Merged);
        QCOMPARE(texts(Form1->nameIndex), (QStringList{"Ali", "Can", "Veli", "Zeynep"}));
        QCOMPARE(Form1->statusPanel2->text(), "Grup:Ev");
        typeText(Form1->nameField, "Oya");
        typeText(Form1->numberField, "05325555555");
        QTest::mouseClick(Form1->saveButton, Qt::LeftButton);
        QCOMPARE(testhooks::messages(), (QStringList{Done, "Kayıt işlemi tamamlandı!!"}));
        const QStringList withOya = Merged.mid(0, 6) + QStringList{"Oya", "", "05325555555"} + Merged.mid(6);
        QCOMPARE(home->read("Ev.vexo"), fileBytes(withOya));

        QTest::keyClick(Form12, Qt::Key_Escape);
        QVERIFY(!Form12->isVisible());
        QCOMPARE(texts(Form1->recordLines), withOya);
        QCOMPARE(Form1->nameIndex.count(), 5);
        QCOMPARE(Form1->groupSelector->currentText(), "Ev");
        QCOMPARE(items(Form1->groupSelector), (QStringList{Default, "Ev", "İş"}));
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
        start({"Ev", Default, "Ev"}, {{"Ev", AliVeli}});
        home->write("Ev.vexo", fileBytes(Merged));
        QTest::mouseClick(Form12->CheckBox1, Qt::LeftButton);
        typeText(Form12->Edit1, "Yeni");
        QTest::mouseClick(Form12->CheckBox2, Qt::LeftButton);
        typeText(Form12->Edit2, "-2");
        Form12->RichEdit1->setPlainText("a\nb\nc");
        if (how == 0) QTest::mouseClick(Form12->Button1, Qt::LeftButton);
        if (how == 1) QTest::keyClick(Form12, Qt::Key_Escape);
        if (how == 2) Form12->close();
        QVERIFY(!Form12->isVisible());
        QCOMPARE(texts(Form1->recordLines), Merged);
        QCOMPARE(Form1->nameIndex.count(), 4);
        QCOMPARE(Form1->statusPanel2->text(), "Grup:Ev");
        QCOMPARE(Form12->reportLines(), QStringList());
        QVERIFY(!Form12->CheckBox1->isChecked() && !Form12->CheckBox2->isChecked());
        QVERIFY(Form12->Edit1->text().isEmpty() && Form12->Edit2->text().isEmpty());
        QVERIFY(!Form12->Edit1->isEnabled() && !Form12->Edit2->isEnabled());
        QVERIFY(Form12->BitBtn1->isEnabled());
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
        start({"Ev", Default, "Ev", "İş"},
              {{"Ev", AliVeli}, {"İş", QStringList{"Çağrı", "Öztürk", "05321111111"} + CanZeynep}});
        merge("Ev", "İş");
        QTRY_VERIFY(Form12->Kaydet1->isEnabled());
        testhooks::setNextSaveFileName(home->path() + "/" + typed);
        Form12->Kaydet1->trigger();
        QFile f(home->path() + "/" + written);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray rtf = f.readAll();
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1254"));
        // bold 8 points, every Turkish letter as its code page 1254 byte
        QVERIFY2(rtf.contains("\\fs16\\b \\'ddsim:\\'c7a\\'f0r\\'fd}"), rtf.constData());
        QVERIFY(rtf.contains("Soyad: \\'d6zt\\'fcrk}"));
        QVERIFY(rtf.contains("Guplar ba\\'fear\\'fdyla birle\\'fetirildi!}"));
        QCOMPARE(rtf.count("\\par\r\n"), Form12->reportLines().size());

        Form12->Temizle1->trigger();
        QCOMPARE(Form12->reportLines(), QStringList());
        QTRY_VERIFY(!Form12->Kaydet1->isEnabled());
        QVERIFY(!Form12->Temizle1->isEnabled());
    }

    void aCancelledSaveWritesNothing() {
        start({"Ev", Default, "Ev", "İş"}, {{"Ev", AliVeli}, {"İş", AliVeli.mid(0, 3) + CanZeynep}});
        merge("Ev", "İş");
        const QStringList before = QDir(home->path()).entryList(QDir::Files);
        testhooks::setNextSaveFileName(QString());
        QTRY_VERIFY(Form12->Kaydet1->isEnabled());
        Form12->Kaydet1->trigger();
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
        QStringList groupList = {"Ev", Default, "Ev", "İş"};
        QStringList second = CanZeynep;
        for (int i = 0; i < 400; ++i) {
            if (bigList) groupList << QStringLiteral("Boş grup %1").arg(i);
            else second << QStringLiteral("Kişi %1").arg(i) << "" << QStringLiteral("0542%1").arg(i, 7, 10, QLatin1Char('0'));
        }
        start(groupList, {{"Ev", AliVeli}, {"İş", second}});
        const QByteArray list = home->read("Ayarlar.cnt");
        QVERIFY((bigList ? list : home->read("İş.vexo")).size() > 4096);
        if (intoNewGroup) {
            QTest::mouseClick(Form12->CheckBox1, Qt::LeftButton);
            typeText(Form12->Edit1, "Yeni");
        }
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit tight = saved;
        tight.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        merge("Ev", "İş");
        setrlimit(RLIMIT_FSIZE, &saved);

        QCOMPARE(testhooks::messages().size(), 1);
        QVERIFY2(testhooks::messages().first().startsWith("Cannot create file "), qPrintable(testhooks::messages().first()));
        QCOMPARE(home->read("Ev.vexo"), fileBytes(AliVeli));
        QCOMPARE(home->read("Ayarlar.cnt"), list);
        QCOMPARE(home->dataFiles(), (QStringList{"@Kayıtlar@.vexo", "Ayarlar.cnt", "Ev.vexo", "İş.vexo"}));
        QCOMPARE(texts(Form1->recordLines), AliVeli);
        QCOMPARE(Form1->groupNames.count(), groupList.size());
        QCOMPARE(Form1->groupSelector->count(), groupList.size() - 1);
        QVERIFY(Form12->mergeLines.isEmpty());
        QVERIFY(Form12->CheckBox1->isChecked() == intoNewGroup);  // the options stay for a new try
    }

    // A group list the file holds already is not written again.
    void anUnchangedGroupListIsNotRewritten() {
        start({"Ev", Default, "Ev", "İş"}, {{"Ev", AliVeli}, {"İş", CanZeynep}});
        const QDateTime before = QFileInfo(home->dataPath("Ayarlar.cnt")).lastModified();
        QTest::qWait(20);
        merge("Ev", "İş");
        QCOMPARE(testhooks::messages(), QStringList{Done});
        QCOMPARE(QFileInfo(home->dataPath("Ayarlar.cnt")).lastModified(), before);
    }
};

TELEFIKA_TEST_MAIN(TestGroupMerger)
#include "tst_isimsirala.moc"

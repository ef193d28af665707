// The program's start, the main window, the group switch and the end.

#include "app/forms.h"
#include "app/Unit1.h"
#include "platform/datafolderlock.h"
#include "store/datafolder.h"
#include "store/storeerror.h"
#include "store/textfile.h"
#include "tests/common/failingdisk.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "tools/datagen.h"
#include "ui/dialogs.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "windows/about.h"
#include "windows/ALFABE.h"
#include "windows/bilgi.h"
#include "windows/birles.h"
#include "windows/grup.h"
#include "windows/isim.h"
#include "windows/isimlistesi.h"
#include "windows/isimsirala.h"
#include "windows/kullanim.h"
#include "windows/onay.h"
#include "windows/tum.h"
#include "windows/Unit8.h"
#include "windows/veriekle.h"
#include "windows/yazdir.h"
#include "windows/yedek.h"
#include "windows/yeniisim.h"

namespace {
const QString Default = QStringLiteral("@Kayıtlar@");
const QByteArray DefaultList = fileBytes({"@Kayıtlar@", "@Kayıtlar@"});
}  // namespace

class TestStartup : public ProgramTest {
    Q_OBJECT

    void start() { createForms(); }
    void restart() {
        destroyForms();
        testhooks::messages().clear();
        createForms();
    }
    QString selectorItems() const {
        QStringList items;
        for (int i = 0; i < Form1->groupSelector->count(); ++i) items << Form1->groupSelector->itemText(i);
        return items.join(QLatin1Char('|'));
    }

private slots:
    void firstStartMakesTheDataFolder() {
        start();
        QCOMPARE(testhooks::messages(), QStringList{"Telefika 2003 veri havuzu ilk defa oluşturuldu!"});
        QCOMPARE(home->dataFiles(), (QStringList{"@Kayıtlar@.vexo", "Ayarlar.cnt"}));
        QCOMPARE(home->read("@Kayıtlar@.vexo"), QByteArray());
        QCOMPARE(home->read("Ayarlar.cnt"), DefaultList);
        QCOMPARE(home->read("Ayarlar.cnt"), QByteArray("@Kay\xfdtlar@\r\n@Kay\xfdtlar@\r\n"));
        QCOMPARE(Form1->statusPanel2->text(), "Grup:@Kayıtlar@");
        QCOMPARE(Form1->statusPanel1->text(), QString());
        QCOMPARE(Form1->groupSelector->count(), 0);
        QCOMPARE(Form1->groupSelector->currentText(), QString());
        QCOMPARE(Form1->countLine->text(), "--");
        QCOMPARE(Form1->capacityLine->text(), "--");
        QVERIFY(!Form1->editButton->isEnabled());
        QVERIFY(!Form1->deleteButton->isEnabled());
        QTRY_COMPARE(Form1->countLine->text(), "Toplam Kayıtlı Kişi :0 kişi..");
        QCOMPARE(Form1->capacityLine->text(), "Kalan Kapasite     :10911 kişi..");
        QVERIFY(Form1->editButton->isEnabled());
        QVERIFY(Form1->deleteButton->isEnabled());
    }

    void secondStartLoadsWhatTheFirstMade() {
        start();
        restart();
        QCOMPARE(testhooks::messages(), QStringList());
        QCOMPARE(Form1->groupSelector->currentText(), Default);
        QCOMPARE(selectorItems(), Default);
        QCOMPARE(Form1->statusPanel2->text(), "Grup:@Kayıtlar@");
        QCOMPARE(home->dataFiles(), (QStringList{"@Kayıtlar@.vexo", "Ayarlar.cnt"}));
    }

    void theSelectorNamesTheActiveGroupAmongItsItems() {
        home->write("Ayarlar.cnt", fileBytes({"Ev", "@Kayıtlar@", "Ev", "Aile"}));
        home->write("@Kayıtlar@.vexo", QByteArray());
        home->write("Ev.vexo", fileBytes({"Ali", "", "1"}));
        start();
        QCOMPARE(Form1->groupSelector->currentText(), "Ev");
        QCOMPARE(selectorItems(), "@Kayıtlar@|Aile|Ev");
        QCOMPARE(Form1->statusPanel2->text(), "Grup:Ev");
    }

    void firstStartKeepsTheContactsOfTheDefaultGroup() {
        // Only the group list was removed: the default group's contacts stay.
        const QByteArray contacts = fileBytes({"Ali", "Kaya", "05321234567"});
        home->write("@Kayıtlar@.vexo", contacts);
        start();
        QCOMPARE(home->read("@Kayıtlar@.vexo"), contacts);
        QCOMPARE(home->read("Ayarlar.cnt"), DefaultList);
        QCOMPARE(texts(Form1->recordLines), (QStringList{"Ali", "Kaya", "05321234567"}));
        QCOMPARE(texts(Form1->nameIndex), QStringList{"Ali"});
    }

    void aMissingActiveGroupFallsBackToTheDefault() {
        home->write("Ayarlar.cnt", fileBytes({"Ev", "@Kayıtlar@", "Ev"}));
        home->write("@Kayıtlar@.vexo", fileBytes({"Can", "", "0533"}));
        start();
        QCOMPARE(testhooks::messages(), QStringList{"Gerekli Grup Dosyası Bulunamadı!"});
        QCOMPARE(Form1->statusPanel2->text(), "Grup:@Kayıtlar@");
        QCOMPARE(Form1->groupSelector->currentText(), Default);
        QCOMPARE(selectorItems(), "@Kayıtlar@|Ev");  // signs sort before letters
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({"@Kayıtlar@", "@Kayıtlar@", "Ev"}));
        QCOMPARE(texts(Form1->recordLines), (QStringList{"Can", "", "0533"}));
    }

    void startUpErrorsAreShownAndTheWindowOpens_data() {
        QTest::addColumn<QByteArray>("groupList");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty group list") << QByteArray() << "List index out of bounds (0)";
        QTest::newRow("default group missing too")
            << fileBytes({"Ev", "Ev"}) << "Cannot open file <DataFolder>@Kayıtlar@.vexo.";
    }
    void startUpErrorsAreShownAndTheWindowOpens() {
        QFETCH(QByteArray, groupList);
        QFETCH(QString, error);
        error.replace("<DataFolder>", QDir::toNativeSeparators(datafolder::path()));
        home->write("Ayarlar.cnt", groupList);
        start();
        QCOMPARE(testhooks::messages().last(), error);
        QCOMPARE(Form1->recordLines.count(), 0);
        QCOMPARE(Form1->nameIndex.count(), 0);
        QCOMPARE(home->read("Ayarlar.cnt"), groupList);  // not rewritten
        QVERIFY(Form6 && Form17);                         // every window was still made
    }

    void aSevenLineGroupCountsTwoAndIndexesThree() {
        home->write("Ayarlar.cnt", fileBytes({"Yedi", "@Kayıtlar@", "Yedi"}));
        home->write("@Kayıtlar@.vexo", QByteArray());
        home->write("Yedi.vexo", fileBytes({"Zeki", "a", "1", "Ali", "b", "2", "Mert"}));
        start();
        QCOMPARE(texts(Form1->nameIndex), (QStringList{"Ali", "Mert", "Zeki"}));
        Form1->Timer1Timer();
        QCOMPARE(Form1->countLine->text(), "Toplam Kayıtlı Kişi :2 kişi..");
        QCOMPARE(Form1->capacityLine->text(), "Kalan Kapasite     :10909 kişi..");
    }

    void typedGroupNamesSwitchOnlyWhenTheyNameAFile() {
        home->write("Ayarlar.cnt", fileBytes({"@Kayıtlar@", "@Kayıtlar@", "A", "Aile"}));
        home->write("@Kayıtlar@.vexo", QByteArray());
        home->write("A.vexo", fileBytes({"Ahmet", "", "1"}));
        home->write("Aile.vexo", fileBytes({"Anne", "", "2"}));
        start();
        QLineEdit* typed = Form1->groupSelector->lineEdit();
        typed->clear();
        const QStringList activeAfter = {"A", "A", "A", "Aile"};
        const QString word = QStringLiteral("Aile");
        for (int i = 0; i < word.size(); ++i) {
            Form1->nameField->setText("x");
            Form1->searchField->setText("y");
            QTest::keyClick(typed, word[i].toLatin1());
            QCOMPARE(Form1->nameField->text(), QString());
            QCOMPARE(Form1->searchField->text(), QString());
            QCOMPARE(Form1->groupNames.text(0), activeAfter[i]);
            QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({activeAfter[i], "@Kayıtlar@", "A", "Aile"}));
        }
        QCOMPARE(Form1->statusPanel2->text(), "Grup:Aile");
        QCOMPARE(texts(Form1->recordLines), (QStringList{"Anne", "", "2"}));
    }

    void aNameTypedInOtherCaseFindsTheGroupFile() {
        home->write("Ayarlar.cnt", fileBytes({"@Kayıtlar@", "@Kayıtlar@", "İzmir"}));
        home->write("@Kayıtlar@.vexo", QByteArray());
        home->write("İzmir.vexo", fileBytes({"Işıl", "", "3"}));
        start();
        QLineEdit* typed = Form1->groupSelector->lineEdit();
        typed->clear();
        QTest::keyClicks(typed, QStringLiteral("izmir"));
        QCOMPARE(Form1->statusPanel2->text(), "Grup:izmir");
        QCOMPARE(texts(Form1->recordLines), (QStringList{"Işıl", "", "3"}));
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({"izmir", "@Kayıtlar@", "İzmir"}));
        QCOMPARE(home->dataFiles(), (QStringList{"@Kayıtlar@.vexo", "Ayarlar.cnt", "İzmir.vexo"}));
        // IZMIR is another name: I is not the capital of i
        typed->clear();
        QTest::keyClicks(typed, QStringLiteral("IZMIR"));
        QCOMPARE(Form1->statusPanel2->text(), "Grup:izmir");
    }

    void aNameWithAPathSeparatorNamesNoGroup() {
        home->write("@Kayıtlar@.vexo", QByteArray());
        start();
        QFile outside(home->path() + "/x.vexo");
        QVERIFY(outside.open(QIODevice::WriteOnly));
        outside.write("Dış\r\n\r\n9\r\n");
        outside.close();
        const QByteArray list = home->read("Ayarlar.cnt");
        QLineEdit* typed = Form1->groupSelector->lineEdit();
        typed->clear();
        QTest::keyClicks(typed, QStringLiteral("../x"));
        QCOMPARE(Form1->statusPanel2->text(), "Grup:@Kayıtlar@");
        QCOMPARE(Form1->recordLines.count(), 0);
        QCOMPARE(home->read("Ayarlar.cnt"), list);
        QCOMPARE(datafolder::groupFilePath("a/b"), QString());
        QCOMPARE(datafolder::groupFilePath("a\\b"), QString());
    }

    void pickingTheActiveGroupReloadsIt() {
        start();
        restart();
        home->write("@Kayıtlar@.vexo", fileBytes({"Yeni", "", "7"}));  // changed behind its back
        Form1->numberField->setText("123");
        const int row = Form1->groupSelector->findText(Default);
        Form1->groupSelector->setCurrentIndex(row);
        emit Form1->groupSelector->activated(row);
        QCOMPARE(texts(Form1->recordLines), (QStringList{"Yeni", "", "7"}));
        QCOMPARE(texts(Form1->nameIndex), QStringList{"Yeni"});
        QCOMPARE(Form1->numberField->text(), QString());
    }

    void aSwitchThatCannotWriteTheGroupListTakesNoEffect_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("typed");
        QTest::newRow("read-only folder, typed") << int(FailingDisk::ReadOnlyMount) << true;
        QTest::newRow("read-only folder, picked") << int(FailingDisk::ReadOnlyMount) << false;
        QTest::newRow("full disk, typed") << int(FailingDisk::FileSizeLimit) << true;
        QTest::newRow("full disk, picked") << int(FailingDisk::FileSizeLimit) << false;
    }
    void aSwitchThatCannotWriteTheGroupListTakesNoEffect() {
        QFETCH(int, kind);
        QFETCH(bool, typed);
        FailingDisk disk{FailingDisk::Kind(kind)};
        if (!disk.usable()) QSKIP(qPrintable(disk.reason()));
        const StringList six = datagen::group(6);
        const QByteArray aile = fileBytes({"Ahmet", "", "05320000001", "Burak", "", "05320000002"});
        home->write("Ayarlar.cnt", fileBytes({Default, Default, "Aile"}));
        home->write("@Kayıtlar@.vexo", textfile::joinLines(six.lines()));
        home->write("Aile.vexo", aile);
        start();
        const QByteArray list = home->read("Ayarlar.cnt");

        disk.failing();
        QLineEdit* selector = Form1->groupSelector->lineEdit();
        if (typed) {
            selector->clear();
            QTest::keyClicks(selector, "Ail");
        }
        Form1->nameField->setText("Veli");
        if (typed) {
            QTest::keyClick(selector, 'e');
        } else {
            const int row = Form1->groupSelector->findText("Aile");
            Form1->groupSelector->setCurrentIndex(row);
            emit Form1->groupSelector->activated(row);
        }
        disk.writable();

        // Nothing changed: the selector, the status bar, the count, the lists
        // and the group list file all name the default group still.
        QCOMPARE(testhooks::messages(),
                 QStringList{errorText("Cannot create file " + QDir::toNativeSeparators(home->dataPath("Ayarlar.cnt")))});
        QCOMPARE(Form1->groupSelector->currentText(), Default);
        QCOMPARE(Form1->statusPanel2->text(), "Grup:@Kayıtlar@");
        QCOMPARE(Form1->groupNames.text(0), Default);
        QCOMPARE(home->read("Ayarlar.cnt"), list);
        QCOMPARE(Form1->recordLines.lines(), six.lines());
        QCOMPARE(Form1->nameIndex.count(), 6);
        Form1->Timer1Timer();
        QCOMPARE(Form1->countLine->text(), "Toplam Kayıtlı Kişi :6 kişi..");
        QCOMPARE(Form1->nameField->text(), "Veli");

        // A save goes into the group still active, in name order.
        Form1->nameField->setText("Mehmet");
        Form1->numberField->setText("05559998877");
        QVERIFY(Form1->saveContact());
        QCOMPARE(home->read("Aile.vexo"), aile);
        StringList names(true);
        rebuildNameIndex(Form1->recordLines, names);
        QCOMPARE(Form1->nameIndex.lines(), names.lines());
        for (int k = 0; k < 7; ++k) QCOMPARE(Form1->recordLines.get(3 * k), names.get(k));
        QCOMPARE(home->read("@Kayıtlar@.vexo"), textfile::joinLines(Form1->recordLines.lines()));

        // Once the disk takes writes again, the switch and the save work.
        const int row = Form1->groupSelector->findText("Aile");
        Form1->groupSelector->setCurrentIndex(row);
        emit Form1->groupSelector->activated(row);
        Form1->nameField->setText("Mehmet");
        Form1->numberField->setText("05559998866");
        QVERIFY(Form1->saveContact());
        QCOMPARE(home->read("Aile.vexo"), aile + fileBytes({"Mehmet", "", "05559998866"}));
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({"Aile", Default, "Aile"}));
    }

    void aSecondCopyIsRefused() {
        DataFolderLock first;
        QCOMPARE(first.acquire(), DataFolderLock::Acquired);
        DataFolderLock second;
        QCOMPARE(second.acquire(), DataFolderLock::HeldByAnotherCopy);
        QVERIFY(!second.lockPath().startsWith(datafolder::path()));
        {
            const auto otherHome = std::make_unique<FreshHome>();
            DataFolderLock elsewhere;  // another DataFolder is another matter
            QCOMPARE(elsewhere.acquire(), DataFolderLock::Acquired);
        }
        QVERIFY(!SecondCopyMessage.isEmpty());
        QCOMPARE(second.message(), SecondCopyMessage);
    }

    void oneCopyPerRealDataFolder_data() {
        QTest::addColumn<QString>("second");  // how the second copy is started
        QTest::addColumn<bool>("firstStart");  // no DataFolder yet
        QTest::addColumn<bool>("refused");
        for (bool first : {true, false}) {
            const char* when = first ? ", first start" : "";
            QTest::newRow(qPrintable(QStringLiteral("HOME through a symbolic link%1").arg(when))) << "home link" << first << true;
            QTest::newRow(qPrintable(QStringLiteral("another TMPDIR and runtime folder%1").arg(when))) << "tmpdir" << first << true;
            QTest::newRow(qPrintable(QStringLiteral("HOME with .. and doubled slashes%1").arg(when))) << "dotted" << first << true;
            QTest::newRow(qPrintable(QStringLiteral("another home%1").arg(when))) << "other home" << first << false;
        }
        QTest::newRow("the DataFolder through a symbolic link") << "folder link" << false << true;
    }
    void oneCopyPerRealDataFolder() {
        QFETCH(QString, second);
        QFETCH(bool, firstStart);
        QFETCH(bool, refused);
        if (!firstStart) home->write("@Kayıtlar@.vexo", QByteArray());
        DataFolderLock first;
        QCOMPARE(first.acquire(), DataFolderLock::Acquired);

        QTemporaryDir elsewhere;
        const QString other = elsewhere.path();
        const QByteArray homeWas = qgetenv("HOME"), tmpWas = qgetenv("TMPDIR"), runWas = qgetenv("XDG_RUNTIME_DIR");
        if (second == "home link") {
            QVERIFY(QFile::link(home->path(), other + "/home"));
            qputenv("HOME", QFile::encodeName(other + "/home"));
        } else if (second == "tmpdir") {
            qputenv("TMPDIR", QFile::encodeName(other));
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(other));
        } else if (second == "dotted") {
            qputenv("HOME", QFile::encodeName(home->path() + "//.././" + QFileInfo(home->path()).fileName()));
        } else if (second == "other home") {
            qputenv("HOME", QFile::encodeName(other));
        } else if (second == "folder link") {
            QVERIFY(QDir().mkpath(other + "/h"));
            QVERIFY(QFile::link(datafolder::path(), other + "/h/Telefika"));
            qputenv("HOME", QFile::encodeName(other + "/h"));
        }
        DataFolderLock copy;
        const bool secondRefused = copy.acquire() == DataFolderLock::HeldByAnotherCopy;
        const QString secondLock = copy.lockPath();
        for (auto [name, was] : {std::pair{"HOME", homeWas}, {"TMPDIR", tmpWas}, {"XDG_RUNTIME_DIR", runWas}})
            was.isNull() ? qunsetenv(name) : qputenv(name, was);

        QCOMPARE(secondRefused, refused);
        QCOMPARE(secondLock == first.lockPath(), refused);
        // The lock lies beside the DataFolder, which holds its own files only.
        const QString real = QFileInfo(home->path()).canonicalFilePath();
        QCOMPARE(first.lockPath(), real + "/.Telefika.lock");
        QVERIFY(QFile::exists(first.lockPath()));
        QCOMPARE(home->dataFiles(), firstStart ? QStringList() : QStringList{"@Kayıtlar@.vexo"});
    }

    void nameAndSurnameHoldAContactLine_data() {
        QTest::addColumn<bool>("surname");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("pasted");  // empty: "b" is typed
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("beeps");
        const QString a64(64, 'a'), a63(63, 'a');
        QTest::newRow("a paste that fits") << false << "" << 0 << "Ali" << "Ali" << 0;
        QTest::newRow("a paste to the limit") << true << a63 << 63 << "ç" << a63 + "ç" << 0;
        QTest::newRow("a long paste is cut") << false << "" << 0 << QString(100, 'b') << QString(64, 'b') << 1;
        QTest::newRow("a huge paste is cut") << true << "" << 0 << QString(40000, 'b') << QString(64, 'b') << 1;
        QTest::newRow("a paste in the middle loses its end")
            << false << "Ali Veli" << 3 << QString(70, 'b') << "Ali" + QString(56, 'b') + " Veli" << 1;
        QTest::newRow("typing at the limit") << true << a64 << 64 << "" << a64 << 1;
        QTest::newRow("typing below the limit") << false << a63 << 63 << "" << a63 + "b" << 0;
    }
    void nameAndSurnameHoldAContactLine() {
        QFETCH(bool, surname);
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        QFETCH(int, beeps);
        start();
        QLineEdit* field = surname ? Form1->surnameField : Form1->nameField;
        field->setText(before);
        field->setCursorPosition(cursor);
        const int beepsBefore = testhooks::beeps();
        if (pasted.isEmpty()) {
            QTest::keyClick(field, Qt::Key_B);
        } else {
            QGuiApplication::clipboard()->setText(pasted);
            field->paste();
        }
        QCOMPARE(field->text(), after);
        QCOMPARE(testhooks::beeps() - beepsBefore, beeps);
    }

    void anErrorInAHandlerIsShownAndTheProgramGoesOn() {
        start();
        QPushButton button;
        int clicks = 0;
        connect(&button, &QPushButton::clicked, [&] {
            if (++clicks == 1) throw StoreError::cannotCreate(datafolder::path() + "x.vexo");
            throw StoreError::indexOutOfBounds(5);
        });
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(testhooks::messages().mid(1),
                 (QStringList{"Cannot create file " + QDir::toNativeSeparators(datafolder::path()) + "x.vexo.",
                              "List index out of bounds (5)"}));
        QCOMPARE(errorText("Unable to insert a line"), "Unable to insert a line.");
    }

    void theSeventeenWindowsAreMadeInOrder() {
        start();
        const QList<QWidget*> forms = {Form1,  Form2,  Form3,  Form4,  Form5,  Form6,  Form7,  Form8, Form9,
                                       Form10, Form11, Form12, Form13, Form14, Form15, Form16, Form17};
        const QStringList captions = {
            "                Telefika 2003 v2.0", "Hakkında", "Tüm Kayıtlar", "Yazdırım",
            "Veri Tabanı Araştırılıyor", "Rehber Grubu", "Grup Adı Girin", "Yazdırılacak Grup",
            "Grup Silme Onay?", "Kullanım Esasları", "Silme Onay?", "Grup Birleştirici",
            "Veri Tabanı Dosyası Seçin", "Yeni İsim", "Alfabetik İçerik", "İsim Listesi", "Yedek Al"};
        for (int i = 0; i < forms.size(); ++i) {
            QVERIFY(forms[i]);
            QCOMPARE(forms[i]->windowTitle(), captions[i]);
            QCOMPARE(forms[i]->objectName(), QStringLiteral("Form%1").arg(i + 1));
            QVERIFY(!forms[i]->isVisible());
        }
        QCOMPARE(Form1->centralWidget()->size(), QSize(301, 371));
    }

    void theMenusCarryTheirItemsAndShortcuts() {
        start();
        QStringList seen;
        for (QAction* menu : Form1->menuBar()->actions()) {
            QStringList items;
            for (QAction* a : menu->menu()->actions())
                items << (a->isSeparator() ? QStringLiteral("-")
                                           : a->text() + (a->shortcut().isEmpty() ? QString() : " " + a->shortcut().toString()));
            seen << menu->text() + ": " + items.join(", ");
        }
        QCOMPARE(seen, (QStringList{"Dosya: Yazdır Ctrl+P, -, Grubu Yazdır Ctrl+Y, -, Çık",
                                    "Araçlar: İsim Listesi, Alfabetik Sıralama, Tarayıcı Ctrl+T, -, Yedek, Grup Birleştirici",
                                    "Rehber Grubu: Grup İşlemleri", "Yardım: Hakkında F1, Kullanım"}));
    }

    void everyControlHasAnAccessibleName() {
        start();
        QList<QWidget*> all;
        for (QWidget* top : QList<QWidget*>{Form1} + Form1->findChildren<QWidget*>())
            all << top;
        QStringList unnamed;
        for (QWidget* w : all) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w);
            if (w->objectName().startsWith("qt_")) continue;  // the toolkit's own parts
            if (!control || (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget()))) continue;
            if (qobject_cast<QAbstractItemView*>(w) && qobject_cast<QComboBox*>(w->parentWidget()->parentWidget()))
                continue;  // a drop-down's own list
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
            if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << w->window()->objectName() + "/" + w->metaObject()->className() + "/" +
                               w->objectName() + "/" + (w->parentWidget() ? w->parentWidget()->metaObject()->className() : "");
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    void tabWalksTheSearchTheButtonsTheFieldsAndTheSelector() {
        start();
        Form1->Timer1Timer();  // enables "Düzelt" and "Sil"
        Form1->show();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        Form1->sensitiveCheck->setFocus();
        const QList<QWidget*> expected = {Form1->nameMode,   Form1->searchField,  Form1->searchButton,
                                          Form1->nextButton, Form1->saveButton,   Form1->editButton,
                                          Form1->deleteButton, Form1->clearButton, Form1->exitButton,
                                          Form1->nameField,  Form1->surnameField, Form1->numberField,
                                          Form1->groupSelector, Form1->sensitiveCheck};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* f = QApplication::focusWidget();
            if (f && qobject_cast<QComboBox*>(f->parentWidget())) f = f->parentWidget();
            QCOMPARE(f, next);
        }
    }

    void entryFieldsRefuseWhatTheFilesCannotHold() {
        start();
        QLineEdit* field = Form1->nameField;
        typeText(field, QStringLiteral("Ayşe"));
        QCOMPARE(field->text(), "Ayşe");
        const int before = testhooks::beeps();
        typeText(field, QStringLiteral("Ж"));
        QCOMPARE(field->text(), "Ayşe");
        QCOMPARE(testhooks::beeps(), before + 1);
        for (const QString& pasted : {QStringLiteral("Иван"), QStringLiteral("Ali\nVeli"), QStringLiteral("a\rb")}) {
            QGuiApplication::clipboard()->setText(pasted);
            field->paste();
            QCOMPARE(field->text(), "Ayşe");
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("Çiğdem"));
        Form1->surnameField->paste();
        QCOMPARE(Form1->surnameField->text(), "Çiğdem");
    }

    void theNumberFieldTakesDigitsOnly() {
        start();
        QLineEdit* field = Form1->numberField;
        QTest::keyClicks(field, QStringLiteral("05a3-2 x"));
        QCOMPARE(field->text(), "0532");
        QCOMPARE(testhooks::beeps(), 4);
        QGuiApplication::clipboard()->setText(QStringLiteral("999"));
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(field->text(), "0532");
        QCOMPARE(testhooks::beeps(), 6);
        QTest::keyClicks(field, QStringLiteral("12345678"));
        QCOMPARE(field->text(), "05321234567");  // the twelfth digit is not taken
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), "0532123456");
        QCOMPARE(field->contextMenuPolicy(), Qt::NoContextMenu);
    }

    void theEndClosesTheProgram() {
        start();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        QTest::mouseClick(Form1->exitButton, Qt::LeftButton);
        QVERIFY(!Form1->isVisible());
        QCOMPARE(home->dataFiles(), (QStringList{"@Kayıtlar@.vexo", "Ayarlar.cnt"}));
    }
};

TELEFIKA_TEST_MAIN(TestStartup)
#include "tst_startup.moc"

// The program's start, the main window, the group switch and the end.

#include "app/forms.h"
#include "app/Unit1.h"
#include "platform/datafolderlock.h"
#include "store/datafolder.h"
#include "store/pendinggroups.h"
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
#include "windows/disaktar.h"
#include "windows/grup.h"
#include "windows/iceaktar.h"
#include "windows/isim.h"
#include "windows/isimlistesi.h"
#include "windows/isimsirala.h"
#include "windows/karekod.h"
#include "windows/kullanim.h"
#include "windows/onay.h"
#include "windows/syncsettings.h"
#include "windows/syncwindow.h"
#include "windows/tum.h"
#include "windows/Unit8.h"
#include "windows/veriekle.h"
#include "windows/yazdir.h"
#include "windows/yedek.h"
#include "windows/yeniisim.h"

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QString GroupFile = datafolder::DefaultGroup + datafolder::GroupExtension;
const QByteArray DefaultList = fileBytes({Default, Default});
}  // namespace

class TestStartup : public ProgramTest {
    Q_OBJECT

    void restart() {
        destroyForms();
        testhooks::messages().clear();
        createForms();
    }
    QString selectorItems() const {
        QStringList items;
        for (int i = 0; i < mainWindow().groupSelector->count(); ++i) items << mainWindow().groupSelector->itemText(i);
        return items.join(QLatin1Char('|'));
    }

private slots:
    void firstStartMakesTheDataFolder() {
        createForms();
        QCOMPARE(testhooks::messages(), QStringList{u"Telefika 2003 veri havuzu ilk defa oluşturuldu!"_s});
        QCOMPARE(home->dataFiles(), (QStringList{GroupFile, u"Ayarlar.cnt"_s}));
        QCOMPARE(home->read(GroupFile), QByteArray());
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), DefaultList);
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), QByteArray("@Kay\xfdtlar@\r\n@Kay\xfdtlar@\r\n"));
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:@Kayıtlar@"_s);
        QCOMPARE(mainWindow().statusPanel1->text(), QString());
        QCOMPARE(mainWindow().groupSelector->count(), 0);
        QCOMPARE(mainWindow().groupSelector->currentText(), QString());
        QCOMPARE(mainWindow().countLine->text(), u"--"_s);
        QCOMPARE(mainWindow().capacityLine->text(), u"--"_s);
        QVERIFY(!mainWindow().editButton->isEnabled());
        QVERIFY(!mainWindow().deleteButton->isEnabled());
        QTRY_COMPARE(mainWindow().countLine->text(), u"Toplam Kayıtlı Kişi :0 kişi.."_s);
        QCOMPARE(mainWindow().capacityLine->text(), u"Kalan Kapasite     :10911 kişi.."_s);
        QVERIFY(mainWindow().editButton->isEnabled());
        QVERIFY(mainWindow().deleteButton->isEnabled());
    }

    void secondStartLoadsWhatTheFirstMade() {
        createForms();
        restart();
        QCOMPARE(testhooks::messages(), QStringList());
        QCOMPARE(mainWindow().groupSelector->currentText(), Default);
        QCOMPARE(selectorItems(), Default);
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:@Kayıtlar@"_s);
        QCOMPARE(home->dataFiles(), (QStringList{GroupFile, u"Ayarlar.cnt"_s}));
    }

    void theSelectorNamesTheActiveGroupAmongItsItems() {
        home->write(u"Ayarlar.cnt"_s, fileBytes({u"Ev"_s, Default, u"Ev"_s, u"Aile"_s}));
        home->write(GroupFile, QByteArray());
        home->write(u"Ev.vexo"_s, fileBytes({u"Ali"_s, u""_s, u"1"_s}));
        createForms();
        QCOMPARE(mainWindow().groupSelector->currentText(), u"Ev"_s);
        QCOMPARE(selectorItems(), u"@Kayıtlar@|Aile|Ev"_s);
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:Ev"_s);
    }

    void firstStartKeepsTheContactsOfTheDefaultGroup() {
        // Only the group list was removed: the default group's contacts stay.
        const QByteArray contacts = fileBytes({u"Ali"_s, u"Kaya"_s, u"05321234567"_s});
        home->write(GroupFile, contacts);
        createForms();
        QCOMPARE(home->read(GroupFile), contacts);
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), DefaultList);
        QCOMPARE(texts(Book->recordLines()), (QStringList{u"Ali"_s, u"Kaya"_s, u"05321234567"_s}));
        QCOMPARE(texts(Book->nameIndex()), QStringList{u"Ali"_s});
    }

    void aMissingActiveGroupFallsBackToTheDefault() {
        home->write(u"Ayarlar.cnt"_s, fileBytes({u"Ev"_s, Default, u"Ev"_s}));
        home->write(GroupFile, fileBytes({u"Can"_s, u""_s, u"0533"_s}));
        createForms();
        QCOMPARE(testhooks::messages(), QStringList{u"Gerekli Grup Dosyası Bulunamadı!"_s});
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:@Kayıtlar@"_s);
        QCOMPARE(mainWindow().groupSelector->currentText(), Default);
        QCOMPARE(selectorItems(), u"@Kayıtlar@|Ev"_s);  // signs sort before letters
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({Default, Default, u"Ev"_s}));
        QCOMPARE(texts(Book->recordLines()), (QStringList{u"Can"_s, u""_s, u"0533"_s}));
    }

    // What a copy killed between the two writes of a group's making or
    // removal leaves: the group named as pending, its file made or removed,
    // the list not yet written. The start lists the group or drops it,
    // without a message, and forgets the name.
    void aKillBetweenTwoWritesIsSettledAtTheStart_data() {
        QTest::addColumn<QStringList>("groupList");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("pending");
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("active");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("a merge into a new group")
            << QStringList{u"Ev"_s, Default, u"Ev"_s, u"İş"_s} << QStringList{u"Ev"_s, u"İş"_s, u"Ev ve İş"_s}
            << u"Ev ve İş"_s << u"@Kayıtlar@|Ev|Ev ve İş|İş"_s << u"Ev"_s
            << QStringList{u"Ev"_s, Default, u"Ev"_s, u"İş"_s, u"Ev ve İş"_s};
        QTest::newRow("a group made in the group window")
            << QStringList{Default, Default} << QStringList{u"Aile"_s} << u"Aile"_s << u"@Kayıtlar@|Aile"_s << Default
            << QStringList{Default, Default, u"Aile"_s};
        QTest::newRow("the group in use removed")
            << QStringList{u"Ev"_s, Default, u"Ev"_s, u"İş"_s} << QStringList{u"İş"_s} << u"Ev"_s << u"@Kayıtlar@|İş"_s
            << Default << QStringList{Default, Default, u"İş"_s};
        QTest::newRow("killed before the file was made")
            << QStringList{u"Ev"_s, Default, u"Ev"_s} << QStringList{u"Ev"_s} << u"Yeni"_s << u"@Kayıtlar@|Ev"_s
            << u"Ev"_s << QStringList{u"Ev"_s, Default, u"Ev"_s};
    }
    void aKillBetweenTwoWritesIsSettledAtTheStart() {
        QFETCH(QStringList, groupList);
        QFETCH(QStringList, files);
        QFETCH(QString, pending);
        QFETCH(QString, items);
        QFETCH(QString, active);
        QFETCH(QStringList, written);
        home->write(u"Ayarlar.cnt"_s, fileBytes(groupList));
        home->write(GroupFile, QByteArray());
        for (const QString& f : files) home->write(f + u".vexo"_s, fileBytes({f, u""_s, u"1"_s}));
        pendinggroups::note(pending);
        createForms();
        QCOMPARE(testhooks::messages(), QStringList());
        QCOMPARE(selectorItems(), items);
        QCOMPARE(mainWindow().groupSelector->currentText(), active);
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:"_s + active);
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes(written));
        QCOMPARE(texts(Book->groupNames()), written);
        QCOMPARE(pendinggroups::names(), QStringList());
        // The next start finds the same.
        restart();
        QCOMPARE(testhooks::messages(), QStringList());
        QCOMPARE(selectorItems(), items);
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes(written));
    }

    void startUpErrorsAreShownAndTheWindowOpens_data() {
        QTest::addColumn<QByteArray>("groupList");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty group list") << QByteArray() << "List index out of bounds (0)";
        QTest::newRow("default group missing too")
            << fileBytes({u"Ev"_s, u"Ev"_s}) << "Cannot open file <DataFolder>@Kayıtlar@.vexo.";
    }
    void startUpErrorsAreShownAndTheWindowOpens() {
        QFETCH(QByteArray, groupList);
        QFETCH(QString, error);
        error.replace(u"<DataFolder>"_s, QDir::toNativeSeparators(datafolder::path()));
        home->write(u"Ayarlar.cnt"_s, groupList);
        createForms();
        QCOMPARE(testhooks::messages().last(), error);
        QCOMPARE(Book->recordLines().count(), 0);
        QCOMPARE(Book->nameIndex().count(), 0);
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), groupList);  // not rewritten
        QVERIFY(Form6 && Form17 && qrCodeWindow);               // every window was still made
    }

    void aSevenLineGroupCountsTwoAndIndexesThree() {
        home->write(u"Ayarlar.cnt"_s, fileBytes({u"Yedi"_s, Default, u"Yedi"_s}));
        home->write(GroupFile, QByteArray());
        home->write(u"Yedi.vexo"_s, fileBytes({u"Zeki"_s, u"a"_s, u"1"_s, u"Ali"_s, u"b"_s, u"2"_s, u"Mert"_s}));
        createForms();
        QCOMPARE(texts(Book->nameIndex()), (QStringList{u"Ali"_s, u"Mert"_s, u"Zeki"_s}));
        STOP_IF_FAILED(nextTick());
        QCOMPARE(mainWindow().countLine->text(), u"Toplam Kayıtlı Kişi :2 kişi.."_s);
        QCOMPARE(mainWindow().capacityLine->text(), u"Kalan Kapasite     :10909 kişi.."_s);
    }

    void typedGroupNamesSwitchOnlyWhenTheyNameAFile() {
        home->write(u"Ayarlar.cnt"_s, fileBytes({Default, Default, u"A"_s, u"Aile"_s}));
        home->write(GroupFile, QByteArray());
        home->write(u"A.vexo"_s, fileBytes({u"Ahmet"_s, u""_s, u"1"_s}));
        home->write(u"Aile.vexo"_s, fileBytes({u"Anne"_s, u""_s, u"2"_s}));
        createForms();
        QLineEdit* typed = mainWindow().groupSelector->lineEdit();
        typed->clear();
        const QStringList activeAfter = {u"A"_s, u"A"_s, u"A"_s, u"Aile"_s};
        const QString word = QStringLiteral("Aile");
        for (int i = 0; i < word.size(); ++i) {
            mainWindow().nameField->setText(u"x"_s);
            mainWindow().searchField->setText(u"y"_s);
            QTest::keyClick(typed, word[i].toLatin1());
            QCOMPARE(mainWindow().nameField->text(), QString());
            QCOMPARE(mainWindow().searchField->text(), QString());
            QCOMPARE(Book->groupNames().text(0), activeAfter[i]);
            QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({activeAfter[i], Default, u"A"_s, u"Aile"_s}));
        }
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:Aile"_s);
        QCOMPARE(texts(Book->recordLines()), (QStringList{u"Anne"_s, u""_s, u"2"_s}));
    }

    void aNameTypedInOtherCaseFindsTheGroupFile() {
        home->write(u"Ayarlar.cnt"_s, fileBytes({Default, Default, u"İzmir"_s}));
        home->write(GroupFile, QByteArray());
        home->write(u"İzmir.vexo"_s, fileBytes({u"Işıl"_s, u""_s, u"3"_s}));
        createForms();
        QLineEdit* typed = mainWindow().groupSelector->lineEdit();
        typed->clear();
        QTest::keyClicks(typed, QStringLiteral("izmir"));
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:izmir"_s);
        QCOMPARE(texts(Book->recordLines()), (QStringList{u"Işıl"_s, u""_s, u"3"_s}));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({u"izmir"_s, Default, u"İzmir"_s}));
        QCOMPARE(home->dataFiles(), (QStringList{GroupFile, u"Ayarlar.cnt"_s, u"İzmir.vexo"_s}));
        // IZMIR is another name: I is not the capital of i
        typed->clear();
        QTest::keyClicks(typed, QStringLiteral("IZMIR"));
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:izmir"_s);
    }

    void aNameWithAPathSeparatorNamesNoGroup() {
        home->write(GroupFile, QByteArray());
        createForms();
        QFile outside(home->path() + u"/x.vexo"_s);
        QVERIFY(outside.open(QIODevice::WriteOnly));
        outside.write("Dış\r\n\r\n9\r\n");
        outside.close();
        const QByteArray list = home->read(u"Ayarlar.cnt"_s);
        QLineEdit* typed = mainWindow().groupSelector->lineEdit();
        typed->clear();
        QTest::keyClicks(typed, QStringLiteral("../x"));
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:@Kayıtlar@"_s);
        QCOMPARE(Book->recordLines().count(), 0);
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), list);
        QCOMPARE(datafolder::groupFilePath(u"a/b"_s), QString());
        QCOMPARE(datafolder::groupFilePath(u"a\\b"_s), QString());
    }

    void pickingTheActiveGroupReloadsIt() {
        createForms();
        restart();
        home->write(GroupFile, fileBytes({u"Yeni"_s, u""_s, u"7"_s}));  // changed behind its back
        mainWindow().numberField->setText(u"123"_s);
        const int row = mainWindow().groupSelector->findText(Default);
        mainWindow().groupSelector->setCurrentIndex(row);
        emit mainWindow().groupSelector->activated(row);
        QCOMPARE(texts(Book->recordLines()), (QStringList{u"Yeni"_s, u""_s, u"7"_s}));
        QCOMPARE(texts(Book->nameIndex()), QStringList{u"Yeni"_s});
        QCOMPARE(mainWindow().numberField->text(), QString());
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
        const QByteArray aile = fileBytes({u"Ahmet"_s, u""_s, u"05320000001"_s, u"Burak"_s, u""_s, u"05320000002"_s});
        home->write(u"Ayarlar.cnt"_s, fileBytes({Default, Default, u"Aile"_s}));
        home->write(GroupFile, textfile::joinLines(six.lines()));
        home->write(u"Aile.vexo"_s, aile);
        createForms();
        const QByteArray list = home->read(u"Ayarlar.cnt"_s);

        disk.failing();
        QLineEdit* selector = mainWindow().groupSelector->lineEdit();
        if (typed) {
            selector->clear();
            QTest::keyClicks(selector, u"Ail"_s);
        }
        mainWindow().nameField->setText(u"Veli"_s);
        if (typed) {
            QTest::keyClick(selector, 'e');
        } else {
            const int row = mainWindow().groupSelector->findText(u"Aile"_s);
            mainWindow().groupSelector->setCurrentIndex(row);
            emit mainWindow().groupSelector->activated(row);
        }
        disk.writable();

        // Nothing changed: the selector, the status bar, the count, the lists
        // and the group list file all name the default group still.
        QCOMPARE(testhooks::messages(),
                 QStringList{errorText(u"Cannot create file "_s + QDir::toNativeSeparators(home->dataPath(u"Ayarlar.cnt"_s)))});
        QCOMPARE(mainWindow().groupSelector->currentText(), Default);
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:@Kayıtlar@"_s);
        QCOMPARE(Book->groupNames().text(0), Default);
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), list);
        QCOMPARE(Book->recordLines().lines(), six.lines());
        QCOMPARE(Book->nameIndex().count(), 6);
        STOP_IF_FAILED(nextTick());
        QCOMPARE(mainWindow().countLine->text(), u"Toplam Kayıtlı Kişi :6 kişi.."_s);
        QCOMPARE(mainWindow().nameField->text(), u"Veli"_s);

        // A save goes into the group still active, in name order.
        mainWindow().nameField->setText(u"Mehmet"_s);
        mainWindow().numberField->setText(u"05559998877"_s);
        QVERIFY(Form1->saveContact());
        QCOMPARE(home->read(u"Aile.vexo"_s), aile);
        StringList names(true);
        rebuildNameIndex(Book->recordLines(), names);
        QCOMPARE(Book->nameIndex().lines(), names.lines());
        for (int k = 0; k < 7; ++k) QCOMPARE(Book->recordLines().get(3 * k), names.get(k));
        QCOMPARE(home->read(GroupFile), textfile::joinLines(Book->recordLines().lines()));

        // Once the disk takes writes again, the switch and the save work.
        const int row = mainWindow().groupSelector->findText(u"Aile"_s);
        mainWindow().groupSelector->setCurrentIndex(row);
        emit mainWindow().groupSelector->activated(row);
        mainWindow().nameField->setText(u"Mehmet"_s);
        mainWindow().numberField->setText(u"05559998866"_s);
        QVERIFY(Form1->saveContact());
        QCOMPARE(home->read(u"Aile.vexo"_s), aile + fileBytes({u"Mehmet"_s, u""_s, u"05559998866"_s}));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({u"Aile"_s, Default, u"Aile"_s}));
    }

    // A write whose folder the disk would not sync is done (store/textfile.h):
    // one message names its files once the operation has ended.
    void aWriteTheDiskDidNotConfirmIsToldAfterTheOperation() {
        textfile::FileCalls unsynced = textfile::systemFileCalls();
        unsynced.syncFolder = [](const QString&) { return false; };
        textfile::setFileCalls(unsynced);
        for (const char* file : {"/a.vexo", "/b.vexo", "/a.vexo"}) textfile::writeBytes(home->path() + QLatin1String(file), "x");
        textfile::setFileCalls(textfile::systemFileCalls());
        QTRY_COMPARE(testhooks::messages(), QStringList{textfile::unsyncedWarning({home->path() + u"/a.vexo"_s, home->path() + u"/b.vexo"_s})});
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
        QCOMPARE(second.message(), u"Telefika 2003 zaten çalışıyor! Aynı veri havuzunu aynı anda yalnızca bir Telefika 2003 kullanabilir."_s);
    }

    void oneCopyPerRealDataFolder_data() {
        QTest::addColumn<QString>("second");  // how the second copy is started
        QTest::addColumn<bool>("firstStart");  // no DataFolder yet
        QTest::addColumn<bool>("refused");
        for (bool first : {true, false}) {
            const QString when = first ? u", first start"_s : QString();
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
        if (!firstStart) home->write(GroupFile, QByteArray());
        DataFolderLock first;
        QCOMPARE(first.acquire(), DataFolderLock::Acquired);

        QTemporaryDir elsewhere;
        const QString other = elsewhere.path();
        const QByteArray homeWas = qgetenv("HOME"), tmpWas = qgetenv("TMPDIR"), runWas = qgetenv("XDG_RUNTIME_DIR");
        if (second == u"home link"_s) {
            QVERIFY(QFile::link(home->path(), other + u"/home"_s));
            qputenv("HOME", QFile::encodeName(other + u"/home"_s));
        } else if (second == u"tmpdir"_s) {
            qputenv("TMPDIR", QFile::encodeName(other));
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(other));
        } else if (second == u"dotted"_s) {
            qputenv("HOME", QFile::encodeName(home->path() + u"//.././"_s + QFileInfo(home->path()).fileName()));
        } else if (second == u"other home"_s) {
            qputenv("HOME", QFile::encodeName(other));
        } else if (second == u"folder link"_s) {
            QVERIFY(QDir().mkpath(other + u"/h"_s));
            QVERIFY(QFile::link(datafolder::path(), other + u"/h/Telefika"_s));
            qputenv("HOME", QFile::encodeName(other + u"/h"_s));
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
        QCOMPARE(first.lockPath(), real + u"/.Telefika.lock"_s);
        QVERIFY(QFile::exists(first.lockPath()));
        QCOMPARE(home->dataFiles(), firstStart ? QStringList() : QStringList{GroupFile});
    }

    void nameAndSurnameHoldAContactLine_data() {
        QTest::addColumn<bool>("surname");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("pasted");  // empty: "b" is typed
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("beeps");
        const QString a64(64, QLatin1Char('a')), a63(63, QLatin1Char('a'));
        QTest::newRow("a paste that fits") << false << "" << 0 << "Ali" << "Ali" << 0;
        QTest::newRow("a paste to the limit") << true << a63 << 63 << "ç" << a63 + u"ç"_s << 0;
        QTest::newRow("a long paste is cut") << false << "" << 0 << QString(100, QLatin1Char('b')) << QString(64, QLatin1Char('b')) << 1;
        QTest::newRow("a huge paste is cut") << true << "" << 0 << QString(40000, QLatin1Char('b')) << QString(64, QLatin1Char('b')) << 1;
        QTest::newRow("a paste in the middle loses its end")
            << false << "Ali Veli" << 3 << QString(70, QLatin1Char('b')) << u"Ali"_s + QString(56, QLatin1Char('b')) + u" Veli"_s << 1;
        QTest::newRow("typing at the limit") << true << a64 << 64 << "" << a64 << 1;
        QTest::newRow("typing below the limit") << false << a63 << 63 << "" << a63 + u"b"_s << 0;
    }
    void nameAndSurnameHoldAContactLine() {
        QFETCH(bool, surname);
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        QFETCH(int, beeps);
        createForms();
        QLineEdit* field = surname ? mainWindow().surnameField : mainWindow().nameField;
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
        createForms();
        QPushButton button;
        int clicks = 0;
        connect(&button, &QPushButton::clicked, [&] {
            if (++clicks == 1) throw StoreError::cannotCreate(datafolder::path() + u"x.vexo"_s);
            throw StoreError::indexOutOfBounds(5);
        });
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(testhooks::messages().mid(1),
                 (QStringList{u"Cannot create file "_s + QDir::toNativeSeparators(datafolder::path()) + u"x.vexo."_s,
                              u"List index out of bounds (5)"_s}));
        QCOMPARE(errorText(u"Unable to insert a line"_s), u"Unable to insert a line."_s);
    }

    void theWindowsAreMadeInOrder() {
        createForms();
        const QList<QWidget*> forms = {Form1,  Form2,  Form3,  Form4,  Form5,  Form6,  Form7,  Form8,  Form9,  Form10,
                                       Form11, Form12, Form13, Form14, Form15, Form16, Form17, importWindow, exportWindow, qrCodeWindow,
                                       syncSettingsWindow, syncWindow};
        const QStringList captions = {
            u"                Telefika 2003 v2.0"_s, u"Hakkında"_s, u"Tüm Kayıtlar"_s, u"Yazdırım"_s,
            u"Veri Tabanı Araştırılıyor"_s, u"Rehber Grubu"_s, u"Grup Adı Girin"_s, u"Yazdırılacak Grup"_s,
            u"Grup Silme Onay?"_s, u"Kullanım Esasları"_s, u"Silme Onay?"_s, u"Grup Birleştirici"_s,
            u"Veri Tabanı Dosyası Seçin"_s, u"Yeni İsim"_s, u"Alfabetik İçerik"_s, u"İsim Listesi"_s, u"Yedek Al"_s,
            u"Kişileri İçe Aktar"_s, u"Kişileri Dışa Aktar"_s, u"Karekod"_s, u"Eşitleme Ayarları"_s, u"Şimdi Eşitle"_s};
        for (int i = 0; i < forms.size(); ++i) {
            QVERIFY(forms[i]);
            QCOMPARE(forms[i]->windowTitle(), captions[i]);
            const QStringList roles = {u"importWindow"_s, u"exportWindow"_s, u"qrCodeWindow"_s, u"syncSettingsWindow"_s, u"syncWindow"_s};
            QCOMPARE(forms[i]->objectName(), i < 17 ? QStringLiteral("Form%1").arg(i + 1) : roles[i - 17]);
            QVERIFY(!forms[i]->isVisible());
        }
        QCOMPARE(Form1->centralWidget()->size(), QSize(301, 371));
    }

    void theMenusCarryTheirItemsAndShortcuts() {
        createForms();
        QStringList seen;
        for (QAction* menu : Form1->menuBar()->actions()) {
            QStringList items;
            for (QAction* a : menu->menu()->actions())
                items << (a->isSeparator() ? QStringLiteral("-")
                                           : a->text() + (a->shortcut().isEmpty() ? QString() : u" "_s + a->shortcut().toString()));
            seen << menu->text() + u": "_s + items.join(u", "_s);
        }
        QCOMPARE(seen, (QStringList{u"Dosya: Yazdır Ctrl+P, -, Grubu Yazdır Ctrl+Y, -, İçe Aktar..., Dışa Aktar..., -, Çık"_s,
                                    u"Araçlar: İsim Listesi, Alfabetik Sıralama, Tarayıcı Ctrl+T, -, Yedek, Grup Birleştirici, -, Karekod"_s,
                                    u"Rehber Grubu: Grup İşlemleri, -, Eşitleme Ayarları..., Şimdi Eşitle"_s, u"Yardım: Hakkında F1, Kullanım"_s}));
    }

    void everyControlHasAnAccessibleName() {
        createForms();
        QList<QWidget*> all;
        for (QWidget* top : QList<QWidget*>{Form1} + Form1->findChildren<QWidget*>())
            all << top;
        QStringList unnamed;
        for (QWidget* w : all) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w);
            if (w->objectName().startsWith(u"qt_"_s)) continue;  // the toolkit's own parts
            if (!control || (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget()))) continue;
            if (qobject_cast<QAbstractItemView*>(w) && qobject_cast<QComboBox*>(w->parentWidget()->parentWidget()))
                continue;  // a drop-down's own list
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
            if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << w->window()->objectName() + u"/"_s + QString::fromLatin1(w->metaObject()->className()) + u"/"_s +
                               w->objectName() + u"/"_s + (w->parentWidget() ? QString::fromLatin1(w->parentWidget()->metaObject()->className()) : QString());
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", "_s)));
    }

    void tabWalksTheSearchTheButtonsTheFieldsAndTheSelector() {
        createForms();
        STOP_IF_FAILED(nextTick());
        Form1->show();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        mainWindow().sensitiveCheck->setFocus();
        const QList<QWidget*> expected = {mainWindow().nameMode,   mainWindow().searchField,  mainWindow().searchButton,
                                          mainWindow().nextButton, mainWindow().saveButton,   mainWindow().editButton,
                                          mainWindow().deleteButton, mainWindow().clearButton, mainWindow().exitButton,
                                          mainWindow().nameField,  mainWindow().surnameField, mainWindow().numberField,
                                          mainWindow().groupSelector, mainWindow().sensitiveCheck};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* f = QApplication::focusWidget();
            if (f && qobject_cast<QComboBox*>(f->parentWidget())) f = f->parentWidget();
            QCOMPARE(f, next);
        }
    }

    void entryFieldsRefuseWhatTheFilesCannotHold() {
        createForms();
        QLineEdit* field = mainWindow().nameField;
        typeText(field, QStringLiteral("Ayşe"));
        QCOMPARE(field->text(), u"Ayşe"_s);
        const int before = testhooks::beeps();
        typeText(field, QStringLiteral("Ж"));
        QCOMPARE(field->text(), u"Ayşe"_s);
        QCOMPARE(testhooks::beeps(), before + 1);
        for (const QString& pasted : {QStringLiteral("Иван"), QStringLiteral("Ali\nVeli"), QStringLiteral("a\rb")}) {
            QGuiApplication::clipboard()->setText(pasted);
            field->paste();
            QCOMPARE(field->text(), u"Ayşe"_s);
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("Çiğdem"));
        mainWindow().surnameField->paste();
        QCOMPARE(mainWindow().surnameField->text(), u"Çiğdem"_s);
    }

    void theNumberFieldTakesDigitsOnly() {
        createForms();
        QLineEdit* field = mainWindow().numberField;
        QTest::keyClicks(field, QStringLiteral("05a3-2 x"));
        QCOMPARE(field->text(), u"0532"_s);
        QCOMPARE(testhooks::beeps(), 4);
        QGuiApplication::clipboard()->setText(QStringLiteral("999"));
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(field->text(), u"0532"_s);
        QCOMPARE(testhooks::beeps(), 6);
        QTest::keyClicks(field, QStringLiteral("12345678"));
        QCOMPARE(field->text(), u"05321234567"_s);  // the twelfth digit is not taken
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), u"0532123456"_s);
        QCOMPARE(field->contextMenuPolicy(), Qt::NoContextMenu);
    }

    void theEndClosesTheProgram() {
        createForms();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        QTest::mouseClick(mainWindow().exitButton, Qt::LeftButton);
        QVERIFY(!Form1->isVisible());
        QCOMPARE(home->dataFiles(), (QStringList{GroupFile, u"Ayarlar.cnt"_s}));
    }
};

TELEFIKA_TEST_MAIN(TestStartup)
#include "tst_startup.moc"


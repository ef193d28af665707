// The DataFolder's paths: where a group's file is, and which names can be one.

#include "store/datafolder.h"
#include "tests/common/temphome.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestDataFolder : public QObject {
    Q_OBJECT
    std::unique_ptr<TempHome> home;

private slots:
    void init() { home = std::make_unique<TempHome>(); }
    void cleanup() { home.reset(); }

    void theFolderIsFixedInTheHome() {
        QCOMPARE(datafolder::path(), home->path() + u"/Telefika/"_s);
        QCOMPARE(datafolder::groupListPath(), home->path() + u"/Telefika/Ayarlar.cnt"_s);
        QCOMPARE(datafolder::groupFilePath(u"Ev"_s), home->path() + u"/Telefika/Ev.vexo"_s);
    }

    void aGroupFileIsFoundWithoutRegardToCase_data() {
        QTest::addColumn<QString>("onDisk");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("found");
        QTest::newRow("same") << "Ev" << "Ev" << true;
        QTest::newRow("capitals") << "Ev" << "EV" << true;
        QTest::newRow("Turkish i") << "İş" << "iŞ" << true;
        QTest::newRow("Turkish ı") << "Irmak" << "ırmak" << true;
        QTest::newRow("I is not İ") << "Irmak" << "İrmak" << false;
        QTest::newRow("small letters") << "Ev" << "ev" << true;
        QTest::newRow("another name") << "Ev" << "Evler" << false;
    }
    void aGroupFileIsFoundWithoutRegardToCase() {
        QFETCH(QString, onDisk);
        QFETCH(QString, typed);
        QFETCH(bool, found);
        home->write(onDisk + u".vexo"_s, "x\r\n");
        const QString path = datafolder::groupFilePath(typed);
        QCOMPARE(datafolder::exists(path), found);
        if (found) QCOMPARE(path, datafolder::path() + onDisk + u".vexo"_s);
    }

    void namesThatCannotBeGroupFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("names");
        QTest::addColumn<bool>("portable");
        QTest::newRow("plain") << "Aile" << true << true;
        QTest::newRow("Turkish, blanks, signs") << "İş Yeri - 2 @" << true << true;
        QTest::newRow("up and out") << "../x" << false << false;
        QTest::newRow("folder") << "a/b" << false << false;
        QTest::newRow("backslash") << "a\\b" << false << false;
        QTest::newRow("colon") << "a:b" << true << false;
        QTest::newRow("star") << "a*" << true << false;
        QTest::newRow("question") << "a?" << true << false;
        QTest::newRow("quote") << "a\"b" << true << false;
        QTest::newRow("angles") << "<a>" << true << false;
        QTest::newRow("bar") << "a|b" << true << false;
        QTest::newRow("tab") << "a\tb" << true << false;
        QTest::newRow("empty") << "" << true << false;
    }
    void namesThatCannotBeGroupFiles() {
        QFETCH(QString, name);
        QFETCH(bool, names);
        QFETCH(bool, portable);
        QCOMPARE(datafolder::namesGroupFile(name), names);
        QCOMPARE(datafolder::groupFilePath(name).isEmpty(), !names);
        QCOMPARE(datafolder::isPortableGroupName(name), portable);
    }

    void unfinishedWritesAreRemoved_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("removed");
        QTest::newRow("a group's temporary file") << ".~telefika-@Kayıtlar@.vexo.lZYSAu" << true;
        QTest::newRow("the group list's") << ".~telefika-Ayarlar.cnt.Ab12Cd" << true;
        // the user's, and so an older copy's temporary file, which cannot be told from them
        QTest::newRow("the user's Ev.vexo.backup") << "Ev.vexo.backup" << false;
        QTest::newRow("the user's Ayarlar.cnt.eski01") << "Ayarlar.cnt.eski01" << false;
        QTest::newRow("a group named like one") << "Ev.vexo.abcdef.vexo" << false;
        QTest::newRow("five letters") << "Ev.vexo.abcde" << false;
        QTest::newRow("seven letters") << "Ev.vexo.abcdefg" << false;
        QTest::newRow("a sign among them") << "Ev.vexo.abc-ef" << false;
        QTest::newRow("another file's") << "notes.txt.abcdef" << false;
        QTest::newRow("the scratch file") << "temp.tmp" << false;
    }
    void unfinishedWritesAreRemoved() {
        QFETCH(QString, file);
        QFETCH(bool, removed);
        home->write(u"Ev.vexo"_s, "x\r\n");
        home->write(file, "x\r\n");
        QCOMPARE(datafolder::removeUnfinishedWrites(), removed ? 1 : 0);
        QCOMPARE(home->has(file), !removed);
        QVERIFY(home->has(u"Ev.vexo"_s));
    }

    // The program's own files about a DataFolder: beside it as on Linux, or
    // inside it as on Windows, whose "C:/Telefika" lies in a drive's root.
    // Whether a path leads into the DataFolder; "link" is a symbolic link in
    // the home to the folder, "file link" one to its group list.
    void pathsThatLeadIntoTheFolder_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("inside");
        QTest::newRow("the folder") << u"Telefika"_s << true;
        QTest::newRow("a group's file") << u"Telefika/@Kayıtlar@.vexo"_s << true;
        QTest::newRow("a new file in a new subfolder") << u"Telefika/yeni/a.vcf"_s << true;
        QTest::newRow("through ..") << u"x/../Telefika//Ayarlar.cnt"_s << true;
        QTest::newRow("through a link to the folder") << u"link/Ayarlar.cnt"_s << true;
        QTest::newRow("a link to the group list") << u"file link"_s << true;
        QTest::newRow("beside it, a like name") << u"Telefika2/a.vcf"_s << false;
        QTest::newRow("the home") << u"a.vcf"_s << false;
        QTest::newRow("the lock beside it") << u".Telefika.lock"_s << false;
    }
    void pathsThatLeadIntoTheFolder() {
        QFETCH(QString, path);
        QFETCH(bool, inside);
        QVERIFY(QDir().mkpath(home->path() + u"/Telefika"_s));
        QVERIFY(QFile::link(home->path() + u"/Telefika"_s, home->path() + u"/link"_s));
        QVERIFY(QFile::link(home->path() + u"/Telefika/Ayarlar.cnt"_s, home->path() + u"/file link"_s));
        QCOMPARE(datafolder::holds(home->path() + u"/"_s + path), inside);
    }

    void companionFilesBesideOrInside_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<QString>("lock");
        QTest::newRow("Linux home") << "/home/ayşe/Telefika" << false << "/home/ayşe/.Telefika.lock";
        QTest::newRow("Linux home, separator at the end") << "/home/ayşe/Telefika/" << false << "/home/ayşe/.Telefika.lock";
        QTest::newRow("Linux, inside") << "/home/ayşe/Telefika/" << true << "/home/ayşe/Telefika/.Telefika.lock";
        QTest::newRow("Windows, beside: the drive's root") << "C:/Telefika/" << false << "C:/.Telefika.lock";
        QTest::newRow("Windows, inside") << "C:/Telefika/" << true << "C:/Telefika/.Telefika.lock";
        QTest::newRow("a folder in the root") << "/Telefika" << false << "/.Telefika.lock";
    }
    void companionFilesBesideOrInside() {
        QFETCH(QString, folder);
        QFETCH(bool, inside);
        QFETCH(QString, lock);
        const auto place = inside ? datafolder::CompanionPlace::InsideFolder : datafolder::CompanionPlace::BesideFolder;
        QCOMPARE(datafolder::companionFile(folder, u"lock"_s, place), lock);
        QCOMPARE(datafolder::companionFile(folder, u"pending"_s, place),
                 lock.chopped(int(qstrlen("lock"))) + u"pending"_s);
    }

    // Inside the DataFolder a companion file is no group: no group's file,
    // in any letter case, is found in it, and no start removes it.
    void aCompanionFileInsideIsNoGroup_data() {
        QTest::addColumn<QString>("group");
        QTest::newRow("its name") << ".Telefika";
        QTest::newRow("its name, other case") << ".TELEFİKA";
        QTest::newRow("the whole name") << ".Telefika.lock";
        QTest::newRow("the pending list") << ".Telefika.pending";
    }
    void aCompanionFileInsideIsNoGroup() {
        QFETCH(QString, group);
        const auto inside = datafolder::CompanionPlace::InsideFolder;
        for (const QString& kind : {u"lock"_s, u"pending"_s}) {
            const QString file = datafolder::companionFile(datafolder::realFolder(datafolder::path()), kind, inside);
            home->write(QFileInfo(file).fileName(), "4242\n");
            QVERIFY(QFile::exists(file));
        }
        QVERIFY(!datafolder::exists(datafolder::groupFilePath(group)));
        QCOMPARE(datafolder::removeUnfinishedWrites(), 0);
        QCOMPARE(home->dataFiles(), (QStringList{u".Telefika.lock"_s, u".Telefika.pending"_s}));
    }

    // The pending groups' list is written as every file is: a copy killed
    // in the middle of it leaves its temporary file, which goes at the start.
    void unfinishedWritesOfThePendingGroupsAreRemoved_data() {
        QTest::addColumn<QString>("file");  // in the home, beside the DataFolder
        QTest::addColumn<bool>("removed");
        QTest::newRow("its temporary file") << ".Telefika.pending.Ab12Cd" << true;
        QTest::newRow("the list itself") << ".Telefika.pending" << false;
        QTest::newRow("the lock") << ".Telefika.lock" << false;
        QTest::newRow("another file's") << ".profile.Ab12Cd" << false;
        QTest::newRow("five letters") << ".Telefika.pending.Ab12C" << false;
    }
    void unfinishedWritesOfThePendingGroupsAreRemoved() {
        QFETCH(QString, file);
        QFETCH(bool, removed);
        QVERIFY(QDir().mkpath(datafolder::path()));
        QFile f(home->path() + u"/"_s + file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(datafolder::removeUnfinishedWrites(), removed ? 1 : 0);
        QCOMPARE(f.exists(), !removed);
    }

    void copyReplacesTheTargetWhole() {
        home->write(u"a.vexo"_s, "Ali\r\n\r\n1\r\n");
        home->write(u"b.vexo"_s, "old\r\n");
        QVERIFY(datafolder::copyFile(home->dataPath(u"a.vexo"_s), home->dataPath(u"b.vexo"_s)));
        QCOMPARE(home->read(u"b.vexo"_s), QByteArray("Ali\r\n\r\n1\r\n"));
        QVERIFY(!datafolder::copyFile(home->dataPath(u"missing.vexo"_s), home->dataPath(u"b.vexo"_s)));
        QCOMPARE(home->read(u"b.vexo"_s), QByteArray("Ali\r\n\r\n1\r\n"));
        QVERIFY(!datafolder::copyFile(home->dataPath(u"a.vexo"_s), home->path() + u"/no/such/folder.vexo"_s));
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"


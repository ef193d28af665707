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
        QTest::newRow("a group's temporary file") << "@Kayıtlar@.vexo.lZYSAu" << true;
        QTest::newRow("the group list's") << "Ayarlar.cnt.Ab12Cd" << true;
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


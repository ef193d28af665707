// The groups a two-file operation names before it changes a group's file:
// how a start settles the group list with them, and what a written list
// lets the program forget.

#include "store/datafolder.h"
#include "store/pendinggroups.h"
#include "store/stringlist.h"
#include "store/textfile.h"
#include "tests/common/temphome.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;

// The DataFolder with these group files (each holding one contact), the
// group list file and the pending names.
void lay(const TempHome& home, const QStringList& files, const QStringList& groupList, const QStringList& pending) {
    for (const QString& f : files) home.write(f + u".vexo"_s, fileBytes({u"Ali"_s, u""_s, u"1"_s}));
    home.write(u"Ayarlar.cnt"_s, fileBytes(groupList));
    for (const QString& g : pending) pendinggroups::note(g);
}
}  // namespace

class TestPendingGroups : public QObject {
    Q_OBJECT
    std::unique_ptr<TempHome> home;

private slots:
    void init() { home = std::make_unique<TempHome>(); }
    void cleanup() {
        textfile::setFileCalls(textfile::systemFileCalls());
        home.reset();
    }

    void theNamesLieBesideTheDataFolder() {
        pendinggroups::note(u"İş Yeri"_s);
        pendinggroups::note(u"Ev"_s);
        pendinggroups::note(u"İş Yeri"_s);  // named once
        QCOMPARE(pendinggroups::path(), QFileInfo(home->path()).canonicalFilePath() + u"/.Telefika.pending"_s);
        QCOMPARE(pendinggroups::names(), (QStringList{u"İş Yeri"_s, u"Ev"_s}));
        QFile f(pendinggroups::path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\xdd\xfe Yeri\r\nEv\r\n"));
        QCOMPARE(home->dataFiles(), QStringList());  // the DataFolder holds none of it
    }

    // Each named group is listed exactly when its file is there; nothing
    // else in the list changes.
    void theStartSettlesTheNamedGroups_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("groupList");
        QTest::addColumn<QStringList>("pending");
        QTest::addColumn<QStringList>("settled");
        const QStringList evList = {u"Ev"_s, Default, u"Ev"_s};
        QTest::newRow("a new group's file, the list not yet written")
            << QStringList{Default, u"Ev"_s, u"Yeni"_s} << evList << QStringList{u"Yeni"_s}
            << QStringList{u"Ev"_s, Default, u"Ev"_s, u"Yeni"_s};
        QTest::newRow("a new group, killed before its file")
            << QStringList{Default, u"Ev"_s} << evList << QStringList{u"Yeni"_s} << evList;
        QTest::newRow("a new group the list names already")
            << QStringList{Default, u"Ev"_s, u"Yeni"_s} << QStringList{u"Ev"_s, Default, u"Ev"_s, u"Yeni"_s}
            << QStringList{u"Yeni"_s} << QStringList{u"Ev"_s, Default, u"Ev"_s, u"Yeni"_s};
        QTest::newRow("listed in other letters")
            << QStringList{Default, u"İş"_s} << QStringList{Default, Default, u"iŞ"_s} << QStringList{u"İŞ"_s}
            << QStringList{Default, Default, u"iŞ"_s};
        QTest::newRow("a removed group, the list not yet written")
            << QStringList{Default, u"İş"_s} << QStringList{u"İş"_s, Default, u"Ev"_s, u"İş"_s}
            << QStringList{u"Ev"_s} << QStringList{u"İş"_s, Default, u"İş"_s};
        QTest::newRow("a removed group that was in use")
            << QStringList{Default} << evList << QStringList{u"Ev"_s} << QStringList{Default, Default};
        QTest::newRow("a removal that failed") << QStringList{Default, u"Ev"_s} << evList << QStringList{u"Ev"_s}
                                               << evList;
        QTest::newRow("the default group stays") << QStringList{u"Ev"_s} << evList << QStringList{Default} << evList;
        QTest::newRow("made and removed again")
            << QStringList{Default, u"Ev"_s} << evList << QStringList{u"Yeni"_s, u"Yeni"_s} << evList;
        QTest::newRow("two groups") << QStringList{Default, u"Yeni"_s}
                                    << QStringList{u"Ev"_s, Default, u"Ev"_s, u"Zeytin"_s}
                                    << QStringList{u"Ev"_s, u"Yeni"_s} << QStringList{Default, Default, u"Zeytin"_s, u"Yeni"_s};
        QTest::newRow("a file put in by hand is not named")
            << QStringList{Default, u"Ev"_s, u"Eski"_s} << evList << QStringList() << evList;
        QTest::newRow("a listed group without a file is not named")
            << QStringList{Default} << QStringList{Default, Default, u"Yok"_s} << QStringList() << QStringList{Default, Default, u"Yok"_s};
    }
    void theStartSettlesTheNamedGroups() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, groupList);
        QFETCH(QStringList, pending);
        QFETCH(QStringList, settled);
        lay(*home, files, groupList, pending);
        const QDateTime before = QFileInfo(home->dataPath(u"Ayarlar.cnt"_s)).lastModified();
        StringList list;
        list.load(datafolder::groupListPath());
        pendinggroups::settleAtStart(list, datafolder::groupListPath());
        QCOMPARE(texts(list), settled);
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes(settled));
        if (settled == groupList)  // nothing to write: the file is not touched
            QCOMPARE(QFileInfo(home->dataPath(u"Ayarlar.cnt"_s)).lastModified(), before);
        QCOMPARE(pendinggroups::names(), QStringList());
        QVERIFY(!QFile::exists(pendinggroups::path()));
    }

    // A start that cannot write the list uses the settled one and keeps the
    // names for the next.
    void aListThatCannotBeWrittenKeepsTheNames() {
        lay(*home, {Default, u"Yeni"_s}, {Default, Default}, {u"Yeni"_s});
        textfile::FileCalls failing = textfile::systemFileCalls();
        failing.rename = [](const QString&, const QString&) { return false; };
        textfile::setFileCalls(failing);
        StringList list;
        list.load(datafolder::groupListPath());
        pendinggroups::settleAtStart(list, datafolder::groupListPath());
        textfile::setFileCalls(textfile::systemFileCalls());
        QCOMPARE(texts(list), (QStringList{Default, Default, u"Yeni"_s}));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({Default, Default}));
        QCOMPARE(pendinggroups::names(), QStringList{u"Yeni"_s});
    }

    // After a list is written only the names it does not settle stay.
    void aWrittenListForgetsWhatItSettles_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("both settled") << QStringList{Default, u"Yeni"_s} << QStringList{Default, Default, u"Yeni"_s}
                                      << QStringList();
        QTest::newRow("the new group not listed") << QStringList{Default, u"Yeni"_s} << QStringList{Default, Default}
                                                  << QStringList{u"Yeni"_s};
        QTest::newRow("the removed group still listed") << QStringList{Default, u"Yeni"_s}
                                                        << QStringList{Default, Default, u"Ev"_s, u"Yeni"_s}
                                                        << QStringList{u"Ev"_s};
    }
    void aWrittenListForgetsWhatItSettles() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, written);
        QFETCH(QStringList, left);
        lay(*home, files, written, {u"Ev"_s, u"Yeni"_s});
        pendinggroups::forgetSettled(listOf(written));
        QCOMPARE(pendinggroups::names(), left);
        QCOMPARE(QFile::exists(pendinggroups::path()), !left.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPendingGroups)
#include "tst_pendinggroups.moc"

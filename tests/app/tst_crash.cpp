// A copy of the program killed at random moments while it saves into a full
// group: the group file is always the old or the new content whole, and the
// next start runs although the killed copy's lock is still there, and leaves
// no temporary file in the DataFolder. The same for operations that write two
// files, a group's file and the group list: after any kill the next start
// shows every group whose file is there and none whose file is gone. And the
// same for the program without a window: `telefika --import` killed, then
// the next command line's start settles what is left.
//
// The test binary is its own child: run with --save-loop it starts as the
// program does (the lock, then the windows) and saves and deletes one
// contact in turn until it is killed; with --group-loop it merges two groups
// into a new one and removes it, and makes an empty group and removes it,
// in turn. TELEFIKA_CRASH_KILLS sets the number of kills of each (tools/
// crashrun.sh makes a long run), TELEFIKA_CRASH_SEED the moments.

#include "store/datafolder.h"
#include "app/forms.h"
#include "app/Unit1.h"
#include "platform/datafolderlock.h"
#include "store/codepage.h"
#include "store/contacts.h"
#include "store/merge.h"
#include "store/interchange.h"
#include "store/pendinggroups.h"
#include "store/textfile.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "tools/datagen.h"
#include "ui/dialogs.h"
#include "windows/birles.h"
#include "windows/grup.h"
#include "windows/isim.h"
#include "windows/isimsirala.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QString GroupFile = datafolder::DefaultGroup + datafolder::GroupExtension;
const QString Name = QStringLiteral("Kaan");
const QString Surname = QStringLiteral("Yıldız");
const QString Number = QStringLiteral("05990000000");

const QString NewGroup = QStringLiteral("Ev ve İş");
const QString EmptyGroup = QStringLiteral("Boş");

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// A child's start, as the program's: the lock, then the windows, which must
// say nothing. It says "ready" and waits for a line from the parent, which
// looks at the folder the start left before the child writes again. Returns
// 0 then.
int startAsTheProgram(DataFolderLock& lock) {
    testhooks::enable();
    if (lock.acquire() != DataFolderLock::Acquired) {
        say("locked");
        return 3;
    }
    createForms();
    if (!testhooks::messages().isEmpty()) {
        std::printf("start-up said: %s\n", qPrintable(testhooks::messages().join(u" / "_s)));
        return 4;
    }
    say("ready");
    char go[8];
    if (!std::fgets(go, sizeof go, stdin)) return 6;
    return 0;
}

// Whether the group list names the group, on a line after the first.
bool lists(const StringList& groupList, const QString& group) {
    for (int i = 1; i < groupList.count(); ++i)
        if (groupList.text(i) == group) return true;
    return false;
}

// The merger: "Ev" and "İş" into the new group.
bool mergeIntoNewGroup() {
    Form12->execute();
    for (auto [box, group] : {std::pair{Form12->firstGroupChooser, u"Ev"_s}, std::pair{Form12->secondGroupChooser, u"İş"_s}})
        box->setCurrentIndex(box->findText(group));
    Form12->newGroupCheck->setChecked(true);
    Form12->newGroupEdit->setText(NewGroup);
    Form12->BitBtn1Click();
    Form12->close();
    return testhooks::messages() == QStringList{u"İşlem Tamam!"_s};
}

// The group window: the group removed ("Grup Sil", "Evet"), the window closed.
bool removeGroup(const QString& group) {
    testhooks::onNextModal([&](QDialog*) {
        const QList<QListWidgetItem*> rows = Form6->groupListBox->findItems(group, Qt::MatchExactly);
        if (rows.isEmpty()) return;
        rows.first()->setSelected(true);
        testhooks::onNextModal([](QDialog*) { Form9->BitBtn1Click(); });
        Form6->SpeedButton2Click();
        Form6->close();
    });
    Form6->execute();
    return testhooks::messages().isEmpty();
}

// The group window: a new group ("Yeni Grup Oluştur", its name), the window closed.
bool makeGroup(const QString& group) {
    testhooks::onNextModal([&](QDialog*) {
        testhooks::onNextModal([&](QDialog*) {
            Form7->nameEdit->setText(group);
            Form7->SpeedButton1Click();
        });
        Form6->SpeedButton1Click();
        Form6->close();
    });
    Form6->execute();
    return testhooks::messages().isEmpty();
}

// The child of the two-file operations: the new group merged and removed,
// the empty group made and removed, in turn; "m", "r", "n" or "x" before
// each, "e" after it.
int groupLoop() {
    DataFolderLock lock;
    if (const int refused = startAsTheProgram(lock)) return refused;
    for (;;) {
        for (const QString& group : {NewGroup, EmptyGroup}) {
            const bool there = lists(Book->groupNames(), group);
            say(there ? (group == NewGroup ? "r" : "x") : (group == NewGroup ? "m" : "n"));
            const bool done = there ? removeGroup(group) : group == NewGroup ? mergeIntoNewGroup() : makeGroup(group);
            if (!done) {
                std::printf("said: %s\n", qPrintable(testhooks::messages().join(u" / "_s)));
                return 5;
            }
            testhooks::messages().clear();
            say("e");
        }
    }
}

// The child: starts as the program does, then saves and deletes in turn,
// telling the parent "s" before and "e" after every write.
int saveLoop() {
    DataFolderLock lock;
    if (const int refused = startAsTheProgram(lock)) return refused;
    for (;;) {
        std::printf("s\n");
        std::fflush(stdout);
        if (contacts::lookupNumberLine(Book->recordLines(), Number) >= 0) {
            Book->deleteContact(Number);
        } else {
            mainWindow().nameField->setText(Name);
            mainWindow().surnameField->setText(Surname);
            mainWindow().numberField->setText(Number);
            if (!Form1->saveContact()) return 5;
        }
        testhooks::messages().clear();
        std::printf("e\n");
        std::fflush(stdout);
    }
}
}  // namespace

class TestCrash : public ProgramTest {
    Q_OBJECT

    int kills() const {
        return qEnvironmentVariableIsSet("TELEFIKA_CRASH_KILLS") ? qEnvironmentVariableIntValue("TELEFIKA_CRASH_KILLS")
                                                                 : 30;
    }
    quint32 seed() const {
        return qEnvironmentVariableIsSet("TELEFIKA_CRASH_SEED") ? quint32(qEnvironmentVariableIntValue("TELEFIKA_CRASH_SEED"))
                                                                : QRandomGenerator::system()->generate();
    }

    // What a kill left of one group, before any start: its file, its line in
    // the group list, its name among the pending groups.
    QString leftOf(const QString& group, const StringList& groupList) const {
        const QStringList pending = pendinggroups::names();
        return group + u": "_s + (home->has(group + u".vexo"_s) ? u"file"_s : u"no file"_s) +
               (lists(groupList, group) ? u", listed"_s : u", unlisted"_s) +
               (pending.contains(group) ? u", pending"_s : QString());
    }

    // The program started on what the kill left, as a user's next start: it
    // says nothing, lists every group whose file is there and no other, and
    // leaves no temporary file and no pending group.
    [[nodiscard]] bool startAfterTheKill(const QMap<QString, QByteArray>& contents, const QString& where) {
        DataFolderLock lock;
        [&] { QCOMPARE(lock.acquire(), DataFolderLock::Acquired); }();
        if (!testPassing()) return false;
        testhooks::messages().clear();
        createForms();
        [&] {
            QVERIFY2(testhooks::messages().isEmpty(), qPrintable(where + testhooks::messages().join(u" / "_s)));
            QStringList files;
            for (const QString& f : home->dataFiles())
                if (f != u"Ayarlar.cnt"_s) files << f.chopped(5);
            QStringList listed = texts(Book->groupNames()).mid(1);
            files.sort();
            listed.sort();
            QVERIFY2(files == listed, qPrintable(where + files.join(u'|') + u" / "_s + listed.join(u'|')));
            for (auto c = contents.begin(); c != contents.end(); ++c)
                if (home->has(c.key() + u".vexo"_s))
                    QVERIFY2(home->read(c.key() + u".vexo"_s) == c.value(), qPrintable(where + c.key()));
            QVERIFY2(!QFile::exists(pendinggroups::path()), qPrintable(where));
            const QStringList beside = QDir(home->path()).entryList({u".Telefika.pending*"_s}, QDir::Files | QDir::Hidden);
            QVERIFY2(beside.isEmpty(), qPrintable(where + beside.join(u'|')));
        }();
        destroyForms();
        return testPassing();
    }

    // Starts a child in the given loop, lets it run for a moment of the given
    // microseconds after it said "ready", kills it and returns all it said;
    // check() looks at the folder between "ready" and "go".
    QByteArray runAndKill(const QString& loop, quint32 moment, const QString& where,
                          const std::function<void()>& check = {}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Killed, the child never reaches the leak check: under the address
        // sanitizer it records no allocation's stack, most of its time otherwise.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"ASAN_OPTIONS"_s, env.value(u"ASAN_OPTIONS"_s) + u":fast_unwind_on_malloc=1:malloc_context_size=1"_s);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {loop});
        [&] { QVERIFY2(child.waitForStarted(), qPrintable(child.errorString())); }();
        if (!testPassing()) return {};
        QByteArray said;
        while (!said.contains("ready\n")) {
            if (!child.waitForReadyRead(60000)) break;
            said += child.readAllStandardOutput();
        }
        [&] { QVERIFY2(said.startsWith("ready\n"), qPrintable(where + QString::fromUtf8(said))); }();
        if (check && testPassing()) check();
        if (testPassing()) {
            child.write("go\n");
            [&] { QVERIFY(child.waitForBytesWritten(60000)); }();
            QThread::usleep(moment);
        }
        child.kill();
        [&] { QVERIFY(child.waitForFinished(60000)); }();
        return said + child.readAllStandardOutput();
    }

private slots:
    // A copy killed while it merges two groups into a new one, removes that
    // group, makes an empty group and removes it, each of which writes the
    // group's file and the group list. Whatever the moment, the next start
    // shows each group whose file is there, whole, and no group whose file
    // is gone, without a message, and no temporary file stays.
    void aKilledTwoFileOperationLeavesEveryGroupReachable() {
        const int n = kills();
        const quint32 s = seed();
        QRandomGenerator moments(s);

        const StringList ev = datagen::group(2500, 1), is = datagen::group(2500, 2);
        StringList merged = ev, names(true);
        rebuildNameIndex(merged, names);
        merge::mergeContacts(merged, names, is);
        const QMap<QString, QByteArray> contents = {{u"Ev"_s, textfile::joinLines(ev.lines())},
                                                    {u"İş"_s, textfile::joinLines(is.lines())},
                                                    {Default, QByteArray()},
                                                    {NewGroup, textfile::joinLines(merged.lines())},
                                                    {EmptyGroup, QByteArray()}};
        home->write(u"Ayarlar.cnt"_s, fileBytes({Default, Default, u"Ev"_s, u"İş"_s}));
        for (const QString& g : {Default, u"Ev"_s, u"İş"_s}) home->write(g + u".vexo"_s, contents[g]);

        QMap<QString, int> states;
        int operations = 0;
        for (int k = 0; k < n; ++k) {
            const QByteArray said = runAndKill(QStringLiteral("--group-loop"), moments.bounded(k % 5 == 0 ? 3000 : 150000),
                                               QStringLiteral("start %1 (seed %2): ").arg(k).arg(s));
            STOP_IF_FAILED(testPassing());
            QVERIFY2(!said.contains("said:"), qPrintable(QString::fromUtf8(said.right(300))));
            operations += said.count("e\n");
            const QList<QByteArray> lines = said.trimmed().split('\n');
            const QByteArray last = lines.last();
            const QString during = last == "m" ? u"merging into a new group"_s
                                   : last == "r" ? u"removing the merged group"_s
                                   : last == "n" ? u"making a group"_s
                                   : last == "x" ? u"removing the empty group"_s
                                                 : u"between operations"_s;
            StringList groupList;
            groupList.load(datafolder::groupListPath());
            const QString left = last == "m" || last == "r" ? leftOf(NewGroup, groupList)
                                 : last == "n" || last == "x" ? leftOf(EmptyGroup, groupList)
                                 : leftOf(NewGroup, groupList) + u"; "_s + leftOf(EmptyGroup, groupList);
            states[during + u" → "_s + left]++;
            STOP_IF_FAILED(startAfterTheKill(contents, QStringLiteral("kill %1 (seed %2, %3): ").arg(k).arg(s).arg(during)));
        }
        qInfo("%d kills (seed %u), %d operations done", n, s, operations);
        for (auto st = states.begin(); st != states.end(); ++st) qInfo("%5d  %s", st.value(), qPrintable(st.key()));
    }

    void aKilledSaveLeavesTheOldOrTheNewFile() {
        const int kills = this->kills();
        const quint32 seed = this->seed();
        QRandomGenerator moments(seed);

        // The old content: a full group; the new: the same with one contact more.
        StringList full = datagen::group();
        const QByteArray before = textfile::joinLines(full.lines());
        StringList index(true);
        rebuildNameIndex(full, index);
        contacts::placeContact(full, index, codepage::encode(Name), codepage::encode(Surname), codepage::encode(Number));
        const QByteArray after = textfile::joinLines(full.lines());
        home->write(u"Ayarlar.cnt"_s, fileBytes({Default, Default}));
        home->write(GroupFile, before);
        const QStringList files = home->dataFiles();

        int old = 0, fresh = 0, duringWrite = 0, writes = 0, leftovers = 0;
        for (int k = 0; k < kills; ++k) {
            // A moment within the next few writes, or at once; the start
            // removed what the last kill left.
            const QByteArray said = runAndKill(QStringLiteral("--save-loop"), moments.bounded(k % 5 == 0 ? 2000 : 120000),
                                               QStringLiteral("start %1 (seed %2): ").arg(k).arg(seed),
                                               [&] { QCOMPARE(home->dataFiles(), files); });
            STOP_IF_FAILED(testPassing());
            writes += said.count("e\n");
            if (said.endsWith("s\n")) ++duringWrite;  // killed between "s" and "e"

            const QByteArray now = home->read(GroupFile);
            QVERIFY2(now == before || now == after,
                     qPrintable(QStringLiteral("kill %1 (seed %2): %3 bytes").arg(k).arg(seed).arg(now.size())));
            (now == before ? old : fresh)++;
            // A kill between the temporary file's link and its rename leaves
            // it, whole; nothing else may stay.
            for (const QString& f : home->dataFiles()) {
                if (files.contains(f)) continue;
                QVERIFY2(textfile::isTemporaryName(f, GroupFile) || textfile::isTemporaryName(f, u"Ayarlar.cnt"_s),
                         qPrintable(f));
                const QByteArray left = home->read(f);
                QVERIFY(left == before || left == after);
                ++leftovers;
            }
        }
        // The last killed copy's lock is stale: a new start takes it over.
        DataFolderLock next;
        QCOMPARE(next.acquire(), DataFolderLock::Acquired);
        QCOMPARE(home->dataFiles(), files);
        qInfo("%d kills (seed %u): %d during a save, %d saves done; the file was old %d times, new %d times; "
              "%d temporary files left by a kill were removed by the next start",
              kills, seed, duringWrite, writes, old, fresh, leftovers);
    }

    // The command line killed at random moments while it imports 4,000
    // contacts into a group of 2,000, a removed group left pending and listed
    // by an earlier kill: the group's file is the old or the one new content,
    // and the next start (a command line's) drops the removed group and
    // leaves no temporary file and nothing pending.
    void aKilledImportLeavesTheOldOrTheNewFile() {
        const quint32 s = seed();
        QRandomGenerator moments(s);
        const QString cards = home->path() + u"/kisiler.csv"_s;
        interchange::exportToFile(datagen::group(4000, 7), cards, interchange::Format::Csv);
        const QByteArray before = textfile::joinLines(datagen::group(2000, 1).lines());
        QMap<QByteArray, int> left;  // the group's file after each kill, by its bytes
        for (int k = 0; k < kills(); ++k) {
            home->write(u"Ayarlar.cnt"_s, fileBytes({Default, Default, NewGroup}));
            home->write(Default + u".vexo"_s, before);
            pendinggroups::note(NewGroup);
            QProcess import;
            import.start(QStringLiteral(TELEFIKA_PROGRAM), {u"--import"_s, cards});
            QThread::usleep(moments.bounded(k % 5 == 0 ? 20000 : 150000));
            import.kill();
            QVERIFY(import.waitForFinished(60000));
            left[home->read(Default + u".vexo"_s)]++;
            import.start(QStringLiteral(TELEFIKA_PROGRAM), {u"--export"_s, Default, home->path() + u"/k.csv"_s});  // the next start
            QVERIFY(import.waitForFinished(60000) && import.exitCode() == 0);
            QVERIFY2(home->dataFiles().size() == 2 && home->read(u"Ayarlar.cnt"_s) == fileBytes({Default, Default}) &&
                         !QFile::exists(pendinggroups::path()), qPrintable(QStringLiteral("kill %1 (seed %2)").arg(k).arg(s)));
        }
        QVERIFY(left.size() - left.contains(before) <= 1);  // kills at random moments: a torn file would vary
        qInfo("%d kills of an import (seed %u): the file old %d times, new %d", kills(), s, left.value(before), kills() - left.value(before));
    }
};

int main(int argc, char** argv) {
    TelefikaApplication app(argc, argv);
    applyLook(app);
    if (argc > 1 && qstrcmp(argv[1], "--save-loop") == 0) return saveLoop();
    if (argc > 1 && qstrcmp(argv[1], "--group-loop") == 0) return groupLoop();
    TestCrash tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_crash.moc"


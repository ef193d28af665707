// A copy of the program killed at random moments while it saves into a full
// group: the group file is always the old or the new content whole, and the
// next start runs although the killed copy's lock is still there, and leaves
// no temporary file in the DataFolder.
//
// The test binary is its own child: run with --save-loop it starts as the
// program does (the lock, then the windows) and saves and deletes one
// contact in turn until it is killed. TELEFIKA_CRASH_KILLS sets the number
// of kills (tools/crashrun.sh makes a long run), TELEFIKA_CRASH_SEED the
// moments.

#include "app/forms.h"
#include "app/Unit1.h"
#include "platform/datafolderlock.h"
#include "store/codepage.h"
#include "store/contacts.h"
#include "store/textfile.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "tools/datagen.h"
#include "ui/dialogs.h"

#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
const QString Default = QStringLiteral("@Kayıtlar@");
const QString Name = QStringLiteral("Kaan");
const QString Surname = QStringLiteral("Yıldız");
const QString Number = QStringLiteral("05990000000");

// The child: starts as the program does, then saves and deletes in turn,
// telling the parent "s" before and "e" after every write.
int saveLoop() {
    testhooks::enable();
    DataFolderLock lock;
    if (lock.acquire() != DataFolderLock::Acquired) {
        std::printf("locked\n");
        return 3;
    }
    createForms();
    if (!testhooks::messages().isEmpty()) {
        std::printf("start-up said: %s\n", qPrintable(testhooks::messages().join(u" / "_s)));
        return 4;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        std::printf("s\n");
        std::fflush(stdout);
        if (contacts::lookupNumberLine(Form1->recordLines, Number) >= 0) {
            Form1->deleteConfirmed(Number);
        } else {
            Form1->nameField->setText(Name);
            Form1->surnameField->setText(Surname);
            Form1->numberField->setText(Number);
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

private slots:
    void aKilledSaveLeavesTheOldOrTheNewFile() {
        const int kills = qEnvironmentVariableIsSet("TELEFIKA_CRASH_KILLS")
                              ? qEnvironmentVariableIntValue("TELEFIKA_CRASH_KILLS")
                              : 30;
        const quint32 seed = qEnvironmentVariableIsSet("TELEFIKA_CRASH_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("TELEFIKA_CRASH_SEED"))
                                 : QRandomGenerator::system()->generate();
        QRandomGenerator moments(seed);

        // The old content: a full group; the new: the same with one contact more.
        StringList full = datagen::group();
        const QByteArray before = textfile::joinLines(full.lines());
        StringList index(true);
        rebuildNameIndex(full, index);
        contacts::placeContact(full, index, codepage::encode(Name), codepage::encode(Surname), codepage::encode(Number));
        const QByteArray after = textfile::joinLines(full.lines());
        home->write(u"Ayarlar.cnt"_s, fileBytes({Default, Default}));
        home->write(u"@Kayıtlar@.vexo"_s, before);
        const QStringList files = home->dataFiles();

        int old = 0, fresh = 0, duringWrite = 0, writes = 0, leftovers = 0;
        for (int k = 0; k < kills; ++k) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save-loop")});
            QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
            QByteArray said;
            while (!said.contains("ready\n")) {
                if (!child.waitForReadyRead(60000)) break;
                said += child.readAllStandardOutput();
            }
            QVERIFY2(said.startsWith("ready\n"), qPrintable(QStringLiteral("start %1 (seed %2): %3")
                                                               .arg(k).arg(seed).arg(QString::fromUtf8(said))));
            QCOMPARE(home->dataFiles(), files);  // the start removed what a kill left
            // A moment within the next few writes, or at once.
            QThread::usleep(moments.bounded(k % 5 == 0 ? 2000 : 120000));
            child.kill();
            QVERIFY(child.waitForFinished(60000));
            said += child.readAllStandardOutput();
            writes += said.count("e\n");
            if (said.endsWith("s\n")) ++duringWrite;  // killed between "s" and "e"

            const QByteArray now = home->read(u"@Kayıtlar@.vexo"_s);
            QVERIFY2(now == before || now == after,
                     qPrintable(QStringLiteral("kill %1 (seed %2): %3 bytes").arg(k).arg(seed).arg(now.size())));
            (now == before ? old : fresh)++;
            // A kill between the temporary file's link and its rename leaves
            // it, whole; nothing else may stay.
            for (const QString& f : home->dataFiles()) {
                if (files.contains(f)) continue;
                QVERIFY2(QRegularExpression(u"^(@Kayıtlar@\\.vexo|Ayarlar\\.cnt)\\.[A-Za-z0-9]{6}$"_s).match(f).hasMatch(),
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
};

int main(int argc, char** argv) {
    TelefikaApplication app(argc, argv);
    applyLook(app);
    if (argc > 1 && qstrcmp(argv[1], "--save-loop") == 0) return saveLoop();
    TestCrash tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_crash.moc"


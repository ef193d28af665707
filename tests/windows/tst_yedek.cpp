// The backup of a group, and a backup taken in again in place of its group.

#include "store/datafolder.h"
#include "app/forms.h"
#include "app/Unit1.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/birles.h"
#include "windows/grup.h"
#include "windows/veriekle.h"
#include "windows/yedek.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QByteArray Contacts =
    fileBytes({u"Çağlar"_s, u"Işıkoğlu"_s, u"05321234567"_s, u"ismail"_s, u"Şen"_s, u""_s, u"Ümit"_s, u"Ağaoğlu"_s, u"05449876543"_s});

// The backup window from the menu, handed to the actions.
[[nodiscard]] bool inBackupWindow(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    mainWindow().backupAction->trigger();
    return testPassing();
}
}  // namespace

class TestBackup : public ProgramTest {
    Q_OBJECT
    QString elsewhere;

    // The program on the default group and "Ev" ("Yok" is listed without
    // a file), and an empty folder for the backups.
    [[nodiscard]] bool start() {
        elsewhere = home->path() + u"/Yedekler"_s;
        [&] { QVERIFY(QDir().mkpath(elsewhere)); }();
        return testPassing() && startWith({Default, Default, u"Ev"_s, u"Yok"_s}, {{u"Ev"_s, Contacts}});
    }

private slots:
    void backingUp_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("typed");    // in the save dialog, within the backup folder; empty: cancelled
        QTest::addColumn<QString>("written");  // the file expected there
        QTest::addColumn<QString>("message");
        const QString done = u"Yedeğiniz Başarıyla Alındı!"_s;
        QTest::newRow("typed yedek") << "Ev" << "yedek" << "yedek.vexo" << done;
        QTest::newRow("typed with the extension") << "Ev" << "yedek.vexo" << "yedek.vexo.vexo" << done;
        QTest::newRow("over an older backup") << "Ev" << "eski" << "eski.vexo" << done;
        QTest::newRow("cancelled") << "Ev" << "" << "" << "";
        QTest::newRow("group file missing") << "Yok" << "yedek" << "" << "Grup Dosyası Bulunamıyor";
        QTest::newRow("folder missing") << "Ev" << "yok/yedek" << "" << "Yedek alınamadı! Seçilen yere yazılamadı.";
        QTest::newRow("into the DataFolder") << "Ev" << "../Telefika/Ev" << "" << "Yedek, veri havuzunun (Telefika klasörünün) içine alınamaz! Başka bir yer seçin.";
    }
    void backingUp() {
        QFETCH(QString, group);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QString, message);
        STOP_IF_FAILED(start());
        QFile older(elsewhere + u"/eski.vexo"_s);
        QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older backup, longer than the group\r\n") > 0);
        older.close();
        STOP_IF_FAILED(inBackupWindow([&] {
            STOP_IF_FAILED(clickRow(Form17->groupList, group));
            QCOMPARE(Form17->chosenGroupLabel->text(), group);
            testhooks::setNextSaveFileName(typed.isEmpty() ? QString() : elsewhere + u"/"_s + typed);
            QTest::mouseClick(Form17->backupButton, Qt::LeftButton);
            QVERIFY(Form17->isVisible());
        }));
        QCOMPARE(testhooks::messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QStringList expected = {u"eski.vexo"_s};
        if (!written.isEmpty() && written != u"eski.vexo"_s) expected << written;
        QCOMPARE(QDir(elsewhere).entryList(QDir::Files), expected);
        if (!written.isEmpty()) {
            QFile copy(elsewhere + u"/"_s + written);
            QVERIFY(copy.open(QIODevice::ReadOnly));
            QCOMPARE(copy.readAll(), Contacts);
        }
        QCOMPARE(home->read(u"Ev.vexo"_s), Contacts);
    }

    void alAsksForAGroupUntilOneIsChosen() {
        STOP_IF_FAILED(start());
        STOP_IF_FAILED(inBackupWindow([&] {
            QTest::mouseClick(Form17->backupButton, Qt::LeftButton);
            STOP_IF_FAILED(clickRow(Form17->groupList, u"Ev"_s));
        }));
        STOP_IF_FAILED(inBackupWindow([&] { QTest::mouseClick(Form17->backupButton, Qt::LeftButton); }));
        const QString ask = u"Kaydını almak istediğiniz grup üzerine tıklayın!"_s;
        QCOMPARE(testhooks::messages(), (QStringList{ask, ask}));
    }

    // Back a group up, delete it, take the backup in under the old name: every
    // contact is back, byte for byte.
    void aBackupTakenInRestoresItsGroup() {
        STOP_IF_FAILED(start());
        STOP_IF_FAILED(inBackupWindow([&] {
            STOP_IF_FAILED(clickRow(Form17->groupList, u"Ev"_s));
            testhooks::setNextSaveFileName(elsewhere + u"/Ev"_s);
            QTest::mouseClick(Form17->backupButton, Qt::LeftButton);
        }));
        testhooks::onNextModal([&](QDialog*) {
            testhooks::onNextModal([&](QDialog*) { QTest::mouseClick(Form9->deleteButton, Qt::LeftButton); });
            STOP_IF_FAILED(clickRow(Form6->groupListBox, u"Ev"_s));
            QTest::mouseClick(Form6->deleteGroupButton, Qt::LeftButton);
        });
        mainWindow().groupsAction->trigger();
        STOP_IF_FAILED(testPassing());
        QVERIFY(!home->has(u"Ev.vexo"_s));
        testhooks::onNextModal([&](QDialog*) {
            testhooks::onNextModal([&](QDialog*) {
                Form13->setFolder(elsewhere);
                STOP_IF_FAILED(clickRow(Form13->fileList, u"Ev.vexo"_s, true));
            });
            QTest::mouseClick(Form6->addFileButton, Qt::LeftButton);
            STOP_IF_FAILED(clickRow(Form6->groupListBox, u"Ev"_s, true));  // the group in use
        });
        mainWindow().groupsAction->trigger();
        STOP_IF_FAILED(testPassing());
        QCOMPARE(testhooks::messages(), QStringList{u"Yedeğiniz Başarıyla Alındı!"_s});
        QCOMPARE(home->read(u"Ev.vexo"_s), Contacts);
        QCOMPARE(fileBytes(texts(Book->recordLines())), Contacts);
        QCOMPARE(texts(Book->nameIndex()), (QStringList{u"Çağlar"_s, u"ismail"_s, u"Ümit"_s}));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({u"Ev"_s, Default, u"Ev"_s, u"Yok"_s}));
    }
};

TELEFIKA_TEST_MAIN(TestBackup)
#include "tst_yedek.moc"


// The backup of a group, and a backup taken in again in place of its group.

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

namespace {
const QString Default = QStringLiteral("@Kayıtlar@");
const QByteArray Contacts =
    fileBytes({"Çağlar", "Işıkoğlu", "05321234567", "ismail", "Şen", "", "Ümit", "Ağaoğlu", "05449876543"});

// The backup window from the menu, handed to the actions.
[[nodiscard]] bool inBackupWindow(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    Form1->Yedek1->trigger();
    return testPassing();
}
}  // namespace

class TestBackup : public ProgramTest {
    Q_OBJECT
    QString elsewhere;

    void start() {
        home->write("Ayarlar.cnt", fileBytes({Default, Default, "Ev", "Yok"}));
        home->write("@Kayıtlar@.vexo", QByteArray());
        home->write("Ev.vexo", Contacts);
        elsewhere = home->path() + "/Yedekler";
        QVERIFY(QDir().mkpath(elsewhere));
        createForms();
        testhooks::messages().clear();
    }

private slots:
    void backingUp_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("typed");    // in the save dialog, within the backup folder; empty: cancelled
        QTest::addColumn<QString>("written");  // the file expected there
        QTest::addColumn<QString>("message");
        const QString done = "Yedeğiniz Başarıyla Alındı!";
        QTest::newRow("typed yedek") << "Ev" << "yedek" << "yedek.vexo" << done;
        QTest::newRow("typed with the extension") << "Ev" << "yedek.vexo" << "yedek.vexo.vexo" << done;
        QTest::newRow("over an older backup") << "Ev" << "eski" << "eski.vexo" << done;
        QTest::newRow("cancelled") << "Ev" << "" << "" << "";
        QTest::newRow("group file missing") << "Yok" << "yedek" << "" << "Grup Dosyası Bulunamıyor";
        QTest::newRow("folder missing") << "Ev" << "yok/yedek" << "" << "Yedek alınamadı! Seçilen yere yazılamadı.";
    }
    void backingUp() {
        QFETCH(QString, group);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QString, message);
        start();
        QFile older(elsewhere + "/eski.vexo");
        QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older backup, longer than the group\r\n") > 0);
        older.close();
        STOP_IF_FAILED(inBackupWindow([&] {
            STOP_IF_FAILED(clickRow(Form17->ListBox1, group));
            QCOMPARE(Form17->chosenGroupLabel->text(), group);
            testhooks::setNextSaveFileName(typed.isEmpty() ? QString() : elsewhere + "/" + typed);
            QTest::mouseClick(Form17->SpeedButton1, Qt::LeftButton);
            QVERIFY(Form17->isVisible());
        }));
        QCOMPARE(testhooks::messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QStringList expected = {"eski.vexo"};
        if (!written.isEmpty() && written != "eski.vexo") expected << written;
        QCOMPARE(QDir(elsewhere).entryList(QDir::Files), expected);
        if (!written.isEmpty()) {
            QFile copy(elsewhere + "/" + written);
            QVERIFY(copy.open(QIODevice::ReadOnly));
            QCOMPARE(copy.readAll(), Contacts);
        }
        QCOMPARE(home->read("Ev.vexo"), Contacts);
    }

    void alAsksForAGroupUntilOneIsChosen() {
        start();
        STOP_IF_FAILED(inBackupWindow([&] {
            QTest::mouseClick(Form17->SpeedButton1, Qt::LeftButton);
            STOP_IF_FAILED(clickRow(Form17->ListBox1, "Ev"));
        }));
        STOP_IF_FAILED(inBackupWindow([&] { QTest::mouseClick(Form17->SpeedButton1, Qt::LeftButton); }));
        const QString ask = "Kaydını almak istediğiniz grup üzerine tıklayın!";
        QCOMPARE(testhooks::messages(), (QStringList{ask, ask}));
    }

    // Back a group up, delete it, take the backup in under the old name: every
    // contact is back, byte for byte.
    void aBackupTakenInRestoresItsGroup() {
        start();
        STOP_IF_FAILED(inBackupWindow([&] {
            STOP_IF_FAILED(clickRow(Form17->ListBox1, "Ev"));
            testhooks::setNextSaveFileName(elsewhere + "/Ev");
            QTest::mouseClick(Form17->SpeedButton1, Qt::LeftButton);
        }));
        testhooks::onNextModal([&](QDialog*) {
            testhooks::onNextModal([&](QDialog*) { QTest::mouseClick(Form9->BitBtn1, Qt::LeftButton); });
            STOP_IF_FAILED(clickRow(Form6->groupListBox, "Ev"));
            QTest::mouseClick(Form6->SpeedButton2, Qt::LeftButton);
        });
        Form1->Gruplemleri1->trigger();
        STOP_IF_FAILED(testPassing());
        QVERIFY(!home->has("Ev.vexo"));
        testhooks::onNextModal([&](QDialog*) {
            testhooks::onNextModal([&](QDialog*) {
                Form13->setFolder(elsewhere);
                STOP_IF_FAILED(clickRow(Form13->FileListBox1, "Ev.vexo", true));
            });
            QTest::mouseClick(Form6->SpeedButton4, Qt::LeftButton);
            STOP_IF_FAILED(clickRow(Form6->groupListBox, "Ev", true));  // the group in use
        });
        Form1->Gruplemleri1->trigger();
        STOP_IF_FAILED(testPassing());
        QCOMPARE(testhooks::messages(), QStringList{"Yedeğiniz Başarıyla Alındı!"});
        QCOMPARE(home->read("Ev.vexo"), Contacts);
        QCOMPARE(fileBytes(texts(Form1->recordLines)), Contacts);
        QCOMPARE(texts(Form1->nameIndex), (QStringList{"Çağlar", "ismail", "Ümit"}));
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({"Ev", Default, "Ev", "Yok"}));
    }
};

TELEFIKA_TEST_MAIN(TestBackup)
#include "tst_yedek.moc"

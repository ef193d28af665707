// Taking a group file in from any folder, under its own name or a new one.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/datafolder.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/grup.h"
#include "windows/veriekle.h"
#include "windows/yeniisim.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace {
const QString Default = QStringLiteral("@Kayıtlar@");
const QByteArray Taken = fileBytes({"Şule", "Öztürk", "05321112233"});
const QByteArray Held = fileBytes({"Eski", "", "1"});

[[nodiscard]] bool doubleClick(QAbstractItemView* view, const QModelIndex& index) {
    if (!index.isValid()) {
        QTest::qFail("No such row to double-click", __FILE__, __LINE__);
        return false;
    }
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    return testPassing();
}

[[nodiscard]] bool doubleClickFile(const QString& file) {
    const QList<QListWidgetItem*> found = Form13->FileListBox1->findItems(file, Qt::MatchExactly);
    if (found.isEmpty()) {
        QTest::qFail(qPrintable("No file " + file + " in the picker: " + rows(Form13->FileListBox1).join(", ")), __FILE__, __LINE__);
        return false;
    }
    return doubleClick(Form13->FileListBox1, Form13->FileListBox1->indexFromItem(found.first()));
}

// The group window, its "Veri Tabanı Ekle", and the picker handed to the actions.
[[nodiscard]] bool inPicker(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) {
        testhooks::onNextModal([=](QDialog*) { actions(); });
        QTest::mouseClick(Form6->SpeedButton4, Qt::LeftButton);
    });
    Form1->Gruplemleri1->trigger();
    return testPassing();
}
}  // namespace

class TestTakingAGroupIn : public ProgramTest {
    Q_OBJECT
    QString elsewhere;  // a folder outside the DataFolder

    void start() {
        home->write("@Kayıtlar@.vexo", QByteArray());
        home->write("Ayarlar.cnt", fileBytes({Default, Default}));
        elsewhere = home->path() + "/Yedekler";
        QVERIFY(QDir().mkpath(elsewhere + "/Alt"));
        for (const char* f : {"Ev.vexo", "Ayva.vexo", "Çay.vexo", "notlar.txt", "Alt/İş.vexo"}) {
            QFile file(elsewhere + "/" + QString::fromUtf8(f));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(Taken);
        }
        QDir::setCurrent(elsewhere);  // the pickers start at the working folder
        createForms();
        testhooks::messages().clear();
    }

private slots:
    void takingAFileIn_data() {
        QTest::addColumn<QString>("held");    // a file the DataFolder holds already
        QTest::addColumn<QString>("picked");  // in the other folder, or with a / in the DataFolder
        QTest::addColumn<bool>("listed");     // the group listed already, without its file
        QTest::addColumn<QString>("typed");   // in "Yeni İsim"
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("group");   // the group taken in, if any
        QTest::newRow("from another folder") << "" << "Ev.vexo" << false << "" << "" << "Ev";
        QTest::newRow("listed without its file") << "" << "Ev.vexo" << true << "" << "" << "Ev";
        QTest::newRow("unusable file name") << "" << "z|b.vexo" << false << "" << UnusableGroupNameMessage << "";
        QTest::newRow("name taken") << "Ev" << "Ev.vexo" << false << "Ev2" << "İşlem Tamam" << "Ev2";
        QTest::newRow("name taken in other case") << "EV" << "Ev.vexo" << false << "Ev2" << "İşlem Tamam" << "Ev2";
        QTest::newRow("from the DataFolder") << "Ev" << "/Ev.vexo" << false << "Kopya" << "İşlem Tamam" << "Kopya";
        QTest::newRow("new name's file exists") << "Ev" << "Ev.vexo" << false << "@kayıtlar@"
                                                << "Bu isimde başka bir grup bulunmaktadır!" << "";
        QTest::newRow("new name unusable") << "Ev" << "Ev.vexo" << false << "../x" << UnusableGroupNameMessage << "";
    }
    void takingAFileIn() {
        QFETCH(QString, held);
        QFETCH(QString, picked);
        QFETCH(bool, listed);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, group);
        if (!held.isEmpty()) home->write(held + ".vexo", Held);
        start();
        QFile(elsewhere + "/Ev.vexo").copy(elsewhere + "/z|b.vexo");
        if (listed) home->write("Ayarlar.cnt", fileBytes({Default, Default, "Ev"}));
        const bool fromDataFolder = picked.startsWith('/');
        const QByteArray source = fromDataFolder ? Held : Taken;
        STOP_IF_FAILED(inPicker([&] {
            if (fromDataFolder) Form13->setFolder(datafolder::path());
            QCOMPARE(rows(Form13->FileListBox1).first(), fromDataFolder ? Default + ".vexo" : "Ayva.vexo");
            // "Yeni İsim" opens only when the file's name is taken
            if (!typed.isEmpty()) testhooks::onNextModal([&](QDialog*) {
                QVERIFY(!Form14->BitBtn2->isEnabled());
                typeText(Form14->Edit1, typed);
                QTest::mouseClick(Form14->BitBtn2, Qt::LeftButton);
                QCOMPARE(Form14->isVisible(), group.isEmpty());  // a refused name may be typed anew
            });
            STOP_IF_FAILED(doubleClickFile(fromDataFolder ? picked.mid(1) : picked));
            QCOMPARE(testhooks::modalWindows().contains("Yeni İsim"), !typed.isEmpty());
            QCOMPARE(testhooks::messages(), message.isEmpty() ? QStringList() : QStringList{message});
            QCOMPARE(Form13->isVisible(), !typed.isEmpty() || group.isEmpty());
            QCOMPARE(rows(Form6->groupListBox), group.isEmpty() ? QStringList{Default} : (QStringList{Default, group}));
        }));
        QVERIFY(Form14->Edit1->text().isEmpty());
        QVERIFY(!Form14->BitBtn2->isEnabled());
        QVERIFY(!home->has("temp.tmp"));
        QVERIFY(!QFile::exists(home->path() + "/x.vexo"));
        if (!held.isEmpty()) QCOMPARE(home->read(held + ".vexo"), Held);
        QCOMPARE(home->read("@Kayıtlar@.vexo"), QByteArray());
        if (!group.isEmpty()) QCOMPARE(home->read(group + ".vexo"), source);
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes(group.isEmpty() ? QStringList{Default, Default}
                                                                       : QStringList{Default, Default, group}));
    }

    void aFailedCopyIsReportedAndAddsNoName_data() {
        QTest::addColumn<bool>("renamed");
        QTest::newRow("under its own name") << false;
        QTest::newRow("under a new name") << true;
    }
    void aFailedCopyIsReportedAndAddsNoName() {
        QFETCH(bool, renamed);
        if (renamed) home->write("Ev.vexo", Held);
        start();
        STOP_IF_FAILED(inPicker([&] {
            QVERIFY(QFile::remove(elsewhere + "/Ev.vexo"));  // gone since the list was read
            if (renamed) testhooks::onNextModal([&](QDialog*) {
                typeText(Form14->Edit1, "Ev2");
                QTest::mouseClick(Form14->BitBtn2, Qt::LeftButton);
            });
            STOP_IF_FAILED(doubleClickFile("Ev.vexo"));
            QCOMPARE(testhooks::messages(), QStringList{CopyFailedMessage});
            QVERIFY(Form13->isVisible());
        }));
        QCOMPARE(rows(Form6->groupListBox), QStringList{Default});
        QStringList files = {"@Kayıtlar@.vexo", "Ayarlar.cnt"};
        if (renamed) files << "Ev.vexo";
        QCOMPARE(home->dataFiles(), files);
    }

    void thePickersAreLinked() {
        start();
        STOP_IF_FAILED(inPicker([&] {
            QCOMPARE(Form13->folder(), elsewhere);
            QCOMPARE(rows(Form13->FileListBox1), (QStringList{"Ayva.vexo", "Çay.vexo", "Ev.vexo"}));
            QCOMPARE(Form13->DriveComboBox1->count(), QDir::drives().size());
            QTreeWidgetItem* current = Form13->DirectoryListBox1->currentItem();
            QCOMPARE(current->text(0), "Yedekler");
            QCOMPARE(current->childCount(), 1);
            STOP_IF_FAILED(doubleClick(Form13->DirectoryListBox1, Form13->DirectoryListBox1->indexFromItem(current->child(0))));
            QCOMPARE(QDir::currentPath(), elsewhere + "/Alt");
            QCOMPARE(rows(Form13->FileListBox1), QStringList{"İş.vexo"});
        }));
        STOP_IF_FAILED(inPicker([&] { QCOMPARE(Form13->folder(), elsewhere + "/Alt"); }));  // kept for the next opening
    }
};

TELEFIKA_TEST_MAIN(TestTakingAGroupIn)
#include "tst_veriekle.moc"

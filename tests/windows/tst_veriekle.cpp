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

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QString GroupFile = datafolder::DefaultGroup + datafolder::GroupExtension;
const QByteArray Taken = fileBytes({u"Şule"_s, u"Öztürk"_s, u"05321112233"_s});
const QByteArray Held = fileBytes({u"Eski"_s, u""_s, u"1"_s});

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
    const QList<QListWidgetItem*> found = Form13->fileList->findItems(file, Qt::MatchExactly);
    if (found.isEmpty()) {
        QTest::qFail(qPrintable(u"No file "_s + file + u" in the picker: "_s + rows(Form13->fileList).join(u", "_s)), __FILE__, __LINE__);
        return false;
    }
    return doubleClick(Form13->fileList, Form13->fileList->indexFromItem(found.first()));
}

// The group window, its "Veri Tabanı Ekle", and the picker handed to the actions.
[[nodiscard]] bool inPicker(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) {
        testhooks::onNextModal([=](QDialog*) { actions(); });
        QTest::mouseClick(Form6->addFileButton, Qt::LeftButton);
    });
    mainWindow().groupsAction->trigger();
    return testPassing();
}
}  // namespace

class TestTakingAGroupIn : public ProgramTest {
    Q_OBJECT
    QString elsewhere;  // a folder outside the DataFolder

    // The program, started in a folder outside the DataFolder that holds
    // group files and another file, and a subfolder with one more.
    [[nodiscard]] bool start() {
        elsewhere = home->path() + u"/Yedekler"_s;
        [&] {
            QVERIFY(QDir().mkpath(elsewhere + u"/Alt"_s));
            for (const QString& f : {u"Ev.vexo"_s, u"Ayva.vexo"_s, u"Çay.vexo"_s, u"notlar.txt"_s, u"Alt/İş.vexo"_s}) {
                QFile file(elsewhere + u"/"_s + f);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(Taken);
            }
        }();
        QDir::setCurrent(elsewhere);  // the pickers start at the working folder
        return testPassing() && startWith({Default, Default}, {});
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
        QTest::newRow("unusable file name") << "" << "z|b.vexo" << false << "" << u"Grup adında \\ / : * ? \" < > | işaretleri ve denetim karakterleri kullanılamaz! Başka bir isim girin."_s << "";
        QTest::newRow("name taken") << "Ev" << "Ev.vexo" << false << "Ev2" << "İşlem Tamam" << "Ev2";
        QTest::newRow("name taken in other case") << "EV" << "Ev.vexo" << false << "Ev2" << "İşlem Tamam" << "Ev2";
        QTest::newRow("from the DataFolder") << "Ev" << "/Ev.vexo" << false << "Kopya" << "İşlem Tamam" << "Kopya";
        QTest::newRow("new name's file exists") << "Ev" << "Ev.vexo" << false << "@kayıtlar@"
                                                << "Bu isimde başka bir grup bulunmaktadır!" << "";
        QTest::newRow("new name unusable") << "Ev" << "Ev.vexo" << false << "../x" << u"Grup adında \\ / : * ? \" < > | işaretleri ve denetim karakterleri kullanılamaz! Başka bir isim girin."_s << "";
    }
    void takingAFileIn() {
        QFETCH(QString, held);
        QFETCH(QString, picked);
        QFETCH(bool, listed);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, group);
        if (!held.isEmpty()) home->write(held + u".vexo"_s, Held);
        STOP_IF_FAILED(start());
        QFile(elsewhere + u"/Ev.vexo"_s).copy(elsewhere + u"/z|b.vexo"_s);
        if (listed) home->write(u"Ayarlar.cnt"_s, fileBytes({Default, Default, u"Ev"_s}));
        const bool fromDataFolder = picked.startsWith(QLatin1Char('/'));
        const QByteArray source = fromDataFolder ? Held : Taken;
        STOP_IF_FAILED(inPicker([&] {
            if (fromDataFolder) Form13->setFolder(datafolder::path());
            QCOMPARE(rows(Form13->fileList).first(), fromDataFolder ? Default + u".vexo"_s : u"Ayva.vexo"_s);
            // "Yeni İsim" opens only when the file's name is taken
            if (!typed.isEmpty()) testhooks::onNextModal([&](QDialog*) {
                QVERIFY(!Form14->okButton->isEnabled());
                typeText(Form14->nameEdit, typed);
                QTest::mouseClick(Form14->okButton, Qt::LeftButton);
                QCOMPARE(Form14->isVisible(), group.isEmpty());  // a refused name may be typed anew
            });
            STOP_IF_FAILED(doubleClickFile(fromDataFolder ? picked.mid(1) : picked));
            QCOMPARE(testhooks::modalWindows().contains(u"Yeni İsim"_s), !typed.isEmpty());
            QCOMPARE(testhooks::messages(), message.isEmpty() ? QStringList() : QStringList{message});
            QCOMPARE(Form13->isVisible(), !typed.isEmpty() || group.isEmpty());
            QCOMPARE(rows(Form6->groupListBox), group.isEmpty() ? QStringList{Default} : (QStringList{Default, group}));
        }));
        Form14->ensureBuilt();  // also where the rename window never opened
        QVERIFY(Form14->nameEdit->text().isEmpty());
        QVERIFY(!Form14->okButton->isEnabled());
        QVERIFY(!home->has(u"temp.tmp"_s));
        QVERIFY(!QFile::exists(home->path() + u"/x.vexo"_s));
        if (!held.isEmpty()) QCOMPARE(home->read(held + u".vexo"_s), Held);
        QCOMPARE(home->read(GroupFile), QByteArray());
        if (!group.isEmpty()) QCOMPARE(home->read(group + u".vexo"_s), source);
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes(group.isEmpty() ? QStringList{Default, Default}
                                                                       : QStringList{Default, Default, group}));
    }

    void aFailedCopyIsReportedAndAddsNoName_data() {
        QTest::addColumn<bool>("renamed");
        QTest::newRow("under its own name") << false;
        QTest::newRow("under a new name") << true;
    }
    void aFailedCopyIsReportedAndAddsNoName() {
        QFETCH(bool, renamed);
        if (renamed) home->write(u"Ev.vexo"_s, Held);
        STOP_IF_FAILED(start());
        STOP_IF_FAILED(inPicker([&] {
            QVERIFY(QFile::remove(elsewhere + u"/Ev.vexo"_s));  // gone since the list was read
            if (renamed) testhooks::onNextModal([&](QDialog*) {
                typeText(Form14->nameEdit, u"Ev2"_s);
                QTest::mouseClick(Form14->okButton, Qt::LeftButton);
            });
            STOP_IF_FAILED(doubleClickFile(u"Ev.vexo"_s));
            QCOMPARE(testhooks::messages(), QStringList{u"Dosya Telefika Klasörüne kopyalanamadı! Seçilen dosya okunamadı ya da yazılamadı."_s});
            QVERIFY(Form13->isVisible());
        }));
        QCOMPARE(rows(Form6->groupListBox), QStringList{Default});
        QStringList files = {GroupFile, u"Ayarlar.cnt"_s};
        if (renamed) files << u"Ev.vexo"_s;
        QCOMPARE(home->dataFiles(), files);
    }

    void thePickersAreLinked() {
        STOP_IF_FAILED(start());
        STOP_IF_FAILED(inPicker([&] {
            QCOMPARE(Form13->folder(), elsewhere);
            QCOMPARE(rows(Form13->fileList), (QStringList{u"Ayva.vexo"_s, u"Çay.vexo"_s, u"Ev.vexo"_s}));
            QCOMPARE(Form13->driveChooser->count(), QDir::drives().size());
            QTreeWidgetItem* current = Form13->folderTree->currentItem();
            QCOMPARE(current->text(0), u"Yedekler"_s);
            QCOMPARE(current->childCount(), 1);
            STOP_IF_FAILED(doubleClick(Form13->folderTree, Form13->folderTree->indexFromItem(current->child(0))));
            QCOMPARE(QDir::currentPath(), elsewhere + u"/Alt"_s);
            QCOMPARE(rows(Form13->fileList), QStringList{u"İş.vexo"_s});
        }));
        STOP_IF_FAILED(inPicker([&] { QCOMPARE(Form13->folder(), elsewhere + u"/Alt"_s); }));  // kept for the next opening
    }
};

TELEFIKA_TEST_MAIN(TestTakingAGroupIn)
#include "tst_veriekle.moc"


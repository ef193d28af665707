// The export window: a group written whole as vCard 3.0, vCard 2.1 or CSV
// under the name the user gives, and read back by the import window into
// the same bytes.

#include "store/datafolder.h"
#include "app/forms.h"
#include "app/Unit1.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/disaktar.h"
#include "windows/iceaktar.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QStringList Two = {u"Ali"_s, u"Veli"_s, u"05321112233"_s, u"Şule"_s, u"Öztürk"_s, u"05339876543"_s};
const QStringList Zeki = {u"Zeki"_s, u""_s, u"05327651200"_s};

QRadioButton* choice(int format) {
    return QList<QRadioButton*>{exportWindow->vcard30Choice, exportWindow->vcard21Choice, exportWindow->csvChoice}.at(format);
}

void choose(const QString& group) {
    if (!group.isEmpty()) exportWindow->groupChooser->setCurrentIndex(exportWindow->groupChooser->findText(group));
}


[[nodiscard]] bool inExportWindow(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    mainWindow().exportAction->trigger();
    return testPassing();
}
}  // namespace

class TestExportWindow : public ProgramTest {
    Q_OBJECT

    // The default group active with two contacts, Ev with one, Yok listed without a file.
    [[nodiscard]] bool start() {
        return startWith({Default, Default, u"Ev"_s, u"Yok"_s, u"Boş"_s},
                         {{Default, fileBytes(Two)}, {u"Ev"_s, fileBytes(Zeki)}, {u"Boş"_s, QByteArray()}});
    }

private slots:
    void aGroupIsWrittenWhole_data() {
        QTest::addColumn<QString>("group");  // empty: the active group, as the window opens
        QTest::addColumn<int>("format");     // vCard 3.0, vCard 2.1, CSV
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("typed");    // in the save dialog, in the home folder; empty: cancelled
        QTest::addColumn<QString>("written");  // the file's name; empty: none
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray twoAsVCard30 =
            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Veli;Ali;;;\r\nFN:Ali Veli\r\nTEL;TYPE=CELL:+905321112233\r\n"
            "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:Öztürk;Şule;;;\r\nFN:Şule Öztürk\r\n"
            "TEL;TYPE=CELL:+905339876543\r\nEND:VCARD\r\n";
        QTest::newRow("vCard 3.0, no ending typed")
            << QString() << 0 << u"2 kişi"_s << u"rehber"_s << u"rehber.vcf"_s
            << twoAsVCard30;
        QTest::newRow("vCard 2.1 for old phones, .vcf typed")
            << QString() << 1 << u"2 kişi"_s << u"eski.vcf"_s << u"eski.vcf"_s
            << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Veli;Ali;;;\r\nFN:Ali Veli\r\nTEL;CELL:+905321112233\r\n"
                          "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:2.1\r\n"
                          "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=96zt=C3=BCrk;=C5=9Eule;;;\r\n"
                          "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C5=9Eule =C3=96zt=C3=BCrk\r\n"
                          "TEL;CELL:+905339876543\r\nEND:VCARD\r\n");
        QTest::newRow("vCard 3.0, .vcard typed")
            << QString() << 0 << u"2 kişi"_s << u"kart.vcard"_s << u"kart.vcard"_s
            << twoAsVCard30;
        QTest::newRow("CSV, .vcf typed: .csv added")
            << QString() << 2 << u"2 kişi"_s << u"tablo.vcf"_s << u"tablo.vcf.csv"_s
            << QByteArray("\xEF\xBB\xBF" "First Name,Last Name,Mobile Phone\r\nAli,Veli,05321112233\r\n"
                          "Şule,Öztürk,05339876543\r\n");
        QTest::newRow("CSV of another group, .CSV typed")
            << u"Ev"_s << 2 << u"1 kişi"_s << u"ev.CSV"_s << u"ev.CSV"_s
            << QByteArray("\xEF\xBB\xBF" "First Name,Last Name,Mobile Phone\r\nZeki,,05327651200\r\n");
        QTest::newRow("an empty group as vCard: an empty file")
            << u"Boş"_s << 0 << u"0 kişi"_s << u"bos.vcf"_s << u"bos.vcf"_s << QByteArray();
        QTest::newRow("the save dialog cancelled") << QString() << 0 << u"2 kişi"_s << QString() << QString() << QByteArray();
    }
    void aGroupIsWrittenWhole() {
        QFETCH(QString, group);
        QFETCH(int, format);
        QFETCH(QString, count);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QByteArray, bytes);
        STOP_IF_FAILED(start());
        const QString folder = home->path() + u"/disari"_s;
        QVERIFY(QDir().mkpath(folder));
        STOP_IF_FAILED(inExportWindow([&] {
            QCOMPARE(exportWindow->groupChooser->currentText(), Default);
            QVERIFY(exportWindow->vcard30Choice->isChecked());
            choose(group);
            QCOMPARE(exportWindow->countValue->text(), count);
            QTest::mouseClick(choice(format), Qt::LeftButton, {}, QPoint(8, choice(format)->height() / 2));
            testhooks::setNextSaveFileName(typed.isEmpty() ? QString() : folder + u'/' + typed);
            QTest::mouseClick(exportWindow->saveButton, Qt::LeftButton);
            QCOMPARE(exportWindow->isVisible(), written.isEmpty());
        }));
        const QStringList files = QDir(folder).entryList(QDir::Files);
        QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
        if (written.isEmpty()) {
            QCOMPARE(testhooks::messages(), QStringList());
            return;
        }
        QCOMPARE(bytesOf(folder + u'/' + written), bytes);
        QCOMPARE(testhooks::messages(), QStringList{count + u" dışa aktarıldı:\n"_s + folder + u'/' + written});
    }

    // A group that cannot be read, or a file that cannot be written, is
    // reported; no success is, and the window stays open.
    void aFailureIsReportedNeverASuccess_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("typed");  // in the home folder; empty: no name asked for
        QTest::addColumn<QStringList>("messages");  // <home> for the home folder
        QTest::newRow("a folder that is not there")
            << QString() << u"yok/rehber.vcf"_s << QStringList{u"Cannot create file <home>/yok/rehber.vcf."_s};
        QTest::newRow("a folder in the file's place")
            << QString() << u"klasor.vcf"_s << QStringList{u"Cannot create file <home>/klasor.vcf."_s};
        QTest::newRow("a file in the DataFolder")
            << QString() << u"Telefika/rehber.vcf"_s
            << QStringList{u"<home>/Telefika/rehber.vcf: Dışa aktarma Telefika 2003'ün veri havuzuna yazılamaz!"_s};
        QTest::newRow("a group without a file")
            << u"Yok"_s << QString() << QStringList{u"Grup Dosyası Bulunamıyor"_s, u"Grup Dosyası Bulunamıyor"_s};
    }
    void aFailureIsReportedNeverASuccess() {
        QFETCH(QString, group);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        STOP_IF_FAILED(start());
        QVERIFY(QDir().mkpath(home->path() + u"/klasor.vcf"_s));
        STOP_IF_FAILED(inExportWindow([&] {
            choose(group);
            if (!typed.isEmpty()) testhooks::setNextSaveFileName(home->path() + u'/' + typed);
            QTest::mouseClick(exportWindow->saveButton, Qt::LeftButton);
            QVERIFY(exportWindow->isVisible());
        }));
        messages.replaceInStrings(u"<home>"_s, QDir::toNativeSeparators(home->path()));
        QCOMPARE(testhooks::messages(), messages);
        QVERIFY(!QFile::exists(home->path() + u"/yok"_s));
        QVERIFY(typed.isEmpty() || !QFileInfo(home->path() + u'/' + typed).isFile());
    }

    // An export read back by the import window into an empty group gives the
    // group's file byte for byte, Turkish letters and all (names as a save
    // stores them: any I first becomes the small dotted i).
    void anExportComesBackThroughTheImportWindow_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("typed");
        QTest::newRow("vCard 3.0") << 0 << u"geri.vcf"_s;
        QTest::newRow("vCard 2.1") << 1 << u"geri.vcf"_s;
        QTest::newRow("CSV") << 2 << u"geri.csv"_s;
    }
    void anExportComesBackThroughTheImportWindow() {
        QFETCH(int, format);
        QFETCH(QString, typed);
        const QByteArray group = fileBytes({u"Çağrı"_s, u"Öztürkoğlu"_s, u"05321112233"_s, u"ipek"_s, u"Işık Iğdır"_s,
                                            u"05361112233"_s, u"Ömer"_s, u"Güneş; \"Can\", Jr.\\"_s, u"05341112233"_s,
                                            u"Şükrü"_s, u"ÇİĞDEMOĞLU"_s, u"05331112233"_s, u"Ülkü"_s, u""_s, u"112"_s});
        STOP_IF_FAILED(startWith({Default, Default, u"Boş"_s}, {{Default, group}, {u"Boş"_s, QByteArray()}}));
        const QString file = home->path() + u'/' + typed;
        STOP_IF_FAILED(inExportWindow([&] {
            QTest::mouseClick(choice(format), Qt::LeftButton, {}, QPoint(8, choice(format)->height() / 2));
            testhooks::setNextSaveFileName(file);
            QTest::mouseClick(exportWindow->saveButton, Qt::LeftButton);
        }));
        testhooks::setNextOpenFileName(file);
        testhooks::onNextModal([&](QDialog*) {
            importWindow->groupChooser->setCurrentIndex(importWindow->groupChooser->findText(u"Boş"_s));
            QTest::mouseClick(importWindow->importButton, Qt::LeftButton);
        });
        mainWindow().importAction->trigger();
        STOP_IF_FAILED(testPassing());
        QCOMPARE(testhooks::messages(),
                 (QStringList{u"5 kişi dışa aktarıldı:\n"_s + file, u"5 kişi eklendi, 0 kişi dışarıda kaldı."_s}));
        QCOMPARE(home->read(u"Boş.vexo"_s), group);
    }
};

TELEFIKA_TEST_MAIN(TestExportWindow)
#include "tst_disaktar.moc"

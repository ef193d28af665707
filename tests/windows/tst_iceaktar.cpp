// The import window: the contacts of a vCard or CSV file shown with what the
// import will do, written into the chosen group only on "Aktar"; files that
// cannot be taken open no window.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/datafolder.h"
#include "store/interchange.h"
#include "store/stringlist.h"
#include "tests/common/failingdisk.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/iceaktar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QStringList AliVeli = {u"Ali"_s, u"Veli"_s, u"05321112233"_s};
const QStringList Zeki = {u"Zeki"_s, u""_s, u"05327651200"_s};


// The table's rows: İsim|Soyad|Cep Tel|Durum.
QStringList tableRows() {
    const QAbstractItemModel* m = importWindow->contactTable->model();
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c) cells << m->index(r, c).data().toString();
        out << cells.join(u'|');
    }
    return out;
}

// Eklenecek, Değiştirilerek eklenecek, Dışarıda kalacak, Kalan Kapasite.
QStringList figures() {
    return {importWindow->addedValue->text(), importWindow->changedValue->text(), importWindow->leftOutValue->text(),
            importWindow->capacityValue->text()};
}


// "İçe Aktar..." with the file chosen in the open dialog; the import window,
// if it opens, handed to the actions.
[[nodiscard]] bool inImportWindow(const QString& path, const std::function<void()>& actions) {
    testhooks::setNextOpenFileName(path);
    testhooks::onNextModal([=](QDialog*) { actions(); });
    mainWindow().importAction->trigger();
    return testPassing();
}
}  // namespace

class TestImportWindow : public ProgramTest {
    Q_OBJECT

    // The default group active with Ali Veli, Ev with Zeki, Yok listed without a file.
    [[nodiscard]] bool start() {
        return startWith({Default, Default, u"Ev"_s, u"Yok"_s}, {{Default, fileBytes(AliVeli)}, {u"Ev"_s, fileBytes(Zeki)}});
    }

private slots:
    void filesOfPhonesGoIntoTheChosenGroup_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("group");  // empty: the active group, as the window opens
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QStringList>("figures");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("groupLines");  // the chosen group's file afterwards
        QTest::addColumn<QString>("countLine");       // the main window's, at once
        const QString there = u"Dışarıda kalacak: Bu numara grupta zaten var"_s;
        QTest::newRow("Android's vCard 2.1 into the active group")
            << u"android21.vcf"_s << QString()
            << QStringList{u"Şule|Öztürk|05321112233|"_s + there,
                           u"Çağrı|Gündoğdu|05334445566|Eklenecek"_s,
                           u"ismail Hakkı|Yılmaz|02163334455|Eklenecek"_s,
                           u"Demir||05051234567|Değiştirilerek eklenecek: Soyad isim olarak alındı"_s,
                           u"Ahmet|Kaya||Dışarıda kalacak: Numara yok"_s,
                           u"Ayşe|Ak|05427654321|Değiştirilerek eklenecek: Türkçe kod sayfasında olmayan harfler çıkarıldı"_s,
                           u"Selim|Tekin|05321112233|"_s + there,
                           u"Hans|Weber|+49 170 1234567|Dışarıda kalacak: Numara geçersiz"_s}
            << QStringList{u"2 kişi"_s, u"2 kişi"_s, u"4 kişi"_s, u"10906 kişi"_s}
            << u"4 kişi eklendi, 4 kişi dışarıda kaldı."_s
            << QStringList{u"Ali"_s,   u"Veli"_s, u"05321112233"_s, u"Ayşe"_s,         u"Ak"_s,     u"05427654321"_s,
                           u"Çağrı"_s, u"Gündoğdu"_s, u"05334445566"_s, u"Demir"_s, u""_s,       u"05051234567"_s,
                           u"ismail Hakkı"_s, u"Yılmaz"_s, u"02163334455"_s}
            << u"Toplam Kayıtlı Kişi :5 kişi.."_s;
        QTest::newRow("iPhone's vCard 3.0 into another group")
            << u"iphone30.vcf"_s << u"Ev"_s
            << QStringList{u"Gökhan|Ertuğrul|05327651200|"_s + there,
                           u"Ömer;Faruk|Yıldız, Öztürk|05052223344|Eklenecek"_s,
                           u"Ali Rıza|Şahin|05331234567|Eklenecek"_s,
                           u"Elif Nur|Koç|05550001122|Değiştirilerek eklenecek: Satır sonları boşluğa çevrildi"_s}
            << QStringList{u"2 kişi"_s, u"1 kişi"_s, u"1 kişi"_s, u"10907 kişi"_s}
            << u"3 kişi eklendi, 1 kişi dışarıda kaldı."_s
            << QStringList{u"Ali Rıza"_s, u"Şahin"_s, u"05331234567"_s, u"Elif Nur"_s, u"Koç"_s, u"05550001122"_s,
                           u"Ömer;Faruk"_s, u"Yıldız, Öztürk"_s, u"05052223344"_s, u"Zeki"_s, u""_s, u"05327651200"_s}
            << u"Toplam Kayıtlı Kişi :1 kişi.."_s;
        QTest::newRow("Google's CSV into the active group")
            << u"google.csv"_s << QString()
            << QStringList{u"Canan|Arslan|05443210099|Eklenecek"_s, u"Hüseyin Tuncay|Kılıç|05351110022|Eklenecek"_s,
                           u"Berk||02167778899|Eklenecek"_s}
            << QStringList{u"3 kişi"_s, u"0 kişi"_s, u"0 kişi"_s, u"10907 kişi"_s}
            << u"3 kişi eklendi, 0 kişi dışarıda kaldı."_s
            << QStringList{u"Ali"_s,   u"Veli"_s,   u"05321112233"_s, u"Berk"_s, u""_s, u"02167778899"_s,
                           u"Canan"_s, u"Arslan"_s, u"05443210099"_s, u"Hüseyin Tuncay"_s, u"Kılıç"_s, u"05351110022"_s}
            << u"Toplam Kayıtlı Kişi :4 kişi.."_s;
        QTest::newRow("a spreadsheet's CSV in code page 1254 into another group")
            << u"spreadsheet1254.csv"_s << u"Ev"_s
            << QStringList{u"Gülşen|Yılmaz|05321234567|Eklenecek"_s, u"irmak|Öğüt|03124445566|Eklenecek"_s,
                           u"Şükrü; Can|Doğan \"Baba\"|05321234568|Eklenecek"_s}
            << QStringList{u"3 kişi"_s, u"0 kişi"_s, u"0 kişi"_s, u"10907 kişi"_s}
            << u"3 kişi eklendi, 0 kişi dışarıda kaldı."_s
            << QStringList{u"Gülşen"_s, u"Yılmaz"_s, u"05321234567"_s, u"irmak"_s, u"Öğüt"_s, u"03124445566"_s,
                           u"Şükrü; Can"_s, u"Doğan \"Baba\""_s, u"05321234568"_s, u"Zeki"_s, u""_s, u"05327651200"_s}
            << u"Toplam Kayıtlı Kişi :1 kişi.."_s;
    }
    void filesOfPhonesGoIntoTheChosenGroup() {
        QFETCH(QString, file);
        QFETCH(QString, group);
        QFETCH(QStringList, table);
        QFETCH(QStringList, figures);
        QFETCH(QString, message);
        QFETCH(QStringList, groupLines);
        QFETCH(QString, countLine);
        STOP_IF_FAILED(start());
        mainWindow().sensitiveCheck->setChecked(true);
        STOP_IF_FAILED(nextTick());
        const QByteArray before = home->read(Default + u".vexo"_s), ev = home->read(u"Ev.vexo"_s);
        STOP_IF_FAILED(inImportWindow(samplePath(file), [&] {
            QCOMPARE(importWindow->groupChooser->currentText(), Default);
            QCOMPARE(importWindow->fileValue->text(), file);
            STOP_IF_FAILED(choose(importWindow->groupChooser, group));
            QCOMPARE(tableRows(), table);
            QCOMPARE(::figures(), figures);
            // nothing is written before "Aktar"
            QCOMPARE(home->read(Default + u".vexo"_s), before);
            QCOMPARE(home->read(u"Ev.vexo"_s), ev);
            QTest::mouseClick(importWindow->importButton, Qt::LeftButton);
            QVERIFY(!importWindow->isVisible());
        }));
        QCOMPARE(testhooks::messages(), QStringList{message});
        const bool active = group.isEmpty();
        QCOMPARE(home->read((active ? Default : u"Ev"_s) + u".vexo"_s), fileBytes(groupLines));
        QCOMPARE(home->read((active ? u"Ev"_s : Default) + u".vexo"_s), active ? ev : before);
        // the main window follows at once: its lines, its index, its count and its sensitive search
        QCOMPARE(texts(Book->recordLines()), active ? groupLines : AliVeli);
        QStringList names;
        for (qsizetype i = 0; i < (active ? groupLines : AliVeli).size(); i += 3) names << (active ? groupLines : AliVeli)[i];
        QCOMPARE(texts(Book->nameIndex()), names);
        QCOMPARE(mainWindow().countLine->text(), countLine);
        QCOMPARE(mainWindow().sensitiveChoice->count(), int(names.size()));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({Default, Default, u"Ev"_s, u"Yok"_s}));
    }

    // The chosen group is what the plan is made against; a group without a
    // file cannot be chosen.
    void theChosenGroupMakesThePlan_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("chosen");  // the chooser afterwards
        QTest::addColumn<QStringList>("fates");  // Şule's and Selim's Durum
        QTest::addColumn<QString>("capacity");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("the active group") << Default << Default
                                          << QStringList{u"Dışarıda kalacak: Bu numara grupta zaten var"_s,
                                                         u"Dışarıda kalacak: Bu numara grupta zaten var"_s}
                                          << u"10906 kişi"_s << QStringList{};
        QTest::newRow("another group") << u"Ev"_s << u"Ev"_s
                                       << QStringList{u"Eklenecek"_s, u"Dışarıda kalacak: Bu numara dosyada daha önce geçti"_s}
                                       << u"10905 kişi"_s << QStringList{};
        QTest::newRow("a group without a file") << u"Yok"_s << Default
                                                << QStringList{u"Dışarıda kalacak: Bu numara grupta zaten var"_s,
                                                               u"Dışarıda kalacak: Bu numara grupta zaten var"_s}
                                                << u"10906 kişi"_s << QStringList{u"Grup Dosyası Bulunamıyor"_s};
    }
    void theChosenGroupMakesThePlan() {
        QFETCH(QString, group);
        QFETCH(QString, chosen);
        QFETCH(QStringList, fates);
        QFETCH(QString, capacity);
        QFETCH(QStringList, messages);
        STOP_IF_FAILED(start());
        STOP_IF_FAILED(inImportWindow(samplePath(u"android21.vcf"_s), [&] {
            STOP_IF_FAILED(choose(importWindow->groupChooser, group));
            QCOMPARE(importWindow->groupChooser->currentText(), chosen);
            const QStringList rows = tableRows();
            QCOMPARE((QStringList{rows[0].section(u'|', 3), rows[6].section(u'|', 3)}), fates);
            QCOMPARE(importWindow->capacityValue->text(), capacity);
        }));
        QCOMPARE(testhooks::messages(), messages);
    }

    // Leaving the window another way than "Aktar" writes nothing.
    void nothingIsWrittenWithoutAktar_data() {
        QTest::addColumn<bool>("cancelButton");
        QTest::newRow("İptal") << true;
        QTest::newRow("the window closed") << false;
    }
    void nothingIsWrittenWithoutAktar() {
        QFETCH(bool, cancelButton);
        STOP_IF_FAILED(start());
        const QStringList files = home->dataFiles();
        const QByteArray before = home->read(Default + u".vexo"_s);
        STOP_IF_FAILED(inImportWindow(samplePath(u"google.csv"_s), [&] {
            if (cancelButton) QTest::mouseClick(importWindow->cancelButton, Qt::LeftButton);
            else importWindow->close();
            QVERIFY(!importWindow->isVisible());
        }));
        QCOMPARE(testhooks::messages(), QStringList());
        QCOMPARE(home->dataFiles(), files);
        QCOMPARE(home->read(Default + u".vexo"_s), before);
        QCOMPARE(texts(Book->recordLines()), AliVeli);
    }

    // A file that cannot be taken is refused with its reason; no window opens
    // and nothing changes.
    void badFilesOpenNoWindow_data() {
        QTest::addColumn<QByteArray>("bytes");  // written to rehber.vcf
        QTest::addColumn<QString>("path");      // when not that file
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("an empty file") << QByteArray() << QString() << QStringList{u"Dosya boş!"_s};
        QFile picture(samplePath(u"picture.vcf"_s));
        QVERIFY(picture.open(QIODevice::ReadOnly));
        QTest::newRow("a picture renamed .vcf") << picture.readAll() << QString()
                                                << QStringList{u"Bu dosya bir kişi dosyası değil!"_s};
        QTest::newRow("a 10 MB line")
            << "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Er;Ali;;;\r\nNOTE:" + QByteArray(10 * 1024 * 1024, 'x') + "\r\nEND:VCARD\r\n"
            << QString() << QStringList{u"Dosyada çok uzun bir satır var!"_s};
        QTest::newRow("a card without END") << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Er;Ali;;;\r\nTEL:112\r\n")
                                            << QString() << QStringList{u"Dosya yarım: bir kartın sonu (END:VCARD) yok!"_s};
        QTest::newRow("NUL bytes") << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Er;A\0li;;;\r\nEND:VCARD\r\n", 47)
                                   << QString() << QStringList{u"Dosya bozuk: içinde NUL baytı var!"_s};
        QTest::newRow("no such file") << QByteArray() << u"yok.vcf"_s << QStringList{u"Dosya okunamadı!"_s};
        QTest::newRow("the open dialog cancelled") << QByteArray() << u"-"_s << QStringList{};
    }
    void badFilesOpenNoWindow() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, path);
        QFETCH(QStringList, messages);
        STOP_IF_FAILED(start());
        const QString file = home->path() + u"/rehber.vcf"_s;
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        const QByteArray before = home->read(Default + u".vexo"_s);
        testhooks::setNextOpenFileName(path == u"-"_s ? QString() : path.isEmpty() ? file : home->path() + u'/' + path);
        mainWindow().importAction->trigger();
        QCOMPARE(testhooks::messages(), messages);
        QCOMPARE(testhooks::modalWindows(), QStringList());
        QCOMPARE(home->read(Default + u".vexo"_s), before);
        QCOMPARE(texts(Book->recordLines()), AliVeli);
    }

    // A write that fails shows the file's error; the group's file, the main
    // window and the import window stay as they were.
    void aFailedWriteChangesNothing_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("read-only folder") << int(FailingDisk::ReadOnlyMount);
        QTest::newRow("full disk") << int(FailingDisk::FileSizeLimit);
    }
    void aFailedWriteChangesNothing() {
        QFETCH(int, kind);
        FailingDisk disk{FailingDisk::Kind(kind)};
        if (!disk.usable()) QSKIP(qPrintable(disk.reason()));
        STOP_IF_FAILED(start());
        const QByteArray before = home->read(Default + u".vexo"_s);
        STOP_IF_FAILED(inImportWindow(samplePath(u"google.csv"_s), [&] {
            disk.failing();
            QTest::mouseClick(importWindow->importButton, Qt::LeftButton);
            disk.writable();
            QVERIFY(importWindow->isVisible());
            QCOMPARE(importWindow->addedValue->text(), u"3 kişi"_s);
        }));
        QCOMPARE(testhooks::messages(),
                 QStringList{u"Cannot create file "_s + QDir::toNativeSeparators(home->dataPath(Default + u".vexo"_s)) + u"."_s});
        QCOMPARE(home->read(Default + u".vexo"_s), before);
        QCOMPARE(texts(Book->recordLines()), AliVeli);
        QCOMPARE(texts(Book->nameIndex()), QStringList{u"Ali"_s});
    }

    // 100,000 cards open in the table and go in; the capacity goes negative,
    // as a save's does.
    void aHundredThousandCards() {
        STOP_IF_FAILED(start());
        StringList many;
        for (int i = 0; i < 100000; ++i) {
            many.add(u"Kişi"_s + QString::number(100000 + i));
            many.add(u"Soyad"_s);
            many.add(u'0' + QString::number(5400000000LL + i));
        }
        const QString file = home->path() + u"/yuzbin.vcf"_s;
        interchange::exportToFile(many, file);
        STOP_IF_FAILED(inImportWindow(file, [&] {
            QCOMPARE(importWindow->contactTable->model()->rowCount(), 100000);
            QCOMPARE(tableRows().last(), u"Kişi199999|Soyad|05400099999|Eklenecek"_s);
            QCOMPARE(::figures(), (QStringList{u"100000 kişi"_s, u"0 kişi"_s, u"0 kişi"_s, u"-89089 kişi"_s}));
            QTest::mouseClick(importWindow->importButton, Qt::LeftButton);
        }));
        QCOMPARE(testhooks::messages(), QStringList{u"100000 kişi eklendi, 0 kişi dışarıda kaldı."_s});
        QCOMPARE(mainWindow().countLine->text(), u"Toplam Kayıtlı Kişi :100001 kişi.."_s);
        QCOMPARE(mainWindow().capacityLine->text(), u"Kalan Kapasite     :-89089 kişi.."_s);
        QCOMPARE(Book->recordLines().count(), 300003);
        StringList written;
        written.load(home->dataPath(Default + u".vexo"_s));
        QCOMPARE(written.count(), 300003);
    }
};

TELEFIKA_TEST_MAIN(TestImportWindow)
#include "tst_iceaktar.moc"

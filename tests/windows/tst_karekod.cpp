// The QR code window: the contact of the main window's fields as the QR code
// of its vCard 3.0; with the fields empty nothing opens.

#include "app/forms.h"
#include "app/Unit1.h"
#include "formats/qrcode.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/karekod.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

using namespace Qt::StringLiterals;

class TestQrWindow : public ProgramTest {
    Q_OBJECT

private slots:
    void theFieldsBecomeTheCodeOfTheirVCard_data() {
        QTest::addColumn<QStringList>("fields");  // İsim, Soyad, Cep Tel
        QTest::addColumn<QByteArray>("vcard");    // what the code holds
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("modules");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("shown");  // under the code
        QTest::newRow("a typical contact")
            << QStringList{u"Şule"_s, u"Öztürk"_s, u"05321112233"_s}
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Öztürk;Şule;;;\r\nFN:Şule Öztürk\r\n"
                          "TEL;TYPE=CELL:+905321112233\r\nEND:VCARD\r\n")
            << 6 << 41 << 5 << u"Şule Öztürk 05321112233"_s;
        QTest::newRow("a name alone")
            << QStringList{u"Çağrı"_s, u""_s, u""_s}
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:;Çağrı;;;\r\nFN:Çağrı\r\nEND:VCARD\r\n")
            << 5 << 37 << 6 << u"Çağrı"_s;
        QTest::newRow("a number alone, a short one as stored")
            << QStringList{u""_s, u""_s, u"112"_s}
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:\r\nTEL;TYPE=CELL:112\r\nEND:VCARD\r\n")
            << 5 << 37 << 6 << u"112"_s;
        QTest::newRow("signs the vCard escapes")
            << QStringList{u"Ali; Can"_s, u"Er, Ek\\"_s, u"05321112233"_s}
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Er\\, Ek\\\\;Ali\\; Can;;;\r\nFN:Ali\\; Can Er\\, Ek\\\\\r\n"
                          "TEL;TYPE=CELL:+905321112233\r\nEND:VCARD\r\n")
            << 7 << 45 << 5 << u"Ali; Can Er, Ek\\ 05321112233"_s;
        QTest::newRow("names of 64 letters each")
            << QStringList{QString(64, u'Ğ'), QString(64, u'Ş'), u"05321112233"_s}
            // folded at 75 bytes, never inside a letter
            << "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + QByteArray("Ş").repeated(36) + "\r\n " + QByteArray("Ş").repeated(28) +
                   ";" + QByteArray("Ğ").repeated(8) + "\r\n " + QByteArray("Ğ").repeated(37) + "\r\n " +
                   QByteArray("Ğ").repeated(19) + ";;;\r\nFN:" + QByteArray("Ğ").repeated(36) + "\r\n " +
                   QByteArray("Ğ").repeated(28) + " " + QByteArray("Ş").repeated(8) + "\r\n " +
                   QByteArray("Ş").repeated(37) + "\r\n " + QByteArray("Ş").repeated(19) +
                   "\r\nTEL;TYPE=CELL:+905321112233\r\nEND:VCARD\r\n"
            << 19 << 93 << 2 << QString(64, u'Ğ') + u' ' + QString(64, u'Ş') + u" 05321112233"_s;
    }
    void theFieldsBecomeTheCodeOfTheirVCard() {
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, vcard);
        QFETCH(int, version);
        QFETCH(int, modules);
        QFETCH(int, scale);
        QFETCH(QString, shown);
        STOP_IF_FAILED(startWithContacts({}));
        mainWindow().nameField->setText(fields[0]);
        mainWindow().surnameField->setText(fields[1]);
        mainWindow().numberField->setText(fields[2]);
        testhooks::onNextModal([&](QDialog*) {
            const qrcode::Picture& picture = qrCodeWindow->picture();
            QCOMPARE(picture.version, version);
            QCOMPARE(picture.modules, modules);
            QCOMPARE(picture.scale, scale);
            QCOMPARE(picture.image, qrcode::encode(vcard, 280).image);
            QCOMPARE(qrCodeWindow->qrPicture->pixmap().size(), QSize((modules + 8) * scale, (modules + 8) * scale));
            QCOMPARE(qrCodeWindow->contactValue->text(), shown);
            QTest::mouseClick(qrCodeWindow->closeButton, Qt::LeftButton);
            QVERIFY(!qrCodeWindow->isVisible());
        });
        mainWindow().qrAction->trigger();
        STOP_IF_FAILED(testPassing());
        QCOMPARE(testhooks::modalWindows(), QStringList{u"Karekod"_s});
        QCOMPARE(testhooks::messages(), QStringList());
        // the fields are left as they were
        QCOMPARE((QStringList{mainWindow().nameField->text(), mainWindow().surnameField->text(), mainWindow().numberField->text()}), fields);
    }

    void emptyFieldsOpenNothing_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("all empty") << QStringList{u""_s, u""_s, u""_s};
        QTest::newRow("blanks") << QStringList{u"  "_s, u" "_s, u""_s};
        QTest::newRow("a number of eleven blanks") << QStringList{u""_s, u""_s, QString(11, u' ')};
    }
    void emptyFieldsOpenNothing() {
        QFETCH(QStringList, fields);
        STOP_IF_FAILED(startWithContacts({}));
        mainWindow().nameField->setText(fields[0]);
        mainWindow().surnameField->setText(fields[1]);
        mainWindow().numberField->setText(fields[2]);
        mainWindow().qrAction->trigger();
        QCOMPARE(testhooks::messages(),
                 QStringList{u"Karekod için önce bir kişi girin ya da arayıp bulun: İsim, Soyad ve Cep Tel boş!"_s});
        QCOMPARE(testhooks::modalWindows(), QStringList());
        QVERIFY(!qrCodeWindow->isBuilt());
    }
};

TELEFIKA_TEST_MAIN(TestQrWindow)
#include "tst_karekod.moc"
